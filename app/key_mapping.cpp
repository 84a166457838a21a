// SPDX-License-Identifier: MIT
// Maps Qt keys to virtual-key codes by physical digit key where the platform tells it.
#include "app/key_mapping.h"

#include <QKeyEvent>
#include <QString>
#include <array>
#include <utility>

#include "game/key_codes.h"

namespace quillmoor {

namespace {

using KeyCode = std::pair<int, std::uint32_t>;

constexpr std::uint32_t NoKey = 0;
constexpr int LetterCount = 26;
constexpr int DigitCount = 9;

// X key codes (xcb and Wayland alike) of the main row's 1..9, the same on every layout.
constexpr quint32 ScanCodeDigit1 = 10;

constexpr std::array<KeyCode, 4> ArrowKeys = {{
    {Qt::Key_Left, KeyLeft},
    {Qt::Key_Up, KeyUp},
    {Qt::Key_Right, KeyRight},
    {Qt::Key_Down, KeyDown},
}};

constexpr std::array<KeyCode, 9> OtherNamedKeys = {{
    {Qt::Key_Escape, KeyEscape},
    {Qt::Key_Space, KeySpace},
    {Qt::Key_Pause, KeyPause},
    {Qt::Key_F1, KeyF1},
    {Qt::Key_F6, KeyF6},
    {Qt::Key_F11, KeyF11},
    {Qt::Key_Backspace, KeyBackspace},
    {Qt::Key_Insert, KeyInsert},
    {Qt::Key_Delete, KeyDelete},
}};

// With Num Lock off the keypad gives these, and Insert and Delete count as the main ones.
constexpr std::array<KeyCode, 2> KeypadEditKeys = {{
    {Qt::Key_Insert, KeyInsert},
    {Qt::Key_Delete, KeyDelete},
}};

// Shift + 1..9 on a US layout, for events that carry no scan code (offscreen, synthetic).
constexpr std::array<KeyCode, DigitCount> ShiftedUsDigits = {{
    {Qt::Key_Exclam, 49},
    {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},
    {Qt::Key_Dollar, 52},
    {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54},
    {Qt::Key_Ampersand, 55},
    {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},
}};

template <std::size_t N>
std::uint32_t Lookup(const std::array<KeyCode, N>& table, int key) {
  for (const auto& [qtKey, code] : table) {
    if (qtKey == key) {
      return code;
    }
  }
  return NoKey;
}

bool InRange(int value, int first, int count) {
  return value >= first && value < first + count;
}

std::uint32_t LetterFromText(const QString& text) {
  if (text.size() != 1) {
    return NoKey;
  }
  const char16_t upper = text.at(0).toUpper().unicode();
  return InRange(upper, 'A', LetterCount) ? KeyA + (upper - u'A') : NoKey;
}

}  // namespace

std::uint32_t KeyCodeFromEvent(const QKeyEvent& event) {
  const int key = event.key();
  // The keypad's arrows (Num Lock off) are the arrow keys; its digits are never accepted.
  if (event.modifiers().testFlag(Qt::KeypadModifier)) {
    if (const std::uint32_t arrow = Lookup(ArrowKeys, key); arrow != NoKey) {
      return arrow;
    }
    return Lookup(KeypadEditKeys, key);
  }
  // Named keys and letters first: a virtual keyboard (wtype, on-screen keyboards) numbers its
  // keys from 9 up, so its letters can carry the digit row's key codes.
  if (InRange(key, Qt::Key_A, LetterCount)) {
    return KeyA + static_cast<std::uint32_t>(key - Qt::Key_A);
  }
  if (const std::uint32_t arrow = Lookup(ArrowKeys, key); arrow != NoKey) {
    return arrow;
  }
  if (const std::uint32_t named = Lookup(OtherNamedKeys, key); named != NoKey) {
    return named;
  }
  const quint32 scanCode = event.nativeScanCode();
  if (scanCode >= ScanCodeDigit1 && scanCode < ScanCodeDigit1 + DigitCount) {
    return KeyDigit1 + (scanCode - ScanCodeDigit1);
  }
  if (InRange(key, Qt::Key_1, DigitCount)) {
    return KeyDigit1 + static_cast<std::uint32_t>(key - Qt::Key_1);
  }
  if (scanCode == 0 && event.modifiers().testFlag(Qt::ShiftModifier)) {
    if (const std::uint32_t digit = Lookup(ShiftedUsDigits, key); digit != NoKey) {
      return digit;
    }
  }
  return LetterFromText(event.text());
}

KeyPress KeyPressFromEvent(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return KeyPress{KeyCodeFromEvent(event), modifiers.testFlag(Qt::ShiftModifier),
                  modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::AltModifier),
                  event.isAutoRepeat()};
}

QKeyCombination QtKeystroke(const Keystroke& keystroke) {
  Qt::Key key = Qt::Key_unknown;
  if (InRange(static_cast<int>(keystroke.code), static_cast<int>(KeyA), LetterCount)) {
    key = static_cast<Qt::Key>(Qt::Key_A + static_cast<int>(keystroke.code - KeyA));
  }
  for (const auto& [qtKey, code] : OtherNamedKeys) {
    if (code == keystroke.code) {
      key = static_cast<Qt::Key>(qtKey);
    }
  }
  Qt::KeyboardModifiers modifiers;
  modifiers.setFlag(Qt::ShiftModifier, keystroke.shift);
  modifiers.setFlag(Qt::ControlModifier, keystroke.ctrl);
  modifiers.setFlag(Qt::AltModifier, keystroke.alt);
  return QKeyCombination(modifiers, key);
}

}  // namespace quillmoor
