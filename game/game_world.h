// SPDX-License-Identifier: MIT
// The grid, the generator, the explorer's memory and the random source a game runs on.
#pragma once

#include "game/maze_generator.h"
#include "game/maze_grid.h"
#include "game/movement_rules.h"

namespace quillmoor {

class RandomSource;

struct GameWorld {
  explicit GameWorld(RandomSource& source) : random(source), generator(grid, source) {}
  GameWorld(const GameWorld&) = delete;
  GameWorld& operator=(const GameWorld&) = delete;

  RandomSource& random;
  MazeGrid grid;
  MazeGenerator generator;
  ExplorerMemory explorer;
};

// The one world of the running game, on the process's random source.
GameWorld& ProcessGameWorld();

}  // namespace quillmoor
