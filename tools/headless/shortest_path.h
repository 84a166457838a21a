// SPDX-License-Identifier: MIT
// The shortest way to a cell over the open cells, and the arrow key for each step of it.
#pragma once

#include <cstdint>
#include <vector>

#include "game/cell.h"
#include "game/maze_grid.h"

namespace quillmoor {

class ShortestPath {
 public:
  // Searches breadth-first outward from the target over the grid's open cells as they are now.
  void Build(const MazeGrid& grid, CellId target);
  // The next cell from cell toward the target; NoCell on the target, off the open cells
  // reached, or before Build.
  CellId NextStep(CellId cell) const;

 private:
  std::vector<CellId> towardTarget_;
};

// The arrow key that steps from one cell to its neighbour, with Up and Down swapped while the
// seam flag is set; 0 when the cells are not neighbours.
std::uint32_t ArrowKeyToward(CellId from, CellId to, bool seamFlipped);

}  // namespace quillmoor
