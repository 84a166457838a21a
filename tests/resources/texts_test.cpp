// SPDX-License-Identifier: MIT
// The texts every front end shows: UTF-8 throughout, Japanese where they should be, faces the
// front ends map, the title inside its layout, and the keys as the README lists them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/dialog_templates.h"
#include "resources/font_faces.h"
#include "resources/keys_rows.h"
#include "resources/outcome_messages.h"
#include "resources/title_lines.h"
#include "resources/version.h"
#include "resources/window_captions.h"
#include "tests/resources/utf8.h"

namespace quillmoor {
namespace {

// The title is laid out on this many pixels.
constexpr int TitleLayoutWidth = 1200;
constexpr int TitleLayoutHeight = 600;

bool IsJapanese(std::string_view text) {
  const auto points = test::DecodeUtf8(text);
  return points && std::any_of(points->begin(), points->end(), test::IsJapaneseScript);
}

bool IsKnownFace(std::string_view face) {
  return std::find(FontFaces.begin(), FontFaces.end(), face) != FontFaces.end();
}

// Every text of the tables, each once.
std::vector<std::string_view> AllTexts() {
  // One push_back at a time: GCC 12 at -O3 misreads a range insert into a vector as overflowing.
  std::vector<std::string_view> texts;
  for (const auto* table : {&OutcomeMessagesJa, &OutcomeMessagesEn}) {
    for (std::string_view message : *table) {
      texts.push_back(message);
    }
  }
  for (std::string_view caption : {FrameCaption, PausedFrameCaption, ApplicationName}) {
    texts.push_back(caption);
  }
  for (std::string_view face : FontFaces) {
    texts.push_back(face);
  }
  for (const StringResource& string : StringTable) {
    texts.push_back(string.text);
  }
  for (const KeyRow& row : KeyRows) {
    for (std::string_view text : {row.keys, row.japanese, row.english}) {
      texts.push_back(text);
    }
  }
  for (const TitleLineLayout& line : TitleLines) {
    texts.push_back(line.text);
  }
  for (const DialogTemplate* dialog : DialogTemplates) {
    texts.push_back(dialog->caption);
    for (const ControlTemplate& control : dialog->controls) {
      texts.push_back(control.text);
    }
  }
  return texts;
}

TEST(Utf8Check, TellsUtf8FromOtherBytes) {
  EXPECT_EQ(test::DecodeUtf8("A\xE3\x81\x82\xF0\x9F\x98\x80"),
            (std::vector<char32_t>{U'A', U'あ', U'\U0001F600'}));
  EXPECT_FALSE(test::DecodeUtf8("\x82\xa0"));      // "あ" in Shift-JIS
  EXPECT_FALSE(test::DecodeUtf8("\xE3\x81"));      // cut off
  EXPECT_FALSE(test::DecodeUtf8("\xC0\xAF"));      // overlong "/"
  EXPECT_FALSE(test::DecodeUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_FALSE(test::DecodeUtf8("\xE3\x41\x82"));  // a trail byte missing
}

TEST(Texts, AreUtf8) {
  for (const std::string_view text : AllTexts()) {
    EXPECT_TRUE(test::DecodeUtf8(text).has_value()) << text;
  }
}

TEST(Texts, OutcomeMessagesAreJapaneseAboveEnglish) {
  for (std::size_t i = 0; i < OutcomeMessagesJa.size(); ++i) {
    EXPECT_TRUE(IsJapanese(OutcomeMessagesJa[i])) << i;
    EXPECT_TRUE(!OutcomeMessagesEn[i].empty() && test::IsAscii(OutcomeMessagesEn[i])) << i;
  }
}

TEST(Texts, NameOnlyFacesTheFrontEndsMap) {
  for (const DialogTemplate* dialog : DialogTemplates) {
    EXPECT_TRUE(IsKnownFace(dialog->fontFace)) << dialog->fontFace;
  }
  for (const TitleLineLayout& line : TitleLines) {
    EXPECT_TRUE(IsKnownFace(line.face)) << line.face;
  }
}

TEST(TitleLines, EachHasABoxInsideTheLayoutAndAFontWithASize) {
  for (const TitleLineLayout& line : TitleLines) {
    SCOPED_TRACE(line.text);
    EXPECT_FALSE(line.text.empty());
    EXPECT_TRUE(0 <= line.left && line.left < line.right && line.right <= TitleLayoutWidth);
    EXPECT_TRUE(0 <= line.top && line.top < line.bottom && line.bottom <= TitleLayoutHeight);
    EXPECT_TRUE(line.height > 0 && line.width > 0);
  }
}

// (keys, what they do) of each row of the README's key table, in order.
std::vector<std::pair<std::string, std::string>> ReadmeKeyTable() {
  std::ifstream readme(QUILLMOOR_README);
  std::vector<std::pair<std::string, std::string>> rows;
  const auto trimmed = [](std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string()
               : std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
  };
  bool inTable = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with("| key |")) {
      inTable = true;
    } else if (inTable && line.starts_with("| ---")) {
      continue;
    } else if (inTable && line.starts_with('|')) {
      const std::string_view row(line);
      const std::size_t second = row.find('|', 1);
      const std::size_t third = row.find('|', second + 1);
      if (second != std::string_view::npos && third != std::string_view::npos) {
        rows.emplace_back(trimmed(row.substr(1, second - 1)),
                          trimmed(row.substr(second + 1, third - second - 1)));
      }
    } else if (inTable) {
      break;
    }
  }
  return rows;
}

TEST(KeyRows, AreTheReadmesKeyTableWithAJapaneseColumn) {
  const auto readme = ReadmeKeyTable();
  ASSERT_EQ(readme.size(), std::size(KeyRows)) << "no key table in the README, or rows differ";
  for (std::size_t i = 0; i < readme.size(); ++i) {
    EXPECT_EQ(KeyRows[i].keys, readme[i].first) << i;
    EXPECT_EQ(KeyRows[i].english, readme[i].second) << i;
    EXPECT_TRUE(IsJapanese(KeyRows[i].japanese)) << KeyRows[i].keys;
  }
}

}  // namespace
}  // namespace quillmoor
