// SPDX-License-Identifier: MIT
// Turns Qt key events into the game's virtual-key codes at the edge of the shell.
#pragma once

#include <QKeyCombination>
#include <cstdint>

#include "game/desktop_keys.h"

class QKeyEvent;

namespace quillmoor {

// The virtual-key code of a key press: Esc 27, Space 32, arrows 37-40 (keypad arrows too),
// the main row's digits 1-9 as 49-57 whatever Shift, Ctrl or the layout make of them, letters
// A-Z as 65-90 in either case, and the desktop's and the accelerators' keys (Pause, F1, F6, F11,
// Backspace, Insert and Delete, the keypad's too). Keypad digits and every other key give 0.
std::uint32_t KeyCodeFromEvent(const QKeyEvent& event);

// The key press as the session takes it: the code above, Shift, Ctrl, Alt and auto-repeat.
KeyPress KeyPressFromEvent(const QKeyEvent& event);

// The Qt keys of a keystroke, for a shortcut that takes it before the view.
QKeyCombination QtKeystroke(const Keystroke& keystroke);

}  // namespace quillmoor
