// SPDX-License-Identifier: MIT
// The application object: names the program, maps the game's fonts, opens the main frame.
#pragma once

#include <QApplication>
#include <QIcon>
#include <QPointer>

namespace quillmoor {

class CMainFrame;

class CQuillmoorApp : public QApplication {
  Q_OBJECT

 public:
  // Sets the application name, the font substitutions and the window icon.
  CQuillmoorApp(int& argc, char** argv);
  ~CQuillmoorApp() override;
  CQuillmoorApp(const CQuillmoorApp&) = delete;
  CQuillmoorApp& operator=(const CQuillmoorApp&) = delete;

  // Creates the main frame, shows it and paints it before the event loop starts. Returns
  // false, with no window left open, when the frame cannot be created.
  bool InitInstance();

  // The frame until its window is closed, then null.
  CMainFrame* mainFrame() const;

  // Maps the faces the windows are laid out with onto Debian's fonts; needs a QGuiApplication.
  static void InstallFontSubstitutions();

  // The maze icon at every size the resources hold.
  static QIcon ApplicationIcon();

 private:
  QPointer<CMainFrame> m_pMainWnd;
};

}  // namespace quillmoor
