// SPDX-License-Identifier: MIT
// The Windows program: start the application and run its message loop.
#include <windows.h>

#include "win32/quillmoor_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  quillmoor::win32::CQuillmoorApp app;
  if (!app.InitInstance()) {
    return 1;
  }
  return app.Run();
}
