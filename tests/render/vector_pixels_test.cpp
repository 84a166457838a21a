// SPDX-License-Identifier: MIT
// The four-pixel and sixteen-byte values, in whichever form this build has: lanes are in memory
// order, memory need not be aligned, and one differing bit anywhere is seen.
#include "render/vector_pixels.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace quillmoor {
namespace {

TEST(PixelQuad, LanesKeepMemoryOrderAtAnyAlignment) {
  std::array<Pixel, 16> source{};
  for (std::size_t k = 0; k < source.size(); ++k) {
    source[k] = 0x01010101u * Pixel(k + 1);
  }
  for (std::size_t offset = 0; offset < 4; ++offset) {
    const Pixel* lanes = source.data() + offset;
    std::array<Pixel, 4 * QuadSize + 2> dest{};
    Pixel* at = dest.data() + 1;
    const PixelQuad quad = LoadQuad(lanes);
    StoreQuad(at, ShuffleQuad<0, 1, 2, 3>(quad));
    StoreQuad(at + 4, ShuffleQuad<3, 2, 1, 0>(quad));
    StoreQuad(at + 8, ShuffleQuad<2, 3, 3, 3>(quad));
    StoreQuad(at + 12, SplatQuad(0xABCDEF01u));
    const std::array<Pixel, 4 * QuadSize + 2> expected = {
        0,        lanes[0],    lanes[1],    lanes[2],    lanes[3],    lanes[3],
        lanes[2], lanes[1],    lanes[0],    lanes[2],    lanes[3],    lanes[3],
        lanes[3], 0xABCDEF01u, 0xABCDEF01u, 0xABCDEF01u, 0xABCDEF01u, 0};
    EXPECT_EQ(dest, expected) << "offset " << offset;
  }
}

// How the picture updater finds changed cells: the differences of a block's loads or-ed together.
TEST(ByteLanes, OneDifferingBitAnywhereIsSeen) {
  std::array<std::uint8_t, 3 * 16 + 1> shown{};
  for (std::size_t k = 0; k < shown.size(); ++k) {
    shown[k] = std::uint8_t(k * 37 + 5);
  }
  const auto differs = [&](const std::array<std::uint8_t, 3 * 16 + 1>& now) {
    ByteLanes difference{};
    for (std::size_t offset = 1; offset < now.size(); offset += 16) {
      difference |= LoadLanes(now.data() + offset) ^ LoadLanes(shown.data() + offset);
    }
    return AnyBitSet(difference);
  };
  EXPECT_FALSE(differs(shown));
  for (std::size_t at = 1; at < shown.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      auto now = shown;
      now[at] ^= std::uint8_t(1u << bit);
      ASSERT_TRUE(differs(now)) << "byte " << at << ", bit " << bit;
    }
  }
  auto outside = shown;
  outside[0] ^= 0xFF;
  EXPECT_FALSE(differs(outside));
}

}  // namespace
}  // namespace quillmoor
