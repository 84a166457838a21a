// SPDX-License-Identifier: MIT
// Blowfish key schedule and encryption.
#include "random/blowfish.h"

#include <utility>

#include "random/blowfish_tables.h"

namespace quillmoor {

namespace {

using blowfish_tables::kRounds;

std::uint32_t ReadBigEndian(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

void WriteBigEndian(std::uint32_t value, std::uint8_t* bytes) {
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
  }
}

}  // namespace

void Blowfish::SetKey(const std::uint8_t* key, std::size_t length) {
  p_ = blowfish_tables::kInitialP;
  s_ = blowfish_tables::kInitialS;
  // An empty key leaves the words unmixed rather than reading past the end.
  if (length > 0) {
    std::size_t next = 0;
    for (auto& word : p_) {
      std::uint32_t keyWord = 0;
      for (int i = 0; i < 4; ++i) {
        keyWord = (keyWord << 8) | key[next];
        next = (next + 1) % length;
      }
      word ^= keyWord;
    }
  }
  std::uint32_t left = 0;
  std::uint32_t right = 0;
  for (std::size_t i = 0; i < p_.size(); i += 2) {
    Encrypt(left, right);
    p_[i] = left;
    p_[i + 1] = right;
  }
  for (auto& box : s_) {
    for (std::size_t i = 0; i < box.size(); i += 2) {
      Encrypt(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

void Blowfish::Encrypt(std::uint32_t& left, std::uint32_t& right) const {
  const auto feistel = [this](std::uint32_t x) {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
  };
  std::uint32_t l = left;
  std::uint32_t r = right;
  for (std::size_t round = 0; round < kRounds; ++round) {
    l ^= p_[round];
    r ^= feistel(l);
    std::swap(l, r);
  }
  std::swap(l, r);
  r ^= p_[kRounds];
  l ^= p_[kRounds + 1];
  left = l;
  right = r;
}

void Blowfish::EncryptBlock(const std::uint8_t in[8], std::uint8_t out[8]) const {
  std::uint32_t left = ReadBigEndian(in);
  std::uint32_t right = ReadBigEndian(in + 4);
  Encrypt(left, right);
  WriteBigEndian(left, out);
  WriteBigEndian(right, out + 4);
}

}  // namespace quillmoor
