// SPDX-License-Identifier: MIT
// The real game window as a tick loop, running or paused: the frame and its view, driven through
// the view's own timer period, pause and zoom.
#pragma once

#include <cstdint>

#include "app/main_frame.h"
#include "benchmarks/window/modal_answerer.h"
#include "benchmarks/window/tick_loop.h"

namespace quillmoor::bench {

class GameViewLoop : public TickLoop {
 public:
  // Keeps the chosen period across stage ends, which bring back the default period, by
  // setting it again once each dialog the answerer closed is gone. Stopped, the game is paused.
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

// The game window shown and paused, as a player leaves it: what it costs to sit there. Its
// ticks stand still by design.
class PausedGameLoop : public TickLoop {
 public:
  explicit PausedGameLoop(GameViewLoop& game) : m_game(game) {}

  void Start(QSize size, int periodMs) override;
  void Stop() override { m_game.Stop(); }
  std::int64_t Ticks() const override { return m_game.Ticks(); }
  QSize ShownSize() const override { return m_game.ShownSize(); }

 private:
  GameViewLoop& m_game;
};

}  // namespace quillmoor::bench
