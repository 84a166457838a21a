// SPDX-License-Identifier: MIT
// Pixel-exact tests of the maze picture, checked against a plain per-cell renderer kept here.
#include "render/maze_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "game/maze_grid.h"

namespace quillmoor {
namespace {

constexpr Pixel Unwritten = 0xDEADBEEF;  // no palette entry has a nonzero top byte

using Spot = std::pair<int, int>;  // (x, y)
using Box = std::array<int, 4>;    // left, top, right, bottom; right and bottom exclusive

FrameBuffer BlankBuffer(int width, int height) {
  FrameBuffer buffer;
  EXPECT_TRUE(ResizeFrameBuffer(buffer, width, height));
  std::fill_n(buffer.pixels.get(), std::size_t(width) * std::size_t(height), Unwritten);
  return buffer;
}

Pixel At(const FrameBuffer& buffer, int x, int y) {
  return buffer.pixels[std::size_t(y) * std::size_t(buffer.width) + std::size_t(x)];
}

std::set<Spot> SpotsShowing(const FrameBuffer& buffer, Pixel colour) {
  std::set<Spot> spots;
  for (int y = 0; y < buffer.height; ++y) {
    for (int x = 0; x < buffer.width; ++x) {
      if (At(buffer, x, y) == colour) {
        spots.insert({x, y});
      }
    }
  }
  return spots;
}

// The bounding box of the written pixels (all zero when none); fails when it has holes.
Box WrittenArea(const FrameBuffer& buffer) {
  Box box{INT_MAX, INT_MAX, 0, 0};
  long written = 0;
  for (int y = 0; y < buffer.height; ++y) {
    for (int x = 0; x < buffer.width; ++x) {
      if (At(buffer, x, y) != Unwritten) {
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1),
               std::max(box[3], y + 1)};
        ++written;
      }
    }
  }
  if (written == 0) {
    return {};
  }
  EXPECT_EQ(written, long(box[2] - box[0]) * (box[3] - box[1])) << "holes in the written area";
  return box;
}

// Every cell square of the view, clipped pixel by pixel; the copies an odd number of
// 256-column blocks away from the centre copy are mirrored top to bottom.
std::vector<Pixel> ReferencePicture(int width, int height, int zoom, const MazeGrid& grid,
                                    const Palette& palette) {
  std::vector<Pixel> picture(std::size_t(width) * std::size_t(height), Unwritten);
  const int left = width / 2 - zoom / 2;
  const int top = height / 2 - zoom / 2;
  const int nx = left / zoom + 1;
  const int ny = top / zoom + 1;
  for (int j = -ny; j < ny; ++j) {
    for (int i = -nx; i < nx; ++i) {
      const int copy = 128 + i >= 0 ? (128 + i) / 256 : -((127 - i) / 256);
      const int column = 128 + i - 256 * copy;
      const int row = copy % 2 != 0 ? 254 - (128 + j) : 128 + j;
      const Pixel colour = palette[grid[MakeCell(unsigned(row), unsigned(column))]];
      for (int y = std::max(top + zoom * j, 0); y < std::min(top + zoom * (j + 1), height); ++y) {
        for (int x = std::max(left + zoom * i, 0); x < std::min(left + zoom * (i + 1), width);
             ++x) {
          picture[std::size_t(y) * std::size_t(width) + std::size_t(x)] = colour;
        }
      }
    }
  }
  return picture;
}

TEST(UnfoldedCell, WorkedPositions) {
  const std::tuple<int, int, CellId> cases[] = {
      {128, 128, 0x8080}, {255, 0, 0x00FF},  {256, 0, 0xFE00},
      {256, 10, 0xF400},  {-1, 10, 0xF4FF},  {512, 10, 0x0A00},
      {-257, 10, 0x0AFF}, {300, -5, 0x032C}, {0, 255, 0xFF00},
  };
  for (const auto& [x, y, cell] : cases) {
    EXPECT_EQ(UnfoldedCell(x, y), cell) << x << ", " << y;
  }
}

// Column 0 of the centre copy is plain, and each step right on the plane is the grid's own
// StepRight; together these fix every position, on both sides of every seam.
TEST(UnfoldedCell, WalksLikeTheGridSteps) {
  for (int y = -300; y <= 300; y += 7) {
    ASSERT_EQ(UnfoldedCell(0, y), MakeCell(unsigned(y), 0));
    for (int x = -1100; x <= 1100; ++x) {
      ASSERT_EQ(UnfoldedCell(x + 1, y), StepRight(UnfoldedCell(x, y))) << x << ", " << y;
    }
  }
}

TEST(FillCellRect, WritesTheSquareOrItsPartInsideTheBuffer) {
  const std::tuple<int, CellRect, Box> cases[] = {
      {1, {2, 3, 3, 4}, {2, 3, 3, 4}},
      {2, {4, 3, 6, 5}, {4, 3, 6, 5}},
      {3, {0, 0, 3, 3}, {0, 0, 3, 3}},
      {2, {-1, -1, 1, 1}, {0, 0, 1, 1}},
      {3, {4, 3, 7, 6}, {4, 3, 6, 5}},
      {3, {6, 0, 9, 3}, {}},
      {3, {3, 3, 1, 1}, {}},
      {4, {1, 1, 5, 5}, {}},
      {0, {2, 2, 2, 2}, {}},
      {4, {-2, -2, 2, 2}, {0, 0, 2, 2}},
      {1, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 6, 5}},
  };
  for (const auto& [zoom, rect, written] : cases) {
    FrameBuffer buffer = BlankBuffer(6, 5);
    FillCellRect(buffer, zoom, rect, 0x123456);
    EXPECT_EQ(WrittenArea(buffer), written) << "zoom " << zoom << ", left " << rect.left;
  }
  FrameBuffer none;
  FillCellRect(none, 1, {0, 0, 1, 1}, 0x123456);
}

class MazePicture : public ::testing::Test {
 protected:
  MazePicture() {
    for (Pixel flags = 0; flags < 256; ++flags) {
      palette_[flags] = flags << 8 | (255 - flags);  // a colour of its own for each flag byte
    }
    RandomiseGrid(1);
  }

  void RandomiseGrid(unsigned seed) {
    std::mt19937 engine(seed);
    for (int cell = 0; cell < CellCount; ++cell) {
      grid_[CellId(cell)] = std::uint8_t(engine());
    }
  }

  FrameBuffer Render(int width, int height, int zoom) {
    FrameBuffer buffer = BlankBuffer(width, height);
    RenderMaze(buffer, grid_, palette_, zoom);
    return buffer;
  }

  void ExpectLikeReference(int width, int height, int zoom) {
    const FrameBuffer buffer = Render(width, height, zoom);
    const auto expected = ReferencePicture(width, height, zoom, grid_, palette_);
    const auto difference = std::mismatch(expected.begin(), expected.end(), buffer.pixels.get());
    ASSERT_TRUE(difference.first == expected.end())
        << width << " x " << height << " at zoom " << zoom << " differs at pixel "
        << (difference.first - expected.begin());
  }

  // Gives the cell a flag byte no other cell has and returns the colour it shows.
  Pixel Mark(CellId cell, std::uint8_t flags) {
    grid_[cell] = flags;
    return palette_[flags];
  }

  MazeGrid grid_;
  Palette palette_{};
};

TEST_F(MazePicture, Zoom1At640x480ShowsEveryCopyOfStartAndGoal) {
  grid_.Fill(0);
  const Pixel start = Mark(StartCell, 0x11);
  const Pixel goal = Mark(GoalCell, 0x22);
  const Pixel centre = Mark(0x8080, 0x33);
  const Pixel corner = Mark(0x6E40, 0x44);
  const FrameBuffer buffer = Render(640, 480, 1);
  EXPECT_EQ(WrittenArea(buffer), (Box{0, 0, 640, 480}));
  EXPECT_EQ(SpotsShowing(buffer, start),
            (std::set<Spot>{{320, 176}, {320, 432}, {64, 46}, {64, 302}, {576, 46}, {576, 302}}));
  EXPECT_EQ(SpotsShowing(buffer, goal),
            (std::set<Spot>{{384, 48}, {384, 304}, {128, 174}, {128, 430}}));
  EXPECT_EQ(At(buffer, 320, 240), centre);
  EXPECT_EQ(At(buffer, 0, 0), corner);
}

TEST_F(MazePicture, Zoom2At100x100LeavesTheLastColumnAndRow) {
  grid_.Fill(0);
  const Pixel centre = Mark(0x8080, 0x33);
  const Pixel corner = Mark(0x6767, 0x44);
  const FrameBuffer buffer = Render(100, 100, 2);
  EXPECT_EQ(WrittenArea(buffer), (Box{0, 0, 99, 99}));
  EXPECT_EQ(SpotsShowing(buffer, centre), (std::set<Spot>{{49, 49}, {50, 49}, {49, 50}, {50, 50}}));
  EXPECT_EQ(SpotsShowing(buffer, corner), (std::set<Spot>{{0, 0}}));
}

TEST_F(MazePicture, EdgeStripsAndOtherZoomsStayUnwritten) {
  EXPECT_EQ(WrittenArea(Render(640, 480, 3)), (Box{0, 0, 640, 479}));
  EXPECT_EQ(WrittenArea(Render(101, 102, 2)), (Box{0, 0, 99, 102}));
  EXPECT_EQ(WrittenArea(Render(102, 100, 3)), (Box{0, 0, 101, 100}));
  EXPECT_EQ(At(Render(1, 1, 1), 0, 0), palette_[grid_[0x8080]]);
  for (const int zoom : {0, 4, -1, INT_MIN}) {
    EXPECT_EQ(WrittenArea(Render(50, 40, zoom)), Box{}) << zoom;
  }
  FrameBuffer none;
  RenderMaze(none, grid_, palette_, 1);
}

TEST_F(MazePicture, MatchesTheReferenceForEverySmallSize) {
  for (int zoom = 1; zoom <= 3; ++zoom) {
    for (int height = 1; height <= 40; ++height) {
      for (int width = 1; width <= 40; ++width) {
        ExpectLikeReference(width, height, zoom);
      }
    }
  }
}

// On scaled screens a cell is zoom x scale device pixels square: the same picture with larger
// cells, for the templated sides and the run-time one alike.
TEST_F(MazePicture, ScaledScreensDrawLargerSquaresOfTheSamePicture) {
  const Spot sizes[] = {{1, 1}, {7, 9}, {13, 200}, {640, 480}, {1921, 1079}, {3001, 17}};
  unsigned seed = 40;
  for (int scale = 1; scale <= MaxPixelScale; ++scale) {
    for (int zoom = 1; zoom <= 3; ++zoom) {
      for (const auto& [width, height] : sizes) {
        RandomiseGrid(seed++);
        FrameBuffer buffer = BlankBuffer(width, height);
        RenderMaze(buffer, grid_, palette_, zoom, scale);
        const auto expected = ReferencePicture(width, height, zoom * scale, grid_, palette_);
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), buffer.pixels.get()))
            << width << " x " << height << ", zoom " << zoom << ", scale " << scale;
      }
    }
  }
  for (const int scale : {0, -1, MaxPixelScale + 1, INT_MAX}) {
    FrameBuffer buffer = BlankBuffer(50, 40);
    RenderMaze(buffer, grid_, palette_, 1, scale);
    EXPECT_EQ(WrittenArea(buffer), Box{}) << scale;
  }
}

// Narrow views have an empty inner run; the grid and palette change between frames.
TEST_F(MazePicture, MatchesTheReferenceForLargeAndNarrowSizes) {
  const Spot sizes[] = {{640, 480}, {1920, 1080}, {1921, 1079}, {513, 257}, {1025, 769},
                        {1, 700},   {5, 600},     {7, 601},     {8, 300},   {2000, 3}};
  unsigned seed = 2;
  for (int zoom = 1; zoom <= 3; ++zoom) {
    std::reverse(palette_.begin(), palette_.end());
    for (const auto& [width, height] : sizes) {
      RandomiseGrid(seed++);
      ExpectLikeReference(width, height, zoom);
    }
  }
}

}  // namespace
}  // namespace quillmoor
