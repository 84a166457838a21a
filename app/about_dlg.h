// SPDX-License-Identifier: MIT
// The version dialog: icon, program name and version, copyright, OK.
#pragma once

#include "dialogs/template_dialog.h"

namespace quillmoor {

class CAboutDlg : public CTemplateDialog {
  Q_OBJECT

 public:
  // On its template, laid out in dialog units on the 9 pt "MS UI Gothic" face.
  explicit CAboutDlg(QWidget* parent = nullptr);

 protected:
  // The lines are fixed text: nothing to fill in.
  void OnInitDialog() override {}
};

}  // namespace quillmoor
