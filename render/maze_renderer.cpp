// SPDX-License-Identifier: MIT
// The maze picture: a clipped outer ring of cells around an unclipped inner block.
#include "render/maze_renderer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "game/maze_grid.h"
#include "render/vector_pixels.h"
#include "render/view_geometry.h"

namespace quillmoor {

namespace {

constexpr unsigned GridSide = 256;
constexpr unsigned ByteMask = 0xFFu;
constexpr unsigned SeamBit = 0x100u;  // set in every other 256-column copy, the mirrored ones
constexpr unsigned MirrorBase = 254u;

bool IsSupportedZoom(int zoom) {
  return zoom >= 1 && zoom <= 3;
}

bool IsSupportedPixelScale(int pixelScale) {
  return pixelScale >= 1 && pixelScale <= MaxPixelScale;
}

// The colours of the grid rows the current frame needs, so the inner run copies whole spans of
// a grid row instead of looking up each cell. Rows are mapped on first use within a frame; a
// frame 256 cells tall needs every row.
class MappedRows {
 public:
  void Begin(const MazeGrid& grid, const Palette& palette) {
    grid_ = &grid;
    palette_ = &palette;
    mapped_.fill(false);
  }

  const Pixel* Row(unsigned row) {
    Pixel* colours = &colours_[row * GridSide];
    if (!mapped_[row]) {
      const std::uint8_t* flags = grid_->data() + row * GridSide;
      for (unsigned column = 0; column < GridSide; ++column) {
        colours[column] = (*palette_)[flags[column]];
      }
      mapped_[row] = true;
    }
    return colours;
  }

 private:
  const MazeGrid* grid_ = nullptr;
  const Palette* palette_ = nullptr;
  std::array<bool, GridSide> mapped_{};
  std::array<Pixel, GridSide * GridSide> colours_{};
};

// One table for the process: the renderers run on the window thread only.
MappedRows g_mappedRows;

Pixel* RowStart(FrameBuffer& buffer, int x, int y) {
  return buffer.pixels.get() +
         static_cast<std::size_t>(y) * static_cast<std::size_t>(buffer.width) +
         static_cast<std::size_t>(x);
}

// Kept out of line: inlined, the compiler sees a span's bound and expands the copy into a string
// instruction that is far slower than the library's copy.
[[gnu::noinline]] void CopyPixels(Pixel* dest, const Pixel* source, std::size_t count) {
  std::memcpy(dest, source, count * sizeof(Pixel));
}

// Writes each of `cells` source pixels S times over: a cell widened to S pixels is a register
// shuffle rather than S separate stores.
template <int S>
void WidenPixels(Pixel* dest, const Pixel* source, int cells) {
  int k = 0;
  for (; k + QuadSize <= cells; k += QuadSize) {
    const PixelQuad quad = LoadQuad(source + k);
    if constexpr (S == 2) {
      StoreQuad(dest, ShuffleQuad<0, 0, 1, 1>(quad));
      StoreQuad(dest + QuadSize, ShuffleQuad<2, 2, 3, 3>(quad));
    } else {
      static_assert(S == 3);
      StoreQuad(dest, ShuffleQuad<0, 0, 0, 1>(quad));
      StoreQuad(dest + QuadSize, ShuffleQuad<1, 1, 2, 2>(quad));
      StoreQuad(dest + 2 * QuadSize, ShuffleQuad<2, 3, 3, 3>(quad));
    }
    dest += QuadSize * S;
  }
  for (; k < cells; ++k) {
    for (int s = 0; s < S; ++s) {
      *dest++ = source[k];
    }
  }
}

// Squares of four pixels and more, whose side is known only at run time (zoom times the screen's
// scale): each cell is whole four-pixel stores, the last one overlapping the one before it.
void WidenPixels(Pixel* dest, const Pixel* source, int cells, int side) {
  const auto width = static_cast<std::size_t>(side);
  for (int k = 0; k < cells; ++k) {
    const Pixel pixel = source[k];
    const PixelQuad quad = SplatQuad(pixel);
    for (std::size_t at = 0; at + QuadSize < width; at += QuadSize) {
      StoreQuad(dest + at, quad);
    }
    StoreQuad(dest + width - QuadSize, quad);
    dest += width;
  }
}

// Square sides with a drawing loop of their own; every other side takes the run-time one.
constexpr int AnySide = 0;

// Writes one pixel row of `cells` cells starting at unfolded column x. Within a 256-column
// span the cells are consecutive entries of one mapped grid row.
template <int S>
void CopyRun(Pixel* dest, int x, int cells, int side, const Pixel* upright, const Pixel* mirrored) {
  while (cells > 0) {
    const auto ux = static_cast<unsigned>(x);
    const unsigned column = ux & ByteMask;
    const int span = std::min(cells, static_cast<int>(GridSide - column));
    const Pixel* source = ((ux & SeamBit) != 0 ? mirrored : upright) + column;
    if constexpr (S == 1) {
      CopyPixels(dest, source, static_cast<std::size_t>(span));
    } else if constexpr (S == AnySide) {
      WidenPixels(dest, source, span, side);
    } else {
      WidenPixels<S>(dest, source, span);
    }
    dest += static_cast<std::ptrdiff_t>(span) * side;
    x += span;
    cells -= span;
  }
}

// The inner run of middle row j: cells 1 - nx .. nx - 2, which always lie inside the buffer.
// The pixel rows of a cell row are identical, so the first is built and copied side - 1 times.
template <int S>
void DrawInnerRun(FrameBuffer& buffer, const ViewGeometry& view, int j) {
  const int cells = 2 * view.nx - 2;
  if (cells <= 0) {
    return;
  }
  const int side = S == AnySide ? view.side : S;
  const auto gridY = static_cast<unsigned>(CentreCell + j);
  const Pixel* upright = g_mappedRows.Row(gridY & ByteMask);
  const Pixel* mirrored = g_mappedRows.Row((MirrorBase - gridY) & ByteMask);
  Pixel* first = RowStart(buffer, view.CellLeft(1 - view.nx), view.CellTop(j));
  CopyRun<S>(first, CentreCell + 1 - view.nx, cells, side, upright, mirrored);
  const std::size_t rowBytes =
      static_cast<std::size_t>(cells) * static_cast<std::size_t>(side) * sizeof(Pixel);
  for (int s = 1; s < side; ++s) {
    std::memcpy(first + static_cast<std::size_t>(s) * static_cast<std::size_t>(buffer.width), first,
                rowBytes);
  }
}

template <int S>
void DrawMaze(FrameBuffer& buffer, const MazeGrid& grid, const Palette& palette,
              const ViewGeometry& view) {
  const auto colourAt = [&](int i, int j) {
    return palette[grid[UnfoldedCell(CentreCell + i, CentreCell + j)]];
  };
  const auto drawCell = [&](int i, int j) {
    FillClipped(buffer, view.Square(i, j), colourAt(i, j));
  };
  const auto drawEdgeRow = [&](int j) {
    for (int i = -view.nx; i < view.nx; ++i) {
      drawCell(i, j);
    }
  };

  g_mappedRows.Begin(grid, palette);
  drawEdgeRow(-view.ny);
  for (int j = 1 - view.ny; j <= view.ny - 2; ++j) {
    drawCell(-view.nx, j);
    DrawInnerRun<S>(buffer, view, j);
    drawCell(view.nx - 1, j);
  }
  drawEdgeRow(view.ny - 1);
}

}  // namespace

void FillClipped(FrameBuffer& buffer, const CellRect& rect, Pixel pixel) {
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min(rect.right, buffer.width);
  const int bottom = std::min(rect.bottom, buffer.height);
  if (left >= right || top >= bottom) {
    return;
  }
  const auto count = static_cast<std::size_t>(right - left);
  for (int y = top; y < bottom; ++y) {
    std::fill_n(RowStart(buffer, left, y), count, pixel);
  }
}

void FillCellRect(FrameBuffer& buffer, int zoom, const CellRect& rect, Pixel pixel) {
  if (!buffer || buffer.width < 1 || buffer.height < 1) {
    return;
  }
  const bool whollyInside = rect.left >= 0 && rect.top >= 0 && rect.right <= buffer.width &&
                            rect.bottom <= buffer.height && rect.left < rect.right &&
                            rect.top < rect.bottom;
  if (whollyInside && !IsSupportedZoom(zoom)) {
    return;
  }
  FillClipped(buffer, rect, pixel);
}

void RenderMaze(FrameBuffer& buffer, const MazeGrid& grid, const Palette& palette, int zoom,
                int pixelScale) {
  if (!buffer || buffer.width < 1 || buffer.height < 1 ||
      std::int64_t{buffer.width} * buffer.height > MaxFramePixels) {
    return;
  }
  // No other zoom or scale is ever set; drawing nothing is the safe answer.
  if (!IsSupportedZoom(zoom) || !IsSupportedPixelScale(pixelScale)) {
    return;
  }
  const int side = zoom * pixelScale;
  const ViewGeometry view(buffer.width, buffer.height, side);
  switch (side) {
    case 1:
      DrawMaze<1>(buffer, grid, palette, view);
      break;
    case 2:
      DrawMaze<2>(buffer, grid, palette, view);
      break;
    case 3:
      DrawMaze<3>(buffer, grid, palette, view);
      break;
    default:
      DrawMaze<AnySide>(buffer, grid, palette, view);
      break;
  }
}

}  // namespace quillmoor
