// SPDX-License-Identifier: MIT
// Tests of the colour rule: rock hides everything, an alien hides the player.
#include "render/palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

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

// Whatever the machine's byte order, each entry's bytes in memory read red, green, blue, opaque.
TEST(Palette, RgbaBytesInMemoryOrder) {
  Palette palette{};
  BuildPalette(palette);
  const Palette rgba = RgbaBytePalette(palette);
  for (std::size_t flags = 0; flags < palette.size(); ++flags) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &rgba[flags], sizeof(bytes));
    const Pixel pixel = palette[flags];
    EXPECT_EQ(bytes[0], (pixel >> 16) & 0xFF) << flags;
    EXPECT_EQ(bytes[1], (pixel >> 8) & 0xFF) << flags;
    EXPECT_EQ(bytes[2], pixel & 0xFF) << flags;
    EXPECT_EQ(bytes[3], 0xFF) << flags;
  }
}

}  // namespace
}  // namespace quillmoor
