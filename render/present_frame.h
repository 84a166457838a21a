// SPDX-License-Identifier: MIT
// Shows the frame buffer one to one, in device pixels, at the top-left of a widget.
#pragma once

#include <QImage>
#include <QPainter>

#include "render/frame_buffer.h"

namespace quillmoor {

// Copies buffer into image (kept by the caller, reallocated only when the size changes) with
// every pixel made opaque, and draws it unscaled at (0, 0), one buffer pixel per device pixel. Does
// nothing without a buffer or when the image cannot be allocated.
void PresentFrame(QPainter& painter, const FrameBuffer& buffer, QImage& image);

}  // namespace quillmoor
