// SPDX-License-Identifier: MIT
// Cell addresses on the 256 x 256 Klein-bottle grid, the flag bits, and the four neighbour steps.
#pragma once

#include <cstdint>

namespace quillmoor {

// High byte = row, low byte = column; each byte wraps on its own, modulo 256.
using CellId = std::uint16_t;

inline constexpr CellId NoCell = 0xFFFF;  // a pillar: never open, so a move into it fails
inline constexpr CellId StartCell = 0x4080;
inline constexpr CellId GoalCell = 0xC0C0;

inline constexpr std::uint8_t CellWall = 0x01;
inline constexpr std::uint8_t CellPlayer = 0x02;
inline constexpr std::uint8_t CellAlien = 0x04;
inline constexpr std::uint8_t CellGoal = 0x80;

constexpr std::uint8_t RowOf(CellId cell) {
  return static_cast<std::uint8_t>(cell >> 8);
}
constexpr std::uint8_t ColumnOf(CellId cell) {
  return static_cast<std::uint8_t>(cell);
}
constexpr CellId MakeCell(unsigned row, unsigned column) {
  return static_cast<CellId>(((row & 0xFFu) << 8) | (column & 0xFFu));
}

// The seam between columns 255 and 0 reflects the row; 254 - r keeps the row's parity, so rooms
// still only neighbour wall slots across it.
constexpr std::uint8_t MirrorRow(unsigned row) {
  return static_cast<std::uint8_t>(254u - row);
}

// Vertical steps move by one row, 0x100, and wrap with the 16-bit value; sideways steps move
// by one column unless they cross the seam.
constexpr CellId StepUp(CellId cell) {
  return static_cast<CellId>(cell - 0x100u);
}
constexpr CellId StepDown(CellId cell) {
  return static_cast<CellId>(cell + 0x100u);
}
constexpr CellId StepRight(CellId cell) {
  return ColumnOf(cell) == 255 ? MakeCell(MirrorRow(RowOf(cell)), 0)
                               : static_cast<CellId>(cell + 1u);
}
constexpr CellId StepLeft(CellId cell) {
  return ColumnOf(cell) == 0 ? MakeCell(MirrorRow(RowOf(cell)), 255)
                             : static_cast<CellId>(cell - 1u);
}

// Every look-around examines the neighbours in this order; a candidate's index follows it.
inline constexpr CellId (*const LookAroundSteps[])(CellId) = {StepUp, StepRight, StepDown,
                                                              StepLeft};

// True when a step from oldCell to newCell crossed the column seam; rows are not compared.
constexpr bool CrossesSeam(CellId newCell, CellId oldCell) {
  return (ColumnOf(newCell) == 0 && ColumnOf(oldCell) == 255) ||
         (ColumnOf(newCell) == 255 && ColumnOf(oldCell) == 0);
}

// The room half the grid away on both axes, with no seam reflection; odd coordinates drop to even.
constexpr CellId OppositeCell(CellId cell) {
  return MakeCell((RowOf(cell) + 128u) & 0xFEu, (ColumnOf(cell) + 128u) & 0xFEu);
}

constexpr bool IsRoom(CellId cell) {
  return (cell & 0x0101) == 0;
}
constexpr bool IsPillar(CellId cell) {
  return (cell & 0x0101) == 0x0101;
}
constexpr bool IsWallSlot(CellId cell) {
  return !IsRoom(cell) && !IsPillar(cell);
}

}  // namespace quillmoor
