// SPDX-License-Identifier: MIT
// Clock, counter and entropy that follow from one seed, so that a run with the real random
// source can be repeated exactly.
#include "tools/headless/seeded_inputs.h"

namespace quillmoor {

namespace {

constexpr std::int64_t SomeDayIn2026 = 1'767'225'600;  // 2026-01-01 00:00 UTC
constexpr std::int64_t SecondsPerYear = 365 * 24 * 60 * 60;

// SplitMix64: consecutive inputs give well-mixed, independent-looking outputs.
std::uint64_t Mix(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15u;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9u;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBu;
  return value ^ (value >> 31);
}

}  // namespace

std::int64_t SeededSystemInputs::WallClockSeconds() const {
  return SomeDayIn2026 + static_cast<std::int64_t>(Mix(seed_) % SecondsPerYear);
}

std::optional<std::int64_t> SeededSystemInputs::PerformanceCounter() const {
  return static_cast<std::int64_t>(Mix(seed_ ^ 1u) >> 2) + ++counterReadings_;
}

bool SeededSystemInputs::Entropy(std::span<std::uint8_t, 16> out) const {
  const std::uint64_t call = entropyCalls_++;
  constexpr std::size_t WordBytes = 8;
  for (std::size_t word = 0; word < out.size() / WordBytes; ++word) {
    const std::uint64_t bits = Mix(seed_ + Mix(call * 2 + word));
    for (std::size_t byte = 0; byte < WordBytes; ++byte) {
      out[word * WordBytes + byte] = static_cast<std::uint8_t>(bits >> (8 * byte));
    }
  }
  return true;
}

}  // namespace quillmoor
