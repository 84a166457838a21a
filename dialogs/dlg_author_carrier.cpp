// SPDX-License-Identifier: MIT
// The author-career dialog: the filling of its text box.
#include "dialogs/dlg_author_carrier.h"

#include <QPlainTextEdit>

#include "resources/career_text.h"
#include "resources/dialog_templates.h"

namespace quillmoor {

// The text is UTF-8, so no code page of the user's locale ever takes part in reading it.
CDlgAuthorCarrier::CDlgAuthorCarrier(QWidget* parent)
    : CTemplateDialog(AuthorCarrierTemplate, parent),
      m_strCareer(QString::fromUtf8(CareerText())) {}

void CDlgAuthorCarrier::OnInitDialog() {
  auto* box = qobject_cast<QPlainTextEdit*>(GetDlgItem(AuthorCarrierCareerId));
  if (box == nullptr) {
    return;
  }
  // CR LF ends a line in the box just as LF does. Replacing the whole text puts the caret and
  // both scroll positions back at the start, with nothing selected.
  box->setPlainText(m_strCareer);
}

}  // namespace quillmoor
