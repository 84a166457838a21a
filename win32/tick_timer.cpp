// SPDX-License-Identifier: MIT
// The tick timer: SetTimer from its 10 ms floor up, a high-resolution waitable timer below it.
#include "win32/tick_timer.h"

#include <algorithm>

namespace quillmoor::win32 {

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif

constexpr LONGLONG HundredNanosecondsPerMillisecond = 10000;

}  // namespace

TickTimer::~TickTimer() {
  Stop();
  if (m_waitable != nullptr) {
    CloseHandle(m_waitable);
  }
}

void TickTimer::Start(HWND window, UINT_PTR id, int milliseconds) {
  Stop();
  milliseconds = std::max(milliseconds, 1);
  if (milliseconds < static_cast<int>(USER_TIMER_MINIMUM) && StartWaitable(milliseconds)) {
    return;
  }
  m_window = window;
  m_id = id;
  m_setTimer = SetTimer(window, id, static_cast<UINT>(milliseconds), nullptr) != 0;
}

bool TickTimer::StartWaitable(int milliseconds) {
  if (!m_waitableTried) {
    m_waitableTried = true;
    // Older systems refuse the flag (ERROR_INVALID_PARAMETER); a plain waitable timer there
    // would tick only at the 15.6 ms system clock, no better than SetTimer.
    m_waitable = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                        TIMER_ALL_ACCESS);
  }
  if (m_waitable == nullptr) {
    return false;
  }
  LARGE_INTEGER due;
  due.QuadPart = -HundredNanosecondsPerMillisecond * milliseconds;  // relative to now
  if (!SetWaitableTimer(m_waitable, &due, milliseconds, nullptr, nullptr, FALSE)) {
    return false;
  }
  m_waiting = true;
  return true;
}

void TickTimer::Stop() {
  if (m_setTimer) {
    KillTimer(m_window, m_id);
    m_setTimer = false;
  }
  if (m_waiting) {
    CancelWaitableTimer(m_waitable);
    m_waiting = false;
  }
}

}  // namespace quillmoor::win32
