// SPDX-License-Identifier: MIT
// Reads the desktop's keys from Qt key events, letters as the game's key mapping reads them.
#include "app/desktop_keys.h"

#include <QKeyEvent>
#include <cstdint>

#include "app/key_mapping.h"

namespace quillmoor {

namespace {

// The game's codes for the letters P and Q, as VirtualKeyFromEvent reads them.
constexpr std::uint32_t VirtualKeyP = 80;
constexpr std::uint32_t VirtualKeyQ = 81;

// Compared exactly for F1, F11 and Ctrl+Q; Meta and the keypad flag do not change them.
constexpr Qt::KeyboardModifiers ComparedModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

}  // namespace

DesktopCommand DesktopCommandFromEvent(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ComparedModifiers;
  if (modifiers.testFlag(Qt::AltModifier)) {
    return DesktopCommand::None;
  }
  // Ctrl+P still pauses, as Ctrl with any other letter is that letter to the game.
  const std::uint32_t letter = VirtualKeyFromEvent(event);
  if (modifiers == Qt::ControlModifier && letter == VirtualKeyQ) {
    return DesktopCommand::Quit;
  }
  if (letter == VirtualKeyP || event.key() == Qt::Key_Pause) {
    return DesktopCommand::TogglePause;
  }
  if (modifiers == Qt::NoModifier) {
    if (event.key() == Qt::Key_F1) {
      return DesktopCommand::ShowKeys;
    }
    if (event.key() == Qt::Key_F11) {
      return DesktopCommand::ToggleFullScreen;
    }
  }
  return DesktopCommand::None;
}

}  // namespace quillmoor
