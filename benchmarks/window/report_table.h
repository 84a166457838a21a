// SPDX-License-Identifier: MIT
// The benchmark's tables, printed a row at a time as the figures come in.
#pragma once

#include <QSize>

#include "benchmarks/window/key_latency.h"
#include "benchmarks/window/loop_figures.h"

namespace quillmoor::bench {

// The game beside the two yardsticks at one size and zoom.
struct FastTickRow {
  QSize size;
  int zoom = 1;
  LoopFigures game;
  LoopFigures empty;
  LoopFigures bare;
};

void PrintFastTickHeader(int periodMs, const MeasureSpans& spans);
void PrintFastTickRow(const FastTickRow& row);

void PrintIdleHeader(QSize size, int periodMs, MeasureSpans spans);
void PrintIdleRow(const char* loop, const LoopFigures& figures);

// One display server in a line: the game at the 1 ms period and both zooms beside the empty
// loop, then the share of a core at the default period of the game, the empty loop and the
// repaint loop, and the display server's own share while the game runs.
struct DisplayRow {
  const char* label = "";
  LoopFigures fastZoom1;
  LoopFigures fastZoom3;
  LoopFigures fastEmpty;
  LoopFigures idleGame;
  LoopFigures idleEmpty;
  LoopFigures idleBare;
};

void PrintDisplayHeader(QSize fastSize, int fastPeriodMs, QSize idleSize, int idlePeriodMs);
void PrintDisplayRow(const DisplayRow& row);

void PrintKeyLatency(QSize size, int periodMs, const KeyLatency& latency);

// The machine's load average, which the figures depend on.
void PrintLoadAverage(const char* when);

}  // namespace quillmoor::bench
