// SPDX-License-Identifier: MIT
// The 22 key codes the game accepts, as a list to draw random presses from.
#pragma once

#include <array>
#include <cstdint>

#include "game/key_codes.h"

namespace quillmoor {

inline constexpr std::array<std::uint32_t, 22> AcceptedKeyCodes = {
    KeyEscape, KeySpace, KeyLeft, KeyUp, KeyRight, KeyDown, 49,   50,   51,   52,   53,
    54,        55,       56,      57,    KeyA,     KeyF,    KeyN, KeyR, KeyS, KeyV, KeyW,
};

}  // namespace quillmoor
