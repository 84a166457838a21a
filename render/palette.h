// SPDX-License-Identifier: MIT
// Pixel values 0x00RRGGBB for every cell flag byte.
#pragma once

#include <array>
#include <cstdint>

namespace quillmoor {

using Pixel = std::uint32_t;
using Palette = std::array<Pixel, 256>;

inline constexpr Pixel PixelFloor = 0x000000;
inline constexpr Pixel PixelRock = 0x008000;
inline constexpr Pixel PixelAlien = 0xFF0000;
inline constexpr Pixel PixelPlayer = 0xC0FFFF;
inline constexpr Pixel PixelGoal = 0xFFFF00;
inline constexpr Pixel PixelOpaque = 0xFF000000;  // the top byte, where window systems keep alpha

// Wall outranks alien, alien outranks player, anything else even is the goal colour.
void BuildPalette(Palette& palette);

// The same colours with the top byte set: window systems take pixels opaque, and a zero top
// byte can turn a window transparent under a compositor.
Palette OpaquePalette(const Palette& palette);

// The same colours, opaque, as the byte sequence red, green, blue, alpha that a canvas's image
// data holds: the renderer's words then go to a canvas as they are, with no per-pixel copy.
Palette RgbaBytePalette(const Palette& palette);

// The palette of the running game, built once by the game view.
Palette& ProcessPalette();

}  // namespace quillmoor
