// SPDX-License-Identifier: MIT
// The checks' own statement of what a key does to the state.
#include "tools/invariants/expected_rules.h"

#include <algorithm>
#include <iterator>

#include "game/game_state.h"
#include "game/key_codes.h"

namespace quillmoor {

namespace {

constexpr int ShiftPeriodFactor = 10;
constexpr int CtrlPeriodFactor = 100;
constexpr int BothPeriodFactor = 1;
constexpr int LargestDigit = 9;

// 1-9 for the digit keys, 0 for any other.
int DigitOf(std::uint32_t key) {
  return key >= KeyDigit1 && key <= KeyDigit9 ? static_cast<int>(key - KeyDigit1 + 1) : 0;
}

}  // namespace

bool IsNeighbour(CellId from, CellId to) {
  return std::any_of(std::begin(LookAroundSteps), std::end(LookAroundSteps),
                     [&](auto step) { return step(from) == to; });
}

bool IsArrowKey(std::uint32_t key) {
  return key >= KeyLeft && key <= KeyDown;
}

CellId ArrowTarget(std::uint32_t key, CellId cur, bool seamFlipped) {
  switch (key) {
    case KeyLeft:
      return StepLeft(cur);
    case KeyRight:
      return StepRight(cur);
    case KeyUp:
      return seamFlipped ? StepDown(cur) : StepUp(cur);
    default:
      return seamFlipped ? StepUp(cur) : StepDown(cur);
  }
}

std::int32_t ExpectedMoveMode(std::uint32_t key, std::int32_t mode) {
  if (IsArrowKey(key) || key == KeyN) {
    return MoveCorridor;
  }
  switch (key) {
    case KeyF:
      return MoveWander;
    case KeyR:
      return MoveStopped;
    case KeyW:
      return MoveExplore;
    default:
      return mode;
  }
}

std::int32_t ExpectedZoom(std::uint32_t key, ModifierState held, std::int32_t view) {
  const int digit = DigitOf(key);
  return digit >= 1 && digit <= MaxZoom && !held.shift && !held.ctrl ? digit : view;
}

std::optional<int> ExpectedTickPeriod(std::uint32_t key, ModifierState held) {
  const int digit = DigitOf(key);
  if (digit == 0 || (!held.shift && !held.ctrl)) {
    return std::nullopt;
  }
  const int factor = held.shift && held.ctrl ? BothPeriodFactor
                     : held.shift            ? ShiftPeriodFactor
                                             : CtrlPeriodFactor;
  return digit * factor;
}

bool IsAllowedTickPeriod(int period) {
  const auto digitTimes = [period](int factor) {
    return period % factor == 0 && period / factor >= 1 && period / factor <= LargestDigit;
  };
  return period == DefaultTickPeriod || digitTimes(BothPeriodFactor) ||
         digitTimes(ShiftPeriodFactor) || digitTimes(CtrlPeriodFactor);
}

}  // namespace quillmoor
