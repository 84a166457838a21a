// SPDX-License-Identifier: MIT
// Closes every dialog the game opens once it is on screen, so that no run waits for a person.
#pragma once

#include <functional>

#include <QDialog>
#include <QObject>

namespace quillmoor::bench {

// Watches the whole application: a dialog is closed, as by Esc, after its first paint (or
// after a grace period if it never paints).
class ModalAnswerer : public QObject {
  Q_OBJECT

 public:
  ModalAnswerer();
  ~ModalAnswerer() override;
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  // Called when a dialog is first painted, before it is closed.
  void SetOnShown(std::function<void(QDialog&)> onShown) { m_onShown = std::move(onShown); }
  // Called from the event loop once a dialog closed here is gone and the code that ran it has
  // returned.
  void SetAfterClosed(std::function<void()> afterClosed) { m_afterClosed = std::move(afterClosed); }

  int answeredCount() const { return m_answered; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Answer(QDialog& dialog);

  std::function<void(QDialog&)> m_onShown;
  std::function<void()> m_afterClosed;
  int m_answered = 0;
};

}  // namespace quillmoor::bench
