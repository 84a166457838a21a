// SPDX-License-Identifier: MIT
// The table of 65,536 cell flag bytes, and the random helpers and reset that act on it.
#pragma once

#include <array>
#include <cstdint>

#include "game/cell.h"

namespace quillmoor {

class RandomSource;
class MazeGenerator;

inline constexpr int CellCount = 65536;

class MazeGrid {
 public:
  std::uint8_t& operator[](CellId cell) { return cells_[cell]; }
  std::uint8_t operator[](CellId cell) const { return cells_[cell]; }
  bool IsOpen(CellId cell) const { return (cells_[cell] & CellWall) == 0; }
  const std::uint8_t* data() const { return cells_.data(); }
  void Fill(std::uint8_t value) { cells_.fill(value); }

 private:
  std::array<std::uint8_t, CellCount> cells_{};
};

// A room drawn from one random word: the first byte is the column, the second the row.
CellId RandomEvenCell(RandomSource& random);

// An index below n (1..255) from one random byte; callers ask only when n >= 2.
int RandomIndex(RandomSource& random, int n);

// All rock but the open start cell, a fresh generator, and a reseeded random source.
void ResetMaze(MazeGrid& grid, MazeGenerator& generator, RandomSource& random);

}  // namespace quillmoor
