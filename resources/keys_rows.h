// SPDX-License-Identifier: MIT
// The keys dialog's list: every key the game and the desktop take, and what it does.
#pragma once

#include <string_view>

namespace quillmoor {

struct KeyRow {
  std::string_view keys;
  std::string_view japanese;
  std::string_view english;  // as the README's key table words it
};

// In the README's order. UTF-8.
inline constexpr KeyRow KeyRows[] = {
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

}  // namespace quillmoor
