// SPDX-License-Identifier: MIT
// The game view: the first stage, the title phase, the frame buffer, painting, re-entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include "app/child_view.h"
#include "dialogs/dlg_next_stage.h"
#include "game/game_world.h"
#include "game/key_codes.h"
#include "render/palette.h"
#include "render/title_wnd.h"
#include "resources/outcome_messages.h"
#include "tests/widgets/modal_answer.h"

namespace quillmoor {
namespace {

constexpr QRgb Sentinel = 0xFFFF00FFu;      // a colour the palette never yields
constexpr char16_t FullWidthFrom = 0x3000;  // CJK punctuation, kana, ideographs, full-width forms

std::vector<std::uint8_t> GridSnapshot() {
  const std::uint8_t* cells = ProcessGameWorld().grid.data();
  return std::vector<std::uint8_t>(cells, cells + CellCount);
}

std::pair<int, int> BufferSize(const CChildView& view) {
  return {view.frameBuffer().width, view.frameBuffer().height};
}

// Only what the view's own paint handler draws: no background, no children.
QImage PaintedByView(CChildView& view) {
  QImage image(view.size(), QImage::Format_ARGB32);
  image.fill(Sentinel);
  view.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  return image;
}

void RunTitlePhase(CChildView& view) {
  while (view.gameState().m_tickCount < TitleTicks - 1) {
    view.OnTimer();
  }
}

TEST(ChildViewCreation, StartsTheFirstStageWithTheTitleHidden) {
  CChildView view;
  // The stage itself is NewGame's; here only that the view started one on a fresh record.
  const GameState& state = view.gameState();
  EXPECT_EQ(state.m_hp, InitialHp);
  EXPECT_EQ(state.m_tickCount, 0);
  const MazeGrid& grid = ProcessGameWorld().grid;
  EXPECT_EQ(grid[StartCell] & ~CellAlien, CellPlayer);
  EXPECT_EQ(grid[GoalCell] & ~CellAlien, CellGoal | CellWall);
  for (const AlienSlot& alien : state.m_aliens) {
    EXPECT_TRUE(IsRoom(alien.cell)) << std::hex << alien.cell;
    EXPECT_EQ(alien.prevCell, alien.cell);
    EXPECT_TRUE(grid[alien.cell] & CellAlien) << std::hex << alien.cell;
  }

  EXPECT_FALSE(view.frameBuffer());
  ASSERT_NE(view.titleWnd(), nullptr);
  EXPECT_EQ(view.titleWnd()->parentWidget(), &view);
  EXPECT_TRUE(view.titleWnd()->isHidden());
}

TEST(ChildViewCreation, TimerDeliversTicks) {
  CChildView view;
  EXPECT_TRUE(QTest::qWaitFor([&] { return view.gameState().m_tickCount >= 2; }, 10000));
}

TEST(ChildViewTitle, ResizeCoversTheViewAndShowsTheTitle) {
  CChildView view;
  view.resize(640, 480);
  view.show();
  ASSERT_NE(view.titleWnd(), nullptr);
  EXPECT_TRUE(view.titleWnd()->isVisible());
  EXPECT_EQ(view.titleWnd()->geometry(), view.rect());
  EXPECT_EQ(BufferSize(view), std::pair(640, 480));

  view.findChild<CTitleWnd*>()->hide();  // the title a resize must show again
  view.resize(300, 200);
  EXPECT_TRUE(view.titleWnd()->isVisible());
  EXPECT_EQ(view.titleWnd()->geometry(), QRect(0, 0, 300, 200));
  EXPECT_EQ(BufferSize(view), std::pair(300, 200));
}

TEST(ChildViewTitle, OnlyTheFortiethTickEndsTheTitleAndPlays) {
  CChildView view;
  view.OnSize(320, 240);
  view.gameState().m_pendingKey = KeyR;
  const std::vector<std::uint8_t> before = GridSnapshot();
  const GameState start = view.gameState();

  RunTitlePhase(view);
  const GameState& state = view.gameState();
  EXPECT_EQ(state.m_tickCount, TitleTicks - 1);
  EXPECT_NE(view.titleWnd(), nullptr);
  EXPECT_EQ(state.m_elapsedCycles, 0);
  EXPECT_EQ(state.m_pendingKey, KeyR);
  EXPECT_EQ(state.m_hp, start.m_hp);
  for (int i = 0; i < AlienCount; ++i) {
    EXPECT_EQ(state.m_aliens[i].cell, start.m_aliens[i].cell);
  }
  EXPECT_TRUE(GridSnapshot() == before) << "the title phase changed the grid";

  view.OnTimer();
  EXPECT_EQ(state.m_tickCount, TitleTicks);
  EXPECT_EQ(view.titleWnd(), nullptr);
  EXPECT_EQ(view.findChild<CTitleWnd*>(), nullptr);
  EXPECT_EQ(state.m_elapsedCycles, 1);
  EXPECT_EQ(state.m_pendingKey, 0u);
  EXPECT_FALSE(GridSnapshot() == before) << "the first play tick carved nothing";

  view.OnSize(200, 100);
  EXPECT_EQ(view.findChild<CTitleWnd*>(), nullptr);
}

TEST(ChildViewFrameBuffer, SizesWithoutAreaOrMemoryLeaveNoBufferAndNoPicture) {
  CChildView view;
  view.resize(40, 30);
  PaintedByView(view);  // delivers the resize still pending on the hidden view
  const std::pair<int, int> unusable[] = {
      {0, 0},
      {0, 50},
      {-3, 20},
      {20, INT_MIN},
      {65536, 65536},  // 2^32 pixels: a 32-bit product wraps to zero
      {INT_MAX, 1},
      {INT_MAX, INT_MAX},
      {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX},
  };
  for (const auto& [cx, cy] : unusable) {
    view.OnSize(40, 30);
    ASSERT_TRUE(view.frameBuffer());
    view.OnSize(cx, cy);
    EXPECT_FALSE(view.frameBuffer()) << cx << " x " << cy;
    EXPECT_EQ(BufferSize(view), std::pair(0, 0)) << cx << " x " << cy;
    EXPECT_TRUE(PaintedByView(view).pixel(0, 0) == Sentinel) << cx << " x " << cy;
  }
  view.OnSize(1, 1);
  ASSERT_TRUE(view.frameBuffer());
  EXPECT_EQ(BufferSize(view), std::pair(1, 1));
}

TEST(ChildViewPaint, ShowsTheFrameBufferOneToOneAtTheTopLeft) {
  CChildView view;
  view.resize(37, 23);
  for (const QSize size : {QSize(37, 23), QSize(20, 9), QSize(37, 23)}) {
    for (const int zoom : {1, 2, 3}) {
      view.gameState().m_viewMode = zoom;
      view.OnSize(size.width(), size.height());
      const QImage painted = PaintedByView(view);
      const FrameBuffer& buffer = view.frameBuffer();
      ASSERT_EQ(buffer.width, size.width());
      ASSERT_EQ(buffer.height, size.height());
      bool sawRock = false;
      for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
          if (x >= buffer.width || y >= buffer.height) {
            ASSERT_EQ(painted.pixel(x, y), Sentinel) << x << "," << y;
            continue;
          }
          const Pixel pixel = buffer.pixels[static_cast<std::size_t>(y) * buffer.width + x];
          sawRock = sawRock || (pixel & ~PixelOpaque) == PixelRock;
          ASSERT_EQ(painted.pixel(x, y), pixel | 0xFF000000u)
              << x << "," << y << " at " << size.width() << " x " << size.height();
        }
      }
      EXPECT_TRUE(sawRock) << "the maze was not drawn before it was shown";
    }
  }
}

TEST(ChildViewReentry, TicksWhileADialogOfATickIsOpenDoNothing) {
  CChildView view;
  view.OnSize(64, 64);
  RunTitlePhase(view);
  view.OnTimer();
  ASSERT_EQ(view.titleWnd(), nullptr);

  const GameState& state = view.gameState();
  const int ticksBefore = state.m_tickCount;
  const int cyclesBefore = state.m_elapsedCycles;
  view.gameState().m_pendingKey = KeyV;
  QString caption;
  test::ModalAnswer answer([&](QWidget* dialog) {
    caption = dialog->windowTitle();
    const std::vector<std::uint8_t> grid = GridSnapshot();
    for (int i = 0; i < 3; ++i) {
      view.OnTimer();
    }
    QTest::qWait(120);  // the view's own timer keeps firing meanwhile
    EXPECT_EQ(state.m_tickCount, ticksBefore + 1);
    EXPECT_EQ(state.m_elapsedCycles, cyclesBefore + 1);
    EXPECT_TRUE(GridSnapshot() == grid) << "a nested tick moved the game";
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  view.OnTimer();
  ASSERT_TRUE(answer.answered()) << "key V opened no dialog";
  EXPECT_EQ(caption, QStringLiteral("バージョン情報 Quillmoor"));
  EXPECT_EQ(state.m_tickCount, ticksBefore + 1);

  view.OnTimer();
  EXPECT_EQ(state.m_tickCount, ticksBefore + 2) << "the guard stayed set after the dialog";
  EXPECT_EQ(state.m_elapsedCycles, cyclesBefore + 2);
}

TEST(ChildViewDialogs, NextStageDialogShowsTheReportAndReturnsItsResult) {
  CChildView view;
  const NextStageReport report{StageOutcome::OutOfHp, 1234, 56, 0, AlienCount};
  bool filled = false;
  test::ModalAnswer answer([&](QWidget* modal) {
    auto* dialog = dynamic_cast<CDlgNextStage*>(modal);
    ASSERT_NE(dialog, nullptr);
    filled = dialog->m_nElapsedCycle == 1234 && dialog->m_nSkippedCycle == 56 &&
             dialog->m_nCurrentHp == 0 && dialog->m_nNextStageAliens == AlienCount &&
             dialog->m_strMessageEn == QString::fromUtf8(OutcomeMessagesEn[2]);
    dialog->accept();
  });
  EXPECT_EQ(view.RunNextStageDialog(report), DialogResultOk);
  ASSERT_TRUE(answer.answered());
  EXPECT_TRUE(filled);
}

// The horizontal extent of the dark pixels in rows top..bottom - 1; empty when there are none.
struct Ink {
  int left = INT_MAX;
  int right = INT_MIN;
  int top = INT_MAX;
  int bottom = INT_MIN;
  bool empty() const { return left > right; }
  int centreX() const { return (left + right + 1) / 2; }
};

Ink InkIn(const QImage& image, int top, int bottom) {
  Ink ink;
  for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 96) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
  }
  return ink;
}

TEST(TitleScreen, HasItsSixLinesInTheirFacesBoxesAndPlacements) {
  const struct {
    const char16_t* text;
    QRect box;
    const char16_t* face;
    bool italic;
    Qt::Alignment placement;
  } expected[] = {
      {u"あなたにとって価値のあるものは何ですか？", QRect(100, 50, 400, 50), u"MS P 明朝", true,
       Qt::AlignHCenter},
      {u"Quillmoor", QRect(0, 100, 1200, 200), u"Century", true, Qt::AlignHCenter},
      {u"～Quillmoor～", QRect(0, 300, 1200, 100), u"MS P 明朝", false, Qt::AlignHCenter},
      {u"by Tobias Quill", QRect(700, 400, 400, 50), u"Century", true, Qt::AlignHCenter},
      {u"You can at least kill time.", QRect(600, 475, 500, 50), u"Century", true,
       Qt::AlignHCenter},
      {u"Copyright (C) 2026 Tobias Quill", QRect(500, 550, 600, 50), u"Century", false,
       Qt::AlignRight},
  };
  const CTitleWnd title;
  ASSERT_EQ(static_cast<std::size_t>(CTitleWnd::LineCount), std::size(expected));
  for (int i = 0; i < CTitleWnd::LineCount; ++i) {
    const CTitleWnd::TitleLine& line = title.lines()[i];
    EXPECT_EQ(line.text, QString::fromUtf16(expected[i].text)) << i;
    EXPECT_EQ(line.box, expected[i].box) << i;
    EXPECT_EQ(line.font.family(), QString::fromUtf16(expected[i].face)) << i;
    EXPECT_EQ(line.font.italic(), expected[i].italic) << i;
    EXPECT_EQ(line.alignment, expected[i].placement | Qt::AlignTop) << i;
  }
}

TEST(TitleScreen, LinesSitAtTheirBoxesOnTheWindowColour) {
  CTitleWnd title;
  title.resize(1216, 640);
  const QImage image = title.grab().toImage();
  EXPECT_EQ(image.pixel(2, 2), title.palette().color(QPalette::Base).rgb());
  EXPECT_TRUE(InkIn(image, 0, 50).empty()) << "ink above the first line";
  EXPECT_TRUE(InkIn(image, 600, image.height()).empty()) << "ink below the last line";

  const struct {
    int top;
    int height;
    int centreX;  // 0 for the right-aligned line
    int averageWidth;
  } expected[] = {
      {50, 40, 300, 15},  {100, 140, 600, 35}, {300, 80, 600, 30},
      {400, 40, 900, 10}, {475, 40, 850, 10},  {550, 40, 0, 10},
  };
  for (int i = 0; i < CTitleWnd::LineCount; ++i) {
    const auto& line = expected[i];
    const Ink ink = InkIn(image, line.top, line.top + line.height);
    ASSERT_FALSE(ink.empty()) << "no text at y = " << line.top;
    // Text starts at the top of its box and stays inside its cell height.
    EXPECT_LE(ink.top, line.top + line.height / 3) << line.top;
    EXPECT_LT(ink.bottom, line.top + line.height) << line.top;
    if (line.centreX != 0) {
      EXPECT_NEAR(ink.centreX(), line.centreX, 6) << line.top;
    } else {
      EXPECT_LE(ink.right, 1100);
      EXPECT_GE(ink.right, 1100 - 12);
    }
    // The average character width sets the line length, within a proportional font's spread;
    // a full-width character takes two average widths.
    int units = 0;
    for (const QChar c : title.lines()[i].text) {
      units += c.unicode() >= FullWidthFrom ? 2 : 1;
    }
    const int length = units * line.averageWidth;
    EXPECT_GT(ink.right - ink.left, length * 6 / 10) << line.top;
    EXPECT_LT(ink.right - ink.left, length * 14 / 10) << line.top;
  }
}

}  // namespace
}  // namespace quillmoor
