// SPDX-License-Identifier: MIT
// The picture kept up to date cell by cell must equal a whole new picture, and the damage must
// cover every pixel that changed with few rectangles.
#include "render/picture_updater.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "render/maze_renderer.h"

namespace quillmoor {
namespace {

std::vector<Pixel> Pixels(const FrameBuffer& buffer) {
  return {buffer.pixels.get(),
          buffer.pixels.get() + std::size_t(buffer.width) * std::size_t(buffer.height)};
}

bool Covered(const std::vector<CellRect>& rects, int x, int y) {
  return std::any_of(rects.begin(), rects.end(), [&](const CellRect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  });
}

void ExpectDisjointInside(const std::vector<CellRect>& rects, const FrameBuffer& buffer) {
  ASSERT_LE(int(rects.size()), MaxDamageRects);
  for (std::size_t a = 0; a < rects.size(); ++a) {
    const CellRect& r = rects[a];
    ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= buffer.width && r.bottom <= buffer.height &&
                r.left < r.right && r.top < r.bottom);
    for (std::size_t b = a + 1; b < rects.size(); ++b) {
      const CellRect& o = rects[b];
      ASSERT_TRUE(r.right <= o.left || o.right <= r.left || r.bottom <= o.top || o.bottom <= r.top);
    }
  }
}

class PictureUpdates : public ::testing::Test {
 protected:
  PictureUpdates() {
    for (Pixel flags = 0; flags < 256; ++flags) {
      palette_[flags] = 0xFF000000u | flags << 8 | (255 - flags);
    }
  }

  void Mutate(int cells) {
    for (int k = 0; k < cells; ++k) {
      grid_[CellId(engine_())] = std::uint8_t(engine_());
    }
  }

  // One update, checked against a whole picture drawn into a fresh black buffer and against the
  // pixels it changed.
  void UpdateAndCheck(const char* when) {
    const std::vector<Pixel> before = Pixels(buffer_);
    updater_.Update(buffer_, grid_, palette_, zoom_, scale_, damage_);
    FrameBuffer reference;
    ASSERT_TRUE(ResizeFrameBuffer(reference, buffer_.width, buffer_.height));
    RenderMaze(reference, grid_, palette_, zoom_, scale_);
    ASSERT_EQ(Pixels(buffer_), Pixels(reference))
        << when << " at " << buffer_.width << " x " << buffer_.height << ", zoom " << zoom_
        << ", scale " << scale_;
    const std::vector<CellRect>& rects = damage_.Rects();
    ExpectDisjointInside(rects, buffer_);
    const std::vector<Pixel> after = Pixels(buffer_);
    for (int y = 0; y < buffer_.height; ++y) {
      for (int x = 0; x < buffer_.width; ++x) {
        const std::size_t i = std::size_t(y) * std::size_t(buffer_.width) + std::size_t(x);
        if (before[i] != after[i]) {
          ASSERT_TRUE(Covered(rects, x, y)) << when << ": pixel " << x << ", " << y;
        }
      }
    }
  }

  // What the view does on a resize and on a new cell size: a fresh or cleared buffer.
  void NewBuffer(int width, int height) {
    ASSERT_TRUE(ResizeFrameBuffer(buffer_, width, height));
    updater_.Invalidate();
  }

  std::mt19937 engine_{7};
  MazeGrid grid_;
  Palette palette_{};
  FrameBuffer buffer_;
  PictureUpdater updater_;
  DamageTiles damage_;
  int zoom_ = 1;
  int scale_ = 1;
};

// Ticks of a few dozen changed cells, stage ends that change most cells, zoom and scale
// changes and resizes, in one long run.
TEST_F(PictureUpdates, EqualAWholePictureAfterEveryChange) {
  const std::tuple<int, int> sizes[] = {{300, 200}, {1, 1},    {7, 600},  {513, 257},
                                        {640, 480}, {1030, 9}, {260, 270}};
  std::uniform_int_distribution<int> cellsChanged(0, 90);
  for (const auto& [width, height] : sizes) {
    NewBuffer(width, height);
    for (int step = 0; step < 150; ++step) {
      if (step % 50 == 25) {
        zoom_ = 1 + step % 3;
        scale_ = 1 + (step / 3) % 3;
        ClearFrameBuffer(buffer_);
        updater_.Invalidate();
      }
      Mutate(step % 40 == 39 ? 20000 : cellsChanged(engine_));
      UpdateAndCheck("after a tick");
    }
    updater_.Update(buffer_, grid_, palette_, zoom_, scale_, damage_);
    EXPECT_TRUE(damage_.Rects().empty()) << "nothing changed, nothing to show";
  }
}

TEST(DamageTiles, ScatteredSquaresStaySmallAndEverythingIsOneRectangle) {
  DamageTiles damage;
  damage.Reset(1920, 1080);
  EXPECT_TRUE(damage.empty());
  damage.Add({5, 5, 6, 6});
  damage.Add({900, 500, 903, 503});
  damage.Add({1919, 1079, 1925, 1090});
  damage.Add({-50, -50, -1, -1});
  const std::vector<CellRect>& few = damage.Rects();
  EXPECT_EQ(few.size(), 3u);
  long area = 0;
  for (const CellRect& r : few) {
    area += long(r.right - r.left) * (r.bottom - r.top);
  }
  EXPECT_LE(area, 3 * 16 * 16);

  damage.Reset(1920, 1080);
  std::mt19937 engine(3);
  for (int k = 0; k < 3000; ++k) {
    const int x = int(engine() % 1920);
    const int y = int(engine() % 1080);
    damage.Add({x, y, x + 1, y + 1});
  }
  EXPECT_LE(int(damage.Rects().size()), MaxDamageRects);

  damage.Reset(640, 480);
  damage.Add({1, 1, 2, 2});
  damage.AddAll();
  ASSERT_EQ(damage.Rects().size(), 1u);
  EXPECT_EQ(damage.Rects()[0].right, 640);
  EXPECT_EQ(damage.Rects()[0].bottom, 480);
}

}  // namespace
}  // namespace quillmoor
