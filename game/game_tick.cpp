// SPDX-License-Identifier: MIT
// Stage start and the play tick: aliens and contacts, the pending key, the player, the carving.
#include "game/game_tick.h"

#include <cstddef>
#include <limits>

#include "game/key_codes.h"

namespace quillmoor {

namespace {

// Shift alone multiplies the digit by ten, Ctrl alone by a hundred, both by one.
constexpr int ShiftPeriodFactor = 10;
constexpr int CtrlPeriodFactor = 100;
constexpr int BothPeriodFactor = 1;
constexpr std::int32_t MaxZoomDigit = 3;

bool HasFlag(const MazeGrid& grid, CellId cell, std::uint8_t flag) {
  return (grid[cell] & flag) != 0;
}

void SetFlag(MazeGrid& grid, CellId cell, std::uint8_t flag) {
  grid[cell] |= flag;
}

void ClearFlag(MazeGrid& grid, CellId cell, std::uint8_t flag) {
  grid[cell] = static_cast<std::uint8_t>(grid[cell] & ~flag);
}

// One point per contact, never below zero; reaching zero ends the stage at the end of the tick.
void Contact(GameState& state, MazeGrid& grid, int alien, TickFlags& flags) {
  CatchAlien(state, grid, alien);
  RemarkAliens(state, grid);
  if (state.m_hp > 0) {
    --state.m_hp;
  }
  if (state.m_hp == 0) {
    flags.hpExhausted = true;
  }
}

void MoveAliens(GameState& state, GameWorld& world, TickFlags& flags) {
  for (int i = 0; i < AlienCount; ++i) {
    const AlienSlot slot = state.m_aliens[static_cast<std::size_t>(i)];
    // The player walked onto this alien last tick: it is caught where it stands.
    if (HasFlag(world.grid, slot.cell, CellPlayer)) {
      Contact(state, world.grid, i, flags);
      continue;
    }
    const CellId next = WanderStep(world.grid, world.random, slot.cell, slot.prevCell);
    MoveAlienTo(state, world.grid, i, next);
    if (HasFlag(world.grid, next, CellPlayer)) {
      Contact(state, world.grid, i, flags);
    }
  }
}

CellId AutomaticTarget(const GameState& state, GameWorld& world, CellId cur, CellId prev) {
  switch (state.m_moveMode) {
    case MoveCorridor:
      return CorridorStep(world.grid, cur, prev);
    case MoveWander:
      return WanderStep(world.grid, world.random, cur, prev);
    case MoveExplore:
      return ExploreStep(world.explorer, world.grid, world.random, cur, prev);
    default:
      return cur;
  }
}

// What carrying out a key leaves for the rest of the tick.
struct KeyOutcome {
  CellId target;
  bool moved = false;
  // The career or version dialog the key opened, left without an answer until it closes.
  bool dialogOpen = false;
};

// Takes the pending key and acts on it; only an arrow key or the automatic mode makes a move.
KeyOutcome CarryOutKey(GameState& state, GameWorld& world, TickHost& host, TickFlags& flags) {
  const std::uint32_t key = state.m_pendingKey;
  state.m_pendingKey = 0;
  const CellId cur = state.m_playerCell;
  const CellId prev = state.m_playerPrevCell;
  KeyOutcome outcome{cur};
  // The arrow keys step once and switch the corridor run on, whether or not the step succeeds.
  const auto arrow = [&](CellId step) {
    outcome.target = step;
    state.m_moveMode = MoveCorridor;
    outcome.moved = true;
  };

  switch (key) {
    case KeyEscape:
      flags.escPressed = true;
      break;
    case KeySpace:
      state.m_seamFlipped = false;
      break;
    case KeyLeft:
      arrow(StepLeft(cur));
      break;
    case KeyUp:
      arrow(state.m_seamFlipped ? StepDown(cur) : StepUp(cur));
      break;
    case KeyRight:
      arrow(StepRight(cur));
      break;
    case KeyDown:
      arrow(state.m_seamFlipped ? StepUp(cur) : StepDown(cur));
      break;
    case KeyA:
      outcome.dialogOpen = !host.ShowAuthorCareer();
      break;
    // F, N and W call their rule once for its effect on the random source and the explorer's
    // memory; the answer is dropped and the automatic steps begin next tick.
    case KeyF:
      state.m_moveMode = MoveWander;
      WanderStep(world.grid, world.random, cur, prev);
      break;
    case KeyN:
      state.m_moveMode = MoveCorridor;
      CorridorStep(world.grid, cur, prev);
      break;
    case KeyR:
      state.m_moveMode = MoveStopped;
      break;
    case KeyS:
      state.m_skippedCycle = state.m_elapsedCycles;
      world.generator.CarveAll();
      break;
    case KeyV:
      outcome.dialogOpen = !host.ShowVersion();
      break;
    case KeyW:
      state.m_moveMode = MoveExplore;
      ResetExplorer(world.explorer);
      ExploreStep(world.explorer, world.grid, world.random, cur, prev);
      break;
    default:
      if (key >= KeyDigit1 && key <= KeyDigit9) {
        SetTickPeriodKey(state, host, key);
      } else {
        outcome.target = AutomaticTarget(state, world, cur, prev);
        outcome.moved = outcome.target != cur;
      }
      break;
  }
  return outcome;
}

StageOutcome OutcomeOf(const TickFlags& flags) {
  if (flags.goalReached) {
    return StageOutcome::Won;
  }
  return flags.hpExhausted ? StageOutcome::OutOfHp : StageOutcome::GaveUp;
}

NextStageReport ReportOf(const GameState& state, const TickFlags& flags) {
  NextStageReport report;
  report.outcome = OutcomeOf(flags);
  report.elapsedCycle = state.m_elapsedCycles;
  report.skippedCycle = state.m_skippedCycle;
  report.currentHp = state.m_hp;
  report.nextStageAliens = AlienCount;
  return report;
}

}  // namespace

void MovePlayerTo(GameState& state, MazeGrid& grid, CellId cell) {
  const CellId old = state.m_playerCell;
  state.m_playerPrevCell = old;
  state.m_playerCell = cell;
  ClearFlag(grid, old, CellPlayer);
  SetFlag(grid, cell, CellPlayer);
  if (CrossesSeam(cell, old)) {
    state.m_seamFlipped = !state.m_seamFlipped;
  }
}

void MoveAlienTo(GameState& state, MazeGrid& grid, int alien, CellId cell) {
  AlienSlot& slot = state.m_aliens[static_cast<std::size_t>(alien)];
  const CellId old = slot.cell;
  slot.prevCell = old;
  slot.cell = cell;
  // Unmarks the cell left even if another alien still stands there; RemarkAliens restores it.
  ClearFlag(grid, old, CellAlien);
  SetFlag(grid, cell, CellAlien);
}

void CatchAlien(GameState& state, MazeGrid& grid, int alien) {
  AlienSlot& slot = state.m_aliens[static_cast<std::size_t>(alien)];
  ClearFlag(grid, slot.cell, CellAlien);
  const CellId away = OppositeCell(slot.cell);
  slot.cell = away;
  slot.prevCell = away;
  SetFlag(grid, away, CellAlien);
}

void RemarkAliens(const GameState& state, MazeGrid& grid) {
  for (const AlienSlot& slot : state.m_aliens) {
    SetFlag(grid, slot.cell, CellAlien);
  }
}

void NewGame(GameState& state, GameWorld& world, TickHost& host) {
  ResetMaze(world.grid, world.generator, world.random);
  SetFlag(world.grid, StartCell, CellPlayer);
  state.m_playerCell = StartCell;
  state.m_playerPrevCell = StartCell;
  state.m_moveMode = MoveStopped;
  state.m_seamFlipped = false;
  ResetExplorer(world.explorer);
  SetFlag(world.grid, GoalCell, CellGoal);
  for (AlienSlot& slot : state.m_aliens) {
    const CellId room = RandomEvenCell(world.random);
    SetFlag(world.grid, room, CellAlien);
    slot.prevCell = room;
    slot.cell = room;
  }
  state.m_elapsedCycles = 0;
  state.m_skippedCycle = 0;
  state.m_pendingKey = 0;
  // Restarting the timer also ends any speed the digit keys chose in the last stage.
  host.SetTickPeriod(DefaultTickPeriod);
}

bool PlayTickRun::Begin(GameState& state, GameWorld& world, TickHost& host) {
  m_waitingFor = Wait::Nothing;
  m_flags = TickFlags{};
  // A stage left running for weeks at 1 ms stops counting rather than overflowing.
  if (state.m_elapsedCycles < std::numeric_limits<std::int32_t>::max()) {
    ++state.m_elapsedCycles;
  }
  MoveAliens(state, world, m_flags);
  const KeyOutcome key = CarryOutKey(state, world, host, m_flags);
  m_target = key.target;
  m_moved = key.moved;
  if (key.dialogOpen) {
    m_waitingFor = Wait::KeyDialog;
    return false;
  }
  return MoveAndCarve(state, world, host);
}

bool PlayTickRun::Resume(GameState& state, GameWorld& world, TickHost& host, int dialogResult) {
  const Wait waitedFor = m_waitingFor;
  m_waitingFor = Wait::Nothing;
  switch (waitedFor) {
    case Wait::KeyDialog:
      return MoveAndCarve(state, world, host);
    case Wait::NextStageDialog:
      EndStage(state, world, host, dialogResult);
      return true;
    case Wait::Nothing:
      break;
  }
  return true;
}

bool PlayTickRun::MoveAndCarve(GameState& state, GameWorld& world, TickHost& host) {
  // NoCell is a pillar, so a rule with no single way on is refused here like any wall.
  if (m_moved && world.grid.IsOpen(m_target)) {
    MovePlayerTo(state, world.grid, m_target);
  }
  // Tested whether or not the player moved: a give-up dismissed on the goal ends again as a win.
  m_flags.goalReached = HasFlag(world.grid, state.m_playerCell, CellGoal);
  ClearFlag(world.grid, state.m_playerCell, CellAlien);
  for (int i = 0; i < CarveStepsPerTick; ++i) {
    world.generator.CarveStep();
  }
  host.RepaintNow();
  if (!m_flags.goalReached && !m_flags.hpExhausted && !m_flags.escPressed) {
    return true;
  }
  const DialogAnswer answer = host.RunNextStageDialog(ReportOf(state, m_flags));
  if (!answer) {
    m_waitingFor = Wait::NextStageDialog;
    return false;
  }
  EndStage(state, world, host, *answer);
  return true;
}

void PlayTickRun::EndStage(GameState& state, GameWorld& world, TickHost& host, int dialogResult) {
  // Closing the dialog without OK takes back only a give-up: the stage then goes on.
  if (dialogResult == DialogResultOk || !m_flags.escPressed) {
    NewGame(state, world, host);
  }
  if (m_flags.hpExhausted) {
    state.m_hp = InitialHp;
  }
}

void SetTickPeriodKey(GameState& state, TickHost& host, std::uint32_t key) {
  if (key < KeyDigit1 || key > KeyDigit9) {
    return;
  }
  const auto digit = static_cast<std::int32_t>(key - KeyDigit1 + 1);
  const ModifierState held = host.QueryModifiers();
  if (held.shift || held.ctrl) {
    const int factor = held.shift && held.ctrl ? BothPeriodFactor
                       : held.shift            ? ShiftPeriodFactor
                                               : CtrlPeriodFactor;
    host.SetTickPeriod(digit * factor);
  } else if (digit <= MaxZoomDigit) {
    state.m_viewMode = digit;
  }
}

}  // namespace quillmoor
