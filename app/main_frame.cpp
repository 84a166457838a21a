// SPDX-License-Identifier: MIT
// The one top-level window: the game view fills it, takes its focus and its keys; the title
// tells a paused game, F11 makes it full screen, Ctrl+Q closes it.
#include "app/main_frame.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>

#include "app/key_mapping.h"
#include "app/quillmoor_app.h"
#include "game/desktop_keys.h"
#include "resources/window_captions.h"

namespace quillmoor {

namespace {

// The title screen is laid out on 1200 x 600 pixels; the frame opens a little larger.
constexpr QSize DefaultFrameSize(1216, 640);

}  // namespace

CMainFrame::CMainFrame() : m_wndView(this) {
  setWindowTitle(QString::fromUtf8(FrameCaption));
  setWindowIcon(CQuillmoorApp::ApplicationIcon());
  setCentralWidget(&m_wndView);
  setFocusProxy(&m_wndView);
  m_wndView.setFocus();
  InstallSwallowedKeys();
  connect(&m_wndView, &CChildView::pausedChanged, this, &CMainFrame::OnPausedChanged);
  connect(&m_wndView, &CChildView::fullScreenToggleRequested, this, &CMainFrame::ToggleFullScreen);
  // As the close box closes it: the last window closed ends the program with status 0.
  connect(&m_wndView, &CChildView::closeRequested, this, &QWidget::close);

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

void CMainFrame::ToggleFullScreen() {
  // The resize that follows gives the view a fresh whole picture of the new size.
  setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void CMainFrame::OnPausedChanged(bool paused) {
  setWindowTitle(QString::fromUtf8(paused ? PausedFrameCaption : FrameCaption));
}

void CMainFrame::InstallSwallowedKeys() {
  for (const Keystroke& keystroke : AcceleratorKeystrokes()) {
    // An enabled shortcut consumes its keystroke even with nothing connected to it.
    new QShortcut(QKeySequence(QtKeystroke(keystroke)), this);
  }
}

}  // namespace quillmoor
