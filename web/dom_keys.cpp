// SPDX-License-Identifier: MIT
// DOM key names to virtual-key codes, and the browser's stand-in for the speed keys it keeps.
#include "web/dom_keys.h"

#include <array>

#include "game/key_codes.h"

namespace quillmoor {

namespace {

struct NamedKey {
  std::string_view name;
  std::uint32_t code;
};

// The same names serve as KeyboardEvent.code and, for the keys that type nothing, as .key.
constexpr std::array<NamedKey, 14> NamedKeys = {{
    {"Escape", KeyEscape},
    {"Space", KeySpace},
    {"ArrowLeft", KeyLeft},
    {"ArrowUp", KeyUp},
    {"ArrowRight", KeyRight},
    {"ArrowDown", KeyDown},
    {"Pause", KeyPause},
    {"Backspace", KeyBackspace},
    {"Insert", KeyInsert},
    {"Delete", KeyDelete},
    {"Enter", 0x0D},
    {"Tab", 0x09},
    {"NumpadEnter", 0x0D},
    {"NumpadDecimal", 0x6E},
}};

constexpr std::uint32_t KeyDigit0 = 48;
constexpr std::uint32_t KeyNumpad0 = 0x60;
constexpr std::uint32_t KeyF24 = 0x87;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "F1" .. "F24" as 0x70 ..; 0 for anything else.
std::uint32_t FunctionKey(std::string_view name) {
  if (name.size() < 2 || name.size() > 3 || name[0] != 'F') {
    return 0;
  }
  std::uint32_t number = 0;
  for (const char c : name.substr(1)) {
    if (!IsDigit(c)) {
      return 0;
    }
    number = number * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (number < 1 || KeyF1 + number - 1 > KeyF24) {
    return 0;
  }
  return KeyF1 + number - 1;
}

std::uint32_t NamedKeyCode(std::string_view name) {
  for (const NamedKey& named : NamedKeys) {
    if (named.name == name) {
      return named.code;
    }
  }
  return FunctionKey(name);
}

// A one-letter key as its upper-case code, whatever the case it types in.
std::uint32_t LetterCode(std::string_view key) {
  if (key.size() != 1) {
    return 0;
  }
  const char c = key[0];
  if (c >= 'a' && c <= 'z') {
    return static_cast<std::uint32_t>(c - 'a' + 'A');
  }
  if (c >= 'A' && c <= 'Z') {
    return static_cast<std::uint32_t>(c);
  }
  return 0;
}

// The main row's digit of a physical key ("Digit1"), -1 for any other.
int MainRowDigit(std::string_view code) {
  if (code.size() == 6 && StartsWith(code, "Digit") && IsDigit(code[5])) {
    return code[5] - '0';
  }
  return -1;
}

}  // namespace

std::uint32_t VirtualKeyOf(const DomKeyEvent& event) {
  // The letter the layout types, so that A is A on an AZERTY keyboard too; Shift, Ctrl and Caps
  // Lock change only its case.
  if (const std::uint32_t letter = LetterCode(event.key); letter != 0) {
    return letter;
  }
  const std::string_view code = event.code;
  if (const int digit = MainRowDigit(code); digit >= 0) {
    return KeyDigit0 + static_cast<std::uint32_t>(digit);
  }
  if (code.size() == 4 && StartsWith(code, "Key") && code[3] >= 'A' && code[3] <= 'Z') {
    return static_cast<std::uint32_t>(code[3]);
  }
  if (code.size() == 7 && StartsWith(code, "Numpad") && IsDigit(code[6])) {
    return KeyNumpad0 + static_cast<std::uint32_t>(code[6] - '0');
  }
  if (const std::uint32_t named = NamedKeyCode(code); named != 0) {
    return named;
  }
  // Events without a physical key (some virtual keyboards): the typed key alone.
  if (code.empty()) {
    if (event.key == " ") {
      return KeySpace;
    }
    if (event.key.size() == 1 && IsDigit(event.key[0])) {
      return KeyDigit0 + static_cast<std::uint32_t>(event.key[0] - '0');
    }
    return NamedKeyCode(event.key);
  }
  return 0;
}

bool IsBrowserSpeedKey(const DomKeyEvent& event) {
  const int digit = MainRowDigit(event.code);
  return event.ctrl && event.alt && !event.meta && digit >= 1;
}

KeyPress KeyPressOf(const DomKeyEvent& event) {
  KeyPress press;
  press.code = VirtualKeyOf(event);
  press.shift = event.shift;
  press.ctrl = event.ctrl;
  // The Meta key's combinations are the system's, as Alt's are on the desktop.
  press.alt = (event.alt && !IsBrowserSpeedKey(event)) || event.meta;
  press.autoRepeat = event.repeat;
  return press;
}

}  // namespace quillmoor
