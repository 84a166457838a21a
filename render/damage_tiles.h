// SPDX-License-Identifier: MIT
// Groups the many small squares a tick redraws into a few rectangles for the window system.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/view_geometry.h"

namespace quillmoor {

// Each rectangle costs the window system about as much as this many pixels (a request, its
// clip and bookkeeping against a memory copy of the pixels), measured under X11.
inline constexpr std::int64_t RectCostInPixels = 4096;
// Never more rectangles than this: past it one bounding rectangle is cheaper.
inline constexpr int MaxDamageRects = 128;

// A set of changed areas of a picture, handed out as rectangles on a grid of square tiles whose
// size is chosen for the cheapest cover: fine tiles for a few scattered squares, coarse ones when
// changes are everywhere.
class DamageTiles {
 public:
  // Empties the set for a picture of this size (sides below 1 make it always empty).
  void Reset(int width, int height);
  // Adds the part of rect inside the picture; false when nothing of it was added. Inline: a
  // tick adds hundreds of one-pixel squares.
  bool Add(const CellRect& rect) {
    const CellRect inside{std::max(rect.left, 0), std::max(rect.top, 0),
                          std::min(rect.right, width_), std::min(rect.bottom, height_)};
    if (all_ || inside.left >= inside.right || inside.top >= inside.bottom) {
      return false;
    }
    squares_.push_back(inside);
    return true;
  }
  // Adds the whole picture.
  void AddAll();
  bool empty() const { return !all_ && squares_.empty(); }
  // Whether the whole picture was added.
  bool whole() const { return all_; }
  // Every square added since the reset, clipped to the picture; empty once the whole was added.
  const std::vector<CellRect>& Squares() const { return squares_; }

  // Disjoint rectangles inside the picture covering everything added; empty when nothing was.
  const std::vector<CellRect>& Rects();

 private:
  struct Cover {
    int shift = 0;  // tiles of (FinestTile << shift) pixels
    std::int64_t cost = 0;
  };

  void MarkFinestTiles();
  Cover Measure(int shift);
  void Emit(int shift);
  int Columns(int shift) const;
  int Rows(int shift) const;

  int width_ = 0;
  int height_ = 0;
  bool all_ = false;
  std::vector<std::uint8_t> finest_;  // one flag per finest tile, row by row
  std::vector<int> dirty_;            // indices of the set flags of finest_, once marked
  std::vector<std::uint8_t> coarse_;  // scratch flags of a coarser tiling
  std::vector<CellRect> rects_;
  std::vector<CellRect> squares_;
};

}  // namespace quillmoor
