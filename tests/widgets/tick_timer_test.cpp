// SPDX-License-Identifier: MIT
// The game's timer: one tick per wake-up, none inside a running tick, none after a stop, and no
// burst to catch up after a tick that overran.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <thread>

#include "app/tick_timer.h"

namespace quillmoor {
namespace {

constexpr int PeriodMs = 1;
constexpr int OverrunMs = 4;
constexpr int RunMs = 200;
constexpr int NestedLoopMs = 30;

TEST(TickTimer, TicksAtThePeriodUntilStopped) {
  int ticks = 0;
  TickTimer timer([&] { ++ticks; });
  EXPECT_FALSE(timer.usesQtTimer()) << "no timerfd here";
  timer.Start(PeriodMs);
  EXPECT_TRUE(timer.running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 20; }));
  timer.Stop();
  EXPECT_FALSE(timer.running());
  const int stopped = ticks;
  QTest::qWait(20);
  EXPECT_EQ(ticks, stopped);
}

// Every tick takes longer than the period: the expiries it missed are dropped, so ticks come at
// most once per overrun rather than in a burst of the ones missed.
TEST(TickTimer, DropsTheExpiriesMissedWhileATickOverran) {
  int ticks = 0;
  TickTimer timer([&] {
    ++ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(OverrunMs));
  });
  const auto start = std::chrono::steady_clock::now();
  timer.Start(PeriodMs);
  QTest::qWait(RunMs);
  timer.Stop();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  EXPECT_GT(ticks, 0);
  EXPECT_LE(ticks, elapsed.count() / OverrunMs + 1);
}

// A dialog's event loop inside a tick gets no tick of its own; a period set or a stop asked for
// inside the tick holds once it returns.
TEST(TickTimer, NoTickInsideATickAndChangesMadeInItHold) {
  int ticks = 0;
  int nested = 0;
  bool inTick = false;
  TickTimer* self = nullptr;
  TickTimer timer([&] {
    nested += inTick ? 1 : 0;
    inTick = true;
    if (++ticks == 3) {
      QEventLoop dialog;
      QTimer::singleShot(NestedLoopMs, &dialog, &QEventLoop::quit);
      dialog.exec();
      self->Start(PeriodMs);
    } else if (ticks == 6) {
      self->Stop();
    }
    inTick = false;
  });
  self = &timer;
  timer.Start(PeriodMs);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 6; }));
  QTest::qWait(20);
  EXPECT_EQ(nested, 0);
  EXPECT_EQ(ticks, 6);
  EXPECT_FALSE(timer.running());
}

}  // namespace
}  // namespace quillmoor
