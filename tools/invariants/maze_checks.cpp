// SPDX-License-Identifier: MIT
// Checks over the whole grid: the carved part is one tree, the frontier list is sound, the flag
// bits sit where the game state says.
#include "tools/invariants/maze_checks.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tools/invariants/state_report.h"

namespace quillmoor {

namespace {

std::string At(const std::string& what, CellId cell) {
  return what + " at " + DescribeCell(cell);
}

int CountReachableOpenCells(const MazeGrid& grid, CellId from) {
  if (!grid.IsOpen(from)) {
    return 0;
  }
  std::vector<std::uint8_t> seen(CellCount);
  std::vector<CellId> queue{from};
  seen[from] = 1;
  for (std::size_t next = 0; next < queue.size(); ++next) {
    for (const auto step : LookAroundSteps) {
      const CellId neighbour = step(queue[next]);
      if (grid.IsOpen(neighbour) && !seen[neighbour]) {
        seen[neighbour] = 1;
        queue.push_back(neighbour);
      }
    }
  }
  return static_cast<int>(queue.size());
}

InvariantBreak CheckFrontier(const MazeGrid& grid, const MazeGenerator& generator) {
  std::vector<std::uint8_t> listed(CellCount);
  for (const CellId wall : generator.FrontierWalls()) {
    if (!IsWallSlot(wall)) {
      return At("frontier entry that is not a wall slot", wall);
    }
    if (listed[wall]) {
      return At("frontier entry listed twice", wall);
    }
    listed[wall] = 1;
    if (grid.IsOpen(wall)) {
      continue;  // stale after a reopen; dropped when a pick lands on it
    }
    const SlotRooms rooms = RoomsOfSlot(wall);
    const int openRooms = (grid.IsOpen(rooms.first) ? 1 : 0) + (grid.IsOpen(rooms.second) ? 1 : 0);
    if (openRooms == 0) {
      return At("frontier wall with no carved room beside it", wall);
    }
    const bool besideCarveCell =
        rooms.first == generator.carveCell() || rooms.second == generator.carveCell();
    if (openRooms == 2 && !besideCarveCell) {
      return At("frontier wall left between two carved rooms", wall);
    }
  }
  for (int index = 0; index < CellCount; ++index) {
    const auto wall = static_cast<CellId>(index);
    if (!IsWallSlot(wall) || grid.IsOpen(wall) || listed[wall]) {
      continue;
    }
    const SlotRooms rooms = RoomsOfSlot(wall);
    if (grid.IsOpen(rooms.first) == grid.IsOpen(rooms.second)) {
      continue;
    }
    const CellId carved = grid.IsOpen(rooms.first) ? rooms.first : rooms.second;
    if (carved != generator.carveCell()) {
      return At("rock wall between carved and uncarved rooms missing from the frontier", wall);
    }
  }
  return std::nullopt;
}

}  // namespace

bool HasAlienOn(const GameState& state, CellId cell) {
  return std::any_of(state.m_aliens.begin(), state.m_aliens.end(),
                     [cell](const AlienSlot& alien) { return alien.cell == cell; });
}

SlotRooms RoomsOfSlot(CellId slot) {
  if ((RowOf(slot) & 1u) != 0) {
    return {StepUp(slot), StepDown(slot)};
  }
  return {StepLeft(slot), StepRight(slot)};
}

InvariantBreak CheckMazeStructure(const MazeGrid& grid, const MazeGenerator& generator) {
  int openRooms = 0;
  int openSlots = 0;
  for (int index = 0; index < CellCount; ++index) {
    const auto cell = static_cast<CellId>(index);
    if (!grid.IsOpen(cell)) {
      continue;
    }
    if (IsPillar(cell)) {
      return At("open pillar", cell);
    }
    if (IsRoom(cell)) {
      ++openRooms;
      continue;
    }
    ++openSlots;
    const SlotRooms rooms = RoomsOfSlot(cell);
    if (!grid.IsOpen(rooms.first) || !grid.IsOpen(rooms.second)) {
      return At("open wall slot beside a rock room", cell);
    }
  }
  if (openSlots != openRooms - 1) {
    return std::to_string(openSlots) + " open wall slots for " + std::to_string(openRooms) +
           " open rooms: the carved part is not a tree";
  }
  const int reachable = CountReachableOpenCells(grid, StartCell);
  if (reachable != openRooms + openSlots) {
    return std::to_string(openRooms + openSlots - reachable) +
           " open cells cannot be reached from the start cell";
  }
  if (InvariantBreak broken = CheckFrontier(grid, generator)) {
    return broken;
  }
  if (generator.mazeComplete() && (openRooms != RoomCount || openSlots != TreeSlotCount ||
                                   !generator.FrontierWalls().empty())) {
    return "complete maze with " + std::to_string(openRooms) + " open rooms, " +
           std::to_string(openSlots) + " open wall slots and " +
           std::to_string(generator.FrontierWalls().size()) + " frontier entries";
  }
  return std::nullopt;
}

InvariantBreak CheckGridFlags(const MazeGrid& grid, const GameState& state) {
  int playerBits = 0;
  for (int index = 0; index < CellCount; ++index) {
    const auto cell = static_cast<CellId>(index);
    const std::uint8_t flags = grid[cell];
    if ((flags & UnusedCellBits) != 0) {
      return At("flag bits 3-6 set", cell);
    }
    if ((flags & CellGoal) != 0 && cell != GoalCell) {
      return At("goal bit off the goal cell", cell);
    }
    if ((flags & CellPlayer) != 0) {
      ++playerBits;
      if (cell != state.m_playerCell) {
        return At("player bit where the player is not", cell);
      }
    }
    if ((flags & CellAlien) != 0 && !HasAlienOn(state, cell)) {
      return At("alien bit with no alien under it", cell);
    }
    if (IsPillar(cell) && (flags & CellWall) == 0) {
      return At("open pillar", cell);
    }
  }
  if ((grid[GoalCell] & CellGoal) == 0) {
    return At("goal bit lost", GoalCell);
  }
  if (playerBits != 1) {
    return std::to_string(playerBits) + " player bits on the grid";
  }
  return std::nullopt;
}

InvariantBreak CheckFreshStage(const GameState& state, const GameWorld& world) {
  if (state.m_playerCell != StartCell || state.m_playerPrevCell != StartCell ||
      state.m_moveMode != MoveStopped || state.m_elapsedCycles != 0 || state.m_skippedCycle != 0 ||
      state.m_seamFlipped || state.m_pendingKey != 0) {
    return std::string("new stage does not start afresh");
  }
  for (const AlienSlot& alien : state.m_aliens) {
    if (!IsRoom(alien.cell) || alien.prevCell != alien.cell) {
      return "new stage places an alien at " + DescribeCell(alien.cell) + " from " +
             DescribeCell(alien.prevCell);
    }
  }
  const MazeGenerator& generator = world.generator;
  if (generator.mazeComplete() || generator.carveCell() != StartCell ||
      !generator.FrontierWalls().empty()) {
    return std::string("new stage does not restart the generator");
  }
  for (int index = 0; index < CellCount; ++index) {
    const auto cell = static_cast<CellId>(index);
    if (world.grid.IsOpen(cell) != (cell == StartCell)) {
      return "new stage is not solid rock around the start cell at " + DescribeCell(cell);
    }
  }
  return CheckGridFlags(world.grid, state);
}

}  // namespace quillmoor
