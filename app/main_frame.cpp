// SPDX-License-Identifier: MIT
// The one top-level window: the game view fills it, takes its focus and its keys.
#include "app/main_frame.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>

#include "app/quillmoor_app.h"

namespace quillmoor {

namespace {

const QString FrameTitle = QStringLiteral("Quillmoor");

// The title screen is laid out on 1200 x 600 pixels; the frame opens a little larger.
constexpr QSize DefaultFrameSize(1216, 640);

// Copy, paste, undo and cut, pane switching: commands of a document program the game never
// handles, but whose keystrokes must still not reach the game as plain letters.
const QKeyCombination SwallowedKeys[] = {
    Qt::CTRL | Qt::Key_C,       Qt::CTRL | Qt::Key_V,        Qt::ALT | Qt::Key_Backspace,
    Qt::SHIFT | Qt::Key_Delete, QKeyCombination(Qt::Key_F6), Qt::SHIFT | Qt::Key_F6,
    Qt::CTRL | Qt::Key_Insert,  Qt::SHIFT | Qt::Key_Insert,  Qt::CTRL | Qt::Key_X,
    Qt::CTRL | Qt::Key_Z,
};

}  // namespace

CMainFrame::CMainFrame() : m_wndView(this) {
  setWindowTitle(FrameTitle);
  setWindowIcon(CQuillmoorApp::ApplicationIcon());
  setCentralWidget(&m_wndView);
  setFocusProxy(&m_wndView);
  m_wndView.setFocus();
  InstallSwallowedKeys();

  QSize size = DefaultFrameSize;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size());
  }
  resize(size);
}

CMainFrame::~CMainFrame() {
  // The view is a member: take it back so the main window does not delete it a second time.
  takeCentralWidget();
}

void CMainFrame::InstallSwallowedKeys() {
  for (const QKeyCombination keys : SwallowedKeys) {
    // An enabled shortcut consumes its keystroke even with nothing connected to it.
    new QShortcut(QKeySequence(keys), this);
  }
}

}  // namespace quillmoor
