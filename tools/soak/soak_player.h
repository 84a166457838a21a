// SPDX-License-Identifier: MIT
// Chooses what each tick of a soak is fed: random keys, modifiers, dialog answers and holds, in a
// mood drawn afresh for every stage, one of which finishes the maze and walks to the goal.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "game/game_state.h"
#include "game/game_world.h"
#include "tools/headless/headless_game.h"
#include "tools/headless/shortest_path.h"

namespace quillmoor {

class SoakPlayer {
 public:
  explicit SoakPlayer(std::uint64_t seed) : rng_(seed) {}

  TickInput Next(const GameState& state, const GameWorld& world);

 private:
  enum class Mood {
    Busy,  // many keys, Esc among them: short stages, many dialogs
    Calm,  // few keys and no Esc before the maze is complete: it grows to the end by itself
    Rush,  // S, then the shortest way to the goal, often by way of the column seam: wins, seam
           // crossings, swapped arrows
  };

  bool Chance(double probability);
  std::uint32_t AnyAcceptedKey();
  std::uint32_t RejectedKey();
  int DrawDialogAnswer();
  void DrawHold(TickInput& input);
  void PressRandomKeys(TickInput& input, double keyChance, bool escAllowed);
  void PlanRoute();
  void SteerToGoal(TickInput& input, const GameState& state, const GameWorld& world);

  std::mt19937_64 rng_;
  Mood mood_ = Mood::Busy;
  std::vector<CellId> route_;  // the cells still to reach in this rush, the goal last
  ShortestPath path_;          // toward route_.front()
};

}  // namespace quillmoor
