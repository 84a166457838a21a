// SPDX-License-Identifier: MIT
// Shows the frame buffer one to one at the top-left of a widget.
#include "render/present_frame.h"

#include <cstddef>
#include <cstdint>

#include <QPaintDevice>
#include <QTransform>

namespace quillmoor {

namespace {

// The buffer keeps 0x00RRGGBB; Qt copies the top byte of Format_RGB32 into an alpha-carrying
// backing store, where zero would turn the window transparent under a compositor.
constexpr std::uint32_t OpaqueAlpha = 0xFF000000u;

}  // namespace

void PresentFrame(QPainter& painter, const FrameBuffer& buffer, QImage& image) {
  if (!buffer || buffer.width < 1 || buffer.height < 1) {
    return;
  }
  const QSize size(buffer.width, buffer.height);
  if (image.size() != size || image.format() != QImage::Format_RGB32) {
    image = QImage(size, QImage::Format_RGB32);
    if (image.isNull()) {
      return;
    }
  }
  const auto width = static_cast<std::size_t>(buffer.width);
  const Pixel* source = buffer.pixels.get();
  for (int y = 0; y < buffer.height; ++y) {
    auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (std::size_t x = 0; x < width; ++x) {
      target[x] = source[x] | OpaqueAlpha;
    }
    source += width;
  }
  // The buffer holds device pixels: undo the painter's scaling so that each lands on one.
  const qreal ratio = painter.device()->devicePixelRatioF();
  painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace quillmoor
