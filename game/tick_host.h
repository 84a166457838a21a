// SPDX-License-Identifier: MIT
// What the play tick needs from the window: dialogs, the timer, the modifier keys, a repaint.
#pragma once

#include <cstdint>

#include "game/game_state.h"

namespace quillmoor {

inline constexpr int DialogResultOk = 1;
inline constexpr int DialogResultCancel = 2;

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
  // Modal dialogs; the game is frozen while one is open.
  virtual void ShowAuthorCareer() = 0;
  virtual void ShowVersion() = 0;
  // Returns the dialog's result: DialogResultOk or another value for a close without OK.
  virtual int RunNextStageDialog(const NextStageReport& report) = 0;
};

}  // namespace quillmoor
