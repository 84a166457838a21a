// SPDX-License-Identifier: MIT
// The one top-level window: the game view fills it, takes its focus and its keys; the title
// tells a paused game, F11 makes it full screen, Ctrl+Q closes it.
#pragma once

#include <QMainWindow>

#include "app/child_view.h"

namespace quillmoor {

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Title, icon, the view as the only content, the swallowed keystrokes, the view's desktop
  // keys, a default size that shows the whole title screen where the screen allows.
  CMainFrame();
  ~CMainFrame() override;
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  CChildView& view() { return m_wndView; }

  // Full screen on, or back to the state before it (normal or maximised).
  void ToggleFullScreen();

 private:
  void OnPausedChanged(bool paused);

  // The keystrokes the frame takes before the view: each becomes a command nobody handles.
  void InstallSwallowedKeys();

  CChildView m_wndView;
};

}  // namespace quillmoor
