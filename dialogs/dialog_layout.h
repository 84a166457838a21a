// SPDX-License-Identifier: MIT
// Dialog geometry in dialog units, converted to pixels through the dialog font's metrics.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace quillmoor {

// A control's or dialog's position and size in dialog units.
struct DialogUnitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class DialogLayout {
 public:
  // Base units from the font: the average width of the Latin letters and the line height.
  explicit DialogLayout(const QFont& dialogFont);

  int ToPixelsX(int dialogUnitsX) const;
  int ToPixelsY(int dialogUnitsY) const;
  QRect ToPixels(const DialogUnitRect& rect) const;
  QSize ToPixels(int widthUnits, int heightUnits) const;
  const QFont& font() const { return font_; }

 private:
  QFont font_;
  int baseUnitX_ = 1;
  int baseUnitY_ = 1;
};

}  // namespace quillmoor
