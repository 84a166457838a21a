// SPDX-License-Identifier: MIT
// Shows the frame buffer one to one, in device pixels, at the top-left of a widget.
#include "render/present_frame.h"

#include <cmath>
#include <cstddef>

#include <QPaintDevice>
#include <QTransform>

namespace quillmoor {

namespace {

constexpr qsizetype BytesPerPixel = sizeof(Pixel);

// The device pixels a logical rectangle touches.
QRect DeviceRect(const QRect& logical, qreal ratio) {
  const auto left = static_cast<int>(std::floor(logical.left() * ratio));
  const auto top = static_cast<int>(std::floor(logical.top() * ratio));
  const auto right = static_cast<int>(std::ceil((logical.left() + logical.width()) * ratio));
  const auto bottom = static_cast<int>(std::ceil((logical.top() + logical.height()) * ratio));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace

QImage FrameImage(FrameBuffer& buffer) {
  if (!buffer) {
    return QImage();
  }
  return QImage(reinterpret_cast<uchar*>(buffer.pixels.get()), buffer.width, buffer.height,
                buffer.width * BytesPerPixel, QImage::Format_RGB32);
}

void PresentFrame(QPainter& painter, const QImage& frame, const QRegion& region) {
  if (frame.isNull()) {
    return;
  }
  // The frame holds device pixels: undo the painter's scaling so that each lands on one.
  const qreal ratio = painter.device()->devicePixelRatioF();
  painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
  for (const QRect& logical : region) {
    const QRect device = DeviceRect(logical, ratio).intersected(frame.rect());
    if (!device.isEmpty()) {
      painter.drawImage(device.topLeft(), frame, device);
    }
  }
}

}  // namespace quillmoor
