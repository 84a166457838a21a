// SPDX-License-Identifier: MIT
// What the next-stage dialog says about how the stage ended, in Japanese and in English.
#pragma once

#include <array>
#include <string_view>

namespace quillmoor {

// Both indexed by StageOutcome: won, gave up, out of hit points. UTF-8.
inline constexpr std::array<std::string_view, 3> OutcomeMessagesJa{
    "ようやった。さあ、次行こうか！",
    "あきらめるな。まだまだだ！",
    "遊びの時間は終わらない。",
};
inline constexpr std::array<std::string_view, 3> OutcomeMessagesEn{
    "You Win! Let's Go To Next Stage.",
    "Neverrrr, Give Up! Go To Next.",
    "Playing Time Never Ends.",
};

}  // namespace quillmoor
