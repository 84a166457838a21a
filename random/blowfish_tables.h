// SPDX-License-Identifier: MIT
// The constant tables Blowfish's key schedule starts from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillmoor::blowfish_tables {

inline constexpr std::size_t kRounds = 16;
inline constexpr std::size_t kSBoxCount = 4;
inline constexpr std::size_t kSBoxSize = 256;

// The P-array before keying: pi's first 18 fractional words.
extern const std::array<std::uint32_t, kRounds + 2> kInitialP;
// The S-boxes before keying: the next 1024 words of pi.
extern const std::array<std::array<std::uint32_t, kSBoxSize>, kSBoxCount> kInitialS;

}  // namespace quillmoor::blowfish_tables
