// SPDX-License-Identifier: MIT
// Dialog geometry in dialog units, converted to pixels through the dialog font's metrics.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "resources/dialog_template.h"

namespace quillmoor {

// Rounds number * numerator / denominator to the nearest integer, halves away from zero, without
// intermediate overflow; the result saturates at the int range. denominator must be positive.
int MulDiv(int number, int numerator, int denominator);

class DialogLayout {
 public:
  // Base units from the font: the average width of the Latin letters and the line height
  // (ascent + descent), each at least one pixel.
  explicit DialogLayout(const QFont& dialogFont);

  // A horizontal unit is a quarter of the base width, a vertical one an eighth of the height.
  int ToPixelsX(int dialogUnitsX) const;
  int ToPixelsY(int dialogUnitsY) const;
  // Each of position and size converts on its own, as the window system places template controls.
  QRect ToPixels(const DialogUnitRect& rect) const;
  QSize ToPixels(int widthUnits, int heightUnits) const;
  const QFont& font() const { return font_; }
  int baseUnitX() const { return baseUnitX_; }
  int baseUnitY() const { return baseUnitY_; }

 private:
  QFont font_;
  int baseUnitX_ = 1;
  int baseUnitY_ = 1;
};

}  // namespace quillmoor
