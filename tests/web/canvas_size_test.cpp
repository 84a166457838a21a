// SPDX-License-Identifier: MIT
// Tests of the window's device size held within what a canvas can be.
#include "web/canvas_size.h"

#include <gtest/gtest.h>

#include <climits>

namespace quillmoor {
namespace {

TEST(CanvasSize, KeptWithinTheSideAndAreaLimits) {
  const struct {
    int width, height;
    int expectedWidth, expectedHeight;
    bool capped;
  } cases[] = {
      {1, 1, 1, 1, false},
      {1920, 1080, 1920, 1080, false},
      {16384, 16384, 16384, 16384, false},
      {16385, 100, 16384, 100, true},
      {100, 40000, 100, 16384, true},
      {INT_MAX, INT_MAX, 16384, 16384, true},
      {0, 100, 0, 0, false},
      {100, -5, 0, 0, false},
  };
  for (const auto& c : cases) {
    const CanvasSize size = CapCanvasSize(c.width, c.height);
    EXPECT_EQ(size.width, c.expectedWidth) << c.width << " x " << c.height;
    EXPECT_EQ(size.height, c.expectedHeight) << c.width << " x " << c.height;
    EXPECT_EQ(size.capped, c.capped) << c.width << " x " << c.height;
    EXPECT_LE(std::int64_t{size.width} * size.height, MaxCanvasPixels);
  }
}

}  // namespace
}  // namespace quillmoor
