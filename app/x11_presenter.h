// SPDX-License-Identifier: MIT
// Sends the squares a tick changed straight to the X server: the frame buffer lives in memory
// shared with the server, so one put clipped to exactly those squares shows them, where Qt's back
// buffer would take a copy and one request per rectangle.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/presenter.h"
#include "render/frame_buffer.h"
#include "render/view_geometry.h"

class QWidget;

namespace quillmoor {

class X11Presenter final : public QObject, public Presenter, public PixelMemory {
  Q_OBJECT

 public:
  // A presenter for the view's window; null off X11 or where the X server shares no memory.
  static std::unique_ptr<X11Presenter> Create(QWidget& view);
  ~X11Presenter() override;
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Memory shared with the X server, one array at a time; null when the server refuses it.
  Pixel* Allocate(std::size_t count) override;
  void Release(Pixel* pixels) override;

  PixelMemory* pixelMemory() override { return this; }
  // Shows the changed squares as the buffer holds them. False for a whole picture, which Qt
  // paints as fast, and where this cannot be done (a buffer outside the shared memory, a window
  // whose pixels are not four bytes, a size X cannot address).
  bool Present(const FrameBuffer& buffer, DamageTiles& damage, qreal ratio) override;
  // The puts go into Qt's own window, which Qt's painting also reaches.
  bool coversQtPainting() const override { return false; }
  // Nothing is held back: each put is sent at once.
  void ShowHeldBack() override {}
  void PictureReplaced() override {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Connection;
  X11Presenter(QWidget& view, std::unique_ptr<Connection> connection);

  bool PresentSquares(const FrameBuffer& buffer, const std::vector<CellRect>& squares, qreal ratio);
  QImage* BackBuffer() const;
  bool EnsureGraphicsContext(std::uint32_t window);
  // Qt restores an exposed window from its back buffer, which the puts pass by.
  void BringBackBufferUpToDate();

  QWidget& view_;
  std::unique_ptr<Connection> connection_;
  std::uint32_t window_ = 0;
  std::uint32_t graphicsContext_ = 0;
  std::uint8_t depth_ = 0;
  std::uint32_t segment_ = 0;
  Pixel* shared_ = nullptr;
  bool sharingRefused_ = false;
  QPointer<QWindow> watchedWindow_;
  // What the last put showed, once Qt's back buffer no longer holds it.
  int staleWidth_ = 0;
  int staleHeight_ = 0;
};

}  // namespace quillmoor
