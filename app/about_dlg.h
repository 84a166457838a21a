// SPDX-License-Identifier: MIT
// The version dialog: icon, program name and version, copyright, OK.
#pragma once

#include <QDialog>

namespace quillmoor {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // Laid out in dialog units on the 9 pt "MS UI Gothic" face.
  explicit CAboutDlg(QWidget* parent = nullptr);

  // Runs the dialog modally: DialogResultOk after OK, DialogResultCancel after Esc or the
  // close box.
  int DoModal();
};

}  // namespace quillmoor
