// SPDX-License-Identifier: MIT
// The largest canvas a browser draws, and a window's device size held within it.
#pragma once

#include <cstdint>

namespace quillmoor {

// Browsers give up on a canvas beyond about 16,384 pixels a side or 268 million pixels: it
// stays blank, or the tab runs out of memory.
inline constexpr int MaxCanvasSide = 16384;
inline constexpr std::int64_t MaxCanvasPixels = std::int64_t{1} << 28;

struct CanvasSize {
  int width = 0;
  int height = 0;
  bool capped = false;  // smaller than asked for
};

// The size asked for, or the largest within both limits that keeps to it; sides below 1 give
// an empty size, which is not capped.
CanvasSize CapCanvasSize(int width, int height);

}  // namespace quillmoor
