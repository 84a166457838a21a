// SPDX-License-Identifier: MIT
// The stored career text: UTF-8 lines ending CR LF, a chronology of 35 entries, bilingual first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "resources/career_text.h"
#include "tests/resources/utf8.h"

namespace quillmoor {
namespace {

constexpr std::string_view CrLf = "\r\n";

// An entry's first line: six or seven spaces, a date (year, year.MM or year.M.D), spaces.
const std::regex EntryLine(R"(^ {6,7}(\d{4})(?:\.(\d{1,2}))?(?:\.(\d{1,2}))? +(?=\S))");

// Where a line's text begins: after the date on an entry's first line, else after the indent.
// Both are ASCII, so the byte offset is the column.
std::size_t TextColumn(const std::string& line) {
  std::smatch m;
  if (std::regex_search(line, m, EntryLine)) {
    return static_cast<std::size_t>(m.length(0));
  }
  return std::min(line.find_first_not_of(' '), line.size());
}

// The text split at CR LF, which must end every line.
std::vector<std::string> CareerLines() {
  std::string_view text = CareerText();
  std::vector<std::string> lines;
  for (std::size_t end = text.find(CrLf); end != std::string_view::npos; end = text.find(CrLf)) {
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + CrLf.size());
  }
  EXPECT_TRUE(text.empty()) << "text after the last CR LF";
  return lines;
}

TEST(CareerText, IsUtf8WithCrLfAfterEachOf260Lines) {
  const std::string_view text = CareerText();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.data()[text.size()], '\0');
  EXPECT_TRUE(test::DecodeUtf8(text).has_value());
  std::size_t crLfs = 0;
  for (std::size_t at = text.find(CrLf); at != std::string_view::npos;
       at = text.find(CrLf, at + 1)) {
    ++crLfs;
  }
  EXPECT_EQ(crLfs, 260u);
  // No line end but CR LF: no lone CR, no lone LF.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n'),
            520);
  EXPECT_EQ(text.find('\t'), std::string_view::npos);
  EXPECT_NE(text.find("Tobias Quill"), std::string_view::npos);
}

TEST(CareerText, IsAChronologyOf35EntriesFirstBilingualThenJapanese) {
  const std::vector<std::string> lines = CareerLines();
  ASSERT_EQ(lines.size(), 260u);
  int forms[3] = {0, 0, 0};  // year, year.MM, year.M.D
  int previousDate = 0, entries = 0, englishAfterBilingual = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const auto points = test::DecodeUtf8(line);
    ASSERT_TRUE(points.has_value()) << i;
    EXPECT_LE(points->size(), 105u) << i;
    EXPECT_TRUE(line.empty() || line.back() != ' ') << i;
    std::smatch m;
    const bool entry = std::regex_search(line, m, EntryLine);
    if (entry) {
      ++entries;
      EXPECT_EQ(i == 32, entries == 8) << "the eighth entry starts after the bilingual part";
      ++forms[m[3].matched ? 2 : (m[2].matched ? 1 : 0)];
      EXPECT_TRUE(m[3].matched || !m[2].matched || m[2].length() == 2) << i;
      const int date = std::stoi(m[1]) * 10000 + (m[2].matched ? std::stoi(m[2]) * 100 : 0) +
                       (m[3].matched ? std::stoi(m[3]) : 0);
      EXPECT_GE(date, previousDate) << i;
      previousDate = date;
    } else {
      EXPECT_TRUE(TextColumn(line) >= 15 && TextColumn(line) <= 18) << i;
    }
    if (i < 32) {
      // Japanese, then its translation indented to where the Japanese text starts.
      EXPECT_EQ(test::IsAscii(line), i % 2 == 1) << i;
      if (i % 2 == 1) {
        EXPECT_FALSE(entry) << i;
        EXPECT_EQ(TextColumn(line), TextColumn(lines[i - 1])) << i;
      }
    } else {
      englishAfterBilingual += test::IsAscii(line) ? 1 : 0;
    }
  }
  EXPECT_TRUE(std::regex_search(lines[0], EntryLine));
  EXPECT_EQ(entries, 35);
  EXPECT_EQ(forms[0], 1);
  EXPECT_EQ(forms[1], 28);
  EXPECT_EQ(forms[2], 6);
  EXPECT_EQ(englishAfterBilingual, 1);
}

}  // namespace
}  // namespace quillmoor
