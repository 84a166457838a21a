// SPDX-License-Identifier: MIT
// The off-screen pixel array the maze is drawn into, sized to the view's client area.
#pragma once

#include <cstdint>
#include <memory>

#include "render/palette.h"

namespace quillmoor {

struct FrameBuffer {
  std::unique_ptr<Pixel[]> pixels;  // row-major, stride = width; null when there is no area
  int width = 0;
  int height = 0;

  explicit operator bool() const { return pixels != nullptr; }
};

// Replaces the buffer for a new client size: a black width x height array, or none when either
// side is below 1 or the allocation fails. Returns false only on an allocation failure.
bool ResizeFrameBuffer(FrameBuffer& buffer, int width, int height);

}  // namespace quillmoor
