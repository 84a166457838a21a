// SPDX-License-Identifier: MIT
// The two yardsticks beside the game: a timer loop that does nothing per tick, and one that
// repaints a full-window image on every tick.
#include "benchmarks/window/timer_loops.h"

#include <QPainter>
#include <QResizeEvent>

namespace quillmoor::bench {

namespace {

// Opaque, as the game's own pixels are.
constexpr QRgb FrameColour = 0xff3a5f3a;

}  // namespace

TimerLoopWidget::TimerLoopWidget()
    : m_timer([this] {
        ++m_ticks;
        OnTick();
      }) {}

void TimerLoopWidget::Start(QSize size, int periodMs) {
  resize(size);
  show();
  m_timer.Start(periodMs);
}

void TimerLoopWidget::Stop() {
  m_timer.Stop();
  hide();
}

void StampedTimerLoop::OnTick() {
  const auto now = std::chrono::steady_clock::now();
  if (m_stamped == 0) {
    m_first = now;
  }
  m_last = now;
  ++m_stamped;
}

double StampedTimerLoop::TicksPerSecond() const {
  if (m_stamped < 2) {
    return 0;
  }
  const double seconds = std::chrono::duration<double>(m_last - m_first).count();
  return seconds > 0 ? static_cast<double>(m_stamped - 1) / seconds : 0;
}

FullFrameRepaintLoop::FullFrameRepaintLoop() {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void FullFrameRepaintLoop::OnTick() {
  repaint();
}

void FullFrameRepaintLoop::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_frame);
}

void FullFrameRepaintLoop::resizeEvent(QResizeEvent* event) {
  m_frame = QImage(event->size(), QImage::Format_RGB32);
  m_frame.fill(FrameColour);
}

}  // namespace quillmoor::bench
