// SPDX-License-Identifier: MIT
// A device size held within what a browser's canvas can be.
#include "web/canvas_size.h"

#include <algorithm>

namespace quillmoor {

CanvasSize CapCanvasSize(int width, int height) {
  if (width < 1 || height < 1) {
    return {};
  }
  CanvasSize size{std::min(width, MaxCanvasSide), std::min(height, MaxCanvasSide), false};
  // Past the area limit the canvas keeps its width and loses rows.
  if (std::int64_t{size.width} * size.height > MaxCanvasPixels) {
    size.height = static_cast<int>(MaxCanvasPixels / size.width);
  }
  size.capped = size.width != width || size.height != height;
  return size;
}

}  // namespace quillmoor
