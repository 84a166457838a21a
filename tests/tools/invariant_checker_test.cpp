// SPDX-License-Identifier: MIT
// The invariant checks are live: each planted fault is reported, and an honest game passes.
#include "tools/invariants/invariant_checker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/game_tick.h"
#include "game/key_codes.h"
#include "tests/support/random_source_test_access.h"
#include "tools/headless/headless_game.h"
#include "tools/headless/seeded_inputs.h"
#include "tools/invariants/maze_checks.h"

namespace quillmoor {
namespace {

using testing::HasSubstr;
using testing::Optional;

constexpr CellId FarPillar = 0x0101;
constexpr CellId FarSlot = 0x0102;  // between the rooms 0x0002 and 0x0202

TickInput Press(std::uint32_t key) {
  TickInput input;
  input.Press(key);
  return input;
}

class PlantedFaultTest : public testing::Test {
 protected:
  PlantedFaultTest() : game_(random_) {
    RandomSourceTestAccess::UseInputs(random_, &inputs_);
    EXPECT_EQ(game_.Start(), std::nullopt);
    EXPECT_EQ(game_.PassTitle(), std::nullopt);
  }

  MazeGrid& grid() { return game_.world().grid; }
  GameState& state() { return game_.state(); }

  // Plays one tick and plants the fault as if the tick had made it.
  InvariantBreak PlayWithFault(const TickInput& input, const std::function<void()>& plant) {
    game_.Play(input);
    plant();
    return game_.Check();
  }

  void FinishMaze() { ASSERT_EQ(game_.Tick(Press(KeyS)), std::nullopt); }

  // An open room with no alien and no player on it.
  CellId EmptyOpenRoom() {
    for (int index = 0; index < CellCount; index += 2) {
      const auto cell = static_cast<CellId>(index);
      if (IsRoom(cell) && grid().IsOpen(cell) && grid()[cell] == 0) {
        return cell;
      }
    }
    ADD_FAILURE() << "no empty open room";
    return StartCell;
  }

  SeededSystemInputs inputs_{42};
  RandomSource random_;
  HeadlessGame game_;
};

TEST_F(PlantedFaultTest, AnHonestGamePassesEveryTickAndTheWholeMazeChecks) {
  for (int tick = 0; tick < 300; ++tick) {
    ASSERT_EQ(game_.Tick(Press(tick % 7 == 0 ? KeyF : 0)), std::nullopt) << "tick " << tick;
  }
  EXPECT_EQ(game_.CheckWholeMaze(), std::nullopt);
  FinishMaze();
  EXPECT_EQ(game_.events().completions, 1);
  EXPECT_EQ(game_.CheckWholeMaze(), std::nullopt);
}

TEST_F(PlantedFaultTest, OpenPillarIsReported) {
  EXPECT_THAT(PlayWithFault({}, [&] { grid()[FarPillar] &= static_cast<std::uint8_t>(~CellWall); }),
              Optional(HasSubstr("open pillar")));
}

TEST_F(PlantedFaultTest, StrayAlienBitIsReported) {
  FinishMaze();
  const CellId empty = EmptyOpenRoom();
  EXPECT_THAT(PlayWithFault({}, [&] { grid()[empty] |= CellAlien; }),
              Optional(HasSubstr("alien bit with no alien under it")));
}

TEST_F(PlantedFaultTest, AlienBitLeftBehindOnAnUnchangedCellIsReported) {
  FinishMaze();
  // The alien steps away and the tick forgets to unmark the cell it left.
  const AlienSlot was = state().m_aliens[0];
  EXPECT_THAT(PlayWithFault({}, [&] { grid()[was.cell] |= CellAlien; }),
              Optional(HasSubstr("alien bit with no alien under it")));
}

TEST_F(PlantedFaultTest, WrongPreviousCellIsReportedAfterAStepAndWithoutOne) {
  FinishMaze();
  const Exits exits = FindExits(grid(), StartCell, StartCell);
  ASSERT_GT(exits.count, 0);
  const std::uint32_t arrow = exits.cells[0] == StepUp(StartCell)      ? KeyUp
                              : exits.cells[0] == StepRight(StartCell) ? KeyRight
                              : exits.cells[0] == StepDown(StartCell)  ? KeyDown
                                                                       : KeyLeft;
  EXPECT_THAT(PlayWithFault(Press(arrow), [&] { state().m_playerPrevCell = state().m_playerCell; }),
              Optional(HasSubstr("after a step from")));
}

TEST_F(PlantedFaultTest, PreviousCellChangedWithoutAStepIsReported) {
  EXPECT_THAT(PlayWithFault(Press(KeyR), [&] { state().m_playerPrevCell = StepUp(StartCell); }),
              Optional(HasSubstr("without a step")));
}

TEST_F(PlantedFaultTest, LostPlayerBitIsReported) {
  EXPECT_THAT(
      PlayWithFault(
          {}, [&] { grid()[state().m_playerCell] &= static_cast<std::uint8_t>(~CellPlayer); }),
      Optional(HasSubstr("0 player bits")));
}

TEST_F(PlantedFaultTest, FlagsOutsideTheirPlacesAreReported) {
  EXPECT_THAT(PlayWithFault({}, [&] { grid()[FarSlot] |= 0x08; }), Optional(HasSubstr("bits 3-6")));
}

TEST_F(PlantedFaultTest, SeamFlagFlippedWithoutACrossingIsReported) {
  EXPECT_THAT(PlayWithFault({}, [&] { state().m_seamFlipped = true; }),
              Optional(HasSubstr("seam flag set")));
}

TEST_F(PlantedFaultTest, HitPointsLostWithoutContactAreReported) {
  EXPECT_THAT(PlayWithFault({}, [&] { --state().m_hp; }), Optional(HasSubstr("hit points")));
}

TEST_F(PlantedFaultTest, CellClosedAgainIsReported) {
  FinishMaze();
  const CellId empty = EmptyOpenRoom();
  EXPECT_THAT(PlayWithFault({}, [&] { grid()[empty] |= CellWall; }),
              Optional(HasSubstr("turned back to rock")));
}

// The whole-maze checks on their own, on a grid changed behind the tick's back.
TEST_F(PlantedFaultTest, MazeStructureBreaksAreReported) {
  FinishMaze();
  const MazeGenerator& generator = game_.world().generator;
  EXPECT_EQ(CheckMazeStructure(grid(), generator), std::nullopt);

  // One more open slot in a complete maze closes a loop.
  CellId rockSlot = NoCell;
  for (int index = 0; index < CellCount && rockSlot == NoCell; ++index) {
    const auto cell = static_cast<CellId>(index);
    rockSlot = IsWallSlot(cell) && !grid().IsOpen(cell) ? cell : NoCell;
  }
  grid()[rockSlot] = 0;
  EXPECT_THAT(CheckMazeStructure(grid(), generator), Optional(HasSubstr("not a tree")));
}

TEST_F(PlantedFaultTest, CarvingBehindTheGeneratorsBackIsReported) {
  // A ring of four rooms has as many slots as rooms, so beside the lone start cell the counts
  // look like a tree; but the ring cannot be reached.
  for (const CellId cell : {0x8000, 0x8001, 0x8002, 0x8100, 0x8102, 0x8200, 0x8201, 0x8202}) {
    grid()[static_cast<CellId>(cell)] &= static_cast<std::uint8_t>(~CellWall);
  }
  EXPECT_THAT(CheckMazeStructure(grid(), game_.world().generator),
              Optional(HasSubstr("cannot be reached")));
}

TEST_F(PlantedFaultTest, EveryHoldOfAnHonestGamePasses) {
  for (const Hold hold : {Hold::Pause, Hold::KeysDialog, Hold::AnswerLater}) {
    for (const std::uint32_t key : {0u, KeyV, KeyA, KeyEscape, KeyEscape}) {
      TickInput input = Press(key);
      input.hold = hold;
      input.heldTicks = 3;
      input.dialogAnswer = key == KeyEscape ? DialogResultCancel : DialogResultOk;
      ASSERT_EQ(game_.Tick(input), std::nullopt) << static_cast<int>(hold) << " " << key;
    }
  }
  // Three held ticks for each pause and keys dialog, and for each dialog answered later: the
  // keys dialog's hold answers the tick's dialogs later too; a plain tick has nothing to wait for.
  EXPECT_EQ(game_.counts().heldTicks, 3 * (5 + 5 + 4 + 4));
  EXPECT_EQ(game_.counts().gaveUp, 6);
}

TEST(HeldAndTitleChecks, AnythingThatMovesWhileHeldOrDuringTheTitleIsReported) {
  SeededSystemInputs inputs{7};
  RandomSource random;
  RandomSourceTestAccess::UseInputs(random, &inputs);
  HeadlessGame game(random);
  ASSERT_EQ(game.Start(), std::nullopt);
  ASSERT_EQ(game.Tick(Press(KeyS)), std::nullopt);  // a title tick: S waits for the 40th
  EXPECT_EQ(game.state().m_pendingKey, KeyS);
  game.Play({});
  game.state().m_elapsedCycles = 1;
  EXPECT_THAT(game.Check(), Optional(HasSubstr("during the title")));

  InvariantChecker checker;
  checker.BeginHold(game.state(), game.world());
  EXPECT_EQ(checker.CheckHeld(game.state(), game.world()), std::nullopt);
  game.state().m_tickCount += 1;
  EXPECT_THAT(checker.CheckHeld(game.state(), game.world()), Optional(HasSubstr("while held")));
  game.state().m_tickCount -= 1;
  game.world().grid[FarSlot] |= 0x08;
  EXPECT_THAT(checker.CheckHeld(game.state(), game.world()),
              Optional(HasSubstr("grid changed while held")));
}

TEST(SeededRunTest, TheSameSeedReplaysTheSameGame) {
  const auto play = [](std::uint64_t seed) {
    const SeededSystemInputs inputs(seed);
    RandomSource random;
    RandomSourceTestAccess::UseInputs(random, &inputs);
    HeadlessGame game(random);
    EXPECT_EQ(game.Start(), std::nullopt);
    for (int tick = 0; tick < 200; ++tick) {
      EXPECT_EQ(game.Tick(Press(tick == 50 ? KeyW : 0)), std::nullopt);
    }
    std::string cells;
    for (const AlienSlot& alien : game.state().m_aliens) {
      cells += std::to_string(alien.cell) + ',';
    }
    return cells + std::to_string(game.world().generator.carveCell());
  };
  EXPECT_EQ(play(5), play(5));
  EXPECT_NE(play(5), play(6));
}

}  // namespace
}  // namespace quillmoor
