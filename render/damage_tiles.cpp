// SPDX-License-Identifier: MIT
// Groups the many small squares a tick redraws into a few rectangles for the window system.
#include "render/damage_tiles.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace quillmoor {

namespace {

constexpr int FinestTileShift = 4;  // 16-pixel tiles
constexpr int CoarsestShift = 5;    // up to 512-pixel tiles

int TilesFor(int length, int tileShift) {
  return length < 1 ? 0 : ((length - 1) >> tileShift) + 1;
}

}  // namespace

void DamageTiles::Reset(int width, int height) {
  const bool sameSize = width == width_ && height == height_;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  all_ = false;
  if (sameSize) {
    for (const int index : dirty_) {
      finest_[static_cast<std::size_t>(index)] = 0;
    }
  } else {
    finest_.assign(static_cast<std::size_t>(Columns(0)) * static_cast<std::size_t>(Rows(0)), 0);
  }
  dirty_.clear();
  rects_.clear();
  squares_.clear();
}

int DamageTiles::Columns(int shift) const {
  return TilesFor(width_, FinestTileShift + shift);
}

int DamageTiles::Rows(int shift) const {
  return TilesFor(height_, FinestTileShift + shift);
}

// The finest tiles the squares touch; only asked for when rectangles are, since a caller that
// sends the squares themselves never needs them.
void DamageTiles::MarkFinestTiles() {
  const int columns = Columns(0);
  for (const CellRect& square : squares_) {
    for (int row = square.top >> FinestTileShift; row <= (square.bottom - 1) >> FinestTileShift;
         ++row) {
      for (int column = square.left >> FinestTileShift;
           column <= (square.right - 1) >> FinestTileShift; ++column) {
        const int index = row * columns + column;
        std::uint8_t& flag = finest_[static_cast<std::size_t>(index)];
        if (flag == 0) {
          flag = 1;
          dirty_.push_back(index);
        }
      }
    }
  }
}

void DamageTiles::AddAll() {
  if (width_ > 0 && height_ > 0) {
    all_ = true;
    squares_.clear();
  }
}

// Marks the tiles of the given coarseness that hold a change, and prices covering them with one
// rectangle per horizontal run of such tiles.
DamageTiles::Cover DamageTiles::Measure(int shift) {
  const int columns = Columns(shift);
  const int rows = Rows(shift);
  coarse_.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
  const int finestColumns = Columns(0);
  for (const int index : dirty_) {
    const int row = (index / finestColumns) >> shift;
    const int column = (index % finestColumns) >> shift;
    coarse_[static_cast<std::size_t>(row * columns + column)] = 1;
  }
  const std::int64_t tileSide = std::int64_t{1} << (FinestTileShift + shift);
  std::int64_t runs = 0;
  std::int64_t tiles = 0;
  for (int row = 0; row < rows; ++row) {
    const std::uint8_t* flags = &coarse_[static_cast<std::size_t>(row * columns)];
    for (int column = 0; column < columns; ++column) {
      tiles += flags[column];
      runs += flags[column] != 0 && (column == 0 || flags[column - 1] == 0);
    }
  }
  return {shift, runs * RectCostInPixels + tiles * tileSide * tileSide};
}

// Emits the runs of the tiling Measure(shift) marked last.
void DamageTiles::Emit(int shift) {
  const int columns = Columns(shift);
  const int rows = Rows(shift);
  const int tileShift = FinestTileShift + shift;
  for (int row = 0; row < rows; ++row) {
    const std::uint8_t* flags = &coarse_[static_cast<std::size_t>(row * columns)];
    for (int column = 0; column < columns;) {
      if (flags[column] == 0) {
        ++column;
        continue;
      }
      const int first = column;
      while (column < columns && flags[column] != 0) {
        ++column;
      }
      rects_.push_back({first << tileShift, row << tileShift, std::min(column << tileShift, width_),
                        std::min((row + 1) << tileShift, height_)});
    }
  }
}

const std::vector<CellRect>& DamageTiles::Rects() {
  rects_.clear();
  if (all_) {
    rects_.push_back({0, 0, width_, height_});
    return rects_;
  }
  if (squares_.empty()) {
    return rects_;
  }
  if (dirty_.empty()) {
    MarkFinestTiles();
  }
  Cover best{0, std::numeric_limits<std::int64_t>::max()};
  for (int shift = 0; shift <= CoarsestShift; ++shift) {
    const Cover cover = Measure(shift);
    if (cover.cost < best.cost) {
      best = cover;
    }
  }
  Measure(best.shift);
  Emit(best.shift);
  if (static_cast<int>(rects_.size()) > MaxDamageRects) {
    CellRect bounds = rects_.front();
    for (const CellRect& rect : rects_) {
      bounds = Union(bounds, rect);
    }
    rects_.assign(1, bounds);
  }
  return rects_;
}

}  // namespace quillmoor
