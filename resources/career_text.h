// SPDX-License-Identifier: MIT
// The author's career, the long bilingual text of the career dialog.
#pragma once

#include <string_view>

namespace quillmoor {

// UTF-8, generated from resources/career_text.txt: every line, the last one too, ends with
// CR LF. A NUL follows the last byte, for interfaces that want a C string.
std::string_view CareerText();

}  // namespace quillmoor
