// SPDX-License-Identifier: MIT
// The real game window as a tick loop, running or paused: the frame and its view, driven through
// the view's own timer period, pause and zoom.
#include "benchmarks/window/game_view_loop.h"

#include "benchmarks/window/event_wait.h"
#include "game/game_state.h"

namespace quillmoor::bench {

namespace {

constexpr int FastestPeriodMs = 1;
constexpr Milliseconds TitleTimeout{30000};

}  // namespace

GameViewLoop::GameViewLoop(CMainFrame& frame, ModalAnswerer& answerer) : m_frame(frame) {
  answerer.SetAfterClosed([this] {
    if (m_periodMs != Stopped) {
      view().SetTickPeriod(m_periodMs);
    }
  });
}

bool GameViewLoop::SkipTitle() {
  m_periodMs = FastestPeriodMs;
  view().SetTickPeriod(m_periodMs);
  const bool ended = RunEventsUntil([this] { return Ticks() >= TitleTicks; }, TitleTimeout);
  Stop();
  return ended;
}

void GameViewLoop::SetZoom(int zoom) {
  view().gameState().m_viewMode = zoom;
}

void GameViewLoop::Start(QSize size, int periodMs) {
  m_frame.resize(size);
  m_frame.show();
  m_periodMs = periodMs;
  view().SetTickPeriod(periodMs);
  if (view().paused()) {
    view().TogglePause();
  }
}

void GameViewLoop::Stop() {
  // Paused, no timer of the game runs while other loops are measured.
  m_periodMs = Stopped;
  if (!view().paused()) {
    view().TogglePause();
  }
  m_frame.hide();
}

void PausedGameLoop::Start(QSize size, int periodMs) {
  m_game.Start(size, periodMs);
  m_game.view().TogglePause();
}

std::int64_t GameViewLoop::Ticks() const {
  return m_frame.view().gameState().m_tickCount;
}

QSize GameViewLoop::ShownSize() const {
  return m_frame.view().size();
}

}  // namespace quillmoor::bench
