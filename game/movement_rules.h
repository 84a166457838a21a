// SPDX-License-Identifier: MIT
// How movers choose their next cell: wander, follow a corridor, or explore depth-first.
#pragma once

#include <array>
#include <cstdint>

#include "game/cell.h"

namespace quillmoor {

class MazeGrid;
class RandomSource;

inline constexpr int MaxBranchRecords = 5;

struct BranchRecord {
  CellId cell = NoCell;
  CellId arrivedFrom = NoCell;
  std::array<CellId, 3> untried{};
  int untriedCount = 0;
};

// Branch points the explorer has left and not yet finished, newest first.
struct ExplorerMemory {
  std::array<BranchRecord, MaxBranchRecords> records{};
  int branchCount = 0;
};

// Open neighbours of cur other than prev, in the order up, right, down, left.
struct Exits {
  std::array<CellId, 4> cells{};
  int count = 0;
};
Exits FindExits(const MazeGrid& grid, CellId cur, CellId prev);

// Random way on, never back while another is open; prev at a dead end.
CellId WanderStep(const MazeGrid& grid, RandomSource& random, CellId cur, CellId prev);
// The one way on, or NoCell at a dead end or a branch point. Draws nothing.
CellId CorridorStep(const MazeGrid& grid, CellId cur, CellId prev);
// Depth-first exploration remembering the newest five branch points.
CellId ExploreStep(ExplorerMemory& memory, const MazeGrid& grid, RandomSource& random, CellId cur,
                   CellId prev);
void ResetExplorer(ExplorerMemory& memory);

}  // namespace quillmoor
