// SPDX-License-Identifier: MIT
// Grows a perfect maze over the rooms, a few carves at a time, outward from the start cell.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/cell.h"
#include "game/maze_grid.h"

namespace quillmoor {

class RandomSource;

class MazeGenerator {
 public:
  static constexpr int FrontierCapacity = 32768;  // one entry per wall slot at most

  MazeGenerator(MazeGrid& grid, RandomSource& random);

  // Empties the frontier, opens the start cell and makes it the carve cell.
  void Reset();
  // Opens at least one more room, or does nothing (and draws nothing) once complete.
  void CarveStep();
  // Carves until complete.
  void CarveAll();

  bool mazeComplete() const { return mazeComplete_; }
  CellId carveCell() const { return carveCell_; }
  std::span<const CellId> FrontierWalls() const;

 private:
  struct Candidate {
    CellId wall;
    CellId farRoom;
  };

  // CarveStep's work while generating.
  void CarveOnce();
  int GatherCarveCandidates(std::array<Candidate, 4>& candidates);
  bool IsListed(CellId wall) const;
  void PushFrontierWall(CellId wall);
  void RemoveFrontierWall(CellId wall);
  void ReopenFromFrontier();
  int RandomIndexWide(int n);

  MazeGrid& grid_;
  RandomSource& random_;
  std::array<CellId, FrontierCapacity> frontierWalls_{};
  int frontierCount_ = 0;
  // Where each listed wall sits in frontierWalls_; entries of unlisted cells are stale, so a
  // lookup is trusted only when the list holds the wall at that position.
  std::array<std::uint16_t, CellCount> frontierPosition_{};
  CellId carveCell_ = StartCell;
  bool mazeComplete_ = false;
};

}  // namespace quillmoor
