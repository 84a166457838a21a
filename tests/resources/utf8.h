// SPDX-License-Identifier: MIT
// UTF-8 decoding for the text checks: strict, so that any other encoding shows as invalid.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace quillmoor::test {

// The code points of text, or nothing if it is not well-formed UTF-8 (overlong forms,
// surrogates and values above U+10FFFF included).
inline std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view text) {
  std::vector<char32_t> points;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int trail = 0;
    char32_t point = 0;
    char32_t least = 0;
    if (lead < 0x80) {
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      trail = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      trail = 2, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      trail = 3, point = lead & 0x07, least = 0x10000;
    } else {
      return std::nullopt;
    }
    if (text.size() - i <= static_cast<std::size_t>(trail)) {
      return std::nullopt;  // cut off
    }
    for (int k = 1; k <= trail; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        return std::nullopt;
      }
      point = (point << 6) | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
      return std::nullopt;
    }
    points.push_back(point);
    i += 1 + trail;
  }
  return points;
}

inline bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

// Kana or a CJK ideograph: what makes a line Japanese.
inline bool IsJapaneseScript(char32_t point) {
  return (point >= 0x3040 && point <= 0x30FF) || (point >= 0x4E00 && point <= 0x9FFF);
}

}  // namespace quillmoor::test
