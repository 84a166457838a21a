// SPDX-License-Identifier: MIT
// The benchmark's tables, printed a row at a time as the figures come in.
#include "benchmarks/window/report_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace quillmoor::bench {

namespace {

constexpr double Percent = 100;

std::string SizeText(QSize size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// Process and X server CPU per tick, in milliseconds.
std::string CpuPerTick(const LoopFigures& figures) {
  char text[64];
  if (figures.serverMsPerTick) {
    std::snprintf(text, sizeof text, "%.3f + %.3f", figures.processMsPerTick,
                  *figures.serverMsPerTick);
  } else {
    std::snprintf(text, sizeof text, "%.3f + ?", figures.processMsPerTick);
  }
  return text;
}

std::string CoreShare(const std::optional<double>& share) {
  if (!share) {
    return "?";
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.2f %%", *share * Percent);
  return text;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Flush() {
  std::fflush(stdout);
}

}  // namespace

void PrintFastTickHeader(int periodMs, const MeasureSpans& spans) {
  std::printf(
      "\nTicks at the %d ms period: the game beside an empty timer loop and a full-frame repaint "
      "loop.\nEach loop's figures are from the least disturbed (most ticks) of %d windows of "
      "%lld ms in a row;\nCPU per tick in ms, this process + the X server.\n\n",
      periodMs, spans.windows, static_cast<long long>(spans.window.count()));
  std::printf(
      "| window | zoom | game ticks/s | empty ticks/s | bare ticks/s | game/empty | game/bare "
      "| game CPU/tick | empty CPU/tick | bare CPU/tick |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
  Flush();
}

void PrintFastTickRow(const FastTickRow& row) {
  std::printf("| %s | %d | %.0f | %.0f | %.0f | %.2f | %.2f | %s | %s | %s |\n",
              SizeText(row.size).c_str(), row.zoom, row.game.ticksPerSecond,
              row.empty.ticksPerSecond, row.bare.ticksPerSecond,
              row.game.ticksPerSecond / row.empty.ticksPerSecond,
              row.game.ticksPerSecond / row.bare.ticksPerSecond, CpuPerTick(row.game).c_str(),
              CpuPerTick(row.empty).c_str(), CpuPerTick(row.bare).c_str());
  Flush();
}

void PrintIdleHeader(QSize size, int periodMs, MeasureSpans spans) {
  std::printf(
      "\nCPU share of one core at the %d ms period, %s; each loop's median of %d windows of "
      "%lld ms in a row.\n\n",
      periodMs, SizeText(size).c_str(), spans.windows,
      static_cast<long long>(spans.window.count()));
  std::printf("| loop | ticks/s | process | X server |\n|---|---|---|---|\n");
  Flush();
}

void PrintIdleRow(const char* loop, const LoopFigures& figures) {
  std::printf("| %s | %.1f | %s | %s |\n", loop, figures.ticksPerSecond,
              CoreShare(figures.processCoreShare).c_str(),
              CoreShare(figures.serverCoreShare).c_str());
  Flush();
}

void PrintDisplayHeader(QSize fastSize, int fastPeriodMs, QSize idleSize, int idlePeriodMs) {
  std::printf(
      "| display | %d ms ticks/s at %s, zoom 1 / 3 (empty timer loop) | CPU at %d ms, %s: game / "
      "empty loop / whole-window repaint loop | display server's CPU beside the game at %d ms "
      "|\n|---|---|---|---|\n",
      fastPeriodMs, SizeText(fastSize).c_str(), idlePeriodMs, SizeText(idleSize).c_str(),
      idlePeriodMs);
  Flush();
}

void PrintDisplayRow(const DisplayRow& row) {
  std::printf("| %s | %.0f / %.0f (%.0f) | %s / %s / %s | %s |\n", row.label,
              row.fastZoom1.ticksPerSecond, row.fastZoom3.ticksPerSecond,
              row.fastEmpty.ticksPerSecond, CoreShare(row.idleGame.processCoreShare).c_str(),
              CoreShare(row.idleEmpty.processCoreShare).c_str(),
              CoreShare(row.idleBare.processCoreShare).c_str(),
              CoreShare(row.idleGame.serverCoreShare).c_str());
  Flush();
}

void PrintKeyLatency(QSize size, int periodMs, const KeyLatency& latency) {
  std::printf("\nV key to the version dialog's first paint, %s, %d ms period.\n\n",
              SizeText(size).c_str(), periodMs);
  if (latency.failure) {
    std::printf("not measured: %s\n", latency.failure);
  } else if (latency.keyToDialogMs.empty()) {
    std::printf("no dialog in %d trials\n", latency.trials);
  } else {
    std::vector<double> viewToDialogMs;
    for (std::size_t trial = 0; trial < latency.keyToDialogMs.size(); ++trial) {
      viewToDialogMs.push_back(latency.keyToDialogMs[trial] - latency.keyToViewMs[trial]);
    }
    std::printf(
        "| trials | dialogs shown | key to view, median | view to dialog, median | key to dialog, "
        "median | key to dialog, max |\n|---|---|---|---|---|---|\n");
    std::printf("| %d | %zu | %.1f ms | %.1f ms | %.1f ms | %.1f ms |\n", latency.trials,
                latency.keyToDialogMs.size(), Median(latency.keyToViewMs), Median(viewToDialogMs),
                Median(latency.keyToDialogMs),
                *std::max_element(latency.keyToDialogMs.begin(), latency.keyToDialogMs.end()));
  }
  Flush();
}

void PrintLoadAverage(const char* when) {
  std::ifstream file("/proc/loadavg");
  std::string load;
  std::getline(file, load);
  std::printf("load average %s: %s\n", when, load.c_str());
  Flush();
}

}  // namespace quillmoor::bench
