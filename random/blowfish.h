// SPDX-License-Identifier: MIT
// Blowfish (Schneier, 1993): key schedule and 8-byte block encryption, big-endian halves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "random/blowfish_tables.h"

namespace quillmoor {

class Blowfish {
 public:
  // Before SetKey the whole schedule is zero.
  void SetKey(const std::uint8_t* key, std::size_t length);
  void EncryptBlock(const std::uint8_t in[8], std::uint8_t out[8]) const;
  // Encrypts the block (left, right) in place; left holds bytes 0-3 read big-endian.
  void Encrypt(std::uint32_t& left, std::uint32_t& right) const;
  // Encrypts two independent blocks at once; the rounds are interleaved so that the two
  // latency chains overlap, which costs little more than one encryption.
  void EncryptTwo(std::uint32_t& left1, std::uint32_t& right1, std::uint32_t& left2,
                  std::uint32_t& right2) const;

 private:
  std::uint32_t Feistel(std::uint32_t x) const;

  std::array<std::uint32_t, blowfish_tables::kRounds + 2> p_{};
  // The four S-boxes back to back, so that all four lookups index one array.
  std::array<std::uint32_t, blowfish_tables::kSBoxCount * blowfish_tables::kSBoxSize> s_{};
};

inline std::uint32_t Blowfish::Feistel(std::uint32_t x) const {
  return ((s_[x >> 24] + s_[blowfish_tables::kSBoxSize + ((x >> 16) & 0xFF)]) ^
          s_[2 * blowfish_tables::kSBoxSize + ((x >> 8) & 0xFF)]) +
         s_[3 * blowfish_tables::kSBoxSize + (x & 0xFF)];
}

// Two rounds per pass with the halves' roles exchanged instead of swapping them; after the even
// number of rounds they stand where they started, and the final swap is folded into the output
// whitening. Each P-word is XORed into its half before the round function's result arrives, so
// that only one XOR per round lies on the latency chain.
inline void Blowfish::Encrypt(std::uint32_t& left, std::uint32_t& right) const {
  std::uint32_t l = left ^ p_[0];
  std::uint32_t r = right;
#pragma GCC unroll 8
  for (std::size_t round = 0; round < blowfish_tables::kRounds; round += 2) {
    r ^= p_[round + 1];
    r ^= Feistel(l);
    l ^= p_[round + 2];
    l ^= Feistel(r);
  }
  left = r ^ p_[blowfish_tables::kRounds + 1];
  right = l;
}

inline void Blowfish::EncryptTwo(std::uint32_t& left1, std::uint32_t& right1, std::uint32_t& left2,
                                 std::uint32_t& right2) const {
  std::uint32_t l1 = left1 ^ p_[0];
  std::uint32_t r1 = right1;
  std::uint32_t l2 = left2 ^ p_[0];
  std::uint32_t r2 = right2;
#pragma GCC unroll 8
  for (std::size_t round = 0; round < blowfish_tables::kRounds; round += 2) {
    r1 ^= p_[round + 1];
    r2 ^= p_[round + 1];
    r1 ^= Feistel(l1);
    r2 ^= Feistel(l2);
    l1 ^= p_[round + 2];
    l2 ^= p_[round + 2];
    l1 ^= Feistel(r1);
    l2 ^= Feistel(r2);
  }
  left1 = r1 ^ p_[blowfish_tables::kRounds + 1];
  right1 = l1;
  left2 = r2 ^ p_[blowfish_tables::kRounds + 1];
  right2 = l2;
}

}  // namespace quillmoor
