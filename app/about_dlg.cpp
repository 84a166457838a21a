// SPDX-License-Identifier: MIT
// The version dialog: icon, program name and version, copyright, OK.
#include "app/about_dlg.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "app/quillmoor_app.h"
#include "app/version.h"
#include "dialogs/dialog_layout.h"
#include "game/tick_host.h"

namespace quillmoor {

namespace {

const QString Caption = QStringLiteral("バージョン情報 Quillmoor");
const QString CopyrightLine = QStringLiteral("Copyright (C) 2026 Tobias Quill");
const QString DialogFace = QStringLiteral("MS UI Gothic");
constexpr int DialogPointSize = 9;

constexpr int DialogWidthUnits = 211;
constexpr int DialogHeightUnits = 62;
constexpr DialogUnitRect IconRect{14, 14, 20, 20};
constexpr DialogUnitRect VersionRect{42, 14, 114, 8};
constexpr DialogUnitRect CopyrightRect{41, 27, 157, 8};
constexpr DialogUnitRect OkRect{154, 41, 50, 14};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  const DialogLayout layout(QFont(DialogFace, DialogPointSize));
  setFont(layout.font());
  setWindowTitle(Caption);
  setWindowIcon(CQuillmoorApp::ApplicationIcon());
  setFixedSize(layout.ToPixels(DialogWidthUnits, DialogHeightUnits));

  auto* icon = new QLabel(this);
  const QRect iconRect = layout.ToPixels(IconRect);
  icon->setGeometry(iconRect);
  icon->setPixmap(CQuillmoorApp::ApplicationIcon().pixmap(iconRect.size()));

  // Plain text, shown exactly as written: no markup and no mnemonic ampersands.
  auto* version = new QLabel(
      QStringLiteral("Quillmoor, Version %1").arg(QLatin1String(ShortVersionString)), this);
  version->setTextFormat(Qt::PlainText);
  version->setGeometry(layout.ToPixels(VersionRect));

  auto* copyright = new QLabel(CopyrightLine, this);
  copyright->setTextFormat(Qt::PlainText);
  copyright->setGeometry(layout.ToPixels(CopyrightRect));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setGeometry(layout.ToPixels(OkRect));
  ok->setDefault(true);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int CAboutDlg::DoModal() {
  return exec() == QDialog::Accepted ? DialogResultOk : DialogResultCancel;
}

}  // namespace quillmoor
