// SPDX-License-Identifier: MIT
// Tests of the maze carver: known carves for scripted bytes, and perfect mazes for many seeds.
#include "game/maze_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "game/game_world.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

using Walls = std::vector<CellId>;

Walls Frontier(const MazeGenerator& generator) {
  const auto walls = generator.FrontierWalls();
  return {walls.begin(), walls.end()};
}

// A finished maze: every room open, pillars rock, no frontier, and the open cells one tree.
void ExpectPerfectMaze(const MazeGrid& grid, const MazeGenerator& generator) {
  ASSERT_TRUE(generator.mazeComplete());
  EXPECT_TRUE(generator.FrontierWalls().empty());
  int openWalls = 0;
  int openCells = 0;
  int edgeEnds = 0;
  for (int i = 0; i < CellCount; ++i) {
    const auto cell = static_cast<CellId>(i);
    ASSERT_TRUE(!IsRoom(cell) || grid.IsOpen(cell)) << std::hex << i;
    ASSERT_TRUE(!IsPillar(cell) || !grid.IsOpen(cell)) << std::hex << i;
    if (!grid.IsOpen(cell)) {
      continue;
    }
    ++openCells;
    openWalls += IsWallSlot(cell) ? 1 : 0;
    for (const auto step : LookAroundSteps) {
      edgeEnds += grid.IsOpen(step(cell)) ? 1 : 0;
    }
  }
  EXPECT_EQ(openWalls, 16383);
  EXPECT_EQ(edgeEnds / 2, openCells - 1);

  std::vector<bool> seen(CellCount);
  std::vector<CellId> queue{StartCell};
  seen[StartCell] = true;
  for (std::size_t head = 0; head < queue.size(); ++head) {
    for (const auto step : LookAroundSteps) {
      const CellId next = step(queue[head]);
      if (grid.IsOpen(next) && !seen[next]) {
        seen[next] = true;
        queue.push_back(next);
      }
    }
  }
  EXPECT_EQ(static_cast<int>(queue.size()), openCells);
}

// Frontier entries are unique; each rock entry lies between an open room and a rock room, and
// every such boundary wall beside a room already looked around is listed.
void ExpectFrontierInvariants(const MazeGrid& grid, const MazeGenerator& generator) {
  std::vector<bool> listed(CellCount);
  for (const CellId wall : generator.FrontierWalls()) {
    ASSERT_FALSE(listed[wall]) << "listed twice: " << std::hex << wall;
    listed[wall] = true;
  }
  for (int i = 0; i < CellCount; ++i) {
    const auto wall = static_cast<CellId>(i);
    if (!IsWallSlot(wall) || grid.IsOpen(wall)) {
      continue;
    }
    const bool rowOdd = (RowOf(wall) & 1) != 0;
    const CellId a = rowOdd ? StepUp(wall) : StepLeft(wall);
    const CellId b = rowOdd ? StepDown(wall) : StepRight(wall);
    const bool boundary = grid.IsOpen(a) != grid.IsOpen(b);
    const CellId openSide = grid.IsOpen(a) ? a : b;
    if (boundary && openSide != generator.carveCell()) {
      ASSERT_TRUE(listed[wall]) << "missing: " << std::hex << wall;
    }
    // The carve cell may have just been opened behind a listed wall; its look-around drops it.
    if (listed[wall] && a != generator.carveCell() && b != generator.carveCell()) {
      ASSERT_TRUE(boundary) << "needless: " << std::hex << wall;
    }
  }
}

// The carve written out plainly: a growable list searched from its end, no position index.
class PlainCarver {
 public:
  PlainCarver(MazeGrid& grid, RandomSource& random) : grid_(grid), random_(random) {}

  void Reset() {
    list.clear();
    grid_[StartCell] &= static_cast<std::uint8_t>(~CellWall);
    carveCell = StartCell;
    complete = false;
  }

  void Step() {
    if (complete) {
      return;
    }
    for (;;) {
      std::vector<std::pair<CellId, CellId>> candidates;
      for (const auto step : LookAroundSteps) {
        const CellId wall = step(carveCell);
        if (grid_.IsOpen(wall)) {
          continue;
        }
        const CellId farRoom = step(wall);
        if (grid_.IsOpen(farRoom)) {
          Remove(wall);
        } else {
          list.push_back(wall);
          candidates.emplace_back(wall, farRoom);
        }
      }
      if (complete) {
        return;
      }
      if (!candidates.empty()) {
        const int n = static_cast<int>(candidates.size());
        const auto [wall, farRoom] = candidates[n == 1 ? 0 : RandomIndex(random_, n)];
        Open(wall);
        Open(farRoom);
        carveCell = farRoom;
        Remove(wall);
        return;
      }
      if (!Reopen()) {
        return;
      }
    }
  }

  std::vector<CellId> list;
  CellId carveCell = StartCell;
  bool complete = false;

 private:
  void Open(CellId cell) { grid_[cell] &= static_cast<std::uint8_t>(~CellWall); }

  void Remove(CellId wall) {
    const auto at = std::find(list.rbegin(), list.rend(), wall);
    ASSERT_NE(at, list.rend()) << std::hex << wall;
    if (list.size() == 1) {
      list.clear();
      complete = true;
      return;
    }
    *at = list.back();
    list.pop_back();
  }

  bool Reopen() {
    for (;;) {
      if (list.empty()) {
        complete = true;
        return false;
      }
      const auto n = static_cast<std::uint32_t>(list.size());
      std::size_t pick = 0;
      if (n > 1) {
        const std::uint64_t fraction = random_.NextWord() * 0x00010001u;
        pick = static_cast<std::size_t>((fraction * n) >> 32);
      }
      const CellId wall = list[pick];
      if (grid_.IsOpen(wall)) {
        Remove(wall);
        continue;
      }
      Open(wall);
      const bool rowOdd = (RowOf(wall) & 1) != 0;
      const CellId a = rowOdd ? StepUp(wall) : StepLeft(wall);
      const CellId b = rowOdd ? StepDown(wall) : StepRight(wall);
      carveCell = grid_.IsOpen(a) ? b : a;
      Open(carveCell);
      return true;
    }
  }

  MazeGrid& grid_;
  RandomSource& random_;
};

struct GeneratorTest : testing::Test {
  GeneratorTest() { ResetMaze(grid, generator, random); }
  RandomSource random;
  std::unique_ptr<GameWorld> world = std::make_unique<GameWorld>(random);
  MazeGrid& grid = world->grid;
  MazeGenerator& generator = world->generator;
};

TEST_F(GeneratorTest, FirstCarveListsAllFourWallsInDirectionOrder) {
  const struct {
    std::uint8_t byte;
    CellId wall;
    CellId room;
    Walls frontier;
  } cases[] = {
      {0x00, 0x3F80, 0x3E80, {0x407F, 0x4081, 0x4180}},
      {0x40, 0x4081, 0x4082, {0x3F80, 0x407F, 0x4180}},
      {0xC0, 0x407F, 0x407E, {0x3F80, 0x4081, 0x4180}},
  };
  for (const auto& c : cases) {
    ResetMaze(grid, generator, random);
    ScopedByteScript script(random, {c.byte});
    generator.CarveStep();
    EXPECT_EQ(script.drawn(), 1u);
    EXPECT_EQ(generator.carveCell(), c.room);
    EXPECT_EQ(Frontier(generator), c.frontier);
    int open = 0;
    for (int i = 0; i < CellCount; ++i) {
      open += grid.IsOpen(static_cast<CellId>(i)) ? 1 : 0;
    }
    EXPECT_EQ(open, 3);
    EXPECT_TRUE(grid.IsOpen(c.wall) && grid.IsOpen(c.room));
  }
}

TEST_F(GeneratorTest, ConstantStreamsCarveKnownMazes) {
  const struct {
    std::uint8_t byte;
    CellId firstRooms[3];
    int callsToComplete;
  } cases[] = {
      {0x00, {0x3E80, 0x3C80, 0x3A80}, 16384},
      {0xFF, {0x407E, 0x407C, 0x407A}, 16383},
  };
  for (const auto& c : cases) {
    ResetMaze(grid, generator, random);
    ScopedByteScript script(random, {c.byte});
    int calls = 0;
    while (!generator.mazeComplete()) {
      generator.CarveStep();
      if (calls < 3) {
        EXPECT_EQ(generator.carveCell(), c.firstRooms[calls]) << calls;
      }
      ++calls;
      if (calls % 61 == 0) {
        ExpectFrontierInvariants(grid, generator);
      }
    }
    EXPECT_EQ(calls, c.callsToComplete);
    ExpectPerfectMaze(grid, generator);
  }
}

TEST_F(GeneratorTest, CarvesAcrossTheSeamWithTheRowReflected) {
  // 0x60 picks the second candidate of three or four: right, all along row 64.
  ScopedByteScript script(random, {0x60});
  for (int i = 0; i < 63; ++i) {
    generator.CarveStep();
  }
  ASSERT_EQ(generator.carveCell(), 0x40FE);
  generator.CarveStep();
  EXPECT_TRUE(grid.IsOpen(0x40FF));
  EXPECT_EQ(generator.carveCell(), 0xBE00);
  EXPECT_TRUE(grid.IsOpen(0xBE00));
  EXPECT_FALSE(grid.IsOpen(0x4000));
}

TEST_F(GeneratorTest, NothingChangesOnceCompleteAndAlienMarksSurvive) {
  const CellId alienRooms[] = {0x0000, 0x40FE, 0xBE00, 0xFEFE, 0x8040, StartCell};
  for (const CellId room : alienRooms) {
    grid[room] |= CellAlien;
  }
  ScopedByteScript script(random, {0x3A, 0xC5, 0x71, 0x0E, 0x9F});
  generator.CarveAll();
  for (const CellId room : alienRooms) {
    EXPECT_EQ(grid[room], CellAlien) << std::hex << room;
  }

  const MazeGrid before = grid;
  const std::size_t drawn = script.drawn();
  for (int i = 0; i < 10; ++i) {
    generator.CarveStep();
  }
  generator.CarveAll();
  EXPECT_TRUE(std::equal(grid.data(), grid.data() + CellCount, before.data()));
  EXPECT_EQ(script.drawn(), drawn);
  EXPECT_TRUE(generator.mazeComplete());
  EXPECT_TRUE(generator.FrontierWalls().empty());
}

TEST_F(GeneratorTest, SingleCandidateDrawsNothing) {
  for (const CellId wall : {0x3F80, 0x4081, 0x4180}) {
    grid[wall] = 0;
  }
  ScopedByteScript script(random, {0x00});
  generator.CarveStep();
  EXPECT_EQ(script.drawn(), 0u);
  EXPECT_EQ(generator.carveCell(), 0x407E);
  EXPECT_TRUE(grid.IsOpen(0x407F));
}

TEST_F(GeneratorTest, ReopenDropsStaleEntriesAndOpensTheRockSide) {
  // Every room open except the start's left, right and lower neighbours and one beyond the
  // right: the carve soon runs into dead ends and must restart from the list.
  const CellId left = 0x407E, right = 0x4082, farRight = 0x4084, below = 0x4280;
  for (int i = 0; i < CellCount; ++i) {
    const auto cell = static_cast<CellId>(i);
    if (IsRoom(cell) && cell != left && cell != right && cell != farRight && cell != below) {
      grid[cell] = 0;
    }
  }
  ScopedByteScript script(random, {0x00});
  generator.CarveStep();  // three candidates: right, down, left; takes right
  EXPECT_EQ(Frontier(generator), (Walls{0x407F, 0x4180}));
  generator.CarveStep();  // one candidate, no draw
  EXPECT_EQ(generator.carveCell(), farRight);
  EXPECT_EQ(script.drawn(), 1u);

  // Dead end: picks 0x407F (opens the rock room on its left), dead end again, picks the stale
  // 0x407F and drops it, then takes 0x4180, whose rock side is the lower room, not the start.
  generator.CarveStep();
  EXPECT_EQ(script.drawn(), 5u);
  EXPECT_TRUE(grid.IsOpen(left) && grid.IsOpen(0x407F));
  EXPECT_TRUE(grid.IsOpen(below) && grid.IsOpen(0x4180));
  EXPECT_TRUE(generator.mazeComplete());
  EXPECT_TRUE(generator.FrontierWalls().empty());
}

// Scripted and generated streams alike: after every step the carve cell, the frontier list
// in order and the bytes drawn agree with the plain carver, and so does the finished grid.
TEST_F(GeneratorTest, MatchesThePlainCarverStepByStep) {
  FakeSystemInputs inputs;
  inputs.counter = 0x51;
  RandomSource plainRandom;
  RandomSourceTestAccess::UseInputs(random, &inputs);
  RandomSourceTestAccess::UseInputs(plainRandom, &inputs);
  auto plainGrid = std::make_unique<MazeGrid>();
  PlainCarver plain(*plainGrid, plainRandom);

  std::mt19937 bytes(7);
  std::vector<std::uint8_t> script(20011);
  for (auto& b : script) {
    b = static_cast<std::uint8_t>(bytes());
  }
  for (const bool scripted : {true, false}) {
    ResetMaze(grid, generator, random);
    plainGrid->Fill(CellWall);
    plain.Reset();
    plainRandom.Reseed();
    std::optional<ScopedByteScript> ours;
    std::optional<ScopedByteScript> theirs;
    if (scripted) {
      ours.emplace(random, script);
      theirs.emplace(plainRandom, script);
    }
    int steps = 0;
    while (!generator.mazeComplete()) {
      generator.CarveStep();
      plain.Step();
      ++steps;
      ASSERT_EQ(generator.carveCell(), plain.carveCell) << steps;
      ASSERT_EQ(generator.mazeComplete(), plain.complete) << steps;
      ASSERT_EQ(Frontier(generator), plain.list) << steps;
      ASSERT_EQ(random.NextByte(), plainRandom.NextByte()) << steps;
    }
    EXPECT_GT(steps, 10000);
    EXPECT_TRUE(std::equal(grid.data(), grid.data() + CellCount, plainGrid->data()));
  }
  RandomSourceTestAccess::UseInputs(random, nullptr);
}

TEST_F(GeneratorTest, EverySeedGivesAPerfectMaze) {
  std::mt19937 bytes(20240611);
  for (int seed = 0; seed < 8; ++seed) {
    std::vector<std::uint8_t> script(4099 + seed * 131);
    for (auto& b : script) {
      b = static_cast<std::uint8_t>(bytes());
    }
    ResetMaze(grid, generator, random);
    ScopedByteScript scripted(random, script);
    generator.CarveAll();
    ExpectPerfectMaze(grid, generator);
  }

  FakeSystemInputs inputs;
  RandomSourceTestAccess::UseInputs(random, &inputs);
  for (int seed = 0; seed < 8; ++seed) {
    inputs.wallClock = 1'600'000'000 + seed;
    inputs.counter = seed * 7919;
    ResetMaze(grid, generator, random);
    generator.CarveAll();
    ExpectPerfectMaze(grid, generator);
  }
  RandomSourceTestAccess::UseInputs(random, nullptr);
}

}  // namespace
}  // namespace quillmoor
