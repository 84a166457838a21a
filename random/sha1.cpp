// SPDX-License-Identifier: MIT
// SHA-1 compression and padding.
#include "random/sha1.h"

#include <algorithm>
#include <bit>

namespace quillmoor {

namespace {

constexpr std::array<std::uint32_t, 5> kInitialState = {0x67452301, 0xEFCDAB89, 0x98BADCFE,
                                                        0x10325476, 0xC3D2E1F0};
constexpr std::uint32_t kRoundConstants[4] = {0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC, 0xCA62C1D6};
constexpr std::uint8_t kPadStart = 0x80;
// Room left in the last block for the 8-byte bit length.
constexpr std::size_t kLengthOffset = 56;

std::uint32_t ReadBigEndian(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

}  // namespace

Sha1::Sha1() : state_(kInitialState) {}

void Sha1::ProcessBlock(const std::uint8_t* block) {
  std::uint32_t w[80];
  for (int t = 0; t < 16; ++t) {
    w[t] = ReadBigEndian(block + 4 * t);
  }
  for (int t = 16; t < 80; ++t) {
    w[t] = std::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
  }
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3], e = state_[4];
  for (int t = 0; t < 80; ++t) {
    std::uint32_t f;
    if (t < 20) {
      f = (b & c) | (~b & d);
    } else if (t < 40 || t >= 60) {
      f = b ^ c ^ d;
    } else {
      f = (b & c) | (b & d) | (c & d);
    }
    const std::uint32_t temp = std::rotl(a, 5) + f + e + kRoundConstants[t / 20] + w[t];
    e = d;
    d = c;
    c = std::rotl(b, 30);
    b = a;
    a = temp;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
  state_[4] += e;
}

void Sha1::Update(const std::uint8_t* data, std::size_t length) {
  std::size_t used = byteCount_ % kBlockSize;
  byteCount_ += length;
  while (length > 0) {
    if (used == 0 && length >= kBlockSize) {
      ProcessBlock(data);
      data += kBlockSize;
      length -= kBlockSize;
      continue;
    }
    const std::size_t take = std::min(kBlockSize - used, length);
    std::copy_n(data, take, buffer_.begin() + used);
    data += take;
    length -= take;
    used += take;
    if (used == kBlockSize) {
      ProcessBlock(buffer_.data());
      used = 0;
    }
  }
}

Sha1::Digest Sha1::Finish() {
  const std::uint64_t bitLength = byteCount_ * 8;
  std::size_t used = byteCount_ % kBlockSize;
  buffer_[used++] = kPadStart;
  if (used > kLengthOffset) {
    std::fill(buffer_.begin() + used, buffer_.end(), 0);
    ProcessBlock(buffer_.data());
    used = 0;
  }
  std::fill(buffer_.begin() + used, buffer_.begin() + kLengthOffset, 0);
  for (int i = 0; i < 8; ++i) {
    buffer_[kLengthOffset + i] = static_cast<std::uint8_t>(bitLength >> (56 - 8 * i));
  }
  ProcessBlock(buffer_.data());

  Digest digest;
  for (std::size_t i = 0; i < state_.size(); ++i) {
    for (int j = 0; j < 4; ++j) {
      digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (24 - 8 * j));
    }
  }
  return digest;
}

}  // namespace quillmoor
