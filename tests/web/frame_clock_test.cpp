// SPDX-License-Identifier: MIT
// Tests of the game timer counted out of animation frames.
#include "web/frame_clock.h"

#include <gtest/gtest.h>

namespace quillmoor {
namespace {

int TakeAll(FrameClock& clock) {
  int expiries = 0;
  while (clock.TakeExpiry()) {
    ++expiries;
  }
  return expiries;
}

// Frames at 60 Hz for a second of page time; returns the expiries.
int RunSecond(FrameClock& clock, double& now) {
  int expiries = 0;
  for (int frame = 0; frame < 60; ++frame) {
    now += 1000.0 / 60.0;
    clock.BeginFrame(now);
    expiries += TakeAll(clock);
  }
  return expiries;
}

TEST(FrameClock, ExpiresAtThePeriodOverManyFrames) {
  for (const int period : {1, 7, 20, 90, 900}) {
    FrameClock clock;
    double now = 1000.0;
    clock.BeginFrame(now);
    clock.Start(period);
    int expiries = 0;
    for (int second = 0; second < 9; ++second) {
      expiries += RunSecond(clock, now);
    }
    EXPECT_NEAR(expiries, 9000 / period, 1) << period << " ms";
  }
}

TEST(FrameClock, OneMillisecondIsAboutSixteenAFrame) {
  FrameClock clock;
  clock.BeginFrame(0.0);
  clock.Start(1);
  clock.BeginFrame(1000.0 / 60.0);
  EXPECT_EQ(TakeAll(clock), 16);
  clock.BeginFrame(2000.0 / 60.0);
  EXPECT_EQ(TakeAll(clock), 17) << "the remainder of the last frame carries over";
}

TEST(FrameClock, FirstExpiryIsOnePeriodAfterTheStart) {
  FrameClock clock;
  clock.BeginFrame(0.0);
  clock.BeginFrame(16.0);
  clock.Start(20);
  EXPECT_FALSE(clock.TakeExpiry()) << "time before the start does not count";
  clock.BeginFrame(32.0);
  EXPECT_FALSE(clock.TakeExpiry());
  clock.BeginFrame(48.0);
  EXPECT_TRUE(clock.TakeExpiry());
  EXPECT_FALSE(clock.TakeExpiry());
}

TEST(FrameClock, StoppedOrRestartedMidFrameTakesNoMore) {
  FrameClock clock;
  clock.BeginFrame(0.0);
  clock.Start(1);
  clock.BeginFrame(16.0);
  EXPECT_TRUE(clock.TakeExpiry());
  clock.Stop();
  EXPECT_FALSE(clock.TakeExpiry());
  clock.BeginFrame(32.0);
  EXPECT_FALSE(clock.TakeExpiry()) << "a stopped timer gathers no time";
  clock.Start(5);
  clock.BeginFrame(48.0);
  EXPECT_EQ(TakeAll(clock), 3);
  clock.Start(900);
  EXPECT_FALSE(clock.TakeExpiry()) << "a restart drops what the old period had gathered";
  EXPECT_EQ(clock.period(), 900);
}

// A hidden page gets no frames; when it shows again the game goes on, not in a burst.
TEST(FrameClock, LongGapsCountAsOneShortFrame) {
  FrameClock clock;
  clock.BeginFrame(0.0);
  clock.Start(1);
  clock.BeginFrame(60'000.0);
  EXPECT_EQ(TakeAll(clock), static_cast<int>(FrameClock::MaxFrameGap));
  clock.ForgetLastFrame();
  clock.BeginFrame(90'000.0);
  EXPECT_EQ(TakeAll(clock), 0) << "the first frame after a forgotten one makes nothing due";
  clock.BeginFrame(80'000.0);
  EXPECT_EQ(TakeAll(clock), 0) << "a clock that steps back counts no time";
}

TEST(FrameClock, PeriodIsAtLeastOneMillisecond) {
  FrameClock clock;
  clock.Start(0);
  EXPECT_EQ(clock.period(), 1);
  EXPECT_TRUE(clock.running());
}

}  // namespace
}  // namespace quillmoor
