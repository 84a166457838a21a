// SPDX-License-Identifier: MIT
// Every text the page shows, with its fonts and layout, for the page's script to lay out.
#pragma once

#include <string>

namespace quillmoor {

// One JSON object: the captions, the title screen's lines, the dialogs (caption, font, size and
// controls in dialog units) and the page's own notices. UTF-8.
std::string PageTextsJson();

}  // namespace quillmoor
