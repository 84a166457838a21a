// SPDX-License-Identifier: MIT
// The author-career dialog's controls and the filling of its text box.
#include "dialogs/dlg_author_carrier.h"

#include <QPlainTextEdit>

#include "dialogs/career_text.h"

namespace quillmoor {

namespace {

constexpr ControlTemplate AuthorCarrierControls[] = {
    {ControlKind::DefaultButton, ControlIdOk, "OK", {259, 282, 50, 14}},
    {ControlKind::EditMultiLine, CDlgAuthorCarrier::IdCareer, nullptr, {7, 7, 302, 272}},
};

constexpr DialogTemplate AuthorCarrierTemplate{
    "著者経歴 Author Carrier", "MS Shell Dlg", 8, 316, 303, AuthorCarrierControls,
};

}  // namespace

CDlgAuthorCarrier::CDlgAuthorCarrier(QWidget* parent)
    : CTemplateDialog(AuthorCarrierTemplate, parent),
      m_strCareer(DecodeShiftJis(StoredCareerText())) {}

void CDlgAuthorCarrier::OnInitDialog() {
  auto* box = qobject_cast<QPlainTextEdit*>(GetDlgItem(IdCareer));
  if (box == nullptr) {
    return;
  }
  // CR LF ends a line in the box just as LF does. Replacing the whole text puts the caret and
  // both scroll positions back at the start, with nothing selected.
  box->setPlainText(m_strCareer);
}

}  // namespace quillmoor
