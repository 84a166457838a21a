// SPDX-License-Identifier: MIT
// Builds a template dialog's window and controls, and runs its modal loop.
#include "dialogs/template_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

#include "game/tick_host.h"

namespace quillmoor {

namespace {

// A modal frame with caption and close box: no help, minimise or maximise button.
constexpr Qt::WindowFlags TemplateDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

QString ControlName(int id) {
  return QStringLiteral("dlgItem%1").arg(id);
}

// Read-only edits sit on the dialog's own background, as the window system draws them.
void ShowAsReadOnly(QWidget& edit) {
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  edit.setPalette(palette);
}

QLineEdit* CreateLineEdit(QWidget* parent, Qt::Alignment alignment, bool border) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  edit->setAlignment(alignment | Qt::AlignVCenter);
  edit->setFrame(border);
  ShowAsReadOnly(*edit);
  return edit;
}

}  // namespace

CTemplateDialog::CTemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, TemplateDialogFlags) {
  const DialogLayout layout(
      QFont(QString::fromUtf8(dialogTemplate.fontFace), dialogTemplate.fontPoints));
  setFont(layout.font());
  setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  setFixedSize(layout.ToPixels(dialogTemplate.widthUnits, dialogTemplate.heightUnits));
  // Creation order is the focus chain, so the template's order becomes the tab order.
  for (const ControlTemplate& control : dialogTemplate.controls) {
    QWidget* widget = CreateControl(control);
    widget->setGeometry(layout.ToPixels(control.rect));
    if (control.kind == ControlKind::Icon) {
      static_cast<QLabel*>(widget)->setPixmap(QApplication::windowIcon().pixmap(widget->size()));
    }
    if (control.id != ControlIdNone) {
      widget->setObjectName(ControlName(control.id));
    }
  }
}

QWidget* CTemplateDialog::CreateControl(const ControlTemplate& control) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::DefaultButton: {
      auto* button = new QPushButton(text, this);
      button->setDefault(true);
      button->setAutoDefault(true);
      connect(button, &QPushButton::clicked, this, &CTemplateDialog::accept);
      return button;
    }
    case ControlKind::Static:
    case ControlKind::StaticNoPrefix: {
      // A label without a buddy shows an ampersand as itself: both kinds look alike here.
      auto* label = new QLabel(text, this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::Icon:
      // Filled once the box has its size in pixels.
      return new QLabel(this);
    case ControlKind::EditCentredBare:
      return CreateLineEdit(this, Qt::AlignHCenter, false);
    case ControlKind::EditCentred:
      return CreateLineEdit(this, Qt::AlignHCenter, true);
    case ControlKind::EditLeft:
      return CreateLineEdit(this, Qt::AlignLeft, true);
    case ControlKind::EditMultiLine: {
      auto* edit = new QPlainTextEdit(text, this);
      edit->setReadOnly(true);
      edit->setLineWrapMode(QPlainTextEdit::NoWrap);
      edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      // With no horizontal bar, a caret is what lets the keyboard scroll long lines sideways.
      edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      ShowAsReadOnly(*edit);
      return edit;
    }
  }
  return new QWidget(this);
}

QWidget* CTemplateDialog::GetDlgItem(int id) const {
  return findChild<QWidget*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

QString CTemplateDialog::EditText(int id) const {
  const auto* edit = qobject_cast<const QLineEdit*>(GetDlgItem(id));
  return edit ? edit->text() : QString();
}

void CTemplateDialog::SetEditText(int id, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id))) {
    edit->setText(text);
    // A text wider than the box shows from its start, as it was typed in.
    edit->setCursorPosition(0);
  }
}

void CTemplateDialog::accept() {
  OnOK();
  QDialog::accept();
}

void CTemplateDialog::AttachToOwner() {
  if (parentWidget() != nullptr) {
    return;
  }
  QWidget* owner = QApplication::activeWindow();
  if (owner == nullptr || owner == this || owner->windowHandle() == nullptr) {
    return;
  }
  // A transient parent keeps the dialog above its owner without making the owner delete it.
  winId();
  windowHandle()->setTransientParent(owner->windowHandle());
}

int CTemplateDialog::DoModal() {
  OnInitDialog();
  if (QWidget* ok = GetDlgItem(ControlIdOk)) {
    ok->setFocus(Qt::OtherFocusReason);
  }
  AttachToOwner();
  return exec() == QDialog::Accepted ? DialogResultOk : DialogResultCancel;
}

}  // namespace quillmoor
