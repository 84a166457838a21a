// SPDX-License-Identifier: MIT
// Blowfish key schedule and encryption.
#include "random/blowfish.h"

#include <algorithm>

#include "random/byte_order.h"

namespace quillmoor {

namespace {

using blowfish_tables::kSBoxSize;

}  // namespace

void Blowfish::SetKey(const std::uint8_t* key, std::size_t length) {
  p_ = blowfish_tables::kInitialP;
  for (std::size_t box = 0; box < blowfish_tables::kSBoxCount; ++box) {
    std::copy(blowfish_tables::kInitialS[box].begin(), blowfish_tables::kInitialS[box].end(),
              s_.begin() + static_cast<std::ptrdiff_t>(box * kSBoxSize));
  }
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
  for (std::size_t i = 0; i < s_.size(); i += 2) {
    Encrypt(left, right);
    s_[i] = left;
    s_[i + 1] = right;
  }
}

void Blowfish::EncryptBlock(const std::uint8_t in[8], std::uint8_t out[8]) const {
  std::uint32_t left = ReadBigEndian(in);
  std::uint32_t right = ReadBigEndian(in + 4);
  Encrypt(left, right);
  WriteBigEndian(left, out);
  WriteBigEndian(right, out + 4);
}

}  // namespace quillmoor
