// SPDX-License-Identifier: MIT
// The author-career dialog: the long bilingual career text in a read-only box, and OK.
#pragma once

#include <QString>

#include "dialogs/template_dialog.h"

namespace quillmoor {

class CDlgAuthorCarrier : public CTemplateDialog {
  Q_OBJECT

 public:
  // Reads the stored career text into m_strCareer, afresh for every dialog object.
  explicit CDlgAuthorCarrier(QWidget* parent = nullptr);

  QString m_strCareer;

 protected:
  // Shows the whole text from its first line, nothing selected.
  void OnInitDialog() override;
};

}  // namespace quillmoor
