// SPDX-License-Identifier: MIT
// The frame's ten accelerator keystrokes: edit and pane commands that nothing handles.
#include "app/accelerator_keys.h"

#include <QKeyEvent>
#include <array>

#include "app/key_mapping.h"
#include "game/key_codes.h"

namespace quillmoor {

namespace {

constexpr std::array<QKeyCombination, 10> Keystrokes = {
    Qt::CTRL | Qt::Key_C,       Qt::CTRL | Qt::Key_V,        Qt::ALT | Qt::Key_Backspace,
    Qt::SHIFT | Qt::Key_Delete, QKeyCombination(Qt::Key_F6), Qt::SHIFT | Qt::Key_F6,
    Qt::CTRL | Qt::Key_Insert,  Qt::SHIFT | Qt::Key_Insert,  Qt::CTRL | Qt::Key_X,
    Qt::CTRL | Qt::Key_Z,
};

// Accelerators compare these three exactly; the keypad flag only tells which Insert or Delete.
constexpr int LetterCount = 26;

constexpr Qt::KeyboardModifiers ComparedModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// The key as the game would read it: on some layouts Ctrl + a letter reports another key code,
// while the game still takes it for the letter.
int KeyAsTheGameReadsIt(const QKeyEvent& event) {
  const std::uint32_t code = VirtualKeyFromEvent(event);
  if (code >= KeyA && code < KeyA + LetterCount) {
    return Qt::Key_A + static_cast<int>(code - KeyA);
  }
  return event.key();
}

}  // namespace

std::span<const QKeyCombination> AcceleratorKeystrokes() {
  return Keystrokes;
}

bool IsAcceleratorKeystroke(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ComparedModifiers;
  for (const QKeyCombination keystroke : Keystrokes) {
    if (keystroke.keyboardModifiers() != modifiers) {
      continue;
    }
    if (keystroke.key() == event.key() || keystroke.key() == KeyAsTheGameReadsIt(event)) {
      return true;
    }
  }
  return false;
}

}  // namespace quillmoor
