// SPDX-License-Identifier: MIT
// The game's four dialog templates: version, author career, next stage and keys.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "resources/dialog_template.h"
#include "resources/font_faces.h"
#include "resources/keys_rows.h"
#include "resources/resource_ids.h"
#include "resources/version.h"

namespace quillmoor {

// The edits the next-stage dialog fills (and reads back on OK).
enum NextStageControlId : int {
  NextStageMessageJaId = 1000,
  NextStageMessageEnId = 1001,
  NextStageElapsedCycleId = 1002,
  NextStageSkippedCycleId = 1003,
  NextStageCurrentHpId = 1004,
  NextStageNextAliensId = 1005,
};

// The author-career dialog's text box.
inline constexpr int AuthorCarrierCareerId = 1000;

inline constexpr ControlTemplate VersionDialogControls[] = {
    {ControlKind::Icon, ControlIdNone, {}, {14, 14, 20, 20}},
    {ControlKind::StaticNoPrefix, ControlIdNone, VersionLine, {42, 14, 114, 8}},
    {ControlKind::Static, ControlIdNone, CopyrightNotice, {41, 27, 157, 8}},
    {ControlKind::DefaultButton, ControlIdOk, "OK", {154, 41, 50, 14}},
};

inline constexpr DialogTemplate VersionDialogTemplate{
    VersionDialogId, "バージョン情報 Quillmoor", UiGothicFace, 9, 211, 62, VersionDialogControls,
};

inline constexpr ControlTemplate AuthorCarrierControls[] = {
    {ControlKind::DefaultButton, ControlIdOk, "OK", {259, 282, 50, 14}},
    {ControlKind::EditMultiLine, AuthorCarrierCareerId, {}, {7, 7, 302, 272}},
};

inline constexpr DialogTemplate AuthorCarrierTemplate{
    AuthorCarrierDialogId, "著者経歴 Author Carrier", ShellDialogFace, 8, 316, 303,
    AuthorCarrierControls,
};

inline constexpr ControlTemplate NextStageControls[] = {
    {ControlKind::DefaultButton, ControlIdOk, "OK", {127, 116, 50, 14}},
    {ControlKind::EditCentredBare, NextStageMessageJaId, {}, {7, 7, 170, 14}},
    {ControlKind::EditCentred, NextStageMessageEnId, {}, {7, 24, 170, 14}},
    {ControlKind::Static, ControlIdNone, "Elapsed Cycle:", {31, 44, 48, 8}},
    {ControlKind::Static, ControlIdNone, "Skipped Cycle:", {31, 63, 48, 8}},
    {ControlKind::Static, ControlIdNone, "Current HP:", {31, 82, 39, 8}},
    {ControlKind::Static, ControlIdNone, "NextStageAliens:", {31, 101, 56, 8}},
    {ControlKind::EditLeft, NextStageElapsedCycleId, {}, {91, 41, 63, 14}},
    {ControlKind::EditLeft, NextStageSkippedCycleId, {}, {91, 60, 63, 14}},
    {ControlKind::EditLeft, NextStageCurrentHpId, {}, {91, 79, 63, 14}},
    {ControlKind::EditLeft, NextStageNextAliensId, {}, {91, 98, 63, 14}},
};

inline constexpr DialogTemplate NextStageTemplate{
    NextStageDialogId, "Go To Next Stage", ShellDialogFace, 8, 184, 137, NextStageControls,
};

namespace keys_layout {

constexpr std::size_t RowCount = std::size(KeyRows);

// Each column a tenth wider than its longest text in the dialog font.
constexpr int Margin = 7;
constexpr int ColumnGap = 8;
constexpr int KeysWidth = 60;
constexpr int JapaneseWidth = 170;
constexpr int EnglishWidth = 245;
constexpr int RowHeight = 8;
constexpr int RowPitch = 11;
constexpr int ButtonWidth = 50;
constexpr int ButtonHeight = 14;

constexpr int JapaneseX = Margin + KeysWidth + ColumnGap;
constexpr int EnglishX = JapaneseX + JapaneseWidth + ColumnGap;
constexpr int DialogWidth = EnglishX + EnglishWidth + Margin;
constexpr int ButtonY = Margin + static_cast<int>(RowCount) * RowPitch + 4;
constexpr int DialogHeight = ButtonY + ButtonHeight + Margin;

// OK first, then one row of three labels per key: keys, Japanese, English.
constexpr std::array<ControlTemplate, 1 + 3 * RowCount> MakeControls() {
  std::array<ControlTemplate, 1 + 3 * RowCount> controls{};
  controls[0] = {ControlKind::DefaultButton,
                 ControlIdOk,
                 "OK",
                 {DialogWidth - Margin - ButtonWidth, ButtonY, ButtonWidth, ButtonHeight}};
  for (std::size_t i = 0; i < RowCount; ++i) {
    const int y = Margin + static_cast<int>(i) * RowPitch;
    controls[1 + 3 * i] = {
        ControlKind::Static, ControlIdNone, KeyRows[i].keys, {Margin, y, KeysWidth, RowHeight}};
    controls[2 + 3 * i] = {ControlKind::Static,
                           ControlIdNone,
                           KeyRows[i].japanese,
                           {JapaneseX, y, JapaneseWidth, RowHeight}};
    controls[3 + 3 * i] = {ControlKind::Static,
                           ControlIdNone,
                           KeyRows[i].english,
                           {EnglishX, y, EnglishWidth, RowHeight}};
  }
  return controls;
}

}  // namespace keys_layout

inline constexpr auto KeysDialogControls = keys_layout::MakeControls();

inline constexpr DialogTemplate KeysDialogTemplate{
    KeysDialogId,
    "操作方法 Keys",
    ShellDialogFace,
    8,
    keys_layout::DialogWidth,
    keys_layout::DialogHeight,
    KeysDialogControls,
};

// Every template, for what makes them all at once (a resource script, a page).
inline constexpr std::array<const DialogTemplate*, 4> DialogTemplates{
    &VersionDialogTemplate, &AuthorCarrierTemplate, &NextStageTemplate, &KeysDialogTemplate};

}  // namespace quillmoor
