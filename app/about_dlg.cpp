// SPDX-License-Identifier: MIT
// The version dialog, on its template.
#include "app/about_dlg.h"

#include "app/quillmoor_app.h"
#include "resources/dialog_templates.h"

namespace quillmoor {

CAboutDlg::CAboutDlg(QWidget* parent) : CTemplateDialog(VersionDialogTemplate, parent) {
  setWindowIcon(CQuillmoorApp::ApplicationIcon());
}

}  // namespace quillmoor
