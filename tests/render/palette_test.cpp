// SPDX-License-Identifier: MIT
// Tests of the colour rule: rock hides everything, an alien hides the player.
#include "render/palette.h"

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

TEST(Palette, RanksWallThenAlienThenPlayerThenGoal) {
  Palette palette{};
  palette.fill(0xDEADBEEF);
  BuildPalette(palette);
  const std::pair<int, Pixel> cases[] = {
      {0x00, 0x000000}, {0x01, 0x008000}, {0x05, 0x008000}, {0x02, 0xC0FFFF},
      {0x04, 0xFF0000}, {0x06, 0xFF0000}, {0x80, 0xFFFF00}, {0x82, 0xC0FFFF},
      {0x84, 0xFF0000}, {0x81, 0x008000}, {0xFF, 0x008000}, {0x08, 0xFFFF00},
      {0x86, 0xFF0000}, {0x87, 0x008000}, {0xFE, 0xFF0000}, {0x7A, 0xC0FFFF},
  };
  for (const auto& [flags, pixel] : cases) {
    EXPECT_EQ(palette[flags], pixel) << std::hex << flags;
  }
  for (const Pixel pixel : palette) {
    EXPECT_EQ(pixel >> 24, 0u) << "the top byte of a pixel stays zero";
  }
}

}  // namespace
}  // namespace quillmoor
