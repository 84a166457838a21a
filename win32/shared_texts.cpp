// SPDX-License-Identifier: MIT
// The Windows program's texts and templates, kept beside the Linux dialogs' until both read one
// Qt-free library of them.
#include "win32/shared_texts.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <stdexcept>

#include "win32/resource_ids.h"

namespace quillmoor::win32 {

namespace {

using enum ControlKind;

constexpr ControlData AboutControls[] = {
    {Icon, NoControlId, "", 14, 14, 20, 20},
    {StaticNoPrefix, NoControlId, "Quillmoor, Version 0.5.0", 42, 14, 114, 8},
    {Static, NoControlId, "Copyright (C) 2026 Tobias Quill", 41, 27, 157, 8},
    {DefaultButton, IdOk, "OK", 154, 41, 50, 14},
};

constexpr ControlData AuthorCarrierControls[] = {
    {DefaultButton, IdOk, "OK", 259, 282, 50, 14},
    {EditMultiLine, IdCareer, "", 7, 7, 302, 272},
};

constexpr ControlData NextStageControls[] = {
    {DefaultButton, IdOk, "OK", 127, 116, 50, 14},
    {EditCentredBare, IdMessageJa, "", 7, 7, 170, 14},
    {EditCentred, IdMessageEn, "", 7, 24, 170, 14},
    {Static, NoControlId, "Elapsed Cycle:", 31, 44, 48, 8},
    {Static, NoControlId, "Skipped Cycle:", 31, 63, 48, 8},
    {Static, NoControlId, "Current HP:", 31, 82, 39, 8},
    {Static, NoControlId, "NextStageAliens:", 31, 101, 56, 8},
    {EditLeft, IdElapsedCycle, "", 91, 41, 63, 14},
    {EditLeft, IdSkippedCycle, "", 91, 60, 63, 14},
    {EditLeft, IdCurrentHp, "", 91, 79, 63, 14},
    {EditLeft, IdNextStageAliens, "", 91, 98, 63, 14},
};

struct KeyRow {
  std::string_view keys;
  std::string_view japanese;
  std::string_view english;
};

constexpr KeyRow KeyRows[] = {
    {"← ↑ → ↓", "一歩進み、通路を走る（継ぎ目を越えると ↑ と ↓ が逆に）",
     "step, then run on along the corridor (↑ and ↓ swap after crossing the seam)"},
    {"Space", "↑ と ↓ を元に戻す", "straighten ↑ and ↓ again"},
    {"N", "通路を自動で走る", "run along corridors by itself"},
    {"F", "でたらめに歩き回る", "wander at random"},
    {"W", "深さ優先で探検する", "explore depth-first"},
    {"R", "止まる", "stop"},
    {"S", "迷路をすぐに完成させる", "finish growing the maze now"},
    {"1, 2, 3", "拡大：1 マス 1・2・3 ピクセル", "zoom: 1, 2 or 3 pixels per cell"},
    {"Ctrl + 1…9", "1 ティック 100～900 ミリ秒", "tick period 100 … 900 ms"},
    {"Shift + 1…9", "1 ティック 10～90 ミリ秒", "tick period 10 … 90 ms"},
    {"Ctrl + Shift + 1…9", "1 ティック 1～9 ミリ秒", "tick period 1 … 9 ms"},
    {"Esc", "このステージをあきらめる（OK 以外で閉じると続ける）",
     "give up the stage (close the dialog without OK to play on)"},
    {"A", "作者の経歴", "the author's career"},
    {"V", "バージョン情報", "version information"},
    {"P, Pause", "一時停止（もう一度で再開）", "pause the game; again to resume"},
    {"F1", "操作方法（この一覧）", "the keys and what they do"},
    {"F11", "全画面表示（もう一度で元に戻す）", "full screen; again to go back"},
    {"Ctrl + Q", "終了", "quit"},
};
constexpr int RowCount = static_cast<int>(std::size(KeyRows));

// Dialog units: each column a tenth wider than its longest text in the dialog font.
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
constexpr int KeysDialogWidth = EnglishX + EnglishWidth + Margin;
constexpr int ButtonY = Margin + RowCount * RowPitch + 4;
constexpr int KeysDialogHeight = ButtonY + ButtonHeight + Margin;

constexpr std::array<ControlData, 1 + 3 * RowCount> MakeKeysControls() {
  std::array<ControlData, 1 + 3 * RowCount> controls{};
  controls[0] = {DefaultButton, IdOk,        "OK",        KeysDialogWidth - Margin - ButtonWidth,
                 ButtonY,       ButtonWidth, ButtonHeight};
  for (int i = 0; i < RowCount; ++i) {
    const int y = Margin + i * RowPitch;
    const auto row = static_cast<std::size_t>(i);
    controls[1 + 3 * row] = {Static, NoControlId, KeyRows[row].keys, Margin,
                             y,      KeysWidth,   RowHeight};
    controls[2 + 3 * row] = {Static,        NoControlId, KeyRows[row].japanese, JapaneseX, y,
                             JapaneseWidth, RowHeight};
    controls[3 + 3 * row] = {Static,       NoControlId, KeyRows[row].english, EnglishX, y,
                             EnglishWidth, RowHeight};
  }
  return controls;
}
constexpr auto KeysControls = MakeKeysControls();

constexpr DialogData DialogTable[] = {
    {IdAboutBox, "バージョン情報 Quillmoor", "MS UI Gothic", 9, 211, 62, AboutControls},
    {IdAuthorCarrier, "著者経歴 Author Carrier", "MS Shell Dlg", 8, 316, 303,
     AuthorCarrierControls},
    {IdNextStage, "Go To Next Stage", "MS Shell Dlg", 8, 184, 137, NextStageControls},
    {IdKeys, "操作方法 Keys", "MS Shell Dlg", 8, KeysDialogWidth, KeysDialogHeight, KeysControls},
};

constexpr std::string_view MinchoFace = "MS P 明朝";
constexpr std::string_view CenturyFace = "Century";

constexpr TitleLineData TitleLineTable[] = {
    {"あなたにとって価値のあるものは何ですか？", 100, 50, 500, 100, MinchoFace, 40, 15, true,
     false},
    {"Quillmoor", 0, 100, 1200, 300, CenturyFace, 140, 35, true, false},
    {"～Quillmoor～", 0, 300, 1200, 400, MinchoFace, 80, 30, false, false},
    {"by Tobias Quill", 700, 400, 1100, 450, CenturyFace, 40, 10, true, false},
    {"You can at least kill time.", 600, 475, 1100, 525, CenturyFace, 40, 10, true, false},
    {"Copyright (C) 2026 Tobias Quill", 500, 550, 1100, 600, CenturyFace, 40, 10, false, true},
};

constexpr std::string_view OutcomeJa[] = {
    "ようやった。さあ、次行こうか！",
    "あきらめるな。まだまだだ！",
    "遊びの時間は終わらない。",
};
constexpr std::string_view OutcomeEn[] = {
    "You Win! Let's Go To Next Stage.",
    "Neverrrr, Give Up! Go To Next.",
    "Playing Time Never Ends.",
};

constexpr VersionStrings Version{
    "The Quillmoor developers",
    "Quillmoor, a maze game on a Klein bottle",
    "Copyright (C) 2026 Tobias Quill",
    "Quillmoor.exe",
    "Quillmoor.exe",
    "Quillmoor",
};

}  // namespace

std::span<const DialogData> Dialogs() {
  return DialogTable;
}

const DialogData& DialogById(int id) {
  for (const DialogData& dialog : DialogTable) {
    if (dialog.id == id) {
      return dialog;
    }
  }
  throw std::out_of_range("no dialog template with this id");
}

std::span<const TitleLineData> TitleLines() {
  return TitleLineTable;
}

std::span<const std::string_view> OutcomeMessagesJa() {
  return OutcomeJa;
}

std::span<const std::string_view> OutcomeMessagesEn() {
  return OutcomeEn;
}

std::string_view FrameTitle() {
  return "Quillmoor";
}

std::string_view PausedFrameTitle() {
  return "Quillmoor — 一時停止 Paused";
}

const VersionStrings& VersionRecord() {
  return Version;
}

}  // namespace quillmoor::win32
