// SPDX-License-Identifier: MIT
// The off-screen pixel array the maze is drawn into, sized to the view's client area.
#pragma once

#include <cstdint>
#include <memory>

#include "render/palette.h"

namespace quillmoor {

// The largest buffer ever allocated: 4 GiB, more than any X11 client area (32767 x 32767)
// needs. It also keeps every pixel coordinate, plus a cell's width, inside an int.
inline constexpr std::int64_t MaxFramePixels = std::int64_t{1} << 30;

struct FrameBuffer {
  std::unique_ptr<Pixel[]> pixels;  // row-major, stride = width; null when there is no area
  int width = 0;                    // 0 whenever pixels is null
  int height = 0;                   // 0 whenever pixels is null

  explicit operator bool() const { return pixels != nullptr; }
};

// Replaces the buffer for a new client size: a width x height array of fill (black unless told),
// or none when either side is below 1 or the allocation fails. The old array is released first,
// also when the size is unchanged. Returns false only on an allocation failure (more than
// MaxFramePixels, or no memory); never throws.
bool ResizeFrameBuffer(FrameBuffer& buffer, int width, int height, Pixel fill = PixelFloor);

// Sets every pixel to fill (black unless told); does nothing without a buffer.
void ClearFrameBuffer(FrameBuffer& buffer, Pixel fill = PixelFloor);

}  // namespace quillmoor
