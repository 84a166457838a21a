// SPDX-License-Identifier: MIT
// Benchmark: the real frame, view and message loop of the Windows program at tick periods of 1,
// 5 and 20 ms, with the ticks per second each gives and the process's CPU share. A helper thread
// only posts marks; a message hook reads the counts on the window thread, between messages.
//
//   windows_tick_rate [seconds per period]     prints one line per period
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "win32/quillmoor_app.h"

namespace {

using quillmoor::win32::CMainFrame;

constexpr UINT WM_MARK = WM_APP + 100;
constexpr int Periods[] = {1, 5, 20};
constexpr int WarmUpMilliseconds = 2000;  // past the 39 ticks of the title

struct Mark {
  double seconds;
  double cpuSeconds;
  long long ticks;
};

CMainFrame* g_frame = nullptr;
Mark g_last{};
int g_period = 0;
double g_frequency = 1;

double Now() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / g_frequency;
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto total = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) /
           1e7;
  };
  return total(kernel) + total(user);
}

Mark Take() {
  return Mark{Now(), ProcessCpuSeconds(), g_frame->view().session().state().m_tickCount};
}

// On the window thread: the mark ends one period's measurement and starts the next period.
LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_MARK && g_frame) {
    const Mark now = Take();
    if (g_period != 0) {
      const double wall = now.seconds - g_last.seconds;
      const bool waitable = g_frame->view().tickTimer().UsesWaitableTimer();
      std::printf("period %2d ms: %7.1f ticks/s (ideal %6.1f), CPU %5.1f %% of one core, %s\n",
                  g_period, static_cast<double>(now.ticks - g_last.ticks) / wall, 1000.0 / g_period,
                  100.0 * (now.cpuSeconds - g_last.cpuSeconds) / wall,
                  waitable ? "waitable timer" : "SetTimer");
      std::fflush(stdout);
    }
    g_period = static_cast<int>(message->wParam);
    if (g_period != 0) {
      g_frame->view().session().SetTickPeriod(g_period);
    }
    g_last = Take();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int seconds = __argc > 1 ? std::atoi(__argv[1]) : 5;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  g_frequency = static_cast<double>(frequency.QuadPart);

  quillmoor::win32::CQuillmoorApp app;
  if (!app.InitInstance()) {
    return 1;
  }
  g_frame = app.mainFrame();
  const HWND frameWindow = g_frame->GetSafeHwnd();
  SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());

  const DWORD windowThread = GetCurrentThreadId();
  std::thread marks([windowThread, frameWindow, seconds] {
    Sleep(WarmUpMilliseconds);
    for (const int period : Periods) {
      PostThreadMessageW(windowThread, WM_MARK, static_cast<WPARAM>(period), 0);
      Sleep(static_cast<DWORD>(seconds) * 1000);
    }
    PostThreadMessageW(windowThread, WM_MARK, 0, 0);
    Sleep(200);
    PostMessageW(frameWindow, WM_CLOSE, 0, 0);
  });
  const int status = app.Run();
  marks.join();
  return status;
}
