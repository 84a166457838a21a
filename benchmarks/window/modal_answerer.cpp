// SPDX-License-Identifier: MIT
// Closes every dialog the game opens once it is on screen, so that no run waits for a person.
#include "benchmarks/window/modal_answerer.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>

namespace quillmoor::bench {

namespace {

const char* const AnsweredProperty = "quillmoorBenchAnswered";

// Long enough for a dialog to reach the screen on a loaded machine with a slow game behind it.
constexpr int NeverPaintedGraceMs = 5000;

}  // namespace

ModalAnswerer::ModalAnswerer() {
  qApp->installEventFilter(this);
}

ModalAnswerer::~ModalAnswerer() {
  qApp->removeEventFilter(this);
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Paint && type != QEvent::Show) {
    return false;
  }
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog || !dialog->isWindow() || dialog->property(AnsweredProperty).toBool()) {
    return false;
  }
  if (type == QEvent::Paint) {
    Answer(*dialog);
  } else {
    QTimer::singleShot(NeverPaintedGraceMs, dialog, [this, dialog] {
      if (!dialog->property(AnsweredProperty).toBool()) {
        Answer(*dialog);
      }
    });
  }
  return false;
}

void ModalAnswerer::Answer(QDialog& dialog) {
  dialog.setProperty(AnsweredProperty, true);
  ++m_answered;
  if (m_onShown) {
    m_onShown(dialog);
  }
  // Queued: the dialog is closed from its own event loop, after this paint.
  QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
  QObject::connect(&dialog, &QObject::destroyed, this, [this] {
    // The dialog lives on the stack of the code that ran it: posting runs the hook after
    // that code has returned to the event loop.
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (m_afterClosed) {
            m_afterClosed();
          }
        },
        Qt::QueuedConnection);
  });
}

}  // namespace quillmoor::bench
