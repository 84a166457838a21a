// SPDX-License-Identifier: MIT
// The one top-level window: no menu, the game view stretched over its client area and holding
// the focus; the accelerator table is translated for it before the view sees a key.
#pragma once

#include <windows.h>

#include "win32/child_view.h"
#include "win32/window.h"

namespace quillmoor::win32 {

class CMainFrame final : public CWindow {
 public:
  CMainFrame() = default;

  // Creates the window from resource set 128 (title, icon), WS_OVERLAPPEDWINDOW, no menu, at
  // the default place and a size that shows the whole title screen where the screen allows.
  bool LoadFrame();

  CChildView& view() { return m_wndView; }
  // Borderless over the whole of the window's monitor, or back to where it was.
  void ToggleFullScreen();
  bool fullScreen() const { return m_fullScreen; }

 private:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate();
  void OnSetFocus();
  // Commands go to the view first, then the frame; nobody handles the accelerators' ones.
  bool OnCmdMsg(UINT id);

  CChildView m_wndView;
  bool m_fullScreen = false;
  WINDOWPLACEMENT m_windowedPlacement{};
};

}  // namespace quillmoor::win32
