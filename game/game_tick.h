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
// and, when the stage ended, the next-stage dialog and the next stage.
void PlayTick(GameState& state, GameWorld& world, TickHost& host);

// The digits 1-9: with Shift and/or Ctrl the tick period, otherwise the zoom (1-3 only).
void SetTickPeriodKey(GameState& state, TickHost& host, std::uint32_t key);

// Moves with the grid kept in step: the player bit, the alien bit, the seam flag.
void MovePlayerTo(GameState& state, MazeGrid& grid, CellId cell);
void MoveAlienTo(GameState& state, MazeGrid& grid, int alien, CellId cell);
void CatchAlien(GameState& state, MazeGrid& grid, int alien);
void RemarkAliens(const GameState& state, MazeGrid& grid);

}  // namespace quillmoor
