// SPDX-License-Identifier: MIT
// Readable forms of cells and game states for reports of a broken invariant.
#include "tools/invariants/state_report.h"

#include <iomanip>
#include <sstream>

namespace quillmoor {

namespace {

std::string Hex(CellId cell) {
  std::ostringstream text;
  text << "0x" << std::hex << std::uppercase << std::setw(4) << std::setfill('0') << cell;
  return text.str();
}

}  // namespace

std::string DescribeCell(CellId cell) {
  std::ostringstream text;
  text << Hex(cell) << " (row " << int{RowOf(cell)} << ", column " << int{ColumnOf(cell)} << ")";
  return text.str();
}

std::string DescribeState(const GameState& state) {
  std::ostringstream text;
  text << "player " << DescribeCell(state.m_playerCell) << " from "
       << DescribeCell(state.m_playerPrevCell) << ", move mode " << state.m_moveMode << ", hp "
       << state.m_hp << ", elapsed " << state.m_elapsedCycles << ", skipped "
       << state.m_skippedCycle << ", view " << state.m_viewMode << ", pending key "
       << state.m_pendingKey << ", seam flipped " << (state.m_seamFlipped ? "yes" : "no")
       << "\naliens (cell<-previous):";
  for (const AlienSlot& alien : state.m_aliens) {
    text << ' ' << Hex(alien.cell) << "<-" << Hex(alien.prevCell);
  }
  return text.str();
}

}  // namespace quillmoor
