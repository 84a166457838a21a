// SPDX-License-Identifier: MIT
// The shortest way to a cell over the open cells, and the arrow key for each step of it.
#include "tools/headless/shortest_path.h"

#include "game/key_codes.h"

namespace quillmoor {

void ShortestPath::Build(const MazeGrid& grid, CellId target) {
  towardTarget_.assign(CellCount, NoCell);
  if (!grid.IsOpen(target)) {
    return;
  }
  // Every cell found points at the cell it was found from, one step nearer the target.
  std::vector<std::uint8_t> seen(CellCount);
  std::vector<CellId> queue{target};
  seen[target] = 1;
  for (std::size_t next = 0; next < queue.size(); ++next) {
    const CellId cell = queue[next];
    for (const auto step : LookAroundSteps) {
      const CellId neighbour = step(cell);
      if (grid.IsOpen(neighbour) && !seen[neighbour]) {
        seen[neighbour] = 1;
        towardTarget_[neighbour] = cell;
        queue.push_back(neighbour);
      }
    }
  }
}

CellId ShortestPath::NextStep(CellId cell) const {
  return towardTarget_.empty() ? NoCell : towardTarget_[cell];
}

std::uint32_t ArrowKeyToward(CellId from, CellId to, bool seamFlipped) {
  if (StepLeft(from) == to) {
    return KeyLeft;
  }
  if (StepRight(from) == to) {
    return KeyRight;
  }
  if (StepUp(from) == to) {
    return seamFlipped ? KeyDown : KeyUp;
  }
  if (StepDown(from) == to) {
    return seamFlipped ? KeyUp : KeyDown;
  }
  return 0;
}

}  // namespace quillmoor
