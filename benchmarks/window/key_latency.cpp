// SPDX-License-Identifier: MIT
// How long the V key takes to bring the version dialog on screen while the game runs.
#include "benchmarks/window/key_latency.h"

#include <chrono>
#include <optional>

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>

#include "app/about_dlg.h"
#include "benchmarks/window/event_wait.h"

namespace quillmoor::bench {

namespace {

using Clock = std::chrono::steady_clock;

const QString KeyTool = QStringLiteral("xdotool");
// xdotool reading its commands from standard input carries out each line as it arrives.
constexpr char PressV[] = "key v\n";

constexpr Milliseconds SettleTime{1000};
constexpr Milliseconds ActivationTimeout{5000};
// A slow game can take seconds; longer than that is a failure worth seeing in the table.
constexpr Milliseconds DialogTimeout{10000};
constexpr Milliseconds CloseTimeout{10000};
constexpr Milliseconds PauseBetweenTrials{300};

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Notes when a V press reaches the view.
class KeyArrival : public QObject {
  Q_OBJECT

 public:
  std::optional<Clock::time_point> arrived;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && !arrived &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_V) {
      arrived = Clock::now();
    }
    return false;
  }
};

}  // namespace

KeyLatency MeasureVersionKeyLatency(GameViewLoop& game, ModalAnswerer& answerer, QSize size,
                                    int periodMs, int trials) {
  KeyLatency result;
  // Started once and fed a command per trial, so that no trial waits for a program to start.
  QProcess keyTool;
  keyTool.start(KeyTool, {QStringLiteral("-")});
  if (!keyTool.waitForStarted()) {
    result.failure = "xdotool did not start";
    return result;
  }
  game.Start(size, periodMs);
  RunEventsFor(SettleTime);
  // With no window manager the window is not active, and so gets no keys, until asked.
  game.frame().activateWindow();
  if (!RunEventsUntil([&game] { return QApplication::activeWindow() == &game.frame(); },
                      ActivationTimeout)) {
    game.Stop();
    keyTool.closeWriteChannel();
    keyTool.waitForFinished();
    result.failure = "the game window did not become active";
    return result;
  }

  KeyArrival arrival;
  game.view().installEventFilter(&arrival);
  std::optional<Clock::time_point> dialogShown;
  answerer.SetOnShown([&dialogShown](QDialog& dialog) {
    if (dynamic_cast<CAboutDlg*>(&dialog) && !dialogShown) {
      dialogShown = Clock::now();
    }
  });
  for (int trial = 0; trial < trials; ++trial) {
    arrival.arrived.reset();
    dialogShown.reset();
    const Clock::time_point sent = Clock::now();
    keyTool.write(PressV);
    keyTool.waitForBytesWritten();
    const bool shown = RunEventsUntil([&] { return dialogShown.has_value(); }, DialogTimeout);
    RunEventsUntil([] { return QApplication::activeModalWidget() == nullptr; }, CloseTimeout);
    ++result.trials;
    if (shown && arrival.arrived) {
      result.keyToViewMs.push_back(MillisecondsBetween(sent, *arrival.arrived));
      result.keyToDialogMs.push_back(MillisecondsBetween(sent, *dialogShown));
    }
    RunEventsFor(PauseBetweenTrials);
  }
  keyTool.closeWriteChannel();
  keyTool.waitForFinished();
  answerer.SetOnShown(nullptr);
  game.view().removeEventFilter(&arrival);
  game.Stop();
  return result;
}

}  // namespace quillmoor::bench

#include "key_latency.moc"
