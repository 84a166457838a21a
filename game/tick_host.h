// SPDX-License-Identifier: MIT
// What the play tick needs from the window: dialogs, the timer, the modifier keys, a repaint.
#pragma once

#include <cstdint>
#include <optional>

#include "game/game_state.h"

namespace quillmoor {

inline constexpr int DialogResultOk = 1;
inline constexpr int DialogResultCancel = 2;

// A dialog's result when it has closed, or nothing yet: a front end whose dialogs do not block
// (a browser page) answers later, and the tick waits for that answer.
using DialogAnswer = std::optional<int>;
inline constexpr DialogAnswer AnswerLater = std::nullopt;

struct NextStageReport {
  StageOutcome outcome = StageOutcome::Won;
  std::int32_t elapsedCycle = 0;
  std::int32_t skippedCycle = 0;
  std::int32_t currentHp = 0;
  std::int32_t nextStageAliens = AlienCount;
};

struct ModifierState {
  bool shift = false;
  bool ctrl = false;
};

class TickHost {
 public:
  virtual ~TickHost() = default;
  // Restarts the game timer with this period.
  virtual void SetTickPeriod(int milliseconds) = 0;
  // Shift and Ctrl as they are held now, not when a key was pressed.
  virtual ModifierState QueryModifiers() = 0;
  // Paints the view before returning.
  virtual void RepaintNow() = 0;
  // Dialogs; the game is frozen while one is open. The next-stage dialog's result is
  // DialogResultOk or another value for a close without OK.
  virtual DialogAnswer ShowAuthorCareer() = 0;
  virtual DialogAnswer ShowVersion() = 0;
  virtual DialogAnswer RunNextStageDialog(const NextStageReport& report) = 0;
};

}  // namespace quillmoor
