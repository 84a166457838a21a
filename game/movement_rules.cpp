// SPDX-License-Identifier: MIT
// The three rules by which aliens and the automatic player pick their next cell.
#include "game/movement_rules.h"

#include <algorithm>

#include "game/maze_grid.h"

namespace quillmoor {

namespace {

// Makes a branch point the newest record, pushing out the oldest when all five are held.
void PushBranchRecord(ExplorerMemory& memory, const BranchRecord& record) {
  const int kept = std::min(memory.branchCount, MaxBranchRecords - 1);
  std::copy_backward(memory.records.begin(), memory.records.begin() + kept,
                     memory.records.begin() + kept + 1);
  memory.records[0] = record;
  memory.branchCount = kept + 1;
}

void DropNewestBranchRecord(ExplorerMemory& memory) {
  std::copy(memory.records.begin() + 1, memory.records.begin() + memory.branchCount,
            memory.records.begin());
  --memory.branchCount;
}

// Hands out one untried exit of the newest record, or its way in once none is left.
CellId TakeFromBranchRecord(ExplorerMemory& memory, RandomSource& random) {
  BranchRecord& record = memory.records[0];
  if (record.untriedCount == 0) {
    const CellId wayIn = record.arrivedFrom;
    DropNewestBranchRecord(memory);
    return wayIn;
  }
  const int pick = record.untriedCount == 1 ? 0 : RandomIndex(random, record.untriedCount);
  const CellId exit = record.untried[pick];
  --record.untriedCount;
  record.untried[pick] = record.untried[record.untriedCount];
  return exit;
}

}  // namespace

Exits FindExits(const MazeGrid& grid, CellId cur, CellId prev) {
  Exits exits;
  for (const auto step : LookAroundSteps) {
    const CellId next = step(cur);
    if (grid.IsOpen(next) && next != prev) {
      exits.cells[exits.count++] = next;
    }
  }
  return exits;
}

CellId WanderStep(const MazeGrid& grid, RandomSource& random, CellId cur, CellId prev) {
  const Exits exits = FindExits(grid, cur, prev);
  if (exits.count == 0) {
    return prev;
  }
  return exits.cells[exits.count == 1 ? 0 : RandomIndex(random, exits.count)];
}

CellId CorridorStep(const MazeGrid& grid, CellId cur, CellId prev) {
  const Exits exits = FindExits(grid, cur, prev);
  return exits.count == 1 ? exits.cells[0] : NoCell;
}

CellId ExploreStep(ExplorerMemory& memory, const MazeGrid& grid, RandomSource& random, CellId cur,
                   CellId prev) {
  if (memory.branchCount >= 1 && memory.records[0].cell == cur) {
    return TakeFromBranchRecord(memory, random);
  }
  const Exits exits = FindExits(grid, cur, prev);
  if (exits.count == 0) {
    return prev;
  }
  if (exits.count == 1) {
    return exits.cells[0];
  }
  const int pick = RandomIndex(random, exits.count);
  BranchRecord record;
  record.cell = cur;
  record.arrivedFrom = prev;
  for (int i = 0; i < exits.count; ++i) {
    if (i != pick) {
      record.untried[record.untriedCount++] = exits.cells[i];
    }
  }
  PushBranchRecord(memory, record);
  return exits.cells[pick];
}

void ResetExplorer(ExplorerMemory& memory) {
  memory.branchCount = 0;
}

}  // namespace quillmoor
