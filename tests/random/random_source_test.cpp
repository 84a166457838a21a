// SPDX-License-Identifier: MIT
// The generator's seeding, block chain and byte cursor under fixed system inputs.
//
// Known answers: the digest D is `printf SEEDHEX | xxd -r -p | sha1sum`, where SEEDHEX is the
// bytes hashed (clock 1700000000 = 00f1536500000000 LE, counter LE, entropy 000102..0f). The
// blocks are I = E(DT), R = E(I^V), V' = E(R^I), R2 = E(I^V') under key D, each E computed by
// libcrypto (the openssl command line cannot take a 20-byte Blowfish key) with
//   python3 -c 'import ctypes,sys;L=ctypes.CDLL("libcrypto.so.3");k=(ctypes.c_uint32*1042)();
//     b=bytes.fromhex(sys.argv[1]);L.BF_set_key(k,len(b),b);o=ctypes.create_string_buffer(8);
//     L.BF_ecb_encrypt(bytes.fromhex(sys.argv[2]),o,k,1);print(o.raw.hex())' KEYHEX BLOCKHEX
// and the XORs and DT values by python3 integer arithmetic.
#include "random/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "random/blowfish.h"
#include "random/sha1.h"
#include "tests/random/hex.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

using Access = RandomSourceTestAccess;
using test::FromHex;
using test::ToHex;

constexpr std::int64_t kClock = 1'700'000'000;
constexpr std::int64_t kCounter = 0x0123456789ABCDEF;
// Seed 00f1536500000000 efcdab8967452301 000102..0f; DT = LE(clock ^ 0x89ABCDEF01234567).
constexpr char kFullDigest[] = "9f0a80a92b0858df8b6950c4dd763915ee390958";
constexpr char kFullBlock[] = "da7e1c379503fc7d";
constexpr char kFullChain[] = "c5d4e99e3c0919b8";
constexpr char kFullSecondBlock[] = "d4ee65020dec5187";
// Clock alone: seed and DT both 00f1536500000000.
constexpr char kClockOnlyDigest[] = "0c149911bb0dfe904940859f48736fc8458ced74";
constexpr char kClockOnlyBlock[] = "570d3deaf3954abc";

class RandomSourceTest : public ::testing::Test {
 protected:
  RandomSourceTest() {
    fake.wallClock = kClock;
    fake.counter = kCounter;
    fake.entropy.emplace();
    for (std::uint8_t i = 0; i < 16; ++i) {
      (*fake.entropy)[i] = i;
    }
    Access::UseInputs(source, &fake);
  }

  std::string Draw(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    source.ReadBytes(bytes.data(), count);
    return ToHex(bytes);
  }
  std::string Block() const { return ToHex(Access::OutputBlock(source)); }
  std::string Chain() const { return ToHex(Access::ChainValue(source)); }

  FakeSystemInputs fake;
  RandomSource source;
};

TEST_F(RandomSourceTest, SeedAndFirstBlocksMatchIndependentComputation) {
  source.Seed();
  EXPECT_EQ(Chain(), std::string(kFullDigest).substr(0, 16));
  EXPECT_EQ(Access::Cursor(source), 8u);
  EXPECT_EQ(Draw(1), std::string(kFullBlock).substr(0, 2));
  EXPECT_EQ(Block(), kFullBlock);
  EXPECT_EQ(Chain(), kFullChain);
  EXPECT_EQ(Draw(15), std::string(kFullBlock).substr(2) + kFullSecondBlock);
}

// A negative counter swaps its halves with the sign filling the top: T ^ 0xFFFFFFFFFEDCBA98.
TEST_F(RandomSourceTest, NegativeCounterShiftsArithmetically) {
  fake.counter = static_cast<std::int64_t>(0xFEDCBA9876543210ULL);
  source.Seed();
  EXPECT_EQ(Chain(), "88a2fb5203d267f5");
  EXPECT_EQ(Draw(8), "3887df86c13087f1");
}

TEST_F(RandomSourceTest, MissingInputsAreLeftOutOfSeedAndDateTime) {
  fake.counter.reset();
  source.Seed();
  EXPECT_EQ(Chain(), "9873e16a7035f24d");  // clock + entropy, 24 bytes
  EXPECT_EQ(Draw(8), "88c96761e886803f");

  fake.entropy.reset();
  source.Seed();
  EXPECT_EQ(Chain(), std::string(kClockOnlyDigest).substr(0, 16));
  EXPECT_EQ(Draw(8), kClockOnlyBlock);

  const auto caller = FromHex("5175696c6c");  // "Quill", hashed before the clock
  source.Seed(caller.data(), caller.size());
  EXPECT_EQ(Chain(), "9e3bae803e2ddb9e");
  source.Seed(caller.data(), 0);
  EXPECT_EQ(Chain(), std::string(kClockOnlyDigest).substr(0, 16));
}

TEST_F(RandomSourceTest, BlocksAreMadeOnlyWhenAByteIsNeeded) {
  source.Seed();
  const auto before = Block();
  source.ReadBytes(nullptr, 0);
  EXPECT_EQ(Access::Cursor(source), 8u);
  EXPECT_EQ(Block(), before);

  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ToHex(std::vector<std::uint8_t>{source.NextByte()}),
              std::string(kFullBlock).substr(2 * i, 2));
  }
  EXPECT_EQ(Access::Cursor(source), 8u);
  EXPECT_EQ(Block(), kFullBlock);
  source.NextByte();
  EXPECT_EQ(Access::Cursor(source), 1u);
  EXPECT_EQ(Block(), kFullSecondBlock);
  std::uint8_t unused = 0;
  source.ReadBytes(&unused, 0);
  EXPECT_EQ(Access::Cursor(source), 1u);
}

TEST_F(RandomSourceTest, WordSpanningTwoBlocksTakesLowByteFirst) {
  source.Seed();
  Draw(7);
  const auto first = FromHex(kFullBlock);
  const auto second = FromHex(kFullSecondBlock);
  EXPECT_EQ(source.NextWord(), first[7] | (second[0] << 8));
  EXPECT_EQ(Access::Cursor(source), 1u);
}

TEST_F(RandomSourceTest, ReseedMidBlockDropsUnreadBytes) {
  source.Seed();
  Draw(3);
  fake.counter.reset();
  fake.entropy.reset();
  source.Reseed();
  EXPECT_EQ(Access::Cursor(source), 8u);
  EXPECT_EQ(Chain(), std::string(kClockOnlyDigest).substr(0, 16));
  EXPECT_EQ(Draw(8), kClockOnlyBlock);
}

TEST_F(RandomSourceTest, ScriptReplacesGeneratedBytesAndSurvivesSeeding) {
  source.Seed();
  Draw(2);
  {
    ScopedByteScript script(source, {0x34, 0x12, 0xFF});
    EXPECT_EQ(source.NextWord(), 0x1234);
    source.Reseed();
    EXPECT_EQ(source.NextWord(), 0x34FF);  // cycles back to the start
    EXPECT_EQ(script.drawn(), 4u);
  }
  // Seeding under the script still dropped the block; generated bytes resume from a new one.
  EXPECT_EQ(Access::Cursor(source), 8u);
  EXPECT_EQ(Draw(8), kFullBlock);

  ScopedByteScript empty(source, {});
  EXPECT_EQ(source.NextWord(), 0);
}

// Inputs that move on at every read, so that each block gets its own date-time value and every
// seed differs; the counter goes negative now and then.
class TickingInputs final : public SystemInputs {
 public:
  std::int64_t WallClockSeconds() const override { return kClock + (reads_++ / 5); }
  std::optional<std::int64_t> PerformanceCounter() const override {
    const auto value = static_cast<std::int64_t>(0x9E3779B97F4A7C15ULL * ++reads_);
    if (reads_ % 7 == 0) {
      return std::nullopt;
    }
    return value;
  }
  bool Entropy(std::span<std::uint8_t, 16> out) const override {
    for (auto& byte : out) {
      byte = static_cast<std::uint8_t>(reads_++);
    }
    return true;
  }

 private:
  mutable std::int64_t reads_ = 0;
};

// The block chain written out step by step: three encryptions per block, nothing deferred.
class PlainChain {
 public:
  explicit PlainChain(const SystemInputs& inputs) : inputs_(inputs) {}

  void Seed() {
    Sha1 hash;
    AppendLittleEndian(hash, inputs_.WallClockSeconds());
    if (const auto counter = inputs_.PerformanceCounter()) {
      AppendLittleEndian(hash, *counter);
    }
    std::array<std::uint8_t, 16> entropy{};
    if (inputs_.Entropy(entropy)) {
      hash.Update(entropy.data(), entropy.size());
    }
    const auto digest = hash.Finish();
    cipher_.SetKey(digest.data(), digest.size());
    std::copy_n(digest.begin(), 8, chain.begin());
    cursor = 8;
  }

  std::uint8_t Next() {
    if (cursor == 8) {
      auto time = static_cast<std::uint64_t>(inputs_.WallClockSeconds());
      if (const auto counter = inputs_.PerformanceCounter()) {
        time ^= (static_cast<std::uint64_t>(*counter) << 32) |
                static_cast<std::uint64_t>(*counter >> 32);
      }
      Block dateTime;
      for (int i = 0; i < 8; ++i) {
        dateTime[i] = static_cast<std::uint8_t>(time >> (8 * i));
      }
      Block intermediate;
      cipher_.EncryptBlock(dateTime.data(), intermediate.data());
      cipher_.EncryptBlock(Xor(intermediate, chain).data(), output.data());
      cipher_.EncryptBlock(Xor(output, intermediate).data(), chain.data());
      cursor = 0;
    }
    return output[cursor++];
  }

  using Block = std::array<std::uint8_t, 8>;
  Block chain{};
  Block output{};
  std::uint32_t cursor = 8;

 private:
  static void AppendLittleEndian(Sha1& hash, std::int64_t value) {
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) {
      bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
    hash.Update(bytes, sizeof bytes);
  }
  static Block Xor(const Block& a, const Block& b) {
    Block result;
    for (int i = 0; i < 8; ++i) {
      result[i] = a[i] ^ b[i];
    }
    return result;
  }

  Blowfish cipher_;
  const SystemInputs& inputs_;
};

// Long runs of mixed request sizes, single bytes and words included, with reseeds at odd
// moments: bytes, block, cursor and the chaining value agree with the plain chain after every
// request.
TEST(RandomSourceChain, MatchesThePlainChainOverLongRuns) {
  TickingInputs sourceInputs;
  TickingInputs plainInputs;
  RandomSource source;
  Access::UseInputs(source, &sourceInputs);
  PlainChain plain(plainInputs);
  source.Seed();
  plain.Seed();
  for (int request = 0; request < 3000; ++request) {
    if (request % 97 == 41) {
      source.Reseed();
      plain.Seed();
      ASSERT_EQ(ToHex(Access::ChainValue(source)), ToHex(plain.chain)) << request;
    }
    const std::size_t size = static_cast<std::size_t>(request * 7 % 19);
    std::vector<std::uint8_t> drawn(size);
    if (size == 1) {
      drawn[0] = source.NextByte();
    } else if (size == 2) {
      const std::uint16_t word = source.NextWord();
      drawn = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8)};
    } else {
      source.ReadBytes(drawn.data(), size);
    }
    std::vector<std::uint8_t> expected(size);
    for (auto& byte : expected) {
      byte = plain.Next();
    }
    ASSERT_EQ(ToHex(drawn), ToHex(expected)) << request;
    ASSERT_EQ(Access::Cursor(source), plain.cursor) << request;
    ASSERT_EQ(ToHex(Access::OutputBlock(source)), ToHex(plain.output)) << request;
    ASSERT_EQ(ToHex(Access::ChainValue(source)), ToHex(plain.chain)) << request;
  }
}

TEST(PlatformSystemInputs, ClockCounterAndEntropyAreLive) {
  const SystemInputs& inputs = PlatformSystemInputs();
  const std::int64_t now = std::time(nullptr);
  EXPECT_NEAR(static_cast<double>(inputs.WallClockSeconds()), static_cast<double>(now), 2.0);

  const auto earlier = inputs.PerformanceCounter();
  const auto later = inputs.PerformanceCounter();
  ASSERT_TRUE(earlier && later);
  EXPECT_LE(*earlier, *later);

  std::array<std::uint8_t, 16> a{};
  std::array<std::uint8_t, 16> b{};
  ASSERT_TRUE(inputs.Entropy(a));
  ASSERT_TRUE(inputs.Entropy(b));
  EXPECT_NE(a, b);  // equal only with probability 2^-128
}

TEST(ProcessRandomSource, IsOneInstanceSeededFromTheSystem) {
  RandomSource& source = ProcessRandomSource();
  EXPECT_EQ(&source, &ProcessRandomSource());
  source.Reseed();
  std::uint8_t first[16];
  source.ReadBytes(first, sizeof first);
  source.Reseed();
  std::uint8_t second[16];
  source.ReadBytes(second, sizeof second);
  EXPECT_NE(ToHex(first), ToHex(second));
}

}  // namespace
}  // namespace quillmoor
