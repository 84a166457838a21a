// SPDX-License-Identifier: MIT
// The main window's captions and the application's name, and the string table that holds them.
#pragma once

#include <array>
#include <string_view>

#include "resources/resource_ids.h"

namespace quillmoor {

inline constexpr std::string_view FrameCaption = "Quillmoor";
// While the game is paused: the player sees why nothing moves.
inline constexpr std::string_view PausedFrameCaption = "Quillmoor — 一時停止 Paused";
inline constexpr std::string_view ApplicationName = "Quillmoor";

struct StringResource {
  int id;
  std::string_view text;  // UTF-8
};

inline constexpr std::array<StringResource, 2> StringTable{{
    {FrameResourceId, FrameCaption},
    {ApplicationNameStringId, ApplicationName},
}};

}  // namespace quillmoor
