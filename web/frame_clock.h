// SPDX-License-Identifier: MIT
// The game timer of a page: animation frames turned into expiries at the timer's period.
#pragma once

namespace quillmoor {

// A page has no periodic timer worth the name (setTimeout is clamped to 4 ms and throttled in
// hidden tabs), but it gets a frame about every 16 ms while it is shown. Each frame takes as
// many expiries as the time since the last one holds periods, so a 1 ms timer expires about
// 16 times a frame and a 900 ms one once in 54 frames.
class FrameClock {
 public:
  // The longest time one frame accounts for. A hidden tab gets no frames, and when it is shown
  // again the game goes on from where it froze instead of catching up in a burst.
  static constexpr double MaxFrameGap = 50.0;  // milliseconds

  // Starts the timer afresh at this period (at least 1 ms): its first expiry is one period on.
  void Start(int milliseconds);
  void Stop();
  bool running() const { return m_running; }
  int period() const { return m_period; }

  // A frame at this time (milliseconds, as requestAnimationFrame gives it): the time since the
  // last frame, at most MaxFrameGap, becomes due. The first frame makes nothing due.
  void BeginFrame(double now);
  // Takes one expiry that is due, if the timer runs; false when none is left in this frame.
  bool TakeExpiry();
  // The frames stop for a while (the page was hidden): the next frame starts the count anew.
  void ForgetLastFrame() { m_haveLastFrame = false; }

 private:
  bool m_running = false;
  int m_period = 1;
  double m_due = 0.0;  // milliseconds of timer time not yet taken as expiries
  double m_lastFrame = 0.0;
  bool m_haveLastFrame = false;
};

}  // namespace quillmoor
