// SPDX-License-Identifier: MIT
// Tests of the wander, corridor and explore rules on small hand-made mazes.
#include "game/movement_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <numeric>
#include <vector>

#include "game/maze_grid.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

constexpr CellId Junction = 0x2020;
constexpr CellId Up = 0x1F20, Right = 0x2021, Down = 0x2120, Left = 0x201F;

struct MovementTest : testing::Test {
  MovementTest() { grid.Fill(CellWall); }
  void Open(std::initializer_list<CellId> cells) {
    for (const CellId cell : cells) {
      grid[cell] = 0;
    }
  }
  MazeGrid grid;
  RandomSource random;
  ExplorerMemory memory;
};

TEST_F(MovementTest, DeadEndsCorridorsAndRockRooms) {
  Open({0x1010, 0x1011, 0x1012, 0x40FE, 0x40FF, 0xBE00});
  ScopedByteScript script(random, {0x00});
  const struct {
    CellId cur, prev, wander, corridor;
  } cases[] = {
      {0x3030, 0x3030, 0x3030, NoCell},  // an alien waiting in rock stays put
      {0x1011, 0x1010, 0x1012, 0x1012},  // corridor
      {0x1012, 0x1011, 0x1011, NoCell},  // dead end: back, or stop
      {0x1010, 0x1010, 0x1011, 0x1011},  // never moved: the only open neighbour
      {0x40FF, 0x40FE, 0xBE00, 0xBE00},  // across the seam, reflected
      {0xBE00, 0x40FF, 0x40FF, NoCell},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WanderStep(grid, random, c.cur, c.prev), c.wander) << std::hex << c.cur;
    EXPECT_EQ(CorridorStep(grid, c.cur, c.prev), c.corridor) << std::hex << c.cur;
    EXPECT_EQ(ExploreStep(memory, grid, random, c.cur, c.prev), c.wander) << std::hex << c.cur;
  }
  EXPECT_EQ(script.drawn(), 0u);
  EXPECT_EQ(memory.branchCount, 0);
}

TEST_F(MovementTest, WanderNeverTurnsBackWhileAnotherWayIsOpen) {
  Open({Junction, Up, Right, Down, Left});
  std::vector<std::uint8_t> everyByte(256);
  std::iota(everyByte.begin(), everyByte.end(), 0);
  ScopedByteScript script(random, everyByte);
  const CellId order[] = {Up, Right, Down, Left};
  for (int b = 0; b < 256; ++b) {
    ASSERT_EQ(WanderStep(grid, random, Junction, Junction), order[b >> 6]) << b;
  }
  for (const CellId prev : order) {
    std::vector<int> taken(4);
    for (int b = 0; b < 256; ++b) {
      const CellId next = WanderStep(grid, random, Junction, prev);
      ASSERT_NE(next, prev);
      ++taken[std::find(order, order + 4, next) - order];
    }
    EXPECT_EQ(std::count(taken.begin(), taken.end(), 0), 1);  // only prev was never taken
    EXPECT_EQ(CorridorStep(grid, Junction, prev), NoCell);
  }
  EXPECT_EQ(script.drawn(), 5u * 256u);
}

TEST_F(MovementTest, ExplorerHandsOutEachRecordedExitOnceThenLeavesByTheWayIn) {
  Open({Junction, Up, Right, Down, Left});
  // Taken exits leave a gap that the last live entry fills.
  const struct {
    std::vector<std::uint8_t> bytes;
    CellId prev;
    std::vector<CellId> answers;
  } cases[] = {
      {{0x00}, Junction, {Up, Right, Left, Down, Junction}},
      {{0xFF}, Junction, {Left, Down, Right, Up, Junction}},
      {{0x00}, Left, {Up, Right, Down, Left}},
      {{0x9C, 0x31}, Down, {Right, Up, Left, Down}},
  };
  for (const auto& c : cases) {
    ResetExplorer(memory);
    ScopedByteScript script(random, c.bytes);
    // The callers' moves are ignored: each call still counts its answer as taken.
    std::vector<CellId> answers;
    for (std::size_t i = 0; i < c.answers.size(); ++i) {
      answers.push_back(ExploreStep(memory, grid, random, Junction, c.prev));
      const bool recordHeld = i + 1 < c.answers.size();
      EXPECT_EQ(memory.branchCount, recordHeld ? 1 : 0) << i;
      if (i == 0) {
        EXPECT_EQ(memory.records[0].cell, Junction);
        EXPECT_EQ(memory.records[0].arrivedFrom, c.prev);
        EXPECT_EQ(memory.records[0].untriedCount, static_cast<int>(c.answers.size()) - 2);
      }
    }
    EXPECT_EQ(answers, c.answers);
  }

  // After leaving, the cell is a new branch point; only the way last come along is excluded.
  ResetExplorer(memory);
  ScopedByteScript script(random, {0x00});
  EXPECT_EQ(ExploreStep(memory, grid, random, Junction, Right), Up);
  EXPECT_EQ(memory.records[0].arrivedFrom, Right);
  EXPECT_EQ(memory.records[0].untriedCount, 2);
  EXPECT_EQ(memory.records[0].untried[0], Down);
  EXPECT_EQ(memory.records[0].untried[1], Left);
}

TEST_F(MovementTest, ExplorerRemembersOnlyTheNewestFiveBranchPoints) {
  // A corridor along row 0x10 with a side opening upward at each of six rooms.
  for (int column = 0; column <= 14; ++column) {
    Open({MakeCell(0x10, column)});
  }
  for (int column = 2; column <= 12; column += 2) {
    Open({MakeCell(0x0F, column)});
  }
  ScopedByteScript script(random, {0xFF});  // at each branch point: straight on
  CellId cur = 0x1000, prev = 0x1000;
  for (int step = 0; step < 14; ++step) {
    const CellId next = ExploreStep(memory, grid, random, cur, prev);
    ASSERT_EQ(next, StepRight(cur)) << step;
    prev = cur;
    cur = next;
  }
  EXPECT_EQ(ExploreStep(memory, grid, random, cur, prev), prev);  // dead end
  EXPECT_EQ(script.drawn(), 6u);
  ASSERT_EQ(memory.branchCount, MaxBranchRecords);
  for (int i = 0; i < MaxBranchRecords; ++i) {
    const auto column = static_cast<unsigned>(12 - 2 * i);
    EXPECT_EQ(memory.records[i].cell, MakeCell(0x10, column)) << i;
    EXPECT_EQ(memory.records[i].arrivedFrom, MakeCell(0x10, column - 1)) << i;
    ASSERT_EQ(memory.records[i].untriedCount, 1) << i;
    EXPECT_EQ(memory.records[i].untried[0], MakeCell(0x0F, column)) << i;
  }

  // A held but older branch point is treated as new, and the oldest record goes.
  EXPECT_EQ(ExploreStep(memory, grid, random, 0x1006, 0x1005), 0x1007);
  EXPECT_EQ(memory.branchCount, MaxBranchRecords);
  EXPECT_EQ(memory.records[0].cell, 0x1006);
  EXPECT_EQ(memory.records[1].cell, 0x100C);
  EXPECT_EQ(memory.records[4].cell, 0x1006);
}

}  // namespace
}  // namespace quillmoor
