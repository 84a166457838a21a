// SPDX-License-Identifier: MIT
// The virtual-key codes the game accepts, the desktop's own keys and the frame's swallowed
// keystrokes, and the one-slot key buffer.
#pragma once

#include <cstdint>

namespace quillmoor {

struct GameState;

inline constexpr std::uint32_t KeyEscape = 27;
inline constexpr std::uint32_t KeySpace = 32;
inline constexpr std::uint32_t KeyLeft = 37;
inline constexpr std::uint32_t KeyUp = 38;
inline constexpr std::uint32_t KeyRight = 39;
inline constexpr std::uint32_t KeyDown = 40;
inline constexpr std::uint32_t KeyDigit1 = 49;
inline constexpr std::uint32_t KeyDigit9 = 57;
inline constexpr std::uint32_t KeyA = 65;
inline constexpr std::uint32_t KeyF = 70;
inline constexpr std::uint32_t KeyN = 78;
inline constexpr std::uint32_t KeyR = 82;
inline constexpr std::uint32_t KeyS = 83;
inline constexpr std::uint32_t KeyV = 86;
inline constexpr std::uint32_t KeyW = 87;

// The desktop's keys beside the game's: pause, the keys dialog, full screen, quit.
inline constexpr std::uint32_t KeyPause = 0x13;
inline constexpr std::uint32_t KeyP = 80;
inline constexpr std::uint32_t KeyQ = 81;
inline constexpr std::uint32_t KeyF1 = 0x70;
inline constexpr std::uint32_t KeyF11 = 0x7A;

// The rest of the keys the frame's accelerator keystrokes are made of.
inline constexpr std::uint32_t KeyBackspace = 0x08;
inline constexpr std::uint32_t KeyInsert = 0x2D;
inline constexpr std::uint32_t KeyDelete = 0x2E;
inline constexpr std::uint32_t KeyC = 67;
inline constexpr std::uint32_t KeyX = 88;
inline constexpr std::uint32_t KeyZ = 90;
inline constexpr std::uint32_t KeyF6 = 0x75;

// Exactly the 22 codes above and the digits between 1 and 9.
bool IsAcceptedKey(std::uint32_t code);

// Stores an accepted key as the pending one (last wins); any other key changes nothing.
void OnKeyDown(GameState& state, std::uint32_t code);

}  // namespace quillmoor
