// SPDX-License-Identifier: MIT
// The play tick on scripted bytes and hand-drawn grids: contacts, keys, the ends of a stage.
#include "game/game_tick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

// Records what the tick asks of the window; the next-stage dialog answers from a queue (OK when
// empty), and hooks run while a dialog is "open".
class FakeHost final : public TickHost {
 public:
  void SetTickPeriod(int milliseconds) override {
    periods.push_back(milliseconds);
    calls.push_back("period");
  }
  ModifierState QueryModifiers() override {
    ++modifierQueries;
    return modifiers;
  }
  void RepaintNow() override { calls.push_back("repaint"); }
  DialogAnswer ShowAuthorCareer() override {
    OpenDialog("author");
    return DialogResultOk;
  }
  DialogAnswer ShowVersion() override {
    OpenDialog("version");
    return DialogResultOk;
  }
  DialogAnswer RunNextStageDialog(const NextStageReport& report) override {
    reports.push_back(report);
    OpenDialog("next stage");
    if (results.empty()) {
      return DialogResultOk;
    }
    const int result = results.front();
    results.pop_front();
    return result;
  }

  void Forget() {
    calls.clear();
    periods.clear();
    reports.clear();
    modifierQueries = 0;
  }

  std::vector<std::string> calls;
  std::vector<int> periods;
  std::vector<NextStageReport> reports;
  std::deque<int> results;
  ModifierState modifiers;
  int modifierQueries = 0;
  std::function<void()> whileDialogOpen;

 private:
  void OpenDialog(const char* name) {
    calls.push_back(name);
    if (whileDialogOpen) {
      whileDialogOpen();
    }
  }
};

constexpr CellId ParkedAliens = 0x0000;  // a rock room in every hand-drawn grid
constexpr CellId Room = StartCell;       // 0x4080
constexpr CellId RightSlot = 0x4081;
constexpr CellId RightRoom = 0x4082;
constexpr CellId BesideGoal = 0xC0BF;  // the wall slot left of the goal

int CountOpen(const MazeGrid& grid) {
  int open = 0;
  for (int cell = 0; cell < CellCount; ++cell) {
    open += grid.IsOpen(static_cast<CellId>(cell)) ? 1 : 0;
  }
  return open;
}

std::vector<std::uint8_t> Snapshot(const MazeGrid& grid) {
  return {grid.data(), grid.data() + CellCount};
}

class PlayTickTest : public testing::Test {
 protected:
  PlayTickTest() : world_(std::make_unique<GameWorld>(source_)) {
    NewGame(state_, *world_, host_);
    host_.Forget();
  }

  MazeGrid& grid() { return world_->grid; }

  void Tick(std::uint32_t key = 0) {
    OnKeyDown(state_, key);
    PlayWholeTick();
  }

  // Every dialog of the fake host answers at once, so the tick never waits.
  void PlayWholeTick() { ASSERT_TRUE(PlayTickRun().Begin(state_, *world_, host_)); }

  // Finishes the generator first so that its carving never touches the hand-drawn cells, then
  // leaves only the given cells open, with every alien parked on rock where it cannot move.
  void DrawGrid(std::initializer_list<CellId> open) {
    world_->generator.CarveAll();
    grid().Fill(CellWall);
    for (const CellId cell : open) {
      grid()[cell] = 0;
    }
    grid()[GoalCell] |= CellGoal;
    grid()[state_.m_playerCell] |= CellPlayer;
    for (int i = 0; i < AlienCount; ++i) {
      PlaceAlien(i, ParkedAliens, ParkedAliens);
    }
  }

  void PlacePlayer(CellId cell) {
    grid()[state_.m_playerCell] &= static_cast<std::uint8_t>(~CellPlayer);
    state_.m_playerCell = state_.m_playerPrevCell = cell;
    grid()[cell] |= CellPlayer;
  }

  void PlaceAlien(int i, CellId cell, CellId prev) {
    state_.m_aliens[static_cast<std::size_t>(i)] = {cell, prev};
    grid()[cell] |= CellAlien;
  }

  // True when the last stage was replaced by a new one: NewGame restarts the timer.
  bool NewStageBegan() const {
    return std::count(host_.calls.begin(), host_.calls.end(), "period") == 1 &&
           state_.m_elapsedCycles == 0 && state_.m_playerCell == StartCell &&
           !world_->generator.mazeComplete();
  }

  RandomSource source_;
  ScopedByteScript script_{source_, {0x00}};
  std::unique_ptr<GameWorld> world_;
  GameState state_;
  FakeHost host_;
};

TEST_F(PlayTickTest, NewGameResetsTheStageButKeepsHpZoomAndTickCount) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < AlienCount; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(2 * i + 1));  // column; bit 0 is dropped
    bytes.push_back(0x11);                                  // row
  }
  Tick(KeyS);
  state_.m_hp = 7;
  state_.m_viewMode = 3;
  state_.m_tickCount = 123;
  state_.m_moveMode = MoveExplore;
  state_.m_seamFlipped = true;
  state_.m_pendingKey = KeyUp;
  world_->explorer.branchCount = 2;
  host_.Forget();
  RandomSourceTestAccess::ScriptBytes(source_, bytes);

  NewGame(state_, *world_, host_);

  EXPECT_EQ(host_.periods, std::vector<int>{DefaultTickPeriod});
  EXPECT_EQ(state_.m_hp, 7);
  EXPECT_EQ(state_.m_viewMode, 3);
  EXPECT_EQ(state_.m_tickCount, 123);
  EXPECT_EQ(state_.m_moveMode, MoveStopped);
  EXPECT_FALSE(state_.m_seamFlipped);
  EXPECT_EQ(state_.m_pendingKey, 0u);
  EXPECT_EQ(state_.m_elapsedCycles, 0);
  EXPECT_EQ(state_.m_skippedCycle, 0);
  EXPECT_EQ(world_->explorer.branchCount, 0);
  EXPECT_EQ(state_.m_playerCell, StartCell);
  EXPECT_EQ(state_.m_playerPrevCell, StartCell);
  EXPECT_EQ(grid()[StartCell], CellPlayer);
  EXPECT_EQ(grid()[GoalCell], CellGoal | CellWall);
  for (int i = 0; i < AlienCount; ++i) {
    const AlienSlot& alien = state_.m_aliens[static_cast<std::size_t>(i)];
    EXPECT_EQ(alien.cell, MakeCell(0x10, 2 * i)) << "alien " << i;
    EXPECT_EQ(alien.prevCell, alien.cell) << "alien " << i;
    EXPECT_EQ(grid()[alien.cell], CellWall | CellAlien) << "alien " << i;
  }
  const int marked = static_cast<int>(std::count_if(grid().data(), grid().data() + CellCount,
                                                    [](std::uint8_t f) { return f != CellWall; }));
  EXPECT_EQ(marked, 2 + AlienCount);  // start, goal, and thirty distinct rooms
}

TEST_F(PlayTickTest, KeyPendingBeforeTheFirstPlayTickIsActedOnLastOneWins) {
  OnKeyDown(state_, KeyLeft);
  OnKeyDown(state_, KeyDigit1 + 2);
  PlayWholeTick();
  EXPECT_EQ(state_.m_viewMode, 3);
  EXPECT_EQ(state_.m_moveMode, MoveStopped);
  EXPECT_EQ(state_.m_pendingKey, 0u);
  EXPECT_EQ(state_.m_elapsedCycles, 1);
  EXPECT_EQ(host_.calls, std::vector<std::string>{"repaint"});
  state_.m_elapsedCycles = std::numeric_limits<std::int32_t>::max();
  Tick();
  EXPECT_EQ(state_.m_elapsedCycles, std::numeric_limits<std::int32_t>::max());
}

// Contacts: each costs one point, sends the alien to the opposite room, and never drives the
// hit points below zero.
TEST_F(PlayTickTest, AlienPlacedOnTheStartCellCostsOnePointOnTheFirstTick) {
  std::vector<std::uint8_t> bytes(2 * AlienCount, 0x00);
  bytes[0] = 0x80;  // column of alien 0
  bytes[1] = 0x40;  // row of alien 0
  RandomSourceTestAccess::ScriptBytes(source_, bytes);
  NewGame(state_, *world_, host_);
  ASSERT_EQ(grid()[StartCell], CellPlayer | CellAlien);

  Tick();
  EXPECT_EQ(state_.m_hp, InitialHp - 1);
  EXPECT_EQ(state_.m_aliens[0].cell, 0xC000);
  EXPECT_EQ(state_.m_aliens[0].prevCell, 0xC000);
  EXPECT_NE(grid()[0xC000] & CellAlien, 0);
  EXPECT_EQ(grid()[StartCell] & CellAlien, 0);
  EXPECT_NE(grid()[ParkedAliens] & CellAlien, 0);
  EXPECT_TRUE(host_.reports.empty());
}

TEST_F(PlayTickTest, AlienWalkingOntoThePlayerIsCaughtInTheSameTickAndMarksAreRestored) {
  constexpr CellId Far = 0x1000;
  constexpr CellId FarSlot = 0x1001;
  DrawGrid({Room, RightSlot, Far, FarSlot});
  // Two aliens swap places: the second unmarks the slot the first has just marked.
  PlaceAlien(0, Far, Far);
  PlaceAlien(1, FarSlot, FarSlot);
  PlaceAlien(AlienCount - 1, RightSlot, RightSlot);
  Tick();
  EXPECT_EQ(state_.m_hp, InitialHp - 1);
  EXPECT_EQ(state_.m_aliens[AlienCount - 1].cell, OppositeCell(Room));
  EXPECT_EQ(grid()[RightSlot] & CellAlien, 0);
  EXPECT_EQ(state_.m_aliens[0].cell, FarSlot);
  EXPECT_NE(grid()[FarSlot] & CellAlien, 0);  // the catch re-marked every alien
}

TEST_F(PlayTickTest, PlayerWalkingOntoAnAlienHidesItAndIsCaughtNextTick) {
  DrawGrid({Room, RightSlot, RightRoom});
  PlaceAlien(0, RightRoom, RightSlot);  // a dead end: it turns back onto the slot
  Tick(KeyRight);
  EXPECT_EQ(state_.m_playerCell, RightSlot);
  EXPECT_EQ(state_.m_aliens[0].cell, RightSlot);
  EXPECT_EQ(grid()[RightSlot], CellPlayer);
  EXPECT_EQ(state_.m_hp, InitialHp);
  Tick();
  EXPECT_EQ(state_.m_hp, InitialHp - 1);
  EXPECT_EQ(state_.m_aliens[0].cell, OppositeCell(RightSlot));
}

TEST_F(PlayTickTest, ContactsOnTheLastPointEndTheStageWithHpAtZeroThenRestoreIt) {
  DrawGrid({Room, RightSlot});
  state_.m_hp = 1;
  PlaceAlien(0, Room, Room);
  PlaceAlien(1, Room, Room);
  PlaceAlien(AlienCount - 1, RightSlot, RightSlot);  // walks on after the points ran out
  CellId lastAlien = NoCell;
  host_.whileDialogOpen = [&] { lastAlien = state_.m_aliens[AlienCount - 1].cell; };
  Tick();
  ASSERT_EQ(host_.reports.size(), 1u);
  const NextStageReport& report = host_.reports[0];
  EXPECT_EQ(report.outcome, StageOutcome::OutOfHp);
  EXPECT_EQ(report.currentHp, 0);
  EXPECT_EQ(report.elapsedCycle, 1);
  EXPECT_EQ(report.skippedCycle, 0);
  EXPECT_EQ(report.nextStageAliens, AlienCount);
  EXPECT_EQ(lastAlien, OppositeCell(Room));
  EXPECT_EQ(state_.m_hp, InitialHp);
  EXPECT_TRUE(NewStageBegan());
}

// Ends of a stage: the outcome's precedence and which dialog answers start a new stage.
TEST_F(PlayTickTest, GoalAndLastPointInOneTickIsAWinThatEvenADismissalCannotTakeBack) {
  DrawGrid({BesideGoal, GoalCell});
  PlacePlayer(BesideGoal);
  state_.m_hp = 1;
  PlaceAlien(0, BesideGoal, BesideGoal);
  host_.results = {DialogResultCancel};
  Tick(KeyRight);
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0].outcome, StageOutcome::Won);
  EXPECT_EQ(host_.reports[0].currentHp, 0);
  EXPECT_EQ(state_.m_hp, InitialHp);
  EXPECT_TRUE(NewStageBegan());
}

TEST_F(PlayTickTest, GiveUpClosedWithoutOkResumesTheStageUnchanged) {
  Tick();
  Tick();
  host_.results = {DialogResultCancel};
  GameState atDialog;
  std::vector<std::uint8_t> gridAtDialog;
  host_.whileDialogOpen = [&] {
    atDialog = state_;
    gridAtDialog = Snapshot(grid());
  };
  Tick(KeyEscape);
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0].outcome, StageOutcome::GaveUp);
  EXPECT_EQ(host_.reports[0].elapsedCycle, 3);
  EXPECT_TRUE(host_.periods.empty());
  EXPECT_EQ(Snapshot(grid()), gridAtDialog);
  EXPECT_EQ(state_.m_elapsedCycles, atDialog.m_elapsedCycles);
  EXPECT_EQ(state_.m_playerCell, atDialog.m_playerCell);
  EXPECT_EQ(state_.m_hp, InitialHp);
  EXPECT_TRUE(std::equal(state_.m_aliens.begin(), state_.m_aliens.end(), atDialog.m_aliens.begin(),
                         [](const AlienSlot& a, const AlienSlot& b) { return a.cell == b.cell; }));
  Tick();
  EXPECT_EQ(state_.m_elapsedCycles, 4);
  EXPECT_EQ(host_.reports.size(), 1u);
}

TEST_F(PlayTickTest, GiveUpOnTheGoalDismissedEndsAgainNextTickAsAWin) {
  DrawGrid({GoalCell});
  PlacePlayer(GoalCell);
  host_.results = {DialogResultCancel};
  Tick(KeyEscape);
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0].outcome, StageOutcome::Won);
  EXPECT_EQ(state_.m_playerCell, GoalCell);
  EXPECT_TRUE(host_.periods.empty());
  Tick();
  ASSERT_EQ(host_.reports.size(), 2u);
  EXPECT_EQ(host_.reports[1].outcome, StageOutcome::Won);
  EXPECT_EQ(host_.reports[1].elapsedCycle, 2);
  EXPECT_TRUE(NewStageBegan());
}

TEST_F(PlayTickTest, LastPointWithGiveUpReportsOutOfHpAndADismissalStillRestoresHp) {
  DrawGrid({Room});
  state_.m_hp = 1;
  PlaceAlien(0, Room, Room);
  host_.results = {DialogResultCancel};
  Tick(KeyEscape);
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0].outcome, StageOutcome::OutOfHp);
  EXPECT_TRUE(host_.periods.empty());
  EXPECT_EQ(state_.m_elapsedCycles, 1);
  EXPECT_EQ(state_.m_hp, InitialHp);
}

// Keys as the tick consumes them.
// Rule keys start their mode and dialog keys open their dialog; neither moves in its own tick.
TEST_F(PlayTickTest, RuleAndDialogKeysTakeTheirTickWithoutAMove) {
  DrawGrid({Room, RightSlot, RightRoom});
  const struct {
    std::uint32_t key;
    MoveMode before, after;
    std::vector<std::string> calls;
  } cases[] = {
      {KeyN, MoveStopped, MoveCorridor, {"repaint"}},
      {KeyF, MoveStopped, MoveWander, {"repaint"}},
      {KeyA, MoveCorridor, MoveCorridor, {"author", "repaint"}},
      {KeyV, MoveCorridor, MoveCorridor, {"version", "repaint"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    PlacePlayer(Room);
    state_.m_moveMode = c.before;
    host_.Forget();
    const int elapsedBefore = state_.m_elapsedCycles;
    Tick(c.key);
    EXPECT_EQ(host_.calls, c.calls);
    EXPECT_EQ(state_.m_moveMode, c.after);
    EXPECT_EQ(state_.m_playerCell, Room);
    EXPECT_EQ(state_.m_elapsedCycles, elapsedBefore + 1);
    Tick();
    EXPECT_EQ(state_.m_playerCell, RightSlot);
  }
}

TEST_F(PlayTickTest, ExploreKeyClearsTheMemoryAndItsUnusedChoiceStillCountsAsTaken) {
  DrawGrid({Room, StepUp(Room), RightSlot, StepDown(Room)});
  world_->explorer.branchCount = MaxBranchRecords;
  world_->explorer.records[0].cell = Room;  // a stale record that would hand out its own exits
  Tick(KeyW);  // byte 0: of up, right and down, up is taken and not walked
  EXPECT_EQ(state_.m_moveMode, MoveExplore);
  EXPECT_EQ(state_.m_playerCell, Room);
  ASSERT_EQ(world_->explorer.branchCount, 1);
  const BranchRecord& record = world_->explorer.records[0];
  EXPECT_EQ(record.untriedCount, 2);
  EXPECT_EQ(record.untried[0], RightSlot);
  EXPECT_EQ(record.untried[1], StepDown(Room));
  Tick();
  EXPECT_EQ(state_.m_playerCell, RightSlot);
}

TEST_F(PlayTickTest, ArrowIntoAWallStillSwitchesTheCorridorRunOn) {
  DrawGrid({Room});
  Tick(KeyUp);
  EXPECT_EQ(state_.m_playerCell, Room);
  EXPECT_EQ(state_.m_moveMode, MoveCorridor);
  grid()[RightSlot] = 0;
  Tick();
  EXPECT_EQ(state_.m_playerCell, RightSlot);
}

TEST_F(PlayTickTest, FinishKeyRecordsTheLatestCycleCarvesOnceAndGiveUpReportsIt) {
  Tick();
  Tick();
  EXPECT_FALSE(world_->generator.mazeComplete());
  Tick(KeyS);
  EXPECT_EQ(state_.m_skippedCycle, 3);
  EXPECT_TRUE(world_->generator.mazeComplete());
  constexpr int RoomsAndTreeEdges = 16384 + 16383;
  EXPECT_EQ(CountOpen(grid()), RoomsAndTreeEdges);
  Tick();
  Tick(KeyS);
  EXPECT_EQ(state_.m_skippedCycle, 5);
  EXPECT_EQ(CountOpen(grid()), RoomsAndTreeEdges);

  // A confirmed give-up reports the finish and starts a new stage.
  Tick(KeyEscape);
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0].skippedCycle, 5);
  EXPECT_EQ(state_.m_skippedCycle, 0);
  EXPECT_TRUE(NewStageBegan());
}

TEST_F(PlayTickTest, CrossingTheSeamSwapsUpAndDownUntilSpaceOrTheNextCrossing) {
  constexpr CellId WestRoom = 0x40FE;
  constexpr CellId SeamSlot = 0x40FF;
  constexpr CellId EastRoom = 0xBE00;  // row 254 - 64 across the seam
  DrawGrid({WestRoom, SeamSlot, EastRoom, StepUp(EastRoom), StepDown(EastRoom), StepRight(EastRoom),
            StepUp(WestRoom), StepDown(WestRoom)});
  PlacePlayer(WestRoom);
  struct Step {
    std::uint32_t key;
    CellId cell;
    bool flipped;
  };
  const Step steps[] = {
      {KeyRight, SeamSlot, false},
      {KeyRight, EastRoom, true},
      {KeyUp, StepDown(EastRoom), true},
      {KeyDown, EastRoom, true},
      {KeyRight, StepRight(EastRoom), true},  // left and right never swap
      {KeyLeft, EastRoom, true},
      {KeySpace, EastRoom, false},
      {KeyUp, StepUp(EastRoom), false},
      {KeyDown, EastRoom, false},
      {KeyLeft, SeamSlot, true},
      {KeyLeft, WestRoom, true},
      {KeyUp, StepDown(WestRoom), true},
      {KeyDown, WestRoom, true},
      {KeyRight, SeamSlot, true},
      {KeyRight, EastRoom, false},
      {KeyUp, StepUp(EastRoom), false},
  };
  for (const Step& step : steps) {
    Tick(step.key);
    ASSERT_EQ(state_.m_playerCell, step.cell) << "after key " << step.key;
    ASSERT_EQ(state_.m_seamFlipped, step.flipped) << "after key " << step.key;
  }
}

TEST_F(PlayTickTest, DigitKeysSetThePeriodWithModifiersAndTheZoomWithout) {
  struct Case {
    std::uint32_t key;
    bool shift;
    bool ctrl;
    std::vector<int> periods;
    int zoom;
  };
  const Case cases[] = {
      {KeyDigit9, false, true, {900}, 1},   {KeyDigit1 + 4, true, false, {50}, 1},
      {KeyDigit1, true, true, {1}, 1},      {KeyDigit1 + 1, false, false, {}, 2},
      {KeyDigit1 + 2, false, false, {}, 3}, {KeyDigit1 + 6, false, false, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    state_.m_viewMode = 1;
    host_.Forget();
    host_.modifiers = {c.shift, c.ctrl};
    Tick(c.key);
    EXPECT_EQ(host_.periods, c.periods);
    EXPECT_EQ(state_.m_viewMode, c.zoom);
    EXPECT_EQ(host_.modifierQueries, 1);
  }
  host_.Forget();
  Tick(KeyR);
  EXPECT_EQ(host_.modifierQueries, 0);
}

}  // namespace
}  // namespace quillmoor
