// SPDX-License-Identifier: MIT
// Tests of the browser's key events as the desktop's key presses.
#include "web/dom_keys.h"

#include <gtest/gtest.h>

#include "game/key_codes.h"

namespace quillmoor {
namespace {

DomKeyEvent Key(std::string_view code, std::string_view key) {
  DomKeyEvent event;
  event.code = code;
  event.key = key;
  return event;
}

TEST(DomKeys, EveryGameKeyHasItsCode) {
  const struct {
    std::string_view code, key;
    std::uint32_t expected;
  } cases[] = {
      {"Escape", "Escape", KeyEscape},
      {"Space", " ", KeySpace},
      {"ArrowLeft", "ArrowLeft", KeyLeft},
      {"ArrowUp", "ArrowUp", KeyUp},
      {"ArrowRight", "ArrowRight", KeyRight},
      {"ArrowDown", "ArrowDown", KeyDown},
      {"Digit1", "1", KeyDigit1},
      {"Digit9", "9", KeyDigit9},
      {"KeyA", "a", KeyA},
      {"KeyF", "f", KeyF},
      {"KeyN", "n", KeyN},
      {"KeyR", "r", KeyR},
      {"KeyS", "s", KeyS},
      {"KeyV", "v", KeyV},
      {"KeyW", "w", KeyW},
      {"KeyP", "p", KeyP},
      {"Pause", "Pause", KeyPause},
      {"F1", "F1", KeyF1},
      {"F11", "F11", KeyF11},
      {"F6", "F6", KeyF6},
      {"Insert", "Insert", KeyInsert},
      {"Delete", "Delete", KeyDelete},
      {"Backspace", "Backspace", KeyBackspace},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualKeyOf(Key(c.code, c.key)), c.expected) << c.code;
  }
}

// Letters follow the layout, digits the physical main row, as the desktop reads them.
TEST(DomKeys, LettersByLayoutDigitsByPosition) {
  EXPECT_EQ(VirtualKeyOf(Key("KeyQ", "a")), KeyA) << "A on an AZERTY keyboard";
  EXPECT_EQ(VirtualKeyOf(Key("KeyS", "S")), KeyS) << "Shift or Caps Lock";
  EXPECT_EQ(VirtualKeyOf(Key("Digit1", "&")), KeyDigit1) << "1 on an AZERTY keyboard";
  EXPECT_EQ(VirtualKeyOf(Key("Digit5", "%")), KeyDigit1 + 4) << "Shift+5";
  EXPECT_EQ(VirtualKeyOf(Key("KeyA", "ф")), KeyA) << "a layout without Latin letters";
  EXPECT_FALSE(IsAcceptedKey(VirtualKeyOf(Key("Numpad1", "1")))) << "keypad digits stay apart";
  EXPECT_FALSE(IsAcceptedKey(VirtualKeyOf(Key("Numpad1", "End"))));
  EXPECT_EQ(VirtualKeyOf(Key("F24", "F24")), 0x87u);
  EXPECT_EQ(VirtualKeyOf(Key("F25", "F25")), 0u);
  EXPECT_EQ(VirtualKeyOf(Key("ShiftLeft", "Shift")), 0u);
  EXPECT_EQ(VirtualKeyOf(Key("", "Escape")), KeyEscape) << "no physical key: the key itself";
  EXPECT_EQ(VirtualKeyOf(Key("", "7")), KeyDigit1 + 6);
}

TEST(DomKeys, CtrlAltDigitStandsForTheSpeedKeyTheBrowserKeeps) {
  DomKeyEvent event = Key("Digit5", "5");
  event.ctrl = true;
  event.alt = true;
  KeyPress press = KeyPressOf(event);
  EXPECT_EQ(press.code, KeyDigit1 + 4);
  EXPECT_TRUE(press.ctrl);
  EXPECT_FALSE(press.alt) << "so that the session takes it as Ctrl+5";

  event.shift = true;
  press = KeyPressOf(event);
  EXPECT_TRUE(press.shift && press.ctrl && !press.alt);

  // Alt with anything else stays the system's.
  DomKeyEvent letter = Key("KeyV", "v");
  letter.ctrl = true;
  letter.alt = true;
  EXPECT_TRUE(KeyPressOf(letter).alt);
  DomKeyEvent zero = Key("Digit0", "0");
  zero.ctrl = true;
  zero.alt = true;
  EXPECT_TRUE(KeyPressOf(zero).alt);
  DomKeyEvent altDigit = Key("Digit3", "3");
  altDigit.alt = true;
  EXPECT_TRUE(KeyPressOf(altDigit).alt) << "Alt+digit alone switches tabs on Linux";
  DomKeyEvent meta = Key("Digit3", "3");
  meta.ctrl = meta.alt = meta.meta = true;
  EXPECT_TRUE(KeyPressOf(meta).alt) << "the Meta key's combinations are the system's";
}

TEST(DomKeys, ModifiersAndRepeatPassThrough) {
  DomKeyEvent event = Key("KeyV", "v");
  event.ctrl = true;
  event.repeat = true;
  const KeyPress press = KeyPressOf(event);
  EXPECT_TRUE(press.ctrl);
  EXPECT_FALSE(press.shift);
  EXPECT_TRUE(press.autoRepeat);
  EXPECT_TRUE(IsAcceleratorKeystroke(press)) << "Ctrl+V is one of the frame's keystrokes";
}

}  // namespace
}  // namespace quillmoor
