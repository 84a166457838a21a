// SPDX-License-Identifier: MIT
// The three system inputs the random source is seeded from; each may be unavailable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quillmoor {

class SystemInputs {
 public:
  virtual ~SystemInputs() = default;
  // Whole seconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t WallClockSeconds() const = 0;
  // A high-resolution monotonic count; nullopt when it cannot be read.
  virtual std::optional<std::int64_t> PerformanceCounter() const = 0;
  // Fills all 16 bytes from the OS's cryptographic generator; false when it cannot.
  virtual bool Entropy(std::span<std::uint8_t, 16> out) const = 0;
};

// The inputs of the system the program is built for; random/CMakeLists.txt picks the one file
// that defines them.
const SystemInputs& PlatformSystemInputs();

}  // namespace quillmoor
