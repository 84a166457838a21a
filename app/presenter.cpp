// SPDX-License-Identifier: MIT
// Picks the presenter of the display server the view is on.
#include "app/presenter.h"

#include <QtGlobal>

#include "app/wayland_presenter.h"
#include "app/x11_presenter.h"

namespace quillmoor {

std::unique_ptr<Presenter> CreatePresenter(QWidget& view) {
  // Qt's painting alone: for comparing against it, or for a display server that misbehaves.
  if (qEnvironmentVariable("QUILLMOOR_PRESENT") == QLatin1String("qt")) {
    return nullptr;
  }
  if (std::unique_ptr<Presenter> x11 = X11Presenter::Create(view)) {
    return x11;
  }
  return WaylandPresenter::Create(view);
}

}  // namespace quillmoor
