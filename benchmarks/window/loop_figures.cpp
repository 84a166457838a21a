// SPDX-License-Identifier: MIT
// Ticks per second and CPU per tick of one loop over a stretch of time, process and X server.
#include "benchmarks/window/loop_figures.h"

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

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
  std::vector<LoopFigures> windows;
  for (int window = 0; window < std::max(spans.windows, 1); ++window) {
    RunEventsFor(spans.window);
    const Snapshot end = Take(loop, server);
    windows.push_back(Between(start, end));
    start = end;
  }
  loop.Stop();
  if (spans.pick == WindowPick::MedianShare) {
    const auto middle = windows.begin() + static_cast<std::ptrdiff_t>(windows.size() / 2);
    std::nth_element(windows.begin(), middle, windows.end(),
                     [](const LoopFigures& a, const LoopFigures& b) {
                       return a.processCoreShare < b.processCoreShare;
                     });
    return *middle;
  }
  return *std::max_element(windows.begin(), windows.end(),
                           [](const LoopFigures& a, const LoopFigures& b) {
                             return a.ticksPerSecond < b.ticksPerSecond;
                           });
}

}  // namespace quillmoor::bench
