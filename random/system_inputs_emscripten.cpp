// SPDX-License-Identifier: MIT
// The browser's system inputs through Emscripten: Date.now, performance.now and
// crypto.getRandomValues.
#include "random/system_inputs.h"

#include <unistd.h>

#include <chrono>
#include <ctime>

namespace quillmoor {

namespace {

class BrowserInputs final : public SystemInputs {
 public:
  // Date.now(), which has no way to fail.
  std::int64_t WallClockSeconds() const override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec);
  }

  // performance.now() as nanoseconds; counted from page load, it is centuries short of overflow.
  // A host whose clock may run backwards gets no counter rather than a false one.
  std::optional<std::int64_t> PerformanceCounter() const override {
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) {
      return std::nullopt;
    }
    const auto count = std::chrono::seconds{now.tv_sec} + std::chrono::nanoseconds{now.tv_nsec};
    return static_cast<std::int64_t>(count.count());
  }

  // There is no getrandom here; getentropy reads crypto.getRandomValues, up to 256 bytes a call.
  bool Entropy(std::span<std::uint8_t, 16> out) const override {
    return getentropy(out.data(), out.size()) == 0;
  }
};

}  // namespace

const SystemInputs& PlatformSystemInputs() {
  static const BrowserInputs inputs;
  return inputs;
}

}  // namespace quillmoor
