// SPDX-License-Identifier: MIT
// What must hold after every play tick, judged from the state before the tick and after it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "game/game_state.h"
#include "game/game_world.h"
#include "game/tick_host.h"
#include "tools/invariants/invariant_break.h"

namespace quillmoor {

// What the checks saw happen, for a run's summary.
struct CheckedEvents {
  std::int64_t stages = 0;  // begun, the first included
  std::int64_t contacts = 0;
  std::int64_t completions = 0;
  std::int64_t seamCrossings = 0;
  std::int64_t flippedArrows = 0;  // arrow keys taken while Up and Down were swapped
};

// What a tick asked of the window besides its dialogs.
struct TickRequests {
  std::span<const int> periods;  // the tick periods it set, in order
  int titleRepaints = 0;
  int titleRemovals = 0;
};

// Call StartStage after the first NewGame, then BeforeTick and AfterTick around every tick, title
// ticks included, and AtStageEnd from the next-stage dialog. While the game is held (paused, or a
// dialog left open), BeginHold and then CheckHeld after every timer expiry. The first break found
// is returned; the checker is not meant to go on after one.
class InvariantChecker {
 public:
  // A stage NewGame has just begun: checked as fresh and taken as the reference from now on.
  InvariantBreak StartStage(const GameState& state, const GameWorld& world);
  // The state just before PlayTick with its key pending, and the modifiers the tick will be told.
  void BeforeTick(const GameState& state, const GameWorld& world, ModifierState modifiers);
  // Inside the tick, as the next-stage dialog opens: the stage's last state, the dialog's
  // report and the answer it is about to give.
  void AtStageEnd(const GameState& state, const GameWorld& world, const NextStageReport& report,
                  int answer);
  // After the tick: the title phase's ticks change nothing but the tick count, and repaint the
  // title; the 40th removes it and is a play tick.
  InvariantBreak AfterTick(const GameState& state, const GameWorld& world,
                           const TickRequests& requests);
  // The game as a hold begins; nothing of it may change until the hold ends.
  void BeginHold(const GameState& state, const GameWorld& world);
  InvariantBreak CheckHeld(const GameState& state, const GameWorld& world) const;
  // The whole-maze checks, and that the grid is the one the per-tick checks last saw.
  InvariantBreak CheckWholeMaze(const GameState& state, const GameWorld& world) const;

  const CheckedEvents& events() const { return events_; }

 private:
  struct StageEnd {
    GameState state;
    int answer;
  };

  // The tick's own work, up to the dialog: counters, keys, the player's step, the aliens, and
  // every grid byte that changed.
  InvariantBreak CheckPlayedTick(const GameState& moved, const GameWorld& world);
  InvariantBreak CheckCountersAndModes(const GameState& moved) const;
  InvariantBreak CheckPlayerStep(const GameState& moved);
  InvariantBreak CheckAliens(const GameState& moved, const MazeGrid& grid);
  InvariantBreak CheckGridChanges(const GameState& moved, const MazeGrid& grid);
  InvariantBreak CheckReport(const GameState& state, const NextStageReport& report) const;
  InvariantBreak CheckAfterStageEnd(const GameState& state, const GameWorld& world,
                                    std::span<const int> periods);
  InvariantBreak CheckBetweenTicks(const GameState& state) const;
  InvariantBreak CheckTickCountAndTitle(const GameState& state, const TickRequests& requests) const;
  InvariantBreak CheckTitleTick(const GameState& state, const GameWorld& world,
                                const TickRequests& requests) const;
  InvariantBreak CheckNewCompletion(const GameWorld& world);

  GameState before_;
  ModifierState modifiers_;
  bool completeBefore_ = false;
  std::optional<StageEnd> stageEnd_;
  InvariantBreak stageEndBreak_;
  bool expectedSeamFlip_ = false;  // parity of seam crossings since the last Space or new stage
  int playerBits_ = 0;
  std::array<std::uint8_t, CellCount> shadow_{};  // the grid as the checks last saw it
  GameState held_;
  std::array<std::uint8_t, CellCount> heldGrid_{};
  CheckedEvents events_;
};

}  // namespace quillmoor
