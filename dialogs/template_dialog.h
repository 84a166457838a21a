// SPDX-License-Identifier: MIT
// Base of the dialogs built from a template: fixed client size and controls laid out in dialog
// units.
#pragma once

#include <QDialog>
#include <QString>
#include <span>

#include "dialogs/dialog_layout.h"

namespace quillmoor {

inline constexpr int ControlIdOk = 1;

enum class ControlKind {
  DefaultButton,    // push button, the default one; tab stop
  Static,           // left-aligned label; no tab stop
  EditCentredBare,  // single-line read-only edit, centred text, no border; tab stop
  EditCentred,      // as EditCentredBare, with a border
  EditLeft,         // single-line read-only edit, left-aligned, border; tab stop
  EditMultiLine,    // read-only, border, vertical scroll bar always, no wrap, no horizontal bar
};

struct ControlTemplate {
  ControlKind kind;
  int id;            // looked up by GetDlgItem; 0 for labels nobody looks up
  const char* text;  // UTF-8 initial text, nullptr for none
  DialogUnitRect rect;
};

struct DialogTemplate {
  const char* caption;  // UTF-8
  const char* fontFace;
  int fontPoints;
  int widthUnits;  // client area
  int heightUnits;
  std::span<const ControlTemplate> controls;  // template order, which is also the tab order
};

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
