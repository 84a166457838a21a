// SPDX-License-Identifier: MIT
// The real game window as a tick loop: the frame and its view, driven through the view's own
// timer period and zoom.
#include "benchmarks/window/game_view_loop.h"

#include "benchmarks/window/event_wait.h"
#include "game/game_state.h"

namespace quillmoor::bench {

namespace {

// The view has no way to stop its timer; an hour-long period keeps it quiet while other loops
// are measured.
constexpr int ParkedPeriodMs = 60 * 60 * 1000;
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
}

void GameViewLoop::Stop() {
  m_periodMs = Stopped;
  view().SetTickPeriod(ParkedPeriodMs);
  m_frame.hide();
}

std::int64_t GameViewLoop::Ticks() const {
  return m_frame.view().gameState().m_tickCount;
}

QSize GameViewLoop::ShownSize() const {
  return m_frame.view().size();
}

}  // namespace quillmoor::bench
