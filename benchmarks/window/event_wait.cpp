// SPDX-License-Identifier: MIT
// Lets the event loop run, for a time or until something holds, from straight-line code.
#include "benchmarks/window/event_wait.h"

#include <QEventLoop>
#include <QTimer>

namespace quillmoor::bench {

namespace {

// Often enough to end a wait promptly, rarely enough not to disturb what is waited for.
constexpr int ConditionPollMs = 5;

}  // namespace

void RunEventsFor(Milliseconds span) {
  QEventLoop loop;
  QTimer::singleShot(span, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

bool RunEventsUntil(const std::function<bool()>& done, Milliseconds timeout) {
  if (done()) {
    return true;
  }
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) {
      loop.quit();
    }
  });
  poll.start(ConditionPollMs);
  QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

}  // namespace quillmoor::bench
