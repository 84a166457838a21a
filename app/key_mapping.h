// SPDX-License-Identifier: MIT
// Turns Qt key events into the game's virtual-key codes at the edge of the shell.
#pragma once

#include <cstdint>

class QKeyEvent;

namespace quillmoor {

// The virtual-key code of a key press: Esc 27, Space 32, arrows 37-40 (keypad arrows too),
// the main row's digits 1-9 as 49-57 whatever Shift, Ctrl or the layout make of them, letters
// A-Z as 65-90 in either case. Keypad digits, anything with Alt held and every other key give 0.
std::uint32_t VirtualKeyFromEvent(const QKeyEvent& event);

}  // namespace quillmoor
