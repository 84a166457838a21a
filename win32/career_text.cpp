// SPDX-License-Identifier: MIT
// The author's career as the program holds it: UTF-8, compiled in, CR LF at every line's end.
#include "win32/career_text_data.h"
#include "win32/shared_texts.h"

namespace quillmoor::win32 {

std::string CareerText() {
  std::string text;
  text.reserve(CareerTextUtf8.size() + CareerTextUtf8.size() / 32);
  for (const char c : CareerTextUtf8) {
    if (c == '\n') {
      text += '\r';
    }
    text += c;
  }
  return text;
}

}  // namespace quillmoor::win32
