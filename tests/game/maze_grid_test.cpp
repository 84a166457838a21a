// SPDX-License-Identifier: MIT
// Tests of the Klein-bottle steps, the cell helpers, the random helpers and the maze reset.
#include "game/maze_grid.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "game/game_world.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

TEST(MazeTopology, StepsUndoEachOtherAndKeepTheLattice) {
  for (int i = 0; i < CellCount; ++i) {
    const auto cell = static_cast<CellId>(i);
    ASSERT_EQ(StepLeft(StepRight(cell)), cell) << std::hex << i;
    ASSERT_EQ(StepRight(StepLeft(cell)), cell) << std::hex << i;
    ASSERT_EQ(StepUp(StepDown(cell)), cell) << std::hex << i;
    ASSERT_EQ(StepDown(StepUp(cell)), cell) << std::hex << i;
    for (const auto step : LookAroundSteps) {
      // Rooms only neighbour wall slots; pillars only neighbour wall slots.
      if (!IsWallSlot(cell)) {
        ASSERT_TRUE(IsWallSlot(step(cell))) << std::hex << i;
      }
    }
    ASSERT_TRUE(IsRoom(OppositeCell(cell))) << std::hex << i;
  }
}

TEST(MazeTopology, WorkedExamples) {
  struct Case {
    CellId (*step)(CellId);
    CellId from;
    CellId to;
  };
  const Case cases[] = {
      {StepRight, 0x00FF, 0xFE00}, {StepLeft, 0xFE00, 0x00FF},  {StepLeft, 0x0000, 0xFEFF},
      {StepRight, 0xFEFF, 0x0000}, {StepRight, 0x02FF, 0xFC00}, {StepRight, 0x7FFF, 0x7F00},
      {StepUp, 0x0010, 0xFF10},    {StepDown, 0xFF10, 0x0010},  {StepDown, 0x00FF, 0x01FF},
      {StepRight, 0x40FE, 0x40FF}, {StepRight, 0x40FF, 0xBE00}, {StepLeft, 0xFFFF, 0xFFFE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.step(c.from), c.to) << std::hex << c.from;
  }

  const CellId opposites[][2] = {
      {0x4080, 0xC000}, {0xC0C0, 0x4040}, {0x0000, 0x8080}, {0x8181, 0x0000}, {0xFFFF, 0x7E7E}};
  for (const auto& pair : opposites) {
    EXPECT_EQ(OppositeCell(pair[0]), pair[1]) << std::hex << pair[0];
  }

  EXPECT_TRUE(CrossesSeam(0x1200, 0x34FF));
  EXPECT_TRUE(CrossesSeam(0x34FF, 0x1200));
  EXPECT_FALSE(CrossesSeam(0x0000, 0x0001));
  EXPECT_FALSE(CrossesSeam(0x00FF, 0x00FF));
  EXPECT_FALSE(CrossesSeam(0x0000, 0x0000));
}

TEST(MazeRandom, RandomIndexSpreadsEveryByteEvenly) {
  RandomSource random;
  std::vector<std::uint8_t> everyByte(256);
  std::iota(everyByte.begin(), everyByte.end(), 0);
  ScopedByteScript script(random, everyByte);
  for (int n = 1; n <= 255; ++n) {
    std::vector<int> hits(n);
    int previous = 0;
    for (int b = 0; b < 256; ++b) {
      const int index = RandomIndex(random, n);
      ASSERT_GE(index, previous) << "n=" << n << " b=" << b;  // monotone in the byte
      ASSERT_LT(index, n) << "n=" << n << " b=" << b;
      if (n == 2) {
        ASSERT_EQ(index, b >> 7);
      }
      if (n == 4) {
        ASSERT_EQ(index, b >> 6);
      }
      ++hits[index];
      previous = index;
    }
    for (int index = 0; index < n; ++index) {
      ASSERT_GE(hits[index], 256 / n) << "n=" << n << " index=" << index;
      ASSERT_LE(hits[index], 256 / n + 1) << "n=" << n << " index=" << index;
    }
  }
  EXPECT_EQ(script.drawn(), 255u * 256u);
}

TEST(MazeRandom, KnownIndicesAndRooms) {
  RandomSource random;
  ScopedByteScript script(random, {85, 86, 255, 63, 0x35, 0x9B, 0xFF, 0xFF});
  EXPECT_EQ(RandomIndex(random, 3), 0);
  EXPECT_EQ(RandomIndex(random, 3), 1);
  EXPECT_EQ(RandomIndex(random, 4), 3);
  EXPECT_EQ(RandomIndex(random, 4), 0);
  EXPECT_EQ(RandomEvenCell(random), 0x9A34);  // first byte drawn is the column
  EXPECT_EQ(RandomEvenCell(random), 0xFEFE);
  EXPECT_EQ(script.drawn(), 8u);
  EXPECT_EQ(RandomIndex(random, 0), 0);  // nothing to choose: answers 0 and draws nothing
  EXPECT_EQ(script.drawn(), 8u);
}

TEST(MazeReset, LeavesSolidRockWithTheStartOpenAndReseeds) {
  FakeSystemInputs inputs;
  inputs.wallClock = 1'700'000'000;
  inputs.counter = 123456789;
  RandomSource random;
  RandomSource reference;
  RandomSourceTestAccess::UseInputs(random, &inputs);
  RandomSourceTestAccess::UseInputs(reference, &inputs);
  random.Reseed();

  auto world = std::make_unique<GameWorld>(random);
  world->grid.Fill(0xFF);
  ResetMaze(world->grid, world->generator, random);
  world->generator.CarveAll();  // a finished maze leaves grid, list and flag to undo
  for (int i = 0; i < 5; ++i) {
    random.NextByte();  // and a part-used block
  }
  world->grid[GoalCell] |= CellGoal;
  ResetMaze(world->grid, world->generator, random);

  for (int i = 0; i < CellCount; ++i) {
    ASSERT_EQ(world->grid[static_cast<CellId>(i)], i == StartCell ? 0x00 : CellWall)
        << std::hex << i;
  }
  EXPECT_FALSE(world->generator.mazeComplete());
  EXPECT_EQ(world->generator.carveCell(), StartCell);
  EXPECT_TRUE(world->generator.FrontierWalls().empty());

  // Freshly seeded from the same inputs, both sources yield the same bytes.
  reference.Reseed();
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(random.NextByte(), reference.NextByte()) << i;
  }
  RandomSourceTestAccess::UseInputs(random, nullptr);
  RandomSourceTestAccess::UseInputs(reference, nullptr);
}

}  // namespace
}  // namespace quillmoor
