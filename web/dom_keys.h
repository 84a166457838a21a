// SPDX-License-Identifier: MIT
// A browser's key event as the virtual-key press the game session takes.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/desktop_keys.h"

namespace quillmoor {

// A keydown as the DOM reports it: the physical key (code), the key it types on the layout
// (key), and the modifiers held with it.
struct DomKeyEvent {
  std::string_view code;
  std::string_view key;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool meta = false;
  bool repeat = false;
};

// The virtual-key code of the event's key; 0 for keys the desktop has no code for. Letters
// follow the layout, as on the desktop; digits are the main row's physical keys, whatever they
// type, and the keypad's digits stay apart from them.
std::uint32_t VirtualKeyOf(const DomKeyEvent& event);

// The key press the desktop would have seen. The browser keeps Ctrl+1...9 (tab switching), so
// Ctrl+Alt with a main-row digit stands for Ctrl with that digit.
KeyPress KeyPressOf(const DomKeyEvent& event);

// Whether a main-row digit with Ctrl+Alt stands for Ctrl with the digit.
bool IsBrowserSpeedKey(const DomKeyEvent& event);

}  // namespace quillmoor
