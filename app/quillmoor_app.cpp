// SPDX-License-Identifier: MIT
// The application object: names the program (never with a display name, which Qt would
// append to every window title), maps the game's fonts, opens the main frame.
#include "app/quillmoor_app.h"

#include <iterator>
#include <new>
#include <string_view>

#include <QFont>
#include <QString>
#include <QStringList>

#include "app/main_frame.h"
#include "resources/font_faces.h"
#include "resources/version.h"
#include "resources/window_captions.h"

namespace quillmoor {

namespace {

const QString DesktopFileName = QStringLiteral("io.github.quillmoor.Quillmoor");
constexpr int IconSizes[] = {16, 32, 48, 64, 96, 128, 256};

}  // namespace

CQuillmoorApp::CQuillmoorApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromUtf8(ApplicationName));
  setApplicationVersion(QString::fromLatin1(VersionString));
  setDesktopFileName(DesktopFileName);
  InstallFontSubstitutions();
  setWindowIcon(ApplicationIcon());
}

CQuillmoorApp::~CQuillmoorApp() {
  // A frame still open when the loop ends (quit() rather than a close) dies before the app.
  delete m_pMainWnd.data();
}

bool CQuillmoorApp::InitInstance() {
  CMainFrame* frame = nullptr;
  try {
    frame = new CMainFrame;
  } catch (const std::bad_alloc&) {
    return false;
  }
  // Closing the frame deletes it; the last window closing ends the loop.
  frame->setAttribute(Qt::WA_DeleteOnClose);
  m_pMainWnd = frame;
  frame->show();
  frame->repaint();
  return true;
}

CMainFrame* CQuillmoorApp::mainFrame() const {
  return m_pMainWnd.data();
}

void CQuillmoorApp::InstallFontSubstitutions() {
  // Debian's fontconfig aliases none of these names; unmapped they all fall to DejaVu Sans.
  const struct {
    std::string_view face;
    const char* installed;
  } substitutions[] = {
      {MinchoFace, "IPAPMincho"},
      {CenturyFace, "C059"},
      {UiGothicFace, "IPAPGothic"},
      {ShellDialogFace, "IPAPGothic"},
  };
  static_assert(std::size(substitutions) == FontFaces.size(),
                "a face of the title or the dialogs left unmapped");
  for (const auto& substitution : substitutions) {
    QFont::insertSubstitutions(QString::fromUtf8(substitution.face),
                               {QString::fromLatin1(substitution.installed)});
  }
}

QIcon CQuillmoorApp::ApplicationIcon() {
  QIcon icon;
  for (const int size : IconSizes) {
    icon.addFile(QStringLiteral(":/icons/quillmoor-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace quillmoor
