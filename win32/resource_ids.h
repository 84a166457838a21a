// SPDX-License-Identifier: MIT
// The resource and control ids of the Windows program: the shared ones under the names a
// resource script uses, and what only Windows needs. MinGW has no MFC, so the framework's pane
// id the view takes is here too.
#pragma once

#include "resources/dialog_template.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace quillmoor::win32 {

inline constexpr int IdMainFrame = FrameResourceId;  // title string, icon group, accelerators
inline constexpr int IdAppTitle = ApplicationNameStringId;
inline constexpr int IdAboutBox = VersionDialogId;
inline constexpr int IdAuthorCarrier = AuthorCarrierDialogId;
inline constexpr int IdNextStage = NextStageDialogId;
inline constexpr int IdKeys = KeysDialogId;
inline constexpr int IdVersionRecord = 1;
inline constexpr int IdManifest = 1;  // the one a program's own manifest has

inline constexpr int IdOk = ControlIdOk;
inline constexpr int IdCancel = 2;
inline constexpr int IdStatic = -1;  // what a resource script gives labels nobody looks up
inline constexpr int IdMessageJa = NextStageMessageJaId;
inline constexpr int IdMessageEn = NextStageMessageEnId;
inline constexpr int IdElapsedCycle = NextStageElapsedCycleId;
inline constexpr int IdSkippedCycle = NextStageSkippedCycleId;
inline constexpr int IdCurrentHp = NextStageCurrentHpId;
inline constexpr int IdNextStageAliens = NextStageNextAliensId;
inline constexpr int IdCareer = AuthorCarrierCareerId;

inline constexpr int IdViewPane = 59648;  // the frame's main pane
inline constexpr int IdTitleWnd = 1234;

// A template's control id as the script writes it.
constexpr int ScriptControlId(int id) {
  return id == ControlIdNone ? IdStatic : id;
}

}  // namespace quillmoor::win32
