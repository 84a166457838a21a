// SPDX-License-Identifier: MIT
// The real game window as a tick loop: the frame and its view, driven through the view's own
// timer period and zoom.
#pragma once

#include <cstdint>

#include "app/main_frame.h"
#include "benchmarks/window/modal_answerer.h"
#include "benchmarks/window/tick_loop.h"

namespace quillmoor::bench {

class GameViewLoop : public TickLoop {
 public:
  // Keeps the chosen period across stage ends, which bring back the default period, by
  // setting it again once each dialog the answerer closed is gone.
  GameViewLoop(CMainFrame& frame, ModalAnswerer& answerer);

  // Runs the title phase out at the fastest period, so that every measured tick is a play
  // tick; false if it did not end in time.
  bool SkipTitle();
  // Cell side in pixels, as the digit keys 1-3 set it.
  void SetZoom(int zoom);

  void Start(QSize size, int periodMs) override;
  void Stop() override;
  std::int64_t Ticks() const override;
  QSize ShownSize() const override;

  CMainFrame& frame() { return m_frame; }
  CChildView& view() { return m_frame.view(); }

 private:
  static constexpr int Stopped = 0;

  CMainFrame& m_frame;
  int m_periodMs = Stopped;
};

}  // namespace quillmoor::bench
