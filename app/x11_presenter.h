// SPDX-License-Identifier: MIT
// Sends the squares a tick changed straight to the X server: one shared-memory image, a clip of
// exactly those squares and one put, where Qt's back buffer would make one request per rectangle.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/frame_buffer.h"
#include "render/view_geometry.h"

class QWidget;

namespace quillmoor {

class X11Presenter {
 public:
  // A presenter for the view's window; null off X11 or where the X server shares no memory.
  static std::unique_ptr<X11Presenter> Create(QWidget& view);
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  // Shows the squares (device pixels of the view) as the buffer holds them, and writes them into
  // Qt's back buffer too, which the window is restored from when it is exposed. False when this
  // cannot be done here (no back buffer image, a size X cannot address): paint through Qt then.
  bool Present(const FrameBuffer& buffer, const std::vector<CellRect>& squares);

 private:
  struct Connection;
  explicit X11Presenter(QWidget& view, std::unique_ptr<Connection> connection);

  bool EnsureImage(int width, int height);
  bool EnsureGraphicsContext(std::uint32_t window);
  void ReleaseImage();
  // Before the shared image is detached: the server may still be reading it.
  void WaitForLastPut();

  QWidget& view_;
  std::unique_ptr<Connection> connection_;
  std::uint32_t window_ = 0;
  std::uint32_t graphicsContext_ = 0;
  std::uint8_t depth_ = 0;
  std::uint32_t segment_ = 0;
  Pixel* shared_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool putPending_ = false;
  bool sharingRefused_ = false;
};

}  // namespace quillmoor
