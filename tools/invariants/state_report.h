// SPDX-License-Identifier: MIT
// Readable forms of cells and game states for reports of a broken invariant.
#pragma once

#include <string>

#include "game/cell.h"
#include "game/game_state.h"

namespace quillmoor {

// "0x4080 (row 64, column 128)".
std::string DescribeCell(CellId cell);

// Every field of the state, the aliens on one line.
std::string DescribeState(const GameState& state);

}  // namespace quillmoor
