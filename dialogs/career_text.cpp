// SPDX-License-Identifier: MIT
// Decodes the stored career text, independently of the locale the program runs in.
#include "dialogs/career_text.h"

#include <QStringDecoder>

namespace quillmoor {

QByteArrayView StoredCareerText() {
  return QByteArrayView(CareerTextShiftJis, static_cast<qsizetype>(CareerTextShiftJisLength));
}

QString DecodeShiftJis(QByteArrayView bytes) {
  // Named explicitly: the locale's own 8-bit codec is UTF-8 on most systems, never Shift-JIS.
  QStringDecoder decoder("Shift_JIS");
  if (!decoder.isValid()) {
    return QString();
  }
  return decoder.decode(bytes);
}

}  // namespace quillmoor
