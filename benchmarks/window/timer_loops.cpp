// SPDX-License-Identifier: MIT
// The two yardsticks beside the game: a timer loop that does nothing per tick, and one that
// repaints a full-window image on every tick.
#include "benchmarks/window/timer_loops.h"

#include <QPainter>
#include <QResizeEvent>
#include <QTimerEvent>

namespace quillmoor::bench {

namespace {

// Opaque, as the game's own pixels are.
constexpr QRgb FrameColour = 0xff3a5f3a;

}  // namespace

void TimerLoopWidget::Start(QSize size, int periodMs) {
  resize(size);
  show();
  if (m_timerId != 0) {
    killTimer(m_timerId);
  }
  m_timerId = startTimer(periodMs, Qt::PreciseTimer);
}

void TimerLoopWidget::Stop() {
  if (m_timerId != 0) {
    killTimer(m_timerId);
    m_timerId = 0;
  }
  hide();
}

void TimerLoopWidget::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_timerId) {
    QWidget::timerEvent(event);
    return;
  }
  ++m_ticks;
  OnTick();
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
