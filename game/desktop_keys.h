// SPDX-License-Identifier: MIT
// Key presses as every front end reports them, and what the desktop makes of them before the
// game sees a key: the frame's swallowed keystrokes and the desktop's own commands.
#pragma once

#include <cstdint>
#include <span>

namespace quillmoor {

// A key press: its virtual-key code and the modifiers held with it.
struct KeyPress {
  std::uint32_t code = 0;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool autoRepeat = false;  // the key was held down, not pressed afresh
};

// The framework's commands the accelerator table names; nothing handles them.
inline constexpr int CommandEditCopy = 57634;
inline constexpr int CommandEditCut = 57635;
inline constexpr int CommandEditPaste = 57637;
inline constexpr int CommandEditUndo = 57643;
inline constexpr int CommandNextPane = 57680;
inline constexpr int CommandPrevPane = 57681;

// One keystroke of the frame's accelerator table: the key with exactly these modifiers, and the
// command a resource script's table gives it.
struct Keystroke {
  std::uint32_t code;
  bool shift;
  bool ctrl;
  bool alt;
  int command;
};

// Copy, paste, undo, cut and pane switching: commands nothing handles, whose keystrokes must
// never reach the game.
std::span<const Keystroke> AcceleratorKeystrokes();
bool IsAcceleratorKeystroke(const KeyPress& key);

enum class DesktopCommand {
  None,
  TogglePause,       // P (with or without Shift or Ctrl) and the Pause key
  ShowKeys,          // F1
  ToggleFullScreen,  // F11
  Quit,              // Ctrl+Q
};

// The desktop command a key press asks for; None for every key the game or nobody handles, so
// that those go on to the game. Alt combinations belong to the window manager, and F1, F11 and
// Ctrl+Q count only with exactly the modifiers named.
DesktopCommand DesktopCommandOf(const KeyPress& key);

}  // namespace quillmoor
