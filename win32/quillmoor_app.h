// SPDX-License-Identifier: MIT
// The application: start-up, and the message loop that translates the frame's accelerators
// first and waits on the tick timer beside the messages.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/main_frame.h"

namespace quillmoor::win32 {

class CQuillmoorApp {
 public:
  CQuillmoorApp() = default;
  CQuillmoorApp(const CQuillmoorApp&) = delete;
  CQuillmoorApp& operator=(const CQuillmoorApp&) = delete;

  // Creates, shows and paints the frame; false when it cannot be made.
  bool InitInstance();
  // The message loop, until the frame is destroyed; the process's exit status.
  int Run();

  // Null before start-up and once the loop has ended.
  CMainFrame* mainFrame() const { return m_pMainWnd.get(); }

 private:
  HANDLE TickWaitHandle() const;
  void Tick();

  std::unique_ptr<CMainFrame> m_pMainWnd;
  HACCEL m_accelerators = nullptr;
};

}  // namespace quillmoor::win32
