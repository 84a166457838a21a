// SPDX-License-Identifier: MIT
// The accepted key set and the one-slot buffer the key-down handler fills.
#include "game/key_codes.h"

#include <algorithm>
#include <array>

#include "game/game_state.h"

namespace quillmoor {

namespace {

constexpr std::array<std::uint32_t, 13> NonDigitKeys = {
    KeyEscape, KeySpace, KeyLeft, KeyUp, KeyRight, KeyDown, KeyA,
    KeyF,      KeyN,     KeyR,    KeyS,  KeyV,     KeyW,
};

}  // namespace

bool IsAcceptedKey(std::uint32_t code) {
  return (code >= KeyDigit1 && code <= KeyDigit9) ||
         std::find(NonDigitKeys.begin(), NonDigitKeys.end(), code) != NonDigitKeys.end();
}

void OnKeyDown(GameState& state, std::uint32_t code) {
  if (IsAcceptedKey(code)) {
    state.m_pendingKey = code;
  }
}

}  // namespace quillmoor
