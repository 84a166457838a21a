// SPDX-License-Identifier: MIT
// The rules of a stage: starting it, one play tick, the digit keys' speed and zoom.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "game/game_world.h"
#include "game/tick_host.h"

namespace quillmoor {

// Starts a stage: fresh maze and seed, player on the start cell, goal, 30 aliens, 20 ms timer.
// Leaves m_hp, m_tickCount and m_viewMode alone.
void NewGame(GameState& state, GameWorld& world, TickHost& host);

// One tick after the title phase: aliens, the pending key, the player, six carves, the repaint
// and, when the stage ended, the next-stage dialog and the next stage. The elapsed count
// stops at its maximum instead of overflowing.
//
// A dialog answered at once (a modal one) lets the tick run on within Begin. A dialog answered
// later leaves the tick waiting where it stopped, the game untouched meanwhile; Resume goes on
// from there with the answer: after the career or version dialog with the player's move, after
// the next-stage dialog with the choice of the next stage.
// The three ways a tick can end the stage, found during the tick.
struct TickFlags {
  bool escPressed = false;
  bool goalReached = false;
  bool hpExhausted = false;
};

class PlayTickRun {
 public:
  // True when the tick has run to its end, false when it waits for a dialog's answer.
  bool Begin(GameState& state, GameWorld& world, TickHost& host);
  // Only while waiting; the result of the dialog the tick waits for. True when the tick ended.
  bool Resume(GameState& state, GameWorld& world, TickHost& host, int dialogResult);
  bool waiting() const { return m_waitingFor != Wait::Nothing; }

 private:
  enum class Wait { Nothing, KeyDialog, NextStageDialog };

  // From the player's move to the end of the tick.
  bool MoveAndCarve(GameState& state, GameWorld& world, TickHost& host);
  void EndStage(GameState& state, GameWorld& world, TickHost& host, int dialogResult);

  Wait m_waitingFor = Wait::Nothing;
  TickFlags m_flags;
  CellId m_target = 0;  // where the player is to move, if m_moved
  bool m_moved = false;
};

// The digits 1-9: with Shift and/or Ctrl the tick period, otherwise the zoom (1-3 only).
// The modifiers are read now, when the tick consumes the key; any other code does nothing.
void SetTickPeriodKey(GameState& state, TickHost& host, std::uint32_t key);

// Moves with the grid kept in step. The player's move carries its bit and toggles the seam
// flag when it crosses the column seam.
void MovePlayerTo(GameState& state, MazeGrid& grid, CellId cell);
// alien is 0..AlienCount-1. Unmarks the cell left even when another alien still stands there.
void MoveAlienTo(GameState& state, MazeGrid& grid, int alien, CellId cell);
// Sends the alien to the opposite room, where it starts afresh (its previous cell is that room).
void CatchAlien(GameState& state, MazeGrid& grid, int alien);
// Sets the alien bit under every alien again, restoring marks that moves and catches erased.
void RemarkAliens(const GameState& state, MazeGrid& grid);

}  // namespace quillmoor
