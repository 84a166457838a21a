// SPDX-License-Identifier: MIT
// Blowfish (Schneier, 1993): key schedule and 8-byte block encryption, big-endian halves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillmoor {

class Blowfish {
 public:
  // Before SetKey the whole schedule is zero.
  void SetKey(const std::uint8_t* key, std::size_t length);
  void EncryptBlock(const std::uint8_t in[8], std::uint8_t out[8]) const;
  void Encrypt(std::uint32_t& left, std::uint32_t& right) const;

 private:
  std::array<std::uint32_t, 18> p_{};
  std::array<std::array<std::uint32_t, 256>, 4> s_{};
};

}  // namespace quillmoor
