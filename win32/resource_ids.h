// SPDX-License-Identifier: MIT
// The resource and control ids the Windows program and its resource script share. MinGW has no
// MFC, so the framework's command and pane ids the accelerators and the view name are here too.
#pragma once

namespace quillmoor::win32 {

inline constexpr int IdMainFrame = 128;   // title string, icon group and accelerator table
inline constexpr int IdAppTitle = 57344;  // the application's name
inline constexpr int IdAboutBox = 100;
inline constexpr int IdAuthorCarrier = 130;
inline constexpr int IdNextStage = 131;
inline constexpr int IdKeys = 132;
inline constexpr int IdVersionRecord = 1;
inline constexpr int IdManifest = 1;  // the one a program's own manifest has

inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdMessageJa = 1000;
inline constexpr int IdMessageEn = 1001;
inline constexpr int IdElapsedCycle = 1002;
inline constexpr int IdSkippedCycle = 1003;
inline constexpr int IdCurrentHp = 1004;
inline constexpr int IdNextStageAliens = 1005;
inline constexpr int IdCareer = 1000;

// The accelerators' commands, which nothing handles.
inline constexpr int IdEditCopy = 57634;
inline constexpr int IdEditCut = 57635;
inline constexpr int IdEditPaste = 57637;
inline constexpr int IdEditUndo = 57643;
inline constexpr int IdNextPane = 57680;
inline constexpr int IdPrevPane = 57681;

inline constexpr int IdViewPane = 59648;  // the frame's main pane
inline constexpr int IdTitleWnd = 1234;

}  // namespace quillmoor::win32
