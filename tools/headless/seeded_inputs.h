// SPDX-License-Identifier: MIT
// Clock, counter and entropy that follow from one seed, so that a run with the real random
// source can be repeated exactly.
#pragma once

#include <cstdint>

#include "random/system_inputs.h"

namespace quillmoor {

class SeededSystemInputs final : public SystemInputs {
 public:
  explicit SeededSystemInputs(std::uint64_t seed) : seed_(seed) {}

  std::int64_t WallClockSeconds() const override;
  // Every reading is one tick later, as a real counter would be at the next reseed.
  std::optional<std::int64_t> PerformanceCounter() const override;
  // Every call yields 16 new bytes from the seed and the count of calls so far.
  bool Entropy(std::span<std::uint8_t, 16> out) const override;

 private:
  std::uint64_t seed_;
  mutable std::int64_t counterReadings_ = 0;
  mutable std::uint64_t entropyCalls_ = 0;
};

}  // namespace quillmoor
