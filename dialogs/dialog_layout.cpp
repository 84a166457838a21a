// SPDX-License-Identifier: MIT
// Dialog units to pixels: base units measured on the dialog font, scaled with rounding.
#include "dialogs/dialog_layout.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace quillmoor {

namespace {

// The window system averages over exactly these 52 letters.
constexpr char BaseUnitSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int HorizontalUnitsPerBase = 4;
constexpr int VerticalUnitsPerBase = 8;

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
  const std::int64_t product = std::int64_t{number} * numerator;
  const std::int64_t half = denominator / 2;
  const std::int64_t rounded =
      (product >= 0 ? product + half : product - half) / std::int64_t{denominator};
  return static_cast<int>(std::clamp<std::int64_t>(rounded, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

DialogLayout::DialogLayout(const QFont& dialogFont) : font_(dialogFont) {
  const QFontMetrics metrics(font_);
  const int sampleWidth = metrics.horizontalAdvance(QString::fromLatin1(BaseUnitSample));
  // Over 52 letters, width / 26 is twice the average; adding one before halving rounds it.
  baseUnitX_ = std::max(1, (sampleWidth / 26 + 1) / 2);
  baseUnitY_ = std::max(1, metrics.ascent() + metrics.descent());
}

int DialogLayout::ToPixelsX(int dialogUnitsX) const {
  return MulDiv(dialogUnitsX, baseUnitX_, HorizontalUnitsPerBase);
}

int DialogLayout::ToPixelsY(int dialogUnitsY) const {
  return MulDiv(dialogUnitsY, baseUnitY_, VerticalUnitsPerBase);
}

QRect DialogLayout::ToPixels(const DialogUnitRect& rect) const {
  return QRect(ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.width), ToPixelsY(rect.height));
}

QSize DialogLayout::ToPixels(int widthUnits, int heightUnits) const {
  return QSize(ToPixelsX(widthUnits), ToPixelsY(heightUnits));
}

}  // namespace quillmoor
