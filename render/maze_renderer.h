// SPDX-License-Identifier: MIT
// Draws the grid into the frame buffer, cell 0x8080 at the centre, S x S pixels per cell.
#pragma once

#include <cstdint>

#include "game/cell.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/view_geometry.h"

namespace quillmoor {

class MazeGrid;

// The grid cell at position (x, y) of the unfolded plane: x is a column, y a row, any value.
// Beyond each column seam the rows mirror (254 - y), so the plane repeats every 512 columns
// and every 256 rows.
constexpr CellId UnfoldedCell(std::int32_t x, std::int32_t y) {
  const auto ux = static_cast<std::uint32_t>(x);
  const auto uy = static_cast<std::uint32_t>(y);
  const std::uint32_t row = (ux & 0x100u) ? (0u - 2u - uy) & 0xFFu : uy & 0xFFu;
  return static_cast<CellId>((row << 8) | (ux & 0xFFu));
}

// Writes pixel to the part of rect that lies inside the buffer. rect is meant to be a
// zoom x zoom cell square; when it lies wholly inside and zoom is not 1, 2 or 3 nothing is
// written. Never writes outside the buffer, whatever rect holds. Does nothing without a buffer.
void FillCellRect(FrameBuffer& buffer, int zoom, const CellRect& rect, Pixel pixel);

// Device pixels per picture pixel on the most scaled screens drawn (8 covers 800 %).
inline constexpr int MaxPixelScale = 8;

// Draws every visible cell as a square of S = zoom x pixelScale pixels (zoom 1, 2 or 3;
// pixelScale 1 .. MaxPixelScale), the cell 0x8080 at the centre. Up to S - 1 pixel columns at
// the right and rows at the bottom can stay unwritten. Does nothing without a buffer or for
// any other zoom or scale. Window thread only: it reuses one scratch table between calls.
void RenderMaze(FrameBuffer& buffer, const MazeGrid& grid, const Palette& palette, int zoom,
                int pixelScale = 1);

}  // namespace quillmoor
