// SPDX-License-Identifier: MIT
// The game window under a real X server: ticks per second and CPU per tick at the 1 ms period
// beside an empty timer loop and a full-frame repaint loop, CPU share at the default period and
// of a paused game, and how fast the V key shows its dialog.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>

#include <QCoreApplication>
#include <QStringList>

#include "app/quillmoor_app.h"
#include "app/tick_timer.h"
#include "benchmarks/window/event_wait.h"
#include "benchmarks/window/game_view_loop.h"
#include "benchmarks/window/key_latency.h"
#include "benchmarks/window/loop_figures.h"
#include "benchmarks/window/modal_answerer.h"
#include "benchmarks/window/process_cpu.h"
#include "benchmarks/window/report_table.h"
#include "benchmarks/window/timer_loops.h"
#include "game/game_state.h"

namespace quillmoor::bench {

namespace {

constexpr int FastPeriodMs = 1;
constexpr std::array<QSize, 4> FastTickSizes = {QSize(640, 480), QSize(1280, 720),
                                                QSize(1920, 1080), QSize(3840, 2160)};
constexpr std::array<int, 2> Zooms = {1, 3};
constexpr MeasureSpans FastTickSpans{Milliseconds(500), Milliseconds(1000), 3};

constexpr QSize IdleSize(1280, 720);
constexpr int IdleWindows = 3;
constexpr MeasureSpans IdleSpans{Milliseconds(1000), Milliseconds(4000), IdleWindows,
                                 WindowPick::MedianShare};

constexpr QSize KeySize(4000, 3000);
constexpr int KeyTrials = 9;

void WarnIfBounded(const TickLoop& loop, QSize wanted, const char* name) {
  if (loop.ShownSize() != wanted) {
    std::printf("warning: %s shown at %dx%d instead of %dx%d\n", name, loop.ShownSize().width(),
                loop.ShownSize().height(), wanted.width(), wanted.height());
  }
}

void MeasureFastTicks(GameViewLoop& game, std::optional<pid_t> server,
                      std::span<const QSize> sizes) {
  EmptyTimerLoop empty;
  FullFrameRepaintLoop bare;
  PrintFastTickHeader(FastPeriodMs, FastTickSpans);
  for (const QSize size : sizes) {
    FastTickRow row;
    row.size = size;
    row.empty = MeasureLoop(empty, size, FastPeriodMs, FastTickSpans, server);
    row.bare = MeasureLoop(bare, size, FastPeriodMs, FastTickSpans, server);
    WarnIfBounded(bare, size, "the repaint loop");
    for (const int zoom : Zooms) {
      row.zoom = zoom;
      game.SetZoom(zoom);
      row.game = MeasureLoop(game, size, FastPeriodMs, FastTickSpans, server);
      WarnIfBounded(game, size, "the game view");
      PrintFastTickRow(row);
    }
  }
}

void MeasureIdle(GameViewLoop& game, std::optional<pid_t> server) {
  EmptyTimerLoop empty;
  FullFrameRepaintLoop bare;
  PrintIdleHeader(IdleSize, DefaultTickPeriod, IdleSpans);
  game.SetZoom(1);
  PrintIdleRow("game", MeasureLoop(game, IdleSize, DefaultTickPeriod, IdleSpans, server));
  PrintIdleRow("empty", MeasureLoop(empty, IdleSize, DefaultTickPeriod, IdleSpans, server));
  PrintIdleRow("bare", MeasureLoop(bare, IdleSize, DefaultTickPeriod, IdleSpans, server));
  PausedGameLoop paused(game);
  PrintIdleRow("game, paused", MeasureLoop(paused, IdleSize, DefaultTickPeriod, IdleSpans, server));
}

constexpr QSize DisplayRowFastSize(1920, 1080);

// The figures of one display server, in one row of a table that compares display servers.
void MeasureDisplayRow(GameViewLoop& game, std::optional<pid_t> server, const char* label) {
  EmptyTimerLoop empty;
  FullFrameRepaintLoop bare;
  PrintDisplayHeader(DisplayRowFastSize, FastPeriodMs, IdleSize, DefaultTickPeriod);
  DisplayRow row;
  row.label = label;
  row.fastEmpty = MeasureLoop(empty, DisplayRowFastSize, FastPeriodMs, FastTickSpans, server);
  game.SetZoom(1);
  row.fastZoom1 = MeasureLoop(game, DisplayRowFastSize, FastPeriodMs, FastTickSpans, server);
  WarnIfBounded(game, DisplayRowFastSize, "the game view");
  game.SetZoom(3);
  row.fastZoom3 = MeasureLoop(game, DisplayRowFastSize, FastPeriodMs, FastTickSpans, server);
  game.SetZoom(1);
  row.idleGame = MeasureLoop(game, IdleSize, DefaultTickPeriod, IdleSpans, server);
  row.idleEmpty = MeasureLoop(empty, IdleSize, DefaultTickPeriod, IdleSpans, server);
  row.idleBare = MeasureLoop(bare, IdleSize, DefaultTickPeriod, IdleSpans, server);
  PrintDisplayRow(row);
}

// Tick periods from the fastest to the slowest the keys set.
constexpr std::array<int, 13> SweptPeriodsMs = {1, 2, 3, 5, 9, 10, 20, 50, 90, 100, 300, 500, 900};
constexpr QSize SweepSize(320, 240);
constexpr Milliseconds SweepSpan(1000);
constexpr int LeastSweptIntervals = 3;

// The timer at every period: ticks per second between the first and last tick of a span long
// enough for a few intervals, beside the ideal 1,000 / period.
void MeasurePeriods() {
  std::printf(
      "\nThe tick timer at every period (%s), each over at least %lld ms and %d intervals.\n\n"
      "| period | ideal ticks/s | measured | off by |\n|---|---|---|---|\n",
      TickTimer([] {}).usesQtTimer() ? "Qt's precise timer" : "the timerfd",
      static_cast<long long>(SweepSpan.count()), LeastSweptIntervals);
  StampedTimerLoop loop;
  for (const int period : SweptPeriodsMs) {
    loop.Start(SweepSize, period);
    RunEventsFor(Milliseconds(period));
    loop.Restart();
    RunEventsUntil([&] { return loop.stamped() > LeastSweptIntervals; },
                   std::max(SweepSpan, Milliseconds(period * (LeastSweptIntervals + 2))));
    RunEventsFor(std::max(Milliseconds(0), SweepSpan - Milliseconds(period * loop.stamped())));
    const double ideal = 1000.0 / period;
    const double measured = loop.TicksPerSecond();
    loop.Stop();
    std::printf("| %d ms | %.2f | %.2f | %+.2f %% |\n", period, ideal, measured,
                (measured / ideal - 1) * 100);
    std::fflush(stdout);
  }
}

// The text after option, if the option is given.
std::optional<QString> OptionValue(const QStringList& arguments, const QString& option) {
  const qsizetype at = arguments.indexOf(option);
  if (at < 0) {
    return std::nullopt;
  }
  return arguments.value(at + 1);
}

// The size after --fast-ticks-at (WIDTHxHEIGHT), or an empty size when it is not given.
std::optional<QSize> FastTicksOnlySize(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QStringLiteral("--fast-ticks-at"));
  if (at < 0) {
    return std::nullopt;
  }
  const QStringList sides = arguments.value(at + 1).split(QLatin1Char('x'));
  bool widthOk = false;
  bool heightOk = false;
  const QSize size(sides.value(0).toInt(&widthOk), sides.value(1).toInt(&heightOk));
  return sides.size() == 2 && widthOk && heightOk && !size.isEmpty() ? size : QSize();
}

int Run(CQuillmoorApp& app) {
  // --fast-ticks-at WIDTHxHEIGHT: only the 1 ms loops, at that size (a compositor's output, say).
  const std::optional<QSize> fastTicksOnly = FastTicksOnlySize(QCoreApplication::arguments());
  // --table-row LABEL: one row of the table of display servers, labelled so.
  const std::optional<QString> tableRow =
      OptionValue(QCoreApplication::arguments(), QStringLiteral("--table-row"));
  if ((fastTicksOnly && fastTicksOnly->isEmpty()) || (tableRow && tableRow->isEmpty())) {
    std::fprintf(
        stderr,
        "usage: bench_window [--fast-ticks-at WIDTHxHEIGHT | --table-row LABEL | --periods]\n");
    return EXIT_FAILURE;
  }
  // --periods: only the timer at every period.
  if (QCoreApplication::arguments().contains(QStringLiteral("--periods"))) {
    MeasurePeriods();
    return EXIT_SUCCESS;
  }
  PrintLoadAverage("at start");
  const std::optional<pid_t> server = FindDisplayServer();
  if (!server) {
    std::printf(
        "warning: no Xvfb serving $DISPLAY and no QUILLMOOR_COMPOSITOR_PID; the display "
        "server's CPU is not measured\n");
  }
  // The game's stage-end and version dialogs are modal; nobody is there to close them.
  ModalAnswerer answerer;
  if (!app.InitInstance()) {
    std::fprintf(stderr, "bench_window: the game window could not be created\n");
    return EXIT_FAILURE;
  }
  GameViewLoop game(*app.mainFrame(), answerer);
  if (!game.SkipTitle()) {
    std::fprintf(stderr, "bench_window: the title phase did not end\n");
    return EXIT_FAILURE;
  }

  if (tableRow) {
    MeasureDisplayRow(game, server, qPrintable(*tableRow));
    return EXIT_SUCCESS;
  }
  if (fastTicksOnly) {
    MeasureFastTicks(game, server, std::span(&*fastTicksOnly, 1));
    return EXIT_SUCCESS;
  }
  MeasureFastTicks(game, server, FastTickSizes);
  MeasureIdle(game, server);
  MeasurePeriods();
  game.SetZoom(1);
  PrintKeyLatency(KeySize, FastPeriodMs,
                  MeasureVersionKeyLatency(game, answerer, KeySize, FastPeriodMs, KeyTrials));
  std::printf("\ndialogs closed along the way: %d\n", answerer.answeredCount());
  PrintLoadAverage("at end");
  return EXIT_SUCCESS;
}

}  // namespace

}  // namespace quillmoor::bench

int main(int argc, char** argv) {
  quillmoor::CQuillmoorApp app(argc, argv);
  // Loops are shown and hidden in turn; none of that may end the run.
  app.setQuitOnLastWindowClosed(false);
  return quillmoor::bench::Run(app);
}
