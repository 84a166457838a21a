// SPDX-License-Identifier: MIT
// The game's periodic timer: a timerfd on an absolute schedule, read through the event loop.
#include "app/tick_timer.h"

#include <sys/timerfd.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>

#include <QSocketNotifier>
#include <QTimerEvent>
#include <QtGlobal>

namespace quillmoor {

namespace {

constexpr long NanosecondsPerMillisecond = 1'000'000;
constexpr long NanosecondsPerSecond = 1'000'000'000;

timespec FromMilliseconds(int milliseconds) {
  return timespec{milliseconds / 1000, (milliseconds % 1000) * NanosecondsPerMillisecond};
}

timespec Later(timespec time, timespec span) {
  time.tv_sec += span.tv_sec;
  time.tv_nsec += span.tv_nsec;
  if (time.tv_nsec >= NanosecondsPerSecond) {
    ++time.tv_sec;
    time.tv_nsec -= NanosecondsPerSecond;
  }
  return time;
}

bool QtTimerAskedFor() {
  return qEnvironmentVariable("QUILLMOOR_TIMER") == QLatin1String("qt");
}

}  // namespace

TickTimer::TickTimer(std::function<void()> onTick, QObject* parent)
    : QObject(parent), m_onTick(std::move(onTick)) {
  if (QtTimerAskedFor()) {
    return;
  }
  m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  if (m_fd < 0) {
    return;
  }
  m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
  m_notifier->setEnabled(false);
  connect(m_notifier.get(), &QSocketNotifier::activated, this, &TickTimer::OnExpired);
}

TickTimer::~TickTimer() {
  m_notifier.reset();
  if (m_fd >= 0) {
    close(m_fd);
  }
}

void TickTimer::Start(int milliseconds) {
  Stop();
  const int period = std::max(milliseconds, 1);
  m_running = true;
  if (m_fd < 0) {
    m_qtTimerId = startTimer(period, Qt::PreciseTimer);
    return;
  }
  // An absolute schedule: a late wake-up does not push the later ones back.
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const timespec interval = FromMilliseconds(period);
  const itimerspec schedule{interval, Later(now, interval)};
  timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &schedule, nullptr);
  Drain();
  // Re-enabled by the running tick itself when it ends.
  m_notifier->setEnabled(!m_ticking);
}

void TickTimer::Stop() {
  m_running = false;
  if (m_fd < 0) {
    if (m_qtTimerId != 0) {
      killTimer(m_qtTimerId);
      m_qtTimerId = 0;
    }
    return;
  }
  const itimerspec disarmed{};
  timerfd_settime(m_fd, 0, &disarmed, nullptr);
  m_notifier->setEnabled(false);
  Drain();
}

void TickTimer::Drain() {
  // readv, as the count is a fixed eight bytes into an eight-byte object: a plain read has a
  // fortified form, and a program without it counts as unhardened to the package checks.
  std::uint64_t expiries = 0;
  iovec into{&expiries, sizeof expiries};
  while (readv(m_fd, &into, 1) < 0 && errno == EINTR) {
  }
}

void TickTimer::OnExpired() {
  Drain();
  // Off while the tick runs: a dialog's event loop inside it would otherwise find the timer
  // readable on every pass.
  m_notifier->setEnabled(false);
  Tick();
  if (m_running) {
    Drain();
    m_notifier->setEnabled(true);
  }
}

void TickTimer::Tick() {
  m_ticking = true;
  m_onTick();
  m_ticking = false;
}

void TickTimer::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_qtTimerId && !m_ticking) {
    Tick();
  }
}

}  // namespace quillmoor
