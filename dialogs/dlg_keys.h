// SPDX-License-Identifier: MIT
// The keys dialog: every key and what it does, in Japanese and English side by side, and OK.
#pragma once

#include "dialogs/template_dialog.h"

namespace quillmoor {

class CDlgKeys : public CTemplateDialog {
  Q_OBJECT

 public:
  explicit CDlgKeys(QWidget* parent = nullptr);

 protected:
  // The list is fixed text: nothing to fill in.
  void OnInitDialog() override {}
};

}  // namespace quillmoor
