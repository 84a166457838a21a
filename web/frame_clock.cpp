// SPDX-License-Identifier: MIT
// Expiries of the game timer counted out of animation frames.
#include "web/frame_clock.h"

#include <algorithm>

namespace quillmoor {

void FrameClock::Start(int milliseconds) {
  m_running = true;
  m_period = std::max(milliseconds, 1);
  m_due = 0.0;
}

void FrameClock::Stop() {
  m_running = false;
  m_due = 0.0;
}

void FrameClock::BeginFrame(double now) {
  double gap = m_haveLastFrame ? now - m_lastFrame : 0.0;
  m_lastFrame = now;
  m_haveLastFrame = true;
  // A clock that steps back counts as no time at all.
  gap = std::clamp(gap, 0.0, MaxFrameGap);
  if (m_running) {
    m_due += gap;
  }
}

bool FrameClock::TakeExpiry() {
  if (!m_running || m_due < m_period) {
    return false;
  }
  m_due -= m_period;
  return true;
}

}  // namespace quillmoor
