// SPDX-License-Identifier: MIT
// Where the cell squares of the maze picture fall in a frame buffer of a given size.
#pragma once

#include <algorithm>

#include "render/frame_buffer.h"

namespace quillmoor {

inline constexpr int CentreCell = 128;  // the unfolded position drawn at the centre of the view

struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
};

// The smallest rect that holds both.
inline CellRect Union(const CellRect& a, const CellRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// The cell at offset (i, j) is UnfoldedCell(128 + i, 128 + j) and its square of side s starts
// at (originX + s * i, originY + s * j); offsets run -nx .. nx - 1 and -ny .. ny - 1. With at
// most MaxFramePixels pixels every coordinate fits an int.
struct ViewGeometry {
  int side;
  int originX;
  int originY;
  int nx;
  int ny;

  ViewGeometry(int width, int height, int s) : side(s) {
    const int half = s / 2;
    originX = width / 2 - half;
    originY = height / 2 - half;
    // Truncating toward zero, so nx, ny >= 1 even when the origin is -1 (a 1-pixel side).
    nx = originX / s + 1;
    ny = originY / s + 1;
  }

  int CellLeft(int i) const { return originX + side * i; }
  int CellTop(int j) const { return originY + side * j; }
  CellRect Square(int i, int j) const {
    return {CellLeft(i), CellTop(j), CellLeft(i) + side, CellTop(j) + side};
  }
};

// Writes pixel to the part of rect that lies inside the buffer, which must exist.
void FillClipped(FrameBuffer& buffer, const CellRect& rect, Pixel pixel);

}  // namespace quillmoor
