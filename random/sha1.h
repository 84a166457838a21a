// SPDX-License-Identifier: MIT
// SHA-1 (FIPS 180-4) for seeding the random source.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillmoor {

class Sha1 {
 public:
  static constexpr std::size_t kDigestSize = 20;
  using Digest = std::array<std::uint8_t, kDigestSize>;

  // A fresh computation: the standard initial state and a count of zero.
  Sha1();

  // Hashes length more bytes; data may be null only when length is zero.
  void Update(const std::uint8_t* data, std::size_t length);
  // Pads and returns the digest, the five state words each big-endian. The context must be
  // reset (assign a fresh Sha1) before it is used again.
  Digest Finish();

 private:
  static constexpr std::size_t kBlockSize = 64;

  void ProcessBlock(const std::uint8_t* block);

  std::array<std::uint32_t, 5> state_;
  std::uint64_t byteCount_ = 0;
  std::array<std::uint8_t, kBlockSize> buffer_{};
};

}  // namespace quillmoor
