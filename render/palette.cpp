// SPDX-License-Identifier: MIT
// The colour rule that turns a cell flag byte into a pixel value.
#include "render/palette.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "game/cell.h"

namespace quillmoor {

namespace {

// The first matching rule wins: rock hides everything, an alien hides the player.
Pixel ColourOf(unsigned flags) {
  if (flags == 0) {
    return PixelFloor;
  }
  if ((flags & CellWall) != 0) {
    return PixelRock;
  }
  if ((flags & CellAlien) != 0) {
    return PixelAlien;
  }
  if ((flags & CellPlayer) != 0) {
    return PixelPlayer;
  }
  return PixelGoal;
}

}  // namespace

void BuildPalette(Palette& palette) {
  for (unsigned flags = 0; flags < palette.size(); ++flags) {
    palette[flags] = ColourOf(flags);
  }
}

Palette OpaquePalette(const Palette& palette) {
  Palette opaque{};
  for (std::size_t flags = 0; flags < palette.size(); ++flags) {
    opaque[flags] = palette[flags] | PixelOpaque;
  }
  return opaque;
}

Palette RgbaBytePalette(const Palette& palette) {
  Palette rgba{};
  for (std::size_t flags = 0; flags < palette.size(); ++flags) {
    const Pixel pixel = palette[flags];
    const std::array<std::uint8_t, 4> bytes = {static_cast<std::uint8_t>(pixel >> 16),
                                               static_cast<std::uint8_t>(pixel >> 8),
                                               static_cast<std::uint8_t>(pixel), 0xFF};
    std::memcpy(&rgba[flags], bytes.data(), bytes.size());
  }
  return rgba;
}

Palette& ProcessPalette() {
  static Palette palette{};
  return palette;
}

}  // namespace quillmoor
