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
