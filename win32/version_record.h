// SPDX-License-Identifier: MIT
// The version record's strings that only the Windows program carries; its version numbers and
// the rest of the texts come from the shared data in resources/.
#pragma once

#include <string_view>

namespace quillmoor::win32 {

struct VersionStrings {
  std::string_view companyName;
  std::string_view fileDescription;
  std::string_view internalName;
  std::string_view originalFilename;
  std::string_view productName;
};

inline constexpr VersionStrings VersionRecord{
    "The Quillmoor developers",
    "Quillmoor, a maze game on a Klein bottle",
    "Quillmoor.exe",
    "Quillmoor.exe",
    "Quillmoor",
};

}  // namespace quillmoor::win32
