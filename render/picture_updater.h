// SPDX-License-Identifier: MIT
// Keeps a frame buffer's maze picture in step with the grid, redrawing only what changed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/cell.h"
#include "game/maze_grid.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/view_geometry.h"

namespace quillmoor {

class PictureUpdater {
 public:
  // Forgets what the buffer shows: the next update draws the whole picture. Needed whenever the
  // buffer is replaced or written by anything else, and when the palette changes in place.
  void Invalidate() { valid_ = false; }

  // Brings the buffer to exactly what RenderMaze would draw for this grid, palette, zoom and
  // scale, and records in damage (reset to the buffer's size) the areas it wrote. Draws
  // everything when the buffer's size, zoom, scale or palette differ from the last update or when
  // so many cells changed that a whole picture is cheaper; otherwise only every visible copy of
  // each cell whose byte changed. Window thread only, like RenderMaze.
  void Update(FrameBuffer& buffer, const MazeGrid& grid, const Palette& palette, int zoom,
              int pixelScale, DamageTiles& damage);

 private:
  void FindChangedCells(const MazeGrid& grid);
  // Records every visible copy of the cell in damage, and its colour in squarePixels_.
  void AddCopies(const ViewGeometry& view, CellId cell, Pixel pixel, DamageTiles& damage);
  void FillSquares(FrameBuffer& buffer, const std::vector<CellRect>& squares) const;

  bool valid_ = false;
  int width_ = 0;
  int height_ = 0;
  int zoom_ = 0;
  int pixelScale_ = 0;
  const Palette* palette_ = nullptr;
  std::array<std::uint8_t, CellCount> shown_{};  // the grid as the buffer shows it
  std::vector<CellId> changed_;
  std::vector<Pixel> squarePixels_;  // the colour of each square damage holds, in its order
};

}  // namespace quillmoor
