// SPDX-License-Identifier: MIT
// SHA-1 against the FIPS 180 examples and the padding boundaries.
#include "random/sha1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/random/hex.h"

namespace quillmoor {
namespace {

using test::ToHex;

std::string DigestOf(const std::string& message) {
  Sha1 hash;
  hash.Update(reinterpret_cast<const std::uint8_t*>(message.data()), message.size());
  return ToHex(hash.Finish());
}

TEST(Sha1, PublishedExamples) {
  EXPECT_EQ(DigestOf("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(DigestOf(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(DigestOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(DigestOf(std::string(1'000'000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

// 55 bytes leave just room for the length, 56 push it into a second block, 64 fill one block.
// Expected digests: printf "%55s" | tr ' ' a | sha1sum (and 56, 64).
TEST(Sha1, PaddingAtBlockBoundaries) {
  EXPECT_EQ(DigestOf(std::string(55, 'a')), "c1c8bbdc22796e28c0e15163d20899b65621d65a");
  EXPECT_EQ(DigestOf(std::string(56, 'a')), "c2db330f6083854c99d4b5bfb6e8f29f201be699");
  EXPECT_EQ(DigestOf(std::string(64, 'a')), "0098ba824b5c16427bd7a1122a5a442a25ec644d");
}

TEST(Sha1, UnevenPiecesHashLikeOneMessage) {
  const std::string million(1'000'000, 'a');
  const auto* data = reinterpret_cast<const std::uint8_t*>(million.data());
  Sha1 hash;
  hash.Update(nullptr, 0);
  std::size_t offset = 0;
  for (std::size_t piece = 1; offset < million.size(); piece = piece * 7 % 131 + 1) {
    const std::size_t take = std::min(piece, million.size() - offset);
    hash.Update(data + offset, take);
    offset += take;
  }
  EXPECT_EQ(ToHex(hash.Finish()), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

}  // namespace
}  // namespace quillmoor
