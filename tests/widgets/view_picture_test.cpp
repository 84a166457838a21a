// SPDX-License-Identifier: MIT
// The view draws only what a tick changed: after every tick its frame buffer, and what it gave
// the window system, must be exactly a whole new picture of the same grid.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QDialog>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <vector>

#include "app/child_view.h"
#include "app/wayland_presenter.h"
#include "game/game_world.h"
#include "game/key_codes.h"
#include "render/device_pixels.h"
#include "render/maze_renderer.h"
#include "render/palette.h"
#include "tests/support/random_source_test_access.h"
#include "tests/widgets/frame_callbacks.h"
#include "tests/widgets/modal_answer.h"

namespace quillmoor {
namespace {

constexpr int Ticks = 2500;
constexpr std::uint32_t PlayKeys[] = {KeyLeft,  KeyUp,     KeyRight,      KeyDown,
                                      KeySpace, KeyDigit1, KeyDigit1 + 1, KeyDigit1 + 2,
                                      KeyN,     KeyF,      KeyW,          KeyR};
const QSize Sizes[] = {{300, 200}, {257, 129}, {64, 300}, {411, 97}};

class PictureCheck {
 public:
  explicit PictureCheck(CChildView& view) : view_(view) {}

  // The frame buffer against a whole picture drawn into a fresh black buffer.
  void ExpectWholePicture(int tick) {
    const FrameBuffer& shown = view_.frameBuffer();
    ASSERT_TRUE(shown);
    FrameBuffer reference;
    ASSERT_TRUE(ResizeFrameBuffer(reference, shown.width, shown.height, PixelOpaque));
    RenderMaze(reference, ProcessGameWorld().grid, palette_, view_.gameState().m_viewMode,
               PixelScaleForRatio(view_.devicePixelRatioF()));
    const std::size_t bytes = std::size_t(shown.width) * std::size_t(shown.height) * sizeof(Pixel);
    const std::size_t count = bytes / sizeof(Pixel);
    const auto differs =
        std::mismatch(shown.pixels.get(), shown.pixels.get() + count, reference.pixels.get());
    ASSERT_EQ(differs.first, shown.pixels.get() + count)
        << "pixel " << (differs.first - shown.pixels.get()) << " shows " << std::hex
        << *differs.first << " for " << *differs.second << std::dec << ", tick " << tick
        << " at zoom " << view_.gameState().m_viewMode << ", " << shown.width << " x "
        << shown.height;
  }

  // What the window system was given: the view's pixels in its back buffer, or in the buffer
  // last committed to the Wayland compositor where that lies over the view.
  void ExpectWindowShowsTheBuffer(int tick) {
    if (auto* wayland = dynamic_cast<WaylandPresenter*>(view_.presenter());
        wayland != nullptr && wayland->coversQtPainting()) {
      ExpectCompositorHasTheBuffer(*wayland, tick);
      return;
    }
    auto* store = dynamic_cast<QImage*>(view_.backingStore()->paintDevice());
    ASSERT_NE(store, nullptr);
    const FrameBuffer& shown = view_.frameBuffer();
    const int width = std::min(store->width(), shown.width);
    const int height = std::min(store->height(), shown.height);
    for (int y = 0; y < height; ++y) {
      const Pixel* row = shown.pixels.get() + std::size_t(y) * std::size_t(shown.width);
      ASSERT_EQ(std::memcmp(store->constScanLine(y), row, std::size_t(width) * sizeof(Pixel)), 0)
          << "tick " << tick << ", row " << y;
    }
  }

  void ExpectCompositorHasTheBuffer(WaylandPresenter& presenter, int tick) {
    presenter.ShowHeldBack();
    const WaylandShmBuffer* committed = presenter.lastShown();
    ASSERT_NE(committed, nullptr) << "tick " << tick;
    const FrameBuffer& shown = view_.frameBuffer();
    ASSERT_EQ(committed->width(), shown.width);
    ASSERT_EQ(committed->height(), shown.height);
    const std::size_t count = std::size_t(shown.width) * std::size_t(shown.height);
    const auto differs =
        std::mismatch(shown.pixels.get(), shown.pixels.get() + count, committed->pixels());
    ASSERT_EQ(differs.first, shown.pixels.get() + count)
        << "the compositor's pixel " << (differs.first - shown.pixels.get()) << " is " << std::hex
        << *differs.second << " for " << *differs.first << std::dec << ", tick " << tick;
  }

 private:
  CChildView& view_;
  const Palette palette_ = OpaquePalette(ProcessPalette());
};

// Scripted random bytes make the run the same every time; keys, zoom changes, S, resizes and
// stage ends come in between the ticks. Run also on scaled screens (see CMakeLists.txt).
TEST(ViewPicture, EveryTickShowsExactlyAWholePicture) {
  std::mt19937 engine(11);
  std::vector<std::uint8_t> bytes(1 << 16);
  for (std::uint8_t& byte : bytes) {
    byte = std::uint8_t(engine());
  }
  ScopedByteScript script(ProcessGameWorld().random, bytes);
  CChildView view;
  const test::FrameCallbacksArriveFirst beforeTheViewGoes;
  view.resize(Sizes[0]);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  PictureCheck check(view);
  GameState& state = view.gameState();
  while (state.m_tickCount < TitleTicks - 1) {
    view.OnTimer();
  }
  std::uniform_int_distribution<std::size_t> key(0, std::size(PlayKeys) - 1);
  for (int tick = 0; tick < Ticks; ++tick) {
    if (tick % 600 == 599) {
      view.resize(Sizes[(tick / 600 + 1) % std::size(Sizes)]);
      QCoreApplication::processEvents();
    }
    // Esc ends the stage: OK on its dialog starts a new one, a close without OK plays on.
    std::optional<test::ModalAnswer> answer;
    bool newStage = false;
    if (tick % 700 == 350) {
      newStage = tick % 1400 == 350;
      answer.emplace([newStage](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        newStage ? dialog->accept() : dialog->reject();
      });
      state.m_pendingKey = KeyEscape;
    } else {
      state.m_pendingKey = tick % 900 == 100 ? KeyS : PlayKeys[key(engine)];
    }
    view.OnTimer();
    // A new stage starts after the tick's repaint: its picture comes with the next tick.
    if (newStage) {
      continue;
    }
    check.ExpectWholePicture(tick);
    check.ExpectWindowShowsTheBuffer(tick);
    if (HasFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace quillmoor
