// SPDX-License-Identifier: MIT
// The game's tick timer on the one window thread: SetTimer's WM_TIMER from 10 ms up, and below
// that (SetTimer cannot go under USER_TIMER_MINIMUM, 10 ms) a high-resolution waitable timer
// that the message loop waits on beside the messages.
#pragma once

#include <windows.h>

namespace quillmoor::win32 {

class TickTimer {
 public:
  TickTimer() = default;
  ~TickTimer();
  TickTimer(const TickTimer&) = delete;
  TickTimer& operator=(const TickTimer&) = delete;

  // Starts ticking every period milliseconds (at least 1): WM_TIMER with this id to window, or
  // the waitable timer when the period is below SetTimer's floor and the system has one. A
  // system without high-resolution waitable timers (before Windows 10 1803) ticks at the floor.
  void Start(HWND window, UINT_PTR id, int milliseconds);
  void Stop();

  // What the message loop waits on while the waitable timer runs; null otherwise.
  HANDLE WaitHandle() const { return m_waiting ? m_waitable : nullptr; }
  // Whether the waitable timer, rather than SetTimer, ticks now.
  bool UsesWaitableTimer() const { return m_waiting; }

 private:
  bool StartWaitable(int milliseconds);

  HWND m_window = nullptr;
  UINT_PTR m_id = 0;
  bool m_setTimer = false;
  HANDLE m_waitable = nullptr;
  bool m_waitableTried = false;
  bool m_waiting = false;
};

}  // namespace quillmoor::win32
