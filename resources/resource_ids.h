// SPDX-License-Identifier: MIT
// The numbers the resources are known by, as a Windows resource script names them.
#pragma once

namespace quillmoor {

// The frame's set: its title string, icon group and accelerator table share one number.
inline constexpr int FrameResourceId = 128;
// The application's name, the number a framework takes it from.
inline constexpr int ApplicationNameStringId = 57344;

inline constexpr int VersionDialogId = 100;
inline constexpr int AuthorCarrierDialogId = 130;
inline constexpr int NextStageDialogId = 131;
inline constexpr int KeysDialogId = 132;

}  // namespace quillmoor
