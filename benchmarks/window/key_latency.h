// SPDX-License-Identifier: MIT
// How long the V key takes to bring the version dialog on screen while the game runs.
#pragma once

#include <QSize>
#include <vector>

#include "benchmarks/window/game_view_loop.h"
#include "benchmarks/window/modal_answerer.h"

namespace quillmoor::bench {

struct KeyLatency {
  int trials = 0;
  std::vector<double> keyToViewMs;    // key sent until the view receives it
  std::vector<double> keyToDialogMs;  // key sent until the dialog's first paint
  const char* failure = nullptr;      // why nothing was measured, if so
};

// Presses V through the X server (xdotool, as a person's key arrives) at the given size and
// tick period, trials times.
KeyLatency MeasureVersionKeyLatency(GameViewLoop& game, ModalAnswerer& answerer, QSize size,
                                    int periodMs, int trials);

}  // namespace quillmoor::bench
