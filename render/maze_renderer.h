// SPDX-License-Identifier: MIT
// Draws the grid into the frame buffer, cell 0x8080 at the centre, S x S pixels per cell.
#pragma once

#include <cstdint>

#include "game/cell.h"
#include "render/frame_buffer.h"
#include "render/palette.h"

namespace quillmoor {

class MazeGrid;

struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
};

// The grid cell at position (x, y) of the unfolded plane: beyond each column seam the rows mirror.
constexpr CellId UnfoldedCell(std::int32_t x, std::int32_t y) {
  const auto ux = static_cast<std::uint32_t>(x);
  const auto uy = static_cast<std::uint32_t>(y);
  const std::uint32_t row = (ux & 0x100u) ? (0u - 2u - uy) & 0xFFu : uy & 0xFFu;
  return static_cast<CellId>((row << 8) | (ux & 0xFFu));
}

// Writes the part of rect inside the buffer; a wholly inside square is written as an S x S block.
void FillCellRect(FrameBuffer& buffer, int zoom, const CellRect& rect, Pixel pixel);

// Draws every visible cell at zoom S (1, 2 or 3). Does nothing without a buffer.
void RenderMaze(FrameBuffer& buffer, const MazeGrid& grid, const Palette& palette, int zoom);

}  // namespace quillmoor
