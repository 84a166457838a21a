// SPDX-License-Identifier: MIT
// Answers the next modal dialog from inside its own event loop, for tests that open one.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "game/tick_host.h"

namespace quillmoor::test {

// Polls for a modal widget once the event loop runs and hands the first one found to act,
// once. Gives up after timeoutMs; stops polling when destroyed.
class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(QWidget*)> act, int timeoutMs = 10000)
      : act_(std::move(act)), timeoutMs_(timeoutMs) {
    clock_.start();
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start(PollIntervalMs);
  }
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;

  bool answered() const { return answered_; }

 private:
  static constexpr int PollIntervalMs = 5;

  void Poll() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll_.stop();
      answered_ = true;
      act_(modal);
    } else if (clock_.elapsed() > timeoutMs_) {
      poll_.stop();
    }
  }

  std::function<void(QWidget*)> act_;
  int timeoutMs_;
  QElapsedTimer clock_;
  QTimer poll_;
  bool answered_ = false;
};

// Shows a fresh Dialog once for each way a one-button dialog closes (OK, Return, Esc, its close
// box) and checks the result each way gives.
template <typename Dialog>
void ExpectClosesEachWay() {
  const struct {
    const char* how;
    std::function<void(QWidget*)> close;
    int result;
  } ways[] = {
      {"OK", [](QWidget* d) { d->findChild<QPushButton*>()->click(); }, DialogResultOk},
      {"Return", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }, DialogResultOk},
      {"Esc", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, DialogResultCancel},
      {"close box", [](QWidget* d) { d->close(); }, DialogResultCancel},
  };
  for (const auto& way : ways) {
    Dialog dialog;
    ModalAnswer answer(way.close);
    EXPECT_EQ(dialog.DoModal(), way.result) << way.how;
    EXPECT_TRUE(answer.answered()) << way.how;
  }
}

}  // namespace quillmoor::test
