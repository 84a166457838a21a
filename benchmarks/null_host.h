// SPDX-License-Identifier: MIT
// A window that does nothing, for timing the play rules: no repaint, no dialog waits, and a
// finished stage is accepted at once.
#pragma once

#include "game/game_tick.h"

namespace quillmoor {

class NullHost final : public TickHost {
 public:
  void SetTickPeriod(int) override {}
  ModifierState QueryModifiers() override { return {}; }
  void RepaintNow() override {}
  DialogAnswer ShowAuthorCareer() override { return DialogResultOk; }
  DialogAnswer ShowVersion() override { return DialogResultOk; }
  DialogAnswer RunNextStageDialog(const NextStageReport&) override { return DialogResultOk; }
};

}  // namespace quillmoor
