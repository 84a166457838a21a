// SPDX-License-Identifier: MIT
// The keys dialog's template: one row of three labels per key (keys, Japanese, English).
#include "dialogs/dlg_keys.h"

#include <array>
#include <cstddef>

namespace quillmoor {

namespace {

struct KeyRow {
  const char* keys;
  const char* japanese;
  const char* english;  // as the README's key table words it
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
constexpr std::size_t RowCount = std::size(KeyRows);

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
constexpr int DialogWidth = EnglishX + EnglishWidth + Margin;
constexpr int ButtonY = Margin + static_cast<int>(RowCount) * RowPitch + 4;
constexpr int DialogHeight = ButtonY + ButtonHeight + Margin;

constexpr std::array<ControlTemplate, 1 + 3 * RowCount> MakeControls() {
  std::array<ControlTemplate, 1 + 3 * RowCount> controls{};
  controls[0] = {ControlKind::DefaultButton,
                 ControlIdOk,
                 "OK",
                 {DialogWidth - Margin - ButtonWidth, ButtonY, ButtonWidth, ButtonHeight}};
  for (std::size_t i = 0; i < RowCount; ++i) {
    const int y = Margin + static_cast<int>(i) * RowPitch;
    controls[1 + 3 * i] = {
        ControlKind::Static, 0, KeyRows[i].keys, {Margin, y, KeysWidth, RowHeight}};
    controls[2 + 3 * i] = {
        ControlKind::Static, 0, KeyRows[i].japanese, {JapaneseX, y, JapaneseWidth, RowHeight}};
    controls[3 + 3 * i] = {
        ControlKind::Static, 0, KeyRows[i].english, {EnglishX, y, EnglishWidth, RowHeight}};
  }
  return controls;
}

constexpr auto KeysControls = MakeControls();

constexpr DialogTemplate KeysTemplate{
    "操作方法 Keys", "MS Shell Dlg", 8, DialogWidth, DialogHeight, KeysControls,
};

}  // namespace

CDlgKeys::CDlgKeys(QWidget* parent) : CTemplateDialog(KeysTemplate, parent) {}

}  // namespace quillmoor
