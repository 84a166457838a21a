// SPDX-License-Identifier: MIT
// From a screen's device pixel ratio to the whole-pixel sizes the picture is drawn at.
#include "render/device_pixels.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/maze_renderer.h"

namespace quillmoor {

int PixelScaleForRatio(double ratio) {
  if (!(ratio >= 1.0)) {
    return 1;
  }
  return static_cast<int>(std::min(std::round(ratio), double{MaxPixelScale}));
}

int DeviceLength(int logical, double ratio) {
  if (logical < 1 || !(ratio > 0.0)) {
    return logical;
  }
  const double device = std::round(static_cast<double>(logical) * ratio);
  return static_cast<int>(std::clamp(device, 1.0, double{std::numeric_limits<int>::max()}));
}

}  // namespace quillmoor
