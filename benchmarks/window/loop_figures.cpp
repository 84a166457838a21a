// SPDX-License-Identifier: MIT
// Ticks per second and CPU per tick of one loop over a stretch of time, process and X server.
#include "benchmarks/window/loop_figures.h"

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdint>

#include "benchmarks/window/process_cpu.h"

namespace quillmoor::bench {

namespace {

using Clock = std::chrono::steady_clock;

struct Snapshot {
  Clock::time_point when;
  std::int64_t ticks = 0;
  double processCpu = 0;
  std::optional<double> serverCpu;
};

Snapshot Take(const TickLoop& loop, std::optional<pid_t> server) {
  Snapshot snapshot;
  snapshot.when = Clock::now();
  snapshot.ticks = loop.Ticks();
  snapshot.processCpu = ProcessCpuSeconds(getpid()).value_or(0);
  if (server) {
    snapshot.serverCpu = ProcessCpuSeconds(*server);
  }
  return snapshot;
}

LoopFigures Between(const Snapshot& start, const Snapshot& end) {
  const double seconds = std::chrono::duration<double>(end.when - start.when).count();
  // A loop that never ticked still gets finite figures: its CPU over a single tick.
  const auto ticks = static_cast<double>(std::max<std::int64_t>(end.ticks - start.ticks, 1));
  const double processCpu = end.processCpu - start.processCpu;
  LoopFigures figures;
  figures.ticksPerSecond = static_cast<double>(end.ticks - start.ticks) / seconds;
  figures.processMsPerTick = processCpu * 1e3 / ticks;
  figures.processCoreShare = processCpu / seconds;
  if (start.serverCpu && end.serverCpu) {
    const double serverCpu = *end.serverCpu - *start.serverCpu;
    figures.serverMsPerTick = serverCpu * 1e3 / ticks;
    figures.serverCoreShare = serverCpu / seconds;
  }
  return figures;
}

}  // namespace

LoopFigures MeasureLoop(TickLoop& loop, QSize size, int periodMs, MeasureSpans spans,
                        std::optional<pid_t> server) {
  loop.Start(size, periodMs);
  RunEventsFor(spans.warmUp);
  Snapshot start = Take(loop, server);
  LoopFigures best;
  for (int window = 0; window < spans.windows; ++window) {
    RunEventsFor(spans.window);
    const Snapshot end = Take(loop, server);
    const LoopFigures figures = Between(start, end);
    if (window == 0 || figures.ticksPerSecond > best.ticksPerSecond) {
      best = figures;
    }
    start = end;
  }
  loop.Stop();
  return best;
}

}  // namespace quillmoor::bench
