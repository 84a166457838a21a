// SPDX-License-Identifier: MIT
// The font faces the title and the dialogs were laid out with; each front end maps them to fonts
// it has.
#pragma once

#include <array>
#include <string_view>

namespace quillmoor {

// The title's Japanese lines; written with two plain spaces.
inline constexpr std::string_view MinchoFace = "MS P 明朝";
// The title's Latin lines.
inline constexpr std::string_view CenturyFace = "Century";
// The version dialog.
inline constexpr std::string_view UiGothicFace = "MS UI Gothic";
// The other dialogs.
inline constexpr std::string_view ShellDialogFace = "MS Shell Dlg";

inline constexpr std::array<std::string_view, 4> FontFaces{MinchoFace, CenturyFace, UiGothicFace,
                                                           ShellDialogFace};

}  // namespace quillmoor
