// SPDX-License-Identifier: MIT
// Pause in the game view: no timer while paused, counters still, keys kept for the first tick
// after, the title phase held, the period kept; and the frame's title and keys around it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <QTest>

#include "app/main_frame.h"
#include "game/game_world.h"
#include "game/key_codes.h"
#include "tests/widgets/modal_answer.h"

namespace quillmoor {
namespace {

constexpr int FastestPeriodMs = 1;
constexpr int HourPeriodMs = 60 * 60 * 1000;
// Long enough for hundreds of 1 ms timer events; only their absence is asserted after it.
constexpr int QuietMs = 150;

const QString Running = QStringLiteral("Quillmoor");
const QString Paused = QStringLiteral("Quillmoor — 一時停止 Paused");

// Counts the wake-ups of the view's timer, whichever kind it is: the timer events Qt's timer
// sends the view, or the activations of the timerfd's socket notifier.
class TimerEventCounter : public QObject {
  Q_OBJECT

 public:
  explicit TimerEventCounter(QWidget& view) : view_(view) { qApp->installEventFilter(this); }
  ~TimerEventCounter() override { qApp->removeEventFilter(this); }
  TimerEventCounter(const TimerEventCounter&) = delete;
  TimerEventCounter& operator=(const TimerEventCounter&) = delete;

  int events = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool viewTimer = watched == &view_ && event->type() == QEvent::Timer;
    const bool timerfd =
        event->type() == QEvent::SockAct && qobject_cast<QSocketNotifier*>(watched) != nullptr;
    events += viewTimer || timerfd ? 1 : 0;
    return false;
  }

 private:
  QWidget& view_;
};

std::vector<std::uint8_t> GridSnapshot() {
  const std::uint8_t* cells = ProcessGameWorld().grid.data();
  return std::vector<std::uint8_t>(cells, cells + CellCount);
}

void Press(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}, bool autoRepeat = false) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text, autoRepeat);
  QApplication::sendEvent(&target, &press);
}

void PlayFirstTick(CChildView& view) {
  view.OnSize(64, 64);
  while (view.gameState().m_tickCount < TitleTicks) {
    view.OnTimer();
  }
  ASSERT_EQ(view.titleWnd(), nullptr);
}

TEST(Pause, NoTimerRunsWhilePausedAndResumingRestartsItAtTheCurrentPeriod) {
  CChildView view;
  TimerEventCounter counter(view);
  view.SetTickPeriod(FastestPeriodMs);
  ASSERT_TRUE(QTest::qWaitFor([&] { return counter.events > 0; }));

  view.TogglePause();
  ASSERT_TRUE(view.paused());
  const int ticks = view.gameState().m_tickCount;
  counter.events = 0;
  QTest::qWait(QuietMs);
  EXPECT_EQ(counter.events, 0) << "a timer still runs while paused";
  // A period set meanwhile, as a new stage sets one, waits for the resume too.
  view.SetTickPeriod(FastestPeriodMs);
  QTest::qWait(QuietMs);
  EXPECT_EQ(counter.events, 0) << "setting the period started the timer while paused";
  EXPECT_EQ(view.gameState().m_tickCount, ticks);

  view.TogglePause();
  EXPECT_FALSE(view.paused());
  EXPECT_TRUE(QTest::qWaitFor([&] { return view.gameState().m_tickCount > ticks + 2; }));

  // Resumed at the period in force, not at a default one.
  view.SetTickPeriod(HourPeriodMs);
  view.TogglePause();
  view.TogglePause();
  counter.events = 0;
  QTest::qWait(QuietMs);
  EXPECT_EQ(counter.events, 0);
}

TEST(Pause, CountersStandStillAndAKeyPressedMeanwhileIsTakenAtTheFirstTickAfter) {
  CChildView view;
  PlayFirstTick(view);
  view.SetTickPeriod(FastestPeriodMs);
  view.TogglePause();
  const GameState before = view.gameState();
  const std::vector<std::uint8_t> grid = GridSnapshot();

  bool opened = false;
  test::ModalAnswer answer([&](QWidget* dialog) {
    opened = true;
    dialog->close();
  });
  Press(view, Qt::Key_V, Qt::NoModifier, QStringLiteral("v"));
  EXPECT_EQ(view.gameState().m_pendingKey, KeyV) << "the key was not recorded while paused";
  QTest::qWait(QuietMs);
  const GameState& state = view.gameState();
  EXPECT_FALSE(opened) << "the key was carried out while paused";
  EXPECT_EQ(state.m_tickCount, before.m_tickCount);
  EXPECT_EQ(state.m_elapsedCycles, before.m_elapsedCycles);
  EXPECT_EQ(state.m_playerCell, before.m_playerCell);
  EXPECT_TRUE(GridSnapshot() == grid) << "the maze changed while paused";

  view.TogglePause();
  view.OnTimer();
  EXPECT_TRUE(opened) << "the first tick after the pause did not take the key";
  EXPECT_EQ(state.m_elapsedCycles, before.m_elapsedCycles + 1);
  EXPECT_EQ(state.m_pendingKey, 0u);
}

TEST(Pause, HoldsTheTitleScreenUntilItsTicksHaveRun) {
  CChildView view;
  view.resize(320, 240);
  view.show();
  view.SetTickPeriod(FastestPeriodMs);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.gameState().m_tickCount >= 3; }));
  view.TogglePause();
  const int ticks = view.gameState().m_tickCount;
  ASSERT_LT(ticks, TitleTicks);
  QTest::qWait(QuietMs);
  ASSERT_NE(view.titleWnd(), nullptr);
  EXPECT_TRUE(view.titleWnd()->isVisible());
  EXPECT_EQ(view.gameState().m_tickCount, ticks);
  EXPECT_EQ(view.gameState().m_elapsedCycles, 0);

  view.TogglePause();
  EXPECT_TRUE(QTest::qWaitFor([&] { return view.titleWnd() == nullptr; }));
  EXPECT_GE(view.gameState().m_tickCount, TitleTicks);
}

void ShowActive(CMainFrame& frame) {
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

TEST(FramePause, PAndThePauseKeyToggleItAndTheTitleSaysSo) {
  CMainFrame frame;
  ShowActive(frame);
  CChildView& view = frame.view();
  QWindow* window = frame.windowHandle();
  ASSERT_EQ(frame.windowTitle(), Running);

  QTest::keyClick(window, Qt::Key_P);
  EXPECT_TRUE(view.paused());
  EXPECT_EQ(frame.windowTitle(), Paused);
  QTest::keyClick(window, Qt::Key_P, Qt::ShiftModifier);
  EXPECT_FALSE(view.paused());
  EXPECT_EQ(frame.windowTitle(), Running);
  QTest::keyClick(window, Qt::Key_Pause);
  EXPECT_EQ(frame.windowTitle(), Paused);

  // Other keys are the game's as ever: recorded, and the pause stays.
  for (const Qt::Key key : {Qt::Key_S, Qt::Key_Escape, Qt::Key_2}) {
    QTest::keyClick(window, key);
  }
  EXPECT_EQ(view.gameState().m_pendingKey, 50u);
  EXPECT_TRUE(view.paused());
  QTest::keyClick(window, Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(view.paused()) << "Alt+P is the window manager's";

  // Caps Lock, straight to the view as when the focus has fallen to the root window.
  Press(view, Qt::Key_P, Qt::NoModifier, QStringLiteral("P"));
  EXPECT_EQ(frame.windowTitle(), Running);
  // A key held down repeats: still one pause.
  Press(view, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"));
  Press(view, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"), true);
  Press(view, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"), true);
  EXPECT_TRUE(view.paused());
  EXPECT_EQ(frame.windowTitle(), Paused);
}

// The game pauses only when asked: neither losing the focus nor being minimised stops it.
TEST(FramePause, NeverPausesByItself) {
  CMainFrame frame;
  ShowActive(frame);
  CChildView& view = frame.view();
  view.SetTickPeriod(FastestPeriodMs);
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  frame.showMinimized();
  const int ticks = view.gameState().m_tickCount;
  EXPECT_TRUE(QTest::qWaitFor([&] { return view.gameState().m_tickCount > ticks + 2; }));
  EXPECT_FALSE(view.paused());
  EXPECT_EQ(frame.windowTitle(), Running);
}

}  // namespace
}  // namespace quillmoor

#include "pause_test.moc"
