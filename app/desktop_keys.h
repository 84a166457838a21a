// SPDX-License-Identifier: MIT
// The desktop's own keys beside the game's: pause, the keys dialog, full screen, quit.
#pragma once

class QKeyEvent;

namespace quillmoor {

enum class DesktopCommand {
  None,
  TogglePause,       // P (read as the game reads its letters) and the Pause key
  ShowKeys,          // F1
  ToggleFullScreen,  // F11
  Quit,              // Ctrl+Q
};

// The desktop command a key press asks for; None for every key the game or nobody handles, so
// that those go on exactly as before. Alt combinations belong to the window manager, and F1,
// F11 and Ctrl+Q count only with exactly the modifiers named.
DesktopCommand DesktopCommandFromEvent(const QKeyEvent& event);

}  // namespace quillmoor
