// SPDX-License-Identifier: MIT
// A way of showing the view's picture that passes Qt's painting by: one per display server.
#pragma once

#include <memory>

#include <QtGlobal>

#include "render/damage_tiles.h"
#include "render/frame_buffer.h"

class QWidget;

namespace quillmoor {

class Presenter {
 public:
  virtual ~Presenter() = default;

  // Memory for the frame buffer that the display server reads directly; null: the heap.
  virtual PixelMemory* pixelMemory() = 0;
  // Shows what damage covers of buffer, whose device pixels are the view's at this device pixel
  // ratio. False when this cannot be done here: paint it through Qt then.
  virtual bool Present(const FrameBuffer& buffer, DamageTiles& damage, qreal ratio) = 0;
  // Whether the picture lies over what Qt paints in the view, so that whatever Qt paints there
  // must be presented as well to be seen.
  virtual bool coversQtPainting() const = 0;
  // Shows at once what is held back for the display's next frame: a dialog is about to open.
  virtual void ShowHeldBack() = 0;
  // The frame buffer is about to be replaced: nothing held back may be read from it any more.
  virtual void PictureReplaced() = 0;
};

// The presenter of the display server the view is on, or null where Qt's painting is the only
// way (or QUILLMOOR_PRESENT=qt asks for it).
std::unique_ptr<Presenter> CreatePresenter(QWidget& view);

}  // namespace quillmoor
