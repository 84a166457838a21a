// SPDX-License-Identifier: MIT
// The off-screen pixel array the maze is drawn into, sized to the view's client area.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "render/palette.h"

namespace quillmoor {

// The largest buffer ever allocated: 4 GiB, more than any X11 client area (32767 x 32767)
// needs. It also keeps every pixel coordinate, plus a cell's width, inside an int.
inline constexpr std::int64_t MaxFramePixels = std::int64_t{1} << 30;

// Memory other than the heap for a frame buffer's pixels: memory the window system reads
// directly, so that what the renderer writes is shown without a copy.
class PixelMemory {
 public:
  // count pixels, or null when there is no such memory to give (the heap is used instead).
  virtual Pixel* Allocate(std::size_t count) = 0;
  virtual void Release(Pixel* pixels) = 0;

 protected:
  ~PixelMemory() = default;
};

// Gives pixels back to where they came from: the heap when memory is null.
struct PixelRelease {
  PixelMemory* memory = nullptr;
  void operator()(Pixel* pixels) const;
};

struct FrameBuffer {
  std::unique_ptr<Pixel[], PixelRelease> pixels;  // row-major, stride = width; null: no area
  int width = 0;                                  // 0 whenever pixels is null
  int height = 0;                                 // 0 whenever pixels is null

  explicit operator bool() const { return pixels != nullptr; }
};

// Replaces the buffer for a new client size: a width x height array of fill (black unless told),
// or none when either side is below 1 or the allocation fails. The array comes from memory when
// it has room, else from the heap; memory must outlive the buffer. The old array is released
// first, also when the size is unchanged. Returns false only on an allocation failure (more than
// MaxFramePixels, or no memory); never throws.
bool ResizeFrameBuffer(FrameBuffer& buffer, int width, int height, Pixel fill = PixelFloor,
                       PixelMemory* memory = nullptr);

// Sets every pixel to fill (black unless told); does nothing without a buffer.
void ClearFrameBuffer(FrameBuffer& buffer, Pixel fill = PixelFloor);

}  // namespace quillmoor
