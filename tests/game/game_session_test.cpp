// SPDX-License-Identifier: MIT
// The game session with no window: the title phase, the guard, the holds, the tick period, the
// desktop's keys, and dialogs answered later against the same game answered at once.
#include "game/game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

// Records the session's requests; dialogs answer at once unless told to answer later.
class RecordingHost final : public SessionHost {
 public:
  void StartTimer(int milliseconds) override {
    EXPECT_FALSE(timerRunning) << "started twice";
    timerRunning = true;
    calls.push_back("start " + std::to_string(milliseconds));
  }
  void StopTimer() override {
    EXPECT_TRUE(timerRunning) << "stopped with none running";
    timerRunning = false;
    calls.push_back("stop");
  }
  ModifierState QueryModifiers() override { return modifiers; }
  void RepaintTitle() override { calls.push_back("title"); }
  void RemoveTitle() override { calls.push_back("remove title"); }
  void RepaintNow() override { calls.push_back("repaint"); }
  DialogAnswer RunNextStageDialog(const NextStageReport&) override { return Open("next stage"); }
  DialogAnswer RunAuthorCareerDialog() override { return Open("career"); }
  DialogAnswer RunVersionDialog() override { return Open("version"); }
  DialogAnswer RunKeysDialog() override { return Open("keys"); }
  void ShowPaused(bool paused) override { calls.push_back(paused ? "paused" : "running"); }
  void ToggleFullScreen() override { calls.push_back("full screen"); }
  void Close() override { calls.push_back("close"); }

  std::vector<std::string> calls;
  bool timerRunning = false;
  ModifierState modifiers;
  bool answerLater = false;
  int answer = DialogResultOk;
  std::function<void()> whileOpen;

 private:
  DialogAnswer Open(const char* name) {
    calls.push_back(name);
    if (whileOpen) {
      whileOpen();
    }
    if (answerLater) {
      return AnswerLater;
    }
    return answer;
  }
};

KeyPress Key(std::uint32_t code, bool shift = false, bool ctrl = false, bool alt = false) {
  return KeyPress{code, shift, ctrl, alt, false};
}

class GameSessionTest : public testing::Test {
 protected:
  GameSessionTest() : world_(std::make_unique<GameWorld>(source_)), session_(*world_, host_) {
    session_.Start();
  }

  void PassTitle() {
    while (session_.state().m_tickCount < TitleTicks - 1) {
      session_.OnTimer();
    }
    host_.calls.clear();
  }

  RandomSource source_;
  ScopedByteScript script_{source_, {0x00}};
  std::unique_ptr<GameWorld> world_;
  RecordingHost host_;
  GameSession session_;
};

TEST_F(GameSessionTest, StartsTheFirstStageWithTwentyHitPointsAndTheTimerAtTwenty) {
  EXPECT_EQ(session_.state().m_hp, InitialHp);
  EXPECT_EQ(session_.state().m_playerCell, StartCell);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"start 20"}));
  EXPECT_TRUE(session_.timerRunning());
  EXPECT_TRUE(session_.inTitlePhase());
}

TEST_F(GameSessionTest, TitleTicksOnlyRepaintTheTitleAndTheFortiethRemovesItAndPlays) {
  session_.OnKeyDown(Key(KeyS));
  const std::vector<std::uint8_t> grid(world_->grid.data(), world_->grid.data() + CellCount);
  for (int tick = 1; tick < TitleTicks; ++tick) {
    session_.OnTimer();
  }
  EXPECT_EQ(host_.calls.size(), 1u + (TitleTicks - 1));
  EXPECT_EQ(host_.calls.back(), "title");
  EXPECT_EQ(session_.state().m_elapsedCycles, 0);
  EXPECT_EQ(session_.state().m_pendingKey, KeyS) << "a key in the title waits for play";
  EXPECT_TRUE(std::equal(grid.begin(), grid.end(), world_->grid.data()));
  host_.calls.clear();

  session_.OnTimer();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"remove title", "repaint"}));
  EXPECT_FALSE(session_.inTitlePhase());
  EXPECT_EQ(session_.state().m_elapsedCycles, 1);
  EXPECT_TRUE(world_->generator.mazeComplete()) << "S pressed during the title";
}

TEST_F(GameSessionTest, TicksInsideATicksModalDialogDoNothing) {
  PassTitle();
  session_.OnTimer();  // the first play tick
  int nested = 0;
  host_.whileOpen = [&] {
    const GameState before = session_.state();
    session_.OnTimer();
    session_.OnTimer();
    nested += session_.state().m_tickCount - before.m_tickCount + session_.state().m_elapsedCycles -
              before.m_elapsedCycles;
  };
  session_.OnKeyDown(Key(KeyV));
  session_.OnTimer();
  EXPECT_EQ(nested, 0);
  EXPECT_FALSE(session_.inTick());
  EXPECT_EQ(session_.state().m_elapsedCycles, 2);
}

TEST_F(GameSessionTest, PausedNoTimerRunsNoTickHappensAndKeysWaitForTheFirstTickAfter) {
  PassTitle();
  session_.OnKeyDown(Key(KeyP));
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"stop", "paused"}));
  EXPECT_FALSE(host_.timerRunning);
  const GameState before = session_.state();
  session_.OnTimer();  // an expiry already on its way
  session_.OnKeyDown(Key(KeyR));
  EXPECT_EQ(session_.state().m_tickCount, before.m_tickCount);
  EXPECT_EQ(session_.state().m_pendingKey, KeyR);
  // A period set meanwhile is kept for when the timer starts again.
  session_.SetTickPeriod(7);
  EXPECT_FALSE(host_.timerRunning);
  session_.OnKeyDown(Key(KeyPause, true));
  EXPECT_EQ(host_.calls.back(), "running");
  EXPECT_EQ(host_.calls[host_.calls.size() - 2], "start 7");
  session_.OnTimer();
  EXPECT_EQ(session_.state().m_pendingKey, 0u);
  EXPECT_EQ(session_.state().m_tickCount, before.m_tickCount + 1);
}

TEST_F(GameSessionTest, TheKeysDialogHoldsTheGameAndAPauseOutlastsIt) {
  PassTitle();
  host_.whileOpen = [&] {
    EXPECT_FALSE(host_.timerRunning);
    const int ticks = session_.state().m_tickCount;
    session_.OnTimer();
    EXPECT_EQ(session_.state().m_tickCount, ticks);
    session_.SetTickPeriod(0);  // clamped to the fastest period
  };
  session_.OnKeyDown(Key(KeyF1));
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"stop", "keys", "start 1"}));
  EXPECT_EQ(session_.tickPeriod(), 1);

  host_.whileOpen = nullptr;
  session_.TogglePause();
  host_.answerLater = true;
  session_.ShowKeys();
  session_.OnKeyDown(Key(KeyF1));  // keys go to the open dialog
  session_.OnDialogClosed(DialogResultOk);
  EXPECT_FALSE(host_.timerRunning) << "still paused";
  EXPECT_EQ(std::count(host_.calls.begin(), host_.calls.end(), "keys"), 2);
}

TEST_F(GameSessionTest, DesktopKeysActOnceWithTheirModifiersAndNeverReachTheGame) {
  session_.OnKeyDown(KeyPress{KeyP, false, false, false, true});  // held down: nothing
  session_.OnKeyDown(Key(KeyP, false, false, true));              // Alt: the window manager's
  session_.OnKeyDown(Key(KeyF11, true));
  session_.OnKeyDown(Key(KeyQ, true, true));
  session_.OnKeyDown(Key(KeyQ));
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"start 20"}));
  session_.OnKeyDown(Key(KeyF11));
  session_.OnKeyDown(Key(KeyQ, false, true));
  session_.OnKeyDown(Key(KeyP, false, true));
  EXPECT_EQ(host_.calls,
            (std::vector<std::string>{"start 20", "full screen", "close", "stop", "paused"}));
  EXPECT_EQ(session_.state().m_pendingKey, 0u);

  // The swallowed keystrokes and Alt combinations leave a pending key alone; auto-repeat and
  // other modifiers do not stop a game key.
  session_.OnKeyDown(KeyPress{KeyLeft, true, true, false, true});
  EXPECT_EQ(session_.state().m_pendingKey, KeyLeft);
  for (const KeyPress& ignored :
       {Key(KeyV, false, true), Key(KeyC, false, true), Key(KeyX, false, true),
        Key(KeyZ, false, true), Key(KeyV, false, false, true), Key(KeyS, false, false, true),
        Key(KeyInsert, true), Key(KeyF6)}) {
    session_.OnKeyDown(ignored);
  }
  EXPECT_EQ(session_.state().m_pendingKey, KeyLeft);
  session_.OnKeyDown(Key(KeyV, true, true));  // not an accelerator with Shift too
  EXPECT_EQ(session_.state().m_pendingKey, KeyV);
}

// Plays the same scripted game twice, once with every dialog answered at once and once with
// every dialog answered after some expiries; after each tick the two must agree exactly, and
// nothing may move while a dialog waits.
class AnswerLaterTest : public testing::Test {
 protected:
  struct Game {
    explicit Game(bool later) : world(std::make_unique<GameWorld>(source)), session(*world, host) {
      RandomSourceTestAccess::ScriptBytes(source, {0x13, 0x80, 0x41, 0x07, 0xC2, 0x5E, 0x99});
      host.answerLater = later;
      session.Start();
      while (session.state().m_tickCount < TitleTicks - 1) {
        session.OnTimer();
      }
    }
    RandomSource source;
    std::unique_ptr<GameWorld> world;
    RecordingHost host;
    GameSession session;
  };
};

bool SameGame(const GameSession& a, const GameWorld& worldA, const GameSession& b,
              const GameWorld& worldB) {
  const GameState& x = a.state();
  const GameState& y = b.state();
  const auto sameAliens = std::equal(x.m_aliens.begin(), x.m_aliens.end(), y.m_aliens.begin(),
                                     [](const AlienSlot& p, const AlienSlot& q) {
                                       return p.cell == q.cell && p.prevCell == q.prevCell;
                                     });
  return sameAliens && x.m_playerCell == y.m_playerCell &&
         x.m_playerPrevCell == y.m_playerPrevCell && x.m_moveMode == y.m_moveMode &&
         x.m_hp == y.m_hp && x.m_elapsedCycles == y.m_elapsedCycles &&
         x.m_tickCount == y.m_tickCount && x.m_skippedCycle == y.m_skippedCycle &&
         x.m_viewMode == y.m_viewMode && x.m_pendingKey == y.m_pendingKey &&
         x.m_seamFlipped == y.m_seamFlipped && a.tickPeriod() == b.tickPeriod() &&
         std::equal(worldA.grid.data(), worldA.grid.data() + CellCount, worldB.grid.data());
}

TEST_F(AnswerLaterTest, ATickWaitingForItsDialogFinishesExactlyAsAModalOne) {
  Game modal(false);
  Game later(true);
  ASSERT_TRUE(SameGame(modal.session, *modal.world, later.session, *later.world));
  // S, the version dialog, a give-up dismissed and one accepted, the career dialog, a walk.
  const std::vector<std::pair<std::uint32_t, int>> plan = {
      {KeyS, DialogResultOk},          {KeyV, DialogResultOk}, {KeyF, DialogResultOk},
      {KeyEscape, DialogResultCancel}, {0, DialogResultOk},    {KeyA, DialogResultOk},
      {KeyEscape, DialogResultOk},     {KeyW, DialogResultOk}, {0, DialogResultOk},
      {KeyV, DialogResultOk}};
  int waited = 0;
  for (const auto& [key, answer] : plan) {
    for (Game* game : {&modal, &later}) {
      game->host.answer = answer;
      if (key != 0) {
        game->session.OnKeyDown(Key(key));
      }
      game->session.OnTimer();
    }
    while (later.session.dialogOpen()) {
      ++waited;
      const GameState before = later.session.state();
      later.session.OnTimer();
      later.session.OnKeyDown(Key(KeyLeft));
      EXPECT_EQ(later.session.state().m_elapsedCycles, before.m_elapsedCycles);
      EXPECT_EQ(later.session.state().m_tickCount, before.m_tickCount);
      EXPECT_EQ(later.session.state().m_pendingKey, before.m_pendingKey);
      later.session.OnDialogClosed(answer);
    }
    EXPECT_FALSE(later.session.inTick());
    ASSERT_TRUE(SameGame(modal.session, *modal.world, later.session, *later.world)) << key;
    EXPECT_EQ(modal.host.calls, later.host.calls) << key;
  }
  EXPECT_EQ(waited, 5);  // V, Esc, A, Esc and V
}

}  // namespace
}  // namespace quillmoor
