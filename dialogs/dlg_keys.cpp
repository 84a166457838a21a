// SPDX-License-Identifier: MIT
// The keys dialog, on its template: one row of three labels per key (keys, Japanese, English).
#include "dialogs/dlg_keys.h"

#include "resources/dialog_templates.h"

namespace quillmoor {

CDlgKeys::CDlgKeys(QWidget* parent) : CTemplateDialog(KeysDialogTemplate, parent) {}

}  // namespace quillmoor
