// SPDX-License-Identifier: MIT
// The two yardsticks beside the game: a timer loop that does nothing per tick, and one that
// repaints a full-window image on every tick.
#pragma once

#include <chrono>
#include <cstdint>

#include <QImage>
#include <QWidget>

#include "app/tick_timer.h"
#include "benchmarks/window/tick_loop.h"

namespace quillmoor::bench {

// A shown top-level widget on the game's own timer; each tick calls OnTick.
class TimerLoopWidget : public QWidget, public TickLoop {
  Q_OBJECT

 public:
  TimerLoopWidget();
  void Start(QSize size, int periodMs) override;
  void Stop() override;
  std::int64_t Ticks() const override { return m_ticks; }
  QSize ShownSize() const override { return size(); }

 protected:
  virtual void OnTick() = 0;

 private:
  TickTimer m_timer;
  std::int64_t m_ticks = 0;
};

// The timer's own ceiling: nothing happens per tick.
class EmptyTimerLoop : public TimerLoopWidget {
 protected:
  void OnTick() override {}
};

// Nothing per tick, but the time of every tick is kept: the rate between the first and the last
// tick seen, free of where a measuring window happens to cut the ticks.
class StampedTimerLoop : public TimerLoopWidget {
 public:
  // Forgets the ticks so far.
  void Restart() { m_stamped = 0; }
  // Ticks per second between the first and the last tick since Restart; 0 with fewer than two.
  double TicksPerSecond() const;
  std::int64_t stamped() const { return m_stamped; }

 protected:
  void OnTick() override;

 private:
  std::chrono::steady_clock::time_point m_first;
  std::chrono::steady_clock::time_point m_last;
  std::int64_t m_stamped = 0;
};

// A full-window Format_RGB32 image drawn with drawImage in a synchronous repaint every tick.
class FullFrameRepaintLoop : public TimerLoopWidget {
 public:
  FullFrameRepaintLoop();

 protected:
  void OnTick() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage m_frame;
};

}  // namespace quillmoor::bench
