// SPDX-License-Identifier: MIT
// The Windows system inputs: system time, QueryPerformanceCounter and CryptGenRandom.
#include "random/system_inputs.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// The lean windows.h leaves out the CryptoAPI.
#include <wincrypt.h>

namespace quillmoor {

namespace {

// FILETIME counts 100 ns intervals from 1601-01-01 00:00 UTC.
constexpr std::uint64_t kFileTimeTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

class WindowsInputs final : public SystemInputs {
 public:
  // Reads the time the kernel publishes at each clock tick, so it cannot fail and costs little;
  // every random block asks for it.
  std::int64_t WallClockSeconds() const override {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
  }

  // Raw counter ticks: the generator only mixes the bits, so their rate does not matter.
  std::optional<std::int64_t> PerformanceCounter() const override {
    LARGE_INTEGER count{};
    if (!QueryPerformanceCounter(&count)) {
      return std::nullopt;
    }
    return static_cast<std::int64_t>(count.QuadPart);
  }

  // A verify-only context needs no key container, and silent means no dialog can appear.
  bool Entropy(std::span<std::uint8_t, 16> out) const override {
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL,
                              CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
      return false;
    }
    const BOOL filled = CryptGenRandom(provider, static_cast<DWORD>(out.size()), out.data());
    CryptReleaseContext(provider, 0);
    return filled != FALSE;
  }
};

}  // namespace

const SystemInputs& PlatformSystemInputs() {
  static const WindowsInputs inputs;
  return inputs;
}

}  // namespace quillmoor
