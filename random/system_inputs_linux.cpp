// SPDX-License-Identifier: MIT
// The Linux system inputs: realtime clock, monotonic clock and getrandom(2).
#include "random/system_inputs.h"

#include <sys/random.h>

#include <cerrno>
#include <ctime>

namespace quillmoor {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

class LinuxInputs final : public SystemInputs {
 public:
  // time() reads the kernel's published seconds without a clock read, a twentieth of the cost
  // of clock_gettime; every random block asks for it.
  std::int64_t WallClockSeconds() const override {
    const std::time_t seconds = std::time(nullptr);
    if (seconds != static_cast<std::time_t>(-1)) {
      return static_cast<std::int64_t>(seconds);
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec);
  }

  // Nanoseconds wrap in two's complement after some 292 years of uptime; the generator only
  // mixes the bits, so the wrap is harmless and avoids signed overflow.
  std::optional<std::int64_t> PerformanceCounter() const override {
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) {
      return std::nullopt;
    }
    const auto nanoseconds =
        static_cast<std::uint64_t>(now.tv_sec) * static_cast<std::uint64_t>(kNanosecondsPerSecond) +
        static_cast<std::uint64_t>(now.tv_nsec);
    return static_cast<std::int64_t>(nanoseconds);
  }

  bool Entropy(std::span<std::uint8_t, 16> out) const override {
    std::size_t filled = 0;
    while (filled < out.size()) {
      const ssize_t got = getrandom(out.data() + filled, out.size() - filled, 0);
      if (got < 0) {
        if (errno == EINTR) {
          continue;
        }
        return false;
      }
      if (got == 0) {
        return false;  // never happens for 16 bytes; guards against spinning forever
      }
      filled += static_cast<std::size_t>(got);
    }
    return true;
  }
};

}  // namespace

const SystemInputs& PlatformSystemInputs() {
  static const LinuxInputs inputs;
  return inputs;
}

}  // namespace quillmoor
