// SPDX-License-Identifier: MIT
// The dialog templates hold together: each control inside its dialog and clear of the others,
// ids that name one control, one default OK button, distinct dialog ids.
#include <gtest/gtest.h>

#include <set>

#include "resources/dialog_templates.h"

namespace quillmoor {
namespace {

bool Overlap(const DialogUnitRect& a, const DialogUnitRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(DialogTemplates, EveryControlLiesInsideItsDialogClearOfTheOthers) {
  for (const DialogTemplate* dialog : DialogTemplates) {
    SCOPED_TRACE(dialog->id);
    EXPECT_GT(dialog->widthUnits, 0);
    EXPECT_GT(dialog->heightUnits, 0);
    EXPECT_GT(dialog->fontPoints, 0);
    const auto& controls = dialog->controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const DialogUnitRect& r = controls[i].rect;
      EXPECT_TRUE(r.width > 0 && r.height > 0) << "control " << i;
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= dialog->widthUnits &&
                  r.y + r.height <= dialog->heightUnits)
          << "control " << i << " outside the dialog";
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(Overlap(r, controls[j].rect)) << "control " << i << " overlaps " << j;
      }
    }
  }
}

TEST(DialogTemplates, IdsNameOneControlAndOneDialogAndOkIsTheDefault) {
  std::set<int> dialogIds;
  for (const DialogTemplate* dialog : DialogTemplates) {
    SCOPED_TRACE(dialog->id);
    EXPECT_TRUE(dialogIds.insert(dialog->id).second) << "dialog id used twice";
    EXPECT_FALSE(dialog->caption.empty());
    std::set<int> controlIds;
    int defaultButtons = 0;
    for (const ControlTemplate& control : dialog->controls) {
      if (control.id != ControlIdNone) {
        EXPECT_TRUE(controlIds.insert(control.id).second) << "control id " << control.id;
      }
      if (control.kind == ControlKind::DefaultButton) {
        ++defaultButtons;
        // The front ends give the focus to OK by its id, and OK's result closes the dialog.
        EXPECT_EQ(control.id, ControlIdOk);
        EXPECT_EQ(control.text, "OK");
      }
      const bool label =
          control.kind == ControlKind::Static || control.kind == ControlKind::StaticNoPrefix;
      // A resource script gives edits and icons no text; a label without one shows nothing.
      EXPECT_EQ(label, !control.text.empty() && control.kind != ControlKind::DefaultButton);
    }
    EXPECT_EQ(defaultButtons, 1);
  }
}

}  // namespace
}  // namespace quillmoor
