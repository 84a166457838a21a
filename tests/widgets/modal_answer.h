// SPDX-License-Identifier: MIT
// Answers the next modal dialog from inside its own event loop, for tests that open one.
#pragma once

#include <functional>
#include <utility>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

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

}  // namespace quillmoor::test
