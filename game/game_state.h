// SPDX-License-Identifier: MIT
// The game view's record of one running game: player, aliens, counters, zoom, pending key.
#pragma once

#include <array>
#include <cstdint>

#include "game/cell.h"

namespace quillmoor {

inline constexpr int AlienCount = 30;
inline constexpr int InitialHp = 20;
inline constexpr int TitleTicks = 40;
inline constexpr int CarveStepsPerTick = 6;
inline constexpr int DefaultTickPeriod = 20;  // milliseconds

enum MoveMode : std::int32_t {
  MoveStopped = 0,
  MoveCorridor = 1,
  MoveWander = 2,
  MoveExplore = 3,
};

enum class StageOutcome : int {
  Won = 0,
  GaveUp = 1,
  OutOfHp = 2,
};

struct AlienSlot {
  CellId cell = 0;
  CellId prevCell = 0;
};

struct GameState {
  CellId m_playerCell = StartCell;
  CellId m_playerPrevCell = StartCell;
  std::int32_t m_moveMode = MoveStopped;
  std::int32_t m_hp = InitialHp;
  std::array<AlienSlot, AlienCount> m_aliens{};
  std::int32_t m_elapsedCycles = 0;
  std::int32_t m_tickCount = 0;  // ticks since the view was created; never reset
  std::int32_t m_skippedCycle = 0;
  std::int32_t m_viewMode = 1;     // pixels per cell: 1, 2 or 3
  std::uint32_t m_pendingKey = 0;  // virtual-key code, 0 = none
  bool m_seamFlipped = false;
};

}  // namespace quillmoor
