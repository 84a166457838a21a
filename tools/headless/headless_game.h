// SPDX-License-Identifier: MIT
// The game with no window: the tick's requests are answered from a plan, and every tick is checked.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/game_state.h"
#include "game/game_world.h"
#include "game/tick_host.h"
#include "tools/invariants/invariant_checker.h"

namespace quillmoor {

class RandomSource;

// What one tick is fed: the raw key codes pressed before it (accepted or not, the last accepted
// one wins), the modifiers held when it asks, and the next-stage dialog's answer if one opens.
struct TickInput {
  static constexpr int MaxKeys = 2;
  std::array<std::uint32_t, MaxKeys> keys{};
  int keyCount = 0;
  ModifierState modifiers;
  int dialogAnswer = DialogResultOk;

  void Press(std::uint32_t key) {
    if (keyCount < MaxKeys) {
      keys[static_cast<std::size_t>(keyCount++)] = key;
    }
  }
};

struct RunCounts {
  std::int64_t ticks = 0;
  std::int64_t wins = 0;
  std::int64_t outOfHp = 0;
  std::int64_t gaveUp = 0;
};

class HeadlessGame final : public TickHost {
 public:
  // The world draws from random, which the caller may script or seed beforehand.
  explicit HeadlessGame(RandomSource& random);
  ~HeadlessGame() override;
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // The first stage, as the view starts it; hit points carry over between stages, so a game may
  // also begin as one that has lost some already.
  InvariantBreak Start(std::int32_t hitPoints = InitialHp);
  // Play then Check.
  InvariantBreak Tick(const TickInput& input);
  // Presses the keys and plays one tick; the checks of the stage end run inside it.
  void Play(const TickInput& input);
  // The checks after a played tick.
  InvariantBreak Check();
  InvariantBreak CheckWholeMaze() const;

  GameState& state() { return state_; }
  const GameState& state() const { return state_; }
  GameWorld& world() { return *world_; }
  const GameWorld& world() const { return *world_; }
  const RunCounts& counts() const { return counts_; }
  const CheckedEvents& events() const { return checker_.events(); }

  // TickHost
  void SetTickPeriod(int milliseconds) override;
  ModifierState QueryModifiers() override;
  void RepaintNow() override {}
  void ShowAuthorCareer() override {}
  void ShowVersion() override {}
  int RunNextStageDialog(const NextStageReport& report) override;

 private:
  std::unique_ptr<GameWorld> world_;
  GameState state_;
  InvariantChecker checker_;
  TickInput input_;
  std::vector<int> periods_;  // set during the current tick
  RunCounts counts_;
};

}  // namespace quillmoor
