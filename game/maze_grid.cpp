// SPDX-License-Identifier: MIT
// Random rooms and indices drawn for the maze, and the reset to solid rock.
#include "game/maze_grid.h"

#include <cstdint>

#include "game/maze_generator.h"
#include "random/random_source.h"

namespace quillmoor {

namespace {

constexpr std::uint16_t EvenCellMask = 0xFEFE;        // clears bit 0 of row and column
constexpr std::uint32_t ByteToAllBytes = 0x01010101;  // b -> bbbb, a fraction of 2^32

}  // namespace

CellId RandomEvenCell(RandomSource& random) {
  // NextWord puts the first byte drawn in the low byte, which is the column of a CellId.
  return static_cast<CellId>(random.NextWord() & EvenCellMask);
}

int RandomIndex(RandomSource& random, int n) {
  if (n < 1) {
    return 0;  // nothing to choose from; no caller asks, and drawing would shift the stream
  }
  const std::uint32_t fraction = random.NextByte() * ByteToAllBytes;
  return static_cast<int>((static_cast<std::uint64_t>(fraction) * static_cast<std::uint32_t>(n)) >>
                          32);
}

void ResetMaze(MazeGrid& grid, MazeGenerator& generator, RandomSource& random) {
  grid.Fill(CellWall);
  generator.Reset();
  random.Reseed();
}

}  // namespace quillmoor
