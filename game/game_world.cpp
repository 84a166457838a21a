// SPDX-License-Identifier: MIT
// The process's single game world, bound to the process's random source.
#include "game/game_world.h"

#include "random/random_source.h"

namespace quillmoor {

GameWorld& ProcessGameWorld() {
  static GameWorld world(ProcessRandomSource());
  return world;
}

}  // namespace quillmoor
