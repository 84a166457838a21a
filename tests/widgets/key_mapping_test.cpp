// SPDX-License-Identifier: MIT
// Qt key events as the game's virtual-key codes: layouts, modifiers, the keypad.
#include "app/key_mapping.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QString>
#include <cstdint>
#include <vector>

#include "game/key_codes.h"

namespace quillmoor {
namespace {

std::uint32_t Map(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0,
                  const QString& text = {}) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
  return KeyCodeFromEvent(event);
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers CtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

TEST(KeyMapping, MainRowDigitsAreKnownByTheirKeyWhateverTheModifiersMakeOfThem) {
  // Synthetic events with no scan code: the US layout's shifted symbols.
  EXPECT_EQ(Map(Qt::Key_Exclam, Shift, 0, "!"), 49u);
  EXPECT_EQ(Map(Qt::Key_Exclam, CtrlShift), 49u);
  EXPECT_EQ(Map(Qt::Key_ParenLeft, Shift, 0, "("), 57u);
  EXPECT_EQ(Map(Qt::Key_9, Qt::ControlModifier), 57u);
  EXPECT_EQ(Map(Qt::Key_2, None, 0, "2"), 50u);
  // With a scan code the physical key decides: US Shift+1, Japanese Shift+2, French 1.
  EXPECT_EQ(Map(Qt::Key_Exclam, Shift, 10, "!"), 49u);
  EXPECT_EQ(Map(Qt::Key_Exclam, CtrlShift, 10), 49u);
  EXPECT_EQ(Map(Qt::Key_QuoteDbl, Shift, 11, "\""), 50u);
  EXPECT_EQ(Map(Qt::Key_Ampersand, None, 10, "&"), 49u);
  EXPECT_EQ(Map(Qt::Key_5, None, 14, "5"), 53u);
  EXPECT_EQ(Map(Qt::Key_ParenLeft, Shift, 18, "("), 57u);
  // A symbol from another key, or unshifted, is no digit.
  EXPECT_EQ(Map(Qt::Key_Exclam, Shift, 61, "!"), 0u);
  EXPECT_EQ(Map(Qt::Key_Exclam, None), 0u);
  EXPECT_EQ(Map(Qt::Key_0, None, 19, "0"), 0u);
}

TEST(KeyMapping, KeypadGivesArrowsButNeverDigits) {
  for (const int digit : {Qt::Key_1, Qt::Key_5, Qt::Key_9}) {
    EXPECT_EQ(Map(digit, Qt::KeypadModifier, 0, "5"), 0u) << digit;
    EXPECT_EQ(Map(digit, Qt::KeypadModifier | Qt::ShiftModifier, 87), 0u) << digit;
  }
  EXPECT_EQ(Map(Qt::Key_End, Qt::KeypadModifier, 87), 0u);
  EXPECT_EQ(Map(Qt::Key_Up, Qt::KeypadModifier, 80), 38u);
  EXPECT_EQ(Map(Qt::Key_Left, Qt::KeypadModifier, 83), 37u);
}

TEST(KeyMapping, NamedKeysLettersAndEverythingElse) {
  EXPECT_EQ(Map(Qt::Key_Escape, None, 9), 27u);
  EXPECT_EQ(Map(Qt::Key_Space, Shift, 65, " "), 32u);
  EXPECT_EQ(Map(Qt::Key_Left, None), 37u);
  EXPECT_EQ(Map(Qt::Key_Down, None), 40u);
  EXPECT_EQ(Map(Qt::Key_A, None, 0, "a"), 65u);
  EXPECT_EQ(Map(Qt::Key_A, Shift, 0, "A"), 65u);
  EXPECT_EQ(Map(Qt::Key_W, Qt::ControlModifier, 25, "\x17"), 87u);
  EXPECT_EQ(Map(Qt::Key_Z, None, 52, "z"), 90u);
  EXPECT_EQ(Map(Qt::Key_unknown, None, 0, "s"), 83u);  // no key code: the text decides
  // A virtual keyboard's own keymap can put letters and Esc on the digit row's key codes.
  EXPECT_EQ(Map(Qt::Key_S, None, 11, "s"), 83u);
  EXPECT_EQ(Map(Qt::Key_Escape, None, 12), 27u);
  // Alt is reported beside the code; the session leaves Alt combinations to the window manager.
  EXPECT_EQ(Map(Qt::Key_V, Qt::AltModifier, 55, "v"), 86u);
  EXPECT_EQ(Map(Qt::Key_Left, Qt::AltModifier, 113), 37u);
  EXPECT_EQ(Map(Qt::Key_Return, None, 36, "\r"), 0u);
  EXPECT_EQ(Map(Qt::Key_Tab, None, 23, "\t"), 0u);
  EXPECT_EQ(Map(Qt::Key_F2, None, 68), 0u);
  EXPECT_EQ(Map(Qt::Key_Shift, Shift, 50), 0u);
  EXPECT_EQ(Map(Qt::Key_unknown, None, 0, QString::fromUtf8("é")), 0u);
}

TEST(KeyMapping, DesktopAndAcceleratorKeysHaveTheirCodesAndTheKeypadsInsertAndDeleteToo) {
  EXPECT_EQ(Map(Qt::Key_Pause, None, 127), KeyPause);
  EXPECT_EQ(Map(Qt::Key_F1, None, 67), KeyF1);
  EXPECT_EQ(Map(Qt::Key_F6, Shift, 72), KeyF6);
  EXPECT_EQ(Map(Qt::Key_F11, None, 95), KeyF11);
  EXPECT_EQ(Map(Qt::Key_Backspace, Qt::AltModifier, 22), KeyBackspace);
  EXPECT_EQ(Map(Qt::Key_Insert, Qt::KeypadModifier | Qt::ControlModifier, 90), KeyInsert);
  EXPECT_EQ(Map(Qt::Key_Delete, Qt::KeypadModifier | Shift, 91), KeyDelete);
  const QKeyEvent held(QEvent::KeyPress, Qt::Key_P, Shift | Qt::AltModifier, 33, 0, 0, "P", true);
  const KeyPress press = KeyPressFromEvent(held);
  EXPECT_EQ(press.code, KeyP);
  EXPECT_TRUE(press.shift && press.alt && press.autoRepeat && !press.ctrl);
}

TEST(KeyMapping, EveryAcceleratorKeystrokeBecomesTheShortcutOfItsQtKeys) {
  std::vector<QKeyCombination> shortcuts;
  for (const Keystroke& keystroke : AcceleratorKeystrokes()) {
    shortcuts.push_back(QtKeystroke(keystroke));
  }
  const std::vector<QKeyCombination> expected = {
      Qt::CTRL | Qt::Key_C,       Qt::CTRL | Qt::Key_V,        Qt::ALT | Qt::Key_Backspace,
      Qt::SHIFT | Qt::Key_Delete, QKeyCombination(Qt::Key_F6), Qt::SHIFT | Qt::Key_F6,
      Qt::CTRL | Qt::Key_Insert,  Qt::SHIFT | Qt::Key_Insert,  Qt::CTRL | Qt::Key_X,
      Qt::CTRL | Qt::Key_Z,
  };
  EXPECT_EQ(shortcuts, expected);
}

}  // namespace
}  // namespace quillmoor
