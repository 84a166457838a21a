// SPDX-License-Identifier: MIT
// The author's career as compiled in (Shift-JIS bytes) and its decoding.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstddef>

namespace quillmoor {

// Generated from dialogs/career_text.txt: Shift-JIS, every line ending CR LF, NUL-terminated.
extern const char CareerTextShiftJis[];
// The bytes before the terminator.
extern const std::size_t CareerTextShiftJisLength;

// The stored career text as bytes, without the terminator.
QByteArrayView StoredCareerText();

// Decodes Shift-JIS whatever the user's locale. Malformed bytes are replaced by a substitute
// character, a lead byte cut off at the end is dropped. Empty if Qt has no Shift-JIS decoder.
QString DecodeShiftJis(QByteArrayView bytes);

}  // namespace quillmoor
