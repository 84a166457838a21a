// SPDX-License-Identifier: MIT
// Allocation of the frame buffer on every resize of the view.
#include "render/frame_buffer.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>

namespace quillmoor {

void PixelRelease::operator()(Pixel* pixels) const {
  if (memory != nullptr) {
    memory->Release(pixels);
  } else {
    delete[] pixels;
  }
}

bool ResizeFrameBuffer(FrameBuffer& buffer, int width, int height, Pixel fill,
                       PixelMemory* memory) {
  // Released before allocating, so the old and the new array are never held at once.
  buffer.pixels.reset();
  buffer.width = 0;
  buffer.height = 0;
  if (width < 1 || height < 1) {
    return true;
  }

  // Formed in 64 bits: a 32-bit product wraps for large sizes and would give a short array.
  const std::int64_t count = std::int64_t{width} * std::int64_t{height};
  if (count > MaxFramePixels ||
      static_cast<std::uint64_t>(count) > std::numeric_limits<std::size_t>::max() / sizeof(Pixel)) {
    return false;
  }

  // Filled: the renderers leave a strip at the right and bottom edges unwritten, and it must show
  // black rather than stale memory.
  const auto size = static_cast<std::size_t>(count);
  Pixel* pixels = memory != nullptr ? memory->Allocate(size) : nullptr;
  PixelRelease release{pixels != nullptr ? memory : nullptr};
  if (pixels == nullptr) {
    pixels = new (std::nothrow) Pixel[size];
  }
  if (pixels == nullptr) {
    return false;
  }
  std::fill_n(pixels, size, fill);
  buffer.pixels = std::unique_ptr<Pixel[], PixelRelease>(pixels, release);
  buffer.width = width;
  buffer.height = height;
  return true;
}

void ClearFrameBuffer(FrameBuffer& buffer, Pixel fill) {
  if (buffer) {
    std::fill_n(buffer.pixels.get(),
                static_cast<std::size_t>(buffer.width) * static_cast<std::size_t>(buffer.height),
                fill);
  }
}

}  // namespace quillmoor
