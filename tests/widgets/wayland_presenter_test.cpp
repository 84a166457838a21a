// SPDX-License-Identifier: MIT
// The Wayland presenter against a real compositor (run under sway and mutter, see CMakeLists.txt;
// skipped on other platforms): every commit hands over exactly the frame buffer as it is, from
// whichever buffer the compositor has let go of, and at most one commit goes per frame it shows.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <random>

#include "app/wayland_presenter.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "tests/widgets/frame_callbacks.h"

namespace quillmoor {
namespace {

constexpr QSize ViewSize(320, 240);
constexpr int Presents = 600;
constexpr int SquaresPerPresent = 12;
constexpr int MaxSquareSide = 9;
constexpr int EnoughFramesShown = 10;
constexpr std::size_t MostBuffers = 3;

bool OnWayland() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void ExpectCommittedTheFrameBuffer(const WaylandPresenter& presenter, const FrameBuffer& frame,
                                   int present) {
  const WaylandShmBuffer* committed = presenter.lastShown();
  ASSERT_NE(committed, nullptr);
  ASSERT_EQ(committed->width(), frame.width);
  ASSERT_EQ(committed->height(), frame.height);
  const std::size_t count = std::size_t(frame.width) * std::size_t(frame.height);
  const auto differs =
      std::mismatch(frame.pixels.get(), frame.pixels.get() + count, committed->pixels());
  ASSERT_EQ(differs.first, frame.pixels.get() + count)
      << "pixel " << (differs.first - frame.pixels.get()) << " committed as " << std::hex
      << *differs.second << " for " << *differs.first << std::dec << ", present " << present << ", "
      << presenter.commits() << " commits";
}

// A shown window with a presenter and a frame buffer of its size, the whole of it presented.
class PresentedWindow {
 public:
  PresentedWindow() {
    view_.setAttribute(Qt::WA_OpaquePaintEvent);
    view_.resize(ViewSize);
    view_.show();
  }
  ~PresentedWindow() { test::LetFrameCallbacksArrive(); }
  PresentedWindow(const PresentedWindow&) = delete;
  PresentedWindow& operator=(const PresentedWindow&) = delete;

  // False when the compositor or the presenter is missing.
  bool Start() {
    if (!QTest::qWaitForWindowExposed(&view_)) {
      return false;
    }
    presenter_ = WaylandPresenter::Create(view_);
    const QSize device = ViewSize * view_.devicePixelRatio();
    if (presenter_ == nullptr ||
        !ResizeFrameBuffer(frame_, device.width(), device.height(), PixelOpaque)) {
      return false;
    }
    damage_.Reset(frame_.width, frame_.height);
    damage_.AddAll();
    return Present();
  }

  // Paints a few squares of new colours into the frame buffer, as a tick does.
  void PaintSquares() {
    std::uniform_int_distribution<int> column(0, frame_.width - 1);
    std::uniform_int_distribution<int> row(0, frame_.height - 1);
    std::uniform_int_distribution<int> side(1, MaxSquareSide);
    damage_.Reset(frame_.width, frame_.height);
    for (int square = 0; square < SquaresPerPresent; ++square) {
      const int left = column(engine_);
      const int top = row(engine_);
      const CellRect rect{left, top, std::min(left + side(engine_), frame_.width),
                          std::min(top + side(engine_), frame_.height)};
      const Pixel colour = Pixel(engine_()) | PixelOpaque;
      for (int y = rect.top; y < rect.bottom; ++y) {
        std::fill_n(frame_.pixels.get() + std::size_t(y) * std::size_t(frame_.width) + rect.left,
                    rect.right - rect.left, colour);
      }
      damage_.Add(rect);
    }
  }

  bool Present() { return presenter_->Present(frame_, damage_, view_.devicePixelRatio()); }

  WaylandPresenter& presenter() { return *presenter_; }
  const FrameBuffer& frame() const { return frame_; }

 private:
  QWidget view_;
  std::unique_ptr<WaylandPresenter> presenter_;
  FrameBuffer frame_;
  DamageTiles damage_;
  std::mt19937 engine_{5};
};

// Presents every millisecond, as the fastest period does; whenever a commit went out, the buffer
// it handed over must be the frame buffer of that moment, and commits keep to the frames shown.
TEST(WaylandPresenter, CommitsAtMostOncePerFrameShownAndEachHandsOverTheWholeFrame) {
  if (!OnWayland()) {
    GTEST_SKIP() << "needs a Wayland compositor";
  }
  PresentedWindow window;
  ASSERT_TRUE(window.Start());
  WaylandPresenter& presenter = window.presenter();
  ExpectCommittedTheFrameBuffer(presenter, window.frame(), 0);
  for (int present = 1; present <= Presents && !HasFailure(); ++present) {
    window.PaintSquares();
    int commits = presenter.commits();
    ASSERT_TRUE(window.Present());
    if (presenter.commits() != commits) {
      ExpectCommittedTheFrameBuffer(presenter, window.frame(), present);
    }
    // Frame callbacks and releases arrive meanwhile, and may commit what was held back.
    commits = presenter.commits();
    QTest::qWait(1);
    if (presenter.commits() != commits) {
      ExpectCommittedTheFrameBuffer(presenter, window.frame(), present);
    }
    EXPECT_LE(presenter.commits(), presenter.framesShown() + 1);
  }
  EXPECT_GE(presenter.framesShown(), EnoughFramesShown) << "the compositor showed no frames";
  EXPECT_LT(presenter.commits(), Presents / 2) << "commits were not paced by the frames shown";
  presenter.ShowHeldBack();
  ExpectCommittedTheFrameBuffer(presenter, window.frame(), Presents);
}

// Commits forced before the compositor's releases are taken in (as before a dialog) go to other
// buffers in turn: each must first copy what the others showed meanwhile.
TEST(WaylandPresenter, BuffersTakenInTurnCatchUpOnWhatTheOthersShowed) {
  if (!OnWayland()) {
    GTEST_SKIP() << "needs a Wayland compositor";
  }
  PresentedWindow window;
  ASSERT_TRUE(window.Start());
  WaylandPresenter& presenter = window.presenter();
  for (int present = 1; present <= Presents / 4 && !HasFailure(); ++present) {
    window.PaintSquares();
    ASSERT_TRUE(window.Present());
    presenter.ShowHeldBack();
    ExpectCommittedTheFrameBuffer(presenter, window.frame(), present);
    EXPECT_LE(presenter.bufferCount(), MostBuffers);
    if (present % 7 == 0) {
      QCoreApplication::processEvents();
    }
  }
  EXPECT_GT(presenter.bufferCount(), 1U) << "no commit found its last buffer still held";
}

// A window hidden and shown again gets a new surface from Qt; the picture follows it.
TEST(WaylandPresenter, FollowsTheWindowWhenItIsHiddenAndShownAgain) {
  if (!OnWayland()) {
    GTEST_SKIP() << "needs a Wayland compositor";
  }
  QWidget view;
  const test::FrameCallbacksArriveFirst beforeTheViewGoes;
  view.setAttribute(Qt::WA_OpaquePaintEvent);
  view.resize(ViewSize);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  std::unique_ptr<WaylandPresenter> presenter = WaylandPresenter::Create(view);
  ASSERT_NE(presenter, nullptr);
  const QSize device = ViewSize * view.devicePixelRatio();
  FrameBuffer frame;
  ASSERT_TRUE(ResizeFrameBuffer(frame, device.width(), device.height(), PixelOpaque | 0x123456));
  DamageTiles damage;
  damage.Reset(frame.width, frame.height);
  ASSERT_TRUE(presenter->Present(frame, damage, view.devicePixelRatio()));
  ASSERT_TRUE(presenter->coversQtPainting());

  test::LetFrameCallbacksArrive();
  view.hide();
  QCoreApplication::processEvents();
  EXPECT_FALSE(presenter->coversQtPainting());
  EXPECT_FALSE(presenter->Present(frame, damage, view.devicePixelRatio()));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  const int commits = presenter->commits();
  // Nothing changed, yet the new surface must get the whole picture.
  ASSERT_TRUE(presenter->Present(frame, damage, view.devicePixelRatio()));
  EXPECT_GT(presenter->commits(), commits);
  ExpectCommittedTheFrameBuffer(*presenter, frame, 1);
}

}  // namespace
}  // namespace quillmoor
