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

// Which of several measuring windows a loop's figures come from.
enum class WindowPick {
  // The most ticks per second: on a shared machine, the window least disturbed by other work.
  MostTicks,
  // The median share of a core, for loops that tick at the same rate in every window, where a
  // burst of other work shows only in the CPU time.
  MedianShare,
};

struct MeasureSpans {
  Milliseconds warmUp;
  Milliseconds window;
  int windows = 1;
  WindowPick pick = WindowPick::MostTicks;
};

// Starts the loop, lets it settle, measures it over consecutive windows while the event loop
// runs, and stops it. Gives the window spans.pick chooses.
LoopFigures MeasureLoop(TickLoop& loop, QSize size, int periodMs, MeasureSpans spans,
                        std::optional<pid_t> server);

}  // namespace quillmoor::bench
