// SPDX-License-Identifier: MIT
// Keeps a frame buffer's maze picture in step with the grid, redrawing only what changed.
#include "render/picture_updater.h"

#include <cstring>

#include "game/maze_grid.h"
#include "render/maze_renderer.h"
#include "render/vector_pixels.h"
#include "render/view_geometry.h"

namespace quillmoor {

namespace {

constexpr int GridSide = 256;
constexpr int MirrorBase = 254;
// Beyond this many changed cells (a new stage, S) one whole picture costs less than the copies.
constexpr std::size_t MaxChangedCells = 4096;

// The first value >= low that is congruent to residue modulo GridSide.
int FirstAtOrAbove(int low, int residue) {
  const int offset = ((residue - low) % GridSide + GridSide) % GridSide;
  return low + offset;
}

}  // namespace

void PictureUpdater::Update(FrameBuffer& buffer, const MazeGrid& grid, const Palette& palette,
                            int zoom, int pixelScale, DamageTiles& damage) {
  damage.Reset(buffer.width, buffer.height);
  if (!buffer) {
    valid_ = false;
    return;
  }
  const bool sameView = valid_ && buffer.width == width_ && buffer.height == height_ &&
                        zoom == zoom_ && pixelScale == pixelScale_ && &palette == palette_;
  changed_.clear();
  if (sameView) {
    FindChangedCells(grid);
  }
  if (!sameView || changed_.size() > MaxChangedCells) {
    std::memcpy(shown_.data(), grid.data(), shown_.size());
    RenderMaze(buffer, grid, palette, zoom, pixelScale);
    damage.AddAll();
    valid_ = true;
    width_ = buffer.width;
    height_ = buffer.height;
    zoom_ = zoom;
    pixelScale_ = pixelScale;
    palette_ = &palette;
    return;
  }
  const ViewGeometry view(buffer.width, buffer.height, zoom * pixelScale);
  squarePixels_.clear();
  for (const CellId cell : changed_) {
    shown_[cell] = grid[cell];
    AddCopies(view, cell, palette[grid[cell]], damage);
  }
  FillSquares(buffer, damage.Squares());
}

// Compares a cache line of cells at a time, sixteen bytes to a vector register: a tick changes
// a few dozen of the 65,536.
void PictureUpdater::FindChangedCells(const MazeGrid& grid) {
  constexpr std::size_t Block = 64;
  const std::uint8_t* now = grid.data();
  const std::uint8_t* shown = shown_.data();
  for (std::size_t at = 0; at < shown_.size() && changed_.size() <= MaxChangedCells; at += Block) {
    ByteLanes difference{};
    for (std::size_t offset = 0; offset < Block; offset += sizeof(ByteLanes)) {
      difference |= LoadLanes(now + at + offset) ^ LoadLanes(shown + at + offset);
    }
    if (!AnyBitSet(difference)) {
      continue;
    }
    for (std::size_t cell = at; cell < at + Block; ++cell) {
      if (now[cell] != shown[cell]) {
        changed_.push_back(CellId(cell));
      }
    }
  }
}

// A cell shows at every unfolded column congruent to its own; in the mirrored copies (bit 8 of
// the column set) at rows congruent to 254 - row, elsewhere at rows congruent to row.
void PictureUpdater::AddCopies(const ViewGeometry& view, CellId cell, Pixel pixel,
                               DamageTiles& damage) {
  const int row = RowOf(cell);
  const int column = ColumnOf(cell);
  const int firstX = CentreCell - view.nx;
  const int lastX = CentreCell + view.nx - 1;
  const int firstY = CentreCell - view.ny;
  const int lastY = CentreCell + view.ny - 1;
  for (int x = FirstAtOrAbove(firstX, column); x <= lastX; x += GridSide) {
    const bool mirrored = (static_cast<unsigned>(x) & GridSide) != 0;
    const int rowResidue = mirrored ? (MirrorBase - row + GridSide) % GridSide : row;
    for (int y = FirstAtOrAbove(firstY, rowResidue); y <= lastY; y += GridSide) {
      if (damage.Add(view.Square(x - CentreCell, y - CentreCell))) {
        squarePixels_.push_back(pixel);
      }
    }
  }
}

// Written in a pass of their own, after the squares are known: scattered over the whole buffer,
// most of them miss the cache, and with nothing else in the loop many misses overlap.
void PictureUpdater::FillSquares(FrameBuffer& buffer, const std::vector<CellRect>& squares) const {
  const auto stride = static_cast<std::size_t>(buffer.width);
  for (std::size_t k = 0; k < squares.size(); ++k) {
    const CellRect& square = squares[k];
    const Pixel pixel = squarePixels_[k];
    Pixel* line = buffer.pixels.get() + static_cast<std::size_t>(square.top) * stride +
                  static_cast<std::size_t>(square.left);
    const int width = square.right - square.left;
    for (int y = square.top; y < square.bottom; ++y, line += stride) {
      for (int x = 0; x < width; ++x) {
        line[x] = pixel;
      }
    }
  }
}

}  // namespace quillmoor
