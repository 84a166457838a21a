// SPDX-License-Identifier: MIT
// The title screen's six lines: text, box, font and placement, in pixels of the title's client
// area.
#pragma once

#include <string_view>

#include "resources/font_faces.h"
#include "resources/version.h"

namespace quillmoor {

// Horizontal only: every line starts at the top edge of its box, is never wrapped and may run
// past the box on either side.
enum class TitlePlacement {
  Centred,  // on the box's centre
  Right,    // ending at the box's right edge
};

struct TitleLineLayout {
  std::string_view text;  // UTF-8
  int left;
  int top;
  int right;  // exclusive, as are bottom
  int bottom;
  std::string_view face;
  int height;  // the cell height, ascent + descent
  int width;   // the average character width
  bool italic;
  TitlePlacement placement;
};

// In drawing order.
inline constexpr TitleLineLayout TitleLines[] = {
    {"あなたにとって価値のあるものは何ですか？", 100, 50, 500, 100, MinchoFace, 40, 15, true,
     TitlePlacement::Centred},
    {"Quillmoor", 0, 100, 1200, 300, CenturyFace, 140, 35, true, TitlePlacement::Centred},
    {"～Quillmoor～", 0, 300, 1200, 400, MinchoFace, 80, 30, false, TitlePlacement::Centred},
    {"by Tobias Quill", 700, 400, 1100, 450, CenturyFace, 40, 10, true, TitlePlacement::Centred},
    {"You can at least kill time.", 600, 475, 1100, 525, CenturyFace, 40, 10, true,
     TitlePlacement::Centred},
    {CopyrightNotice, 500, 550, 1100, 600, CenturyFace, 40, 10, false, TitlePlacement::Right},
};

}  // namespace quillmoor
