// SPDX-License-Identifier: MIT
// The checks' own statement of what a key does to the state. It keeps its own copy of the rules'
// numbers, so that a wrong number in the rules is caught rather than agreed with.
#pragma once

#include <cstdint>
#include <optional>

#include "game/cell.h"
#include "game/tick_host.h"

namespace quillmoor {

inline constexpr int MaxZoom = 3;

bool IsNeighbour(CellId from, CellId to);
bool IsArrowKey(std::uint32_t key);

// Where an arrow key steps from cur; Up and Down swap while the seam flag is set.
CellId ArrowTarget(std::uint32_t key, CellId cur, bool seamFlipped);

// The move mode after the tick took key, from mode before it.
std::int32_t ExpectedMoveMode(std::uint32_t key, std::int32_t mode);

// The zoom after the tick took key with these modifiers held, from view before it.
std::int32_t ExpectedZoom(std::uint32_t key, ModifierState held, std::int32_t view);

// The tick period key sets with these modifiers held, if it sets one.
std::optional<int> ExpectedTickPeriod(std::uint32_t key, ModifierState held);

// 20 ms, or a digit times 1, 10 or 100.
bool IsAllowedTickPeriod(int period);

}  // namespace quillmoor
