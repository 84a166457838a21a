// SPDX-License-Identifier: MIT
// What must hold after every play tick, judged from the state before the tick and after it.
#include "tools/invariants/invariant_checker.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "tools/invariants/expected_rules.h"
#include "tools/invariants/maze_checks.h"
#include "tools/invariants/state_report.h"

namespace quillmoor {

namespace {

constexpr int WordBytes = 8;
constexpr int CompareBlockBytes = 64;

// Runs over the whole grid on every tick. Its reads stay inside two 64 KiB arrays, so
// AddressSanitizer's check on each of them would only slow the sanitized soak several times over.
__attribute__((no_sanitize("address"))) bool BlockDiffers(const std::uint8_t* a,
                                                          const std::uint8_t* b) {
  std::uint64_t differ = 0;
  for (int offset = 0; offset < CompareBlockBytes; offset += WordBytes) {
    std::uint64_t wordA;
    std::uint64_t wordB;
    std::memcpy(&wordA, a + offset, WordBytes);
    std::memcpy(&wordB, b + offset, WordBytes);
    differ |= wordA ^ wordB;
  }
  return differ != 0;
}

std::string Cell(CellId cell) {
  return DescribeCell(cell);
}

std::string Num(std::int64_t value) {
  return std::to_string(value);
}

// Everything but the hit points, which the dialog may restore.
bool SameStage(const GameState& a, const GameState& b) {
  const auto sameAlien = [](const AlienSlot& x, const AlienSlot& y) {
    return x.cell == y.cell && x.prevCell == y.prevCell;
  };
  return a.m_playerCell == b.m_playerCell && a.m_playerPrevCell == b.m_playerPrevCell &&
         a.m_moveMode == b.m_moveMode && a.m_elapsedCycles == b.m_elapsedCycles &&
         a.m_skippedCycle == b.m_skippedCycle && a.m_viewMode == b.m_viewMode &&
         a.m_pendingKey == b.m_pendingKey && a.m_seamFlipped == b.m_seamFlipped &&
         std::equal(a.m_aliens.begin(), a.m_aliens.end(), b.m_aliens.begin(), sameAlien);
}

}  // namespace

InvariantBreak InvariantChecker::StartStage(const GameState& state, const GameWorld& world) {
  std::memcpy(shadow_.data(), world.grid.data(), shadow_.size());
  playerBits_ = 1;
  expectedSeamFlip_ = false;
  completeBefore_ = false;
  ++events_.stages;
  return CheckFreshStage(state, world);
}

void InvariantChecker::BeforeTick(const GameState& state, const GameWorld& world,
                                  ModifierState modifiers) {
  before_ = state;
  modifiers_ = modifiers;
  completeBefore_ = world.generator.mazeComplete();
  stageEnd_.reset();
  stageEndBreak_.reset();
}

void InvariantChecker::AtStageEnd(const GameState& state, const GameWorld& world,
                                  const NextStageReport& report, int answer) {
  if (stageEnd_) {
    stageEndBreak_ = "a second next-stage dialog in one tick";
    return;
  }
  stageEnd_ = StageEnd{state, answer};
  stageEndBreak_ = CheckPlayedTick(state, world);
  if (!stageEndBreak_) {
    stageEndBreak_ = CheckReport(state, report);
  }
}

InvariantBreak InvariantChecker::AfterTick(const GameState& state, const GameWorld& world,
                                           const TickRequests& requests) {
  if (InvariantBreak broken = CheckTickCountAndTitle(state, requests)) {
    return broken;
  }
  if (before_.m_tickCount < TitleTicks - 1) {
    return CheckTitleTick(state, world, requests);
  }
  const std::span<const int> periods = requests.periods;
  if (stageEnd_) {
    if (stageEndBreak_) {
      return stageEndBreak_;
    }
  } else if (InvariantBreak broken = CheckPlayedTick(state, world)) {
    return broken;
  }
  if (InvariantBreak broken = CheckAfterStageEnd(state, world, periods)) {
    return broken;
  }
  return CheckBetweenTicks(state);
}

void InvariantChecker::BeginHold(const GameState& state, const GameWorld& world) {
  held_ = state;
  std::memcpy(heldGrid_.data(), world.grid.data(), heldGrid_.size());
}

InvariantBreak InvariantChecker::CheckHeld(const GameState& state, const GameWorld& world) const {
  if (!SameStage(state, held_) || state.m_hp != held_.m_hp ||
      state.m_tickCount != held_.m_tickCount) {
    return std::string("the game moved while held");
  }
  if (std::memcmp(heldGrid_.data(), world.grid.data(), heldGrid_.size()) != 0) {
    return std::string("the grid changed while held");
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckWholeMaze(const GameState& state,
                                                const GameWorld& world) const {
  if (std::memcmp(shadow_.data(), world.grid.data(), shadow_.size()) != 0) {
    return std::string("the grid changed between ticks");
  }
  if (InvariantBreak broken = CheckGridFlags(world.grid, state)) {
    return broken;
  }
  return CheckMazeStructure(world.grid, world.generator);
}

InvariantBreak InvariantChecker::CheckPlayedTick(const GameState& moved, const GameWorld& world) {
  if (InvariantBreak broken = CheckCountersAndModes(moved)) {
    return broken;
  }
  // Before the grid changes are taken in: the step checks need the grid as it was.
  if (InvariantBreak broken = CheckPlayerStep(moved)) {
    return broken;
  }
  if (InvariantBreak broken = CheckAliens(moved, world.grid)) {
    return broken;
  }
  if (InvariantBreak broken = CheckGridChanges(moved, world.grid)) {
    return broken;
  }
  return CheckNewCompletion(world);
}

InvariantBreak InvariantChecker::CheckCountersAndModes(const GameState& moved) const {
  const std::uint32_t key = before_.m_pendingKey;
  const std::int32_t expectedElapsed =
      before_.m_elapsedCycles +
      (before_.m_elapsedCycles < std::numeric_limits<std::int32_t>::max() ? 1 : 0);
  if (moved.m_elapsedCycles != expectedElapsed) {
    return "elapsed cycles went from " + Num(before_.m_elapsedCycles) + " to " +
           Num(moved.m_elapsedCycles);
  }
  const std::int32_t expectedSkipped = key == KeyS ? moved.m_elapsedCycles : before_.m_skippedCycle;
  if (moved.m_skippedCycle != expectedSkipped) {
    return "skipped cycle went from " + Num(before_.m_skippedCycle) + " to " +
           Num(moved.m_skippedCycle) + " on key " + Num(key);
  }
  if (moved.m_moveMode != ExpectedMoveMode(key, before_.m_moveMode)) {
    return "move mode went from " + Num(before_.m_moveMode) + " to " + Num(moved.m_moveMode) +
           " on key " + Num(key);
  }
  const std::int32_t expectedView = ExpectedZoom(key, modifiers_, before_.m_viewMode);
  if (moved.m_viewMode != expectedView) {
    return "view mode went from " + Num(before_.m_viewMode) + " to " + Num(moved.m_viewMode) +
           " on key " + Num(key);
  }
  if (moved.m_pendingKey != 0) {
    return "the tick left key " + Num(moved.m_pendingKey) + " pending";
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckPlayerStep(const GameState& moved) {
  const std::uint32_t key = before_.m_pendingKey;
  const CellId from = before_.m_playerCell;
  const CellId to = moved.m_playerCell;
  const bool arrow = IsArrowKey(key);
  const CellId arrowTarget = arrow ? ArrowTarget(key, from, before_.m_seamFlipped) : from;
  if (arrow && before_.m_seamFlipped) {
    ++events_.flippedArrows;
  }
  if (key == KeySpace) {
    expectedSeamFlip_ = false;
  }
  if (to != from) {
    if (!IsNeighbour(from, to)) {
      return "player jumped from " + Cell(from) + " to " + Cell(to);
    }
    if (arrow && to != arrowTarget) {
      return "arrow key " + Num(key) + " took the player to " + Cell(to) + " instead of " +
             Cell(arrowTarget);
    }
    if (!arrow && key != 0) {
      return "key " + Num(key) + " moved the player";
    }
    if (!arrow && before_.m_moveMode == MoveStopped) {
      return "the stopped player moved to " + Cell(to);
    }
    if (moved.m_playerPrevCell != from) {
      return "previous cell " + Cell(moved.m_playerPrevCell) + " after a step from " + Cell(from);
    }
    if (CrossesSeam(to, from)) {
      expectedSeamFlip_ = !expectedSeamFlip_;
      ++events_.seamCrossings;
    }
  } else {
    // Cells never close within a stage, so a target open before the tick is open at its step.
    if (arrow && (shadow_[arrowTarget] & CellWall) == 0) {
      return "arrow key " + Num(key) + " did not step into the open cell " + Cell(arrowTarget);
    }
    if (moved.m_playerPrevCell != before_.m_playerPrevCell) {
      return "previous cell changed from " + Cell(before_.m_playerPrevCell) + " to " +
             Cell(moved.m_playerPrevCell) + " without a step";
    }
  }
  if (moved.m_seamFlipped != expectedSeamFlip_) {
    return std::string("seam flag ") + (moved.m_seamFlipped ? "set" : "clear") +
           " against the parity of crossings since the last Space or new stage";
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckAliens(const GameState& moved, const MazeGrid& grid) {
  int contacts = 0;
  for (int i = 0; i < AlienCount; ++i) {
    const AlienSlot& was = before_.m_aliens[static_cast<std::size_t>(i)];
    const AlienSlot& now = moved.m_aliens[static_cast<std::size_t>(i)];
    const auto alien = [i] { return "alien " + Num(i); };
    // A caught alien starts afresh on the opposite room of where it met the player, which is
    // its own cell or the one it stepped to; an alien that merely stood still is not caught.
    if (now.cell == now.prevCell && now.cell != was.cell) {
      ++contacts;
      const bool opposite =
          now.cell == OppositeCell(was.cell) ||
          std::any_of(std::begin(LookAroundSteps), std::end(LookAroundSteps),
                      [&](auto step) { return now.cell == OppositeCell(step(was.cell)); });
      if (!opposite) {
        return alien() + " was sent from " + Cell(was.cell) + " to " + Cell(now.cell);
      }
    } else {
      if (now.prevCell != was.cell) {
        return alien() + " has previous cell " + Cell(now.prevCell) + " after leaving " +
               Cell(was.cell);
      }
      if (now.cell == was.cell && was.prevCell != was.cell) {
        return alien() + " stood still at " + Cell(was.cell) + " with its way back open";
      }
      if (now.cell != was.cell && (!IsNeighbour(was.cell, now.cell) || !grid.IsOpen(now.cell))) {
        return alien() + " stepped from " + Cell(was.cell) + " to " + Cell(now.cell);
      }
    }
    if (!IsRoom(now.cell) && !grid.IsOpen(now.cell)) {
      return alien() + " stands in rock at " + Cell(now.cell);
    }
    // A later alien leaving the same cell, or the player standing on it, wipes the mark.
    if ((grid[now.cell] & CellAlien) == 0 && now.cell != moved.m_playerCell) {
      bool anotherLeft = false;
      for (int j = 0; j < AlienCount; ++j) {
        anotherLeft |= j != i && before_.m_aliens[static_cast<std::size_t>(j)].cell == now.cell;
      }
      if (!anotherLeft) {
        return alien() + " at " + Cell(now.cell) + " has lost its alien bit";
      }
    }
  }
  events_.contacts += contacts;
  const std::int32_t expectedHp = std::max(0, before_.m_hp - contacts);
  if (moved.m_hp != expectedHp) {
    return "hit points went from " + Num(before_.m_hp) + " to " + Num(moved.m_hp) + " with " +
           Num(contacts) + " contacts";
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckGridChanges(const GameState& moved, const MazeGrid& grid) {
  const std::uint8_t* now = grid.data();
  // About 75 bytes change in a tick: whole blocks are compared first, without a branch per word.
  for (int block = 0; block < CellCount; block += CompareBlockBytes) {
    if (!BlockDiffers(now + block, shadow_.data() + block)) {
      continue;
    }
    for (int index = block; index < block + CompareBlockBytes; ++index) {
      const std::uint8_t was = shadow_[static_cast<std::size_t>(index)];
      const std::uint8_t is = now[index];
      if (was == is) {
        continue;
      }
      const auto cell = static_cast<CellId>(index);
      shadow_[static_cast<std::size_t>(index)] = is;
      if ((is & UnusedCellBits) != 0) {
        return "flag bits 3-6 set at " + Cell(cell);
      }
      if ((is & CellWall) != 0 && (was & CellWall) == 0) {
        return "open cell turned back to rock at " + Cell(cell);
      }
      if (IsPillar(cell) && (is & CellWall) == 0) {
        return "open pillar at " + Cell(cell);
      }
      if (((is ^ was) & CellGoal) != 0) {
        return "goal bit " + std::string((is & CellGoal) != 0 ? "set" : "cleared") + " at " +
               Cell(cell);
      }
      playerBits_ += ((is & CellPlayer) != 0 ? 1 : 0) - ((was & CellPlayer) != 0 ? 1 : 0);
      if ((is & CellAlien) != 0 && !HasAlienOn(moved, cell)) {
        return "alien bit with no alien under it at " + Cell(cell);
      }
    }
  }
  // A bit left behind on an unchanged cell: only a cell an alien left can hold one.
  for (const AlienSlot& was : before_.m_aliens) {
    if ((grid[was.cell] & CellAlien) != 0 && !HasAlienOn(moved, was.cell)) {
      return "alien bit with no alien under it at " + Cell(was.cell);
    }
  }
  if (playerBits_ != 1) {
    return Num(playerBits_) + " player bits on the grid";
  }
  const std::uint8_t under = grid[moved.m_playerCell];
  if ((under & CellPlayer) == 0 || (under & CellWall) != 0) {
    return "player's cell " + Cell(moved.m_playerCell) + " is not open with the player bit";
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckReport(const GameState& state,
                                             const NextStageReport& report) const {
  const bool won = state.m_playerCell == GoalCell;
  const bool outOfHp = state.m_hp == 0;
  if (!won && !outOfHp && before_.m_pendingKey != KeyEscape) {
    return std::string("next-stage dialog with no goal, no hit points lost and no Esc");
  }
  const StageOutcome expected = won       ? StageOutcome::Won
                                : outOfHp ? StageOutcome::OutOfHp
                                          : StageOutcome::GaveUp;
  if (report.outcome != expected) {
    return "next-stage dialog reports outcome " + Num(static_cast<int>(report.outcome)) +
           " instead of " + Num(static_cast<int>(expected));
  }
  if (report.elapsedCycle != state.m_elapsedCycles || report.skippedCycle != state.m_skippedCycle ||
      report.currentHp != state.m_hp || report.nextStageAliens != AlienCount) {
    return "next-stage dialog reports elapsed " + Num(report.elapsedCycle) + ", skipped " +
           Num(report.skippedCycle) + ", hp " + Num(report.currentHp) + ", aliens " +
           Num(report.nextStageAliens);
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckAfterStageEnd(const GameState& state, const GameWorld& world,
                                                    std::span<const int> periods) {
  const std::uint32_t key = before_.m_pendingKey;
  const GameState& moved = stageEnd_ ? stageEnd_->state : state;
  const bool escPressed = key == KeyEscape;
  const bool stageEnds = moved.m_playerCell == GoalCell || moved.m_hp == 0 || escPressed;
  if (stageEnds != stageEnd_.has_value()) {
    return std::string(stageEnds ? "the stage should have ended" : "the stage ended for nothing");
  }
  // Only a give-up answered without OK lets the stage go on.
  const bool restarted = stageEnd_ && (stageEnd_->answer == DialogResultOk || !escPressed);

  std::vector<int> expectedPeriods;
  if (const std::optional<int> period = ExpectedTickPeriod(key, modifiers_)) {
    expectedPeriods.push_back(*period);
  }
  if (restarted) {
    expectedPeriods.push_back(DefaultTickPeriod);
  }
  for (const int period : periods) {
    if (!IsAllowedTickPeriod(period)) {
      return "tick period of " + Num(period) + " ms";
    }
  }
  if (!std::equal(periods.begin(), periods.end(), expectedPeriods.begin(), expectedPeriods.end())) {
    return "the tick set " + Num(static_cast<std::int64_t>(periods.size())) +
           " tick periods on key " + Num(key);
  }

  const std::int32_t expectedHp = moved.m_hp == 0 ? InitialHp : moved.m_hp;
  if (state.m_hp != expectedHp) {
    return "hit points " + Num(state.m_hp) + " after a stage end at " + Num(moved.m_hp);
  }
  if (restarted) {
    if (state.m_viewMode != moved.m_viewMode) {
      return std::string("the new stage changed the zoom");
    }
    return StartStage(state, world);
  }
  if (stageEnd_ && !SameStage(state, moved)) {
    return std::string("the stage changed after a give-up answered without OK");
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckBetweenTicks(const GameState& state) const {
  if (state.m_hp < 1 || state.m_hp > InitialHp) {
    return "hit points " + Num(state.m_hp) + " between ticks";
  }
  if (state.m_viewMode < 1 || state.m_viewMode > MaxZoom) {
    return "view mode " + Num(state.m_viewMode);
  }
  if (state.m_moveMode < MoveStopped || state.m_moveMode > MoveExplore) {
    return "move mode " + Num(state.m_moveMode);
  }
  if (state.m_skippedCycle > state.m_elapsedCycles) {
    return "skipped cycle " + Num(state.m_skippedCycle) + " beyond elapsed " +
           Num(state.m_elapsedCycles);
  }
  const CellId prev = state.m_playerPrevCell;
  if (prev != state.m_playerCell && !IsNeighbour(state.m_playerCell, prev)) {
    return "previous cell " + Cell(prev) + " is not beside the player";
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckTickCountAndTitle(const GameState& state,
                                                        const TickRequests& requests) const {
  const std::int32_t expectedCount =
      before_.m_tickCount +
      (before_.m_tickCount < std::numeric_limits<std::int32_t>::max() ? 1 : 0);
  if (state.m_tickCount != expectedCount) {
    return "tick count went from " + Num(before_.m_tickCount) + " to " + Num(state.m_tickCount);
  }
  const bool titleTick = before_.m_tickCount < TitleTicks - 1;
  const bool lastTitleTick = before_.m_tickCount == TitleTicks - 1;
  if (requests.titleRepaints != (titleTick ? 1 : 0) ||
      requests.titleRemovals != (lastTitleTick ? 1 : 0)) {
    return "tick " + Num(state.m_tickCount) + " repainted the title " +
           Num(requests.titleRepaints) + " times and removed it " + Num(requests.titleRemovals) +
           " times";
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckTitleTick(const GameState& state, const GameWorld& world,
                                                const TickRequests& requests) const {
  if (!SameStage(state, before_) || state.m_hp != before_.m_hp) {
    return std::string("the game moved during the title");
  }
  if (std::memcmp(shadow_.data(), world.grid.data(), shadow_.size()) != 0) {
    return std::string("the grid changed during the title");
  }
  if (!requests.periods.empty()) {
    return std::string("a title tick set the tick period");
  }
  return std::nullopt;
}

InvariantBreak InvariantChecker::CheckNewCompletion(const GameWorld& world) {
  if (completeBefore_ || !world.generator.mazeComplete()) {
    return std::nullopt;
  }
  completeBefore_ = true;
  ++events_.completions;
  return CheckMazeStructure(world.grid, world.generator);
}

}  // namespace quillmoor
