// SPDX-License-Identifier: MIT
// Scaled screens: whole device pixels per picture pixel, and device sizes of the view.
#include "render/device_pixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>

#include "render/maze_renderer.h"

namespace quillmoor {
namespace {

TEST(DevicePixels, ScaleIsTheRoundedRatioWithinItsRange) {
  const std::pair<double, int> cases[] = {
      {1.0, 1},
      {1.25, 1},
      {1.5, 2},
      {1.75, 2},
      {2.0, 2},
      {2.5, 3},
      {3.0, 3},
      {0.5, 1},
      {0.0, 1},
      {-2.0, 1},
      {NAN, 1},
      {100.0, MaxPixelScale},
      {INFINITY, MaxPixelScale},
  };
  for (const auto& [ratio, scale] : cases) {
    EXPECT_EQ(PixelScaleForRatio(ratio), scale) << ratio;
  }
}

TEST(DevicePixels, LengthsAreRoundedAndNeverOverflow) {
  const std::tuple<int, double, int> cases[] = {
      {1216, 1.5, 1824}, {853, 1.5, 1280}, {1, 1.25, 1},  {1, 0.25, 1},
      {640, 1.0, 640},   {0, 2.0, 0},      {-3, 2.0, -3}, {INT_MAX, 2.0, INT_MAX},
      {100, NAN, 100},   {100, -1.0, 100},
  };
  for (const auto& [logical, ratio, device] : cases) {
    EXPECT_EQ(DeviceLength(logical, ratio), device) << logical << " at " << ratio;
  }
}

}  // namespace
}  // namespace quillmoor
