// SPDX-License-Identifier: MIT
// Shows the frame buffer one to one, in device pixels, at the top-left of a widget.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>

#include "render/frame_buffer.h"

namespace quillmoor {

// An image over the buffer's own pixels, without a copy; they must be opaque. Null without a
// buffer. Valid until the buffer is resized.
QImage FrameImage(FrameBuffer& buffer);

// Draws the parts of frame under region (logical pixels of the widget) unscaled at (0, 0), one
// frame pixel per device pixel. Does nothing for a null frame.
void PresentFrame(QPainter& painter, const QImage& frame, const QRegion& region);

}  // namespace quillmoor
