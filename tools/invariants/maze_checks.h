// SPDX-License-Identifier: MIT
// Checks over the whole grid: the carved part is one tree, the frontier list is sound, the flag
// bits sit where the game state says.
#pragma once

#include "game/game_state.h"
#include "game/game_world.h"
#include "game/maze_generator.h"
#include "game/maze_grid.h"
#include "tools/invariants/invariant_break.h"

namespace quillmoor {

inline constexpr std::uint8_t UnusedCellBits = 0x78;  // bits 3-6, never set
inline constexpr int RoomCount = 128 * 128;
inline constexpr int TreeSlotCount = RoomCount - 1;  // a tree over all rooms

// The two rooms a wall slot lies between: above and below when its row is odd, else beside it.
struct SlotRooms {
  CellId first;
  CellId second;
};
SlotRooms RoomsOfSlot(CellId slot);

bool HasAlienOn(const GameState& state, CellId cell);

// Every open wall slot joins two open rooms, open slots are one fewer than open rooms, every open
// cell is reachable from the start cell, no pillar is open. The frontier holds only wall slots,
// each once, and every rock slot between a carved and an uncarved room, except those of the
// carve cell, which its next carve looks around. A complete maze has every room and 16,383
// slots open and an empty frontier.
InvariantBreak CheckMazeStructure(const MazeGrid& grid, const MazeGenerator& generator);

// Bits 3-6 clear everywhere; the goal bit on the goal cell only; exactly one player bit, on the
// player's cell; every alien bit over an alien; no open pillar.
InvariantBreak CheckGridFlags(const MazeGrid& grid, const GameState& state);

// A stage NewGame has just begun: player and counters reset, aliens placed afresh on rooms, the
// generator restarted, every cell rock but the start cell, and the flags as CheckGridFlags wants.
InvariantBreak CheckFreshStage(const GameState& state, const GameWorld& world);

}  // namespace quillmoor
