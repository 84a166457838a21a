// SPDX-License-Identifier: MIT
// Start-up and the message loop.
#include "win32/quillmoor_app.h"

#include <new>

#include "win32/resource_ids.h"

namespace quillmoor::win32 {

bool CQuillmoorApp::InitInstance() {
  m_pMainWnd.reset(new (std::nothrow) CMainFrame);
  if (!m_pMainWnd) {
    return false;
  }
  if (!m_pMainWnd->LoadFrame()) {
    return false;
  }
  m_accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IdMainFrame));
  // SW_SHOW whatever the process was started with, and painted before the loop starts.
  ShowWindow(m_pMainWnd->GetSafeHwnd(), SW_SHOW);
  UpdateWindow(m_pMainWnd->GetSafeHwnd());
  return true;
}

HANDLE CQuillmoorApp::TickWaitHandle() const {
  return m_pMainWnd ? m_pMainWnd->view().tickTimer().WaitHandle() : nullptr;
}

void CQuillmoorApp::Tick() {
  if (m_pMainWnd && m_pMainWnd->view().GetSafeHwnd() != nullptr) {
    m_pMainWnd->view().OnTimer();
  }
}

int CQuillmoorApp::Run() {
  MSG message;
  for (;;) {
    HANDLE timer = TickWaitHandle();
    const DWORD count = timer != nullptr ? 1 : 0;
    // The timer outranks the messages (a lower index wins), so ticks keep their period under a
    // stream of input; MWMO_INPUTAVAILABLE also wakes for messages already looked at.
    const DWORD woke =
        MsgWaitForMultipleObjectsEx(count, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (count == 1 && woke == WAIT_OBJECT_0) {
      Tick();
      continue;
    }
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        return static_cast<int>(message.wParam);
      }
      const HWND frame = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
      // The frame's ten accelerator keystrokes become commands before the view sees them.
      if (frame == nullptr || !TranslateAcceleratorW(frame, m_accelerators, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (HANDLE now = TickWaitHandle();
          now != nullptr && WaitForSingleObject(now, 0) == WAIT_OBJECT_0) {
        Tick();
      }
    }
  }
}

}  // namespace quillmoor::win32
