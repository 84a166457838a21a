// SPDX-License-Identifier: MIT
// Base of the dialogs built from a template (resources/dialog_templates.h): fixed client size and
// controls laid out in dialog units.
#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/dialog_layout.h"
#include "resources/dialog_template.h"

namespace quillmoor {

class CTemplateDialog : public QDialog {
  Q_OBJECT

 public:
  // Fills the controls, puts the focus on OK and runs the modal loop: DialogResultOk after OK
  // (button, Enter or Space), DialogResultCancel after Esc or the close box.
  int DoModal();

  // The control with this id, or nullptr if the template has none.
  QWidget* GetDlgItem(int id) const;

  // OK: copies the controls back into the fields, then closes with Accepted.
  void accept() override;

 protected:
  // Builds the window and its controls. Without a parent, the active window owns the dialog
  // while it is shown (it stays above it) but does not delete it.
  CTemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent);

  // Copies the fields into the controls; runs each time the dialog opens.
  virtual void OnInitDialog() = 0;
  // Copies the controls into the fields; runs only when OK closes the dialog.
  virtual void OnOK() {}

  // The text of a single-line edit, or an empty string if id names none.
  QString EditText(int id) const;
  void SetEditText(int id, const QString& text);

 private:
  QWidget* CreateControl(const ControlTemplate& control);
  void AttachToOwner();
};

}  // namespace quillmoor
