// SPDX-License-Identifier: MIT
// Ticks per second and CPU per tick of one loop over a stretch of time, process and X server.
#pragma once

#include <sys/types.h>
#include <optional>

#include "benchmarks/window/event_wait.h"
#include "benchmarks/window/tick_loop.h"

namespace quillmoor::bench {

struct LoopFigures {
  double ticksPerSecond = 0;
  double processMsPerTick = 0;
  std::optional<double> serverMsPerTick;  // none without a known X server
  double processCoreShare = 0;            // of one core, 1 = 100 %
  std::optional<double> serverCoreShare;
};

struct MeasureSpans {
  Milliseconds warmUp;
  Milliseconds window;
  int windows = 1;
};

// Starts the loop, lets it settle, measures it over consecutive windows while the event loop
// runs, and stops it. Gives the window with the most ticks per second: on a shared machine it is
// the one least disturbed by other work.
LoopFigures MeasureLoop(TickLoop& loop, QSize size, int periodMs, MeasureSpans spans,
                        std::optional<pid_t> server);

}  // namespace quillmoor::bench
