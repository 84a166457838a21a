// SPDX-License-Identifier: MIT
// The game's periodic timer: a timerfd on an absolute schedule, read through the event loop, so
// that a 1 ms period gives 1,000 ticks a second (Qt's precise timer rounds each wait up and
// gives about 910). Expiries missed while a tick overran are dropped, one tick per wake-up, as
// timer messages are.
#pragma once

#include <functional>
#include <memory>

#include <QObject>

class QSocketNotifier;

namespace quillmoor {

class TickTimer final : public QObject {
 public:
  // onTick runs once per expiry that finds no tick of this timer running.
  explicit TickTimer(std::function<void()> onTick, QObject* parent = nullptr);
  ~TickTimer() override;
  TickTimer(const TickTimer&) = delete;
  TickTimer& operator=(const TickTimer&) = delete;

  // Ticks every milliseconds (at least 1) from now on, replacing any earlier period.
  void Start(int milliseconds);
  void Stop();
  bool running() const { return m_running; }
  // Whether Qt's timer stands in: no timerfd here, or QUILLMOOR_TIMER=qt asked for it.
  bool usesQtTimer() const { return m_fd < 0; }

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  void OnExpired();
  // Reads away the expiries so far, so that the next wake-up is the next one on the schedule.
  void Drain();
  void Tick();

  std::function<void()> m_onTick;
  int m_fd = -1;
  std::unique_ptr<QSocketNotifier> m_notifier;
  int m_qtTimerId = 0;
  bool m_running = false;
  bool m_ticking = false;
};

}  // namespace quillmoor
