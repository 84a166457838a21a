// SPDX-License-Identifier: MIT
// The X9.17 generator: Blowfish over a date-time block and a chaining value.
#include "random/random_source.h"

#include <algorithm>

#include "random/byte_order.h"
#include "random/sha1.h"

namespace quillmoor {

namespace {

void AppendLittleEndian(Sha1& hash, std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  std::uint8_t bytes[8];
  for (int i = 0; i < 8; ++i) {
    bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
  hash.Update(bytes, sizeof bytes);
}

// (C << 32) | (C >> 32) with an arithmetic right shift, done on unsigned bits so that
// neither shift depends on the sign: a negative C fills the high half with ones.
std::uint64_t RotateWithSignFill(std::int64_t counter) {
  const auto bits = static_cast<std::uint64_t>(counter);
  std::uint64_t high = bits >> 32;
  if (counter < 0) {
    high |= 0xFFFFFFFF00000000ULL;
  }
  return (bits << 32) | high;
}

}  // namespace

RandomSource::RandomSource() : inputs(&PlatformSystemInputs()) {}

void RandomSource::Seed(const std::uint8_t* callerBytes, std::size_t length) {
  Sha1 hash;
  if (callerBytes != nullptr && length > 0) {
    hash.Update(callerBytes, length);
  }
  AppendLittleEndian(hash, inputs->WallClockSeconds());
  if (const auto counter = inputs->PerformanceCounter()) {
    AppendLittleEndian(hash, *counter);
  }
  std::array<std::uint8_t, 16> entropy{};
  if (inputs->Entropy(entropy)) {
    hash.Update(entropy.data(), entropy.size());
  }
  const Sha1::Digest digest = hash.Finish();

  cipher.SetKey(digest.data(), digest.size());
  chainValue = {ReadBigEndian(digest.data()), ReadBigEndian(digest.data() + 4)};
  chainPending = false;
  cursor = kBlockSize;
}

void RandomSource::RefillBlock() {
  auto time = static_cast<std::uint64_t>(inputs->WallClockSeconds());
  if (const auto counter = inputs->PerformanceCounter()) {
    time ^= RotateWithSignFill(*counter);
  }
  // DT holds T little-endian, so each half read big-endian is that half of T byte-reversed.
  Halves next{SwapBytes(static_cast<std::uint32_t>(time)),
              SwapBytes(static_cast<std::uint32_t>(time >> 32))};
  if (chainPending) {
    // V = E(R xor I) of the previous block, beside I = E(DT) of this one.
    chainValue = PendingChainInput();
    cipher.EncryptTwo(next.left, next.right, chainValue.left, chainValue.right);
  } else {
    cipher.Encrypt(next.left, next.right);
  }
  intermediate = next;
  Halves output{intermediate.left ^ chainValue.left, intermediate.right ^ chainValue.right};
  cipher.Encrypt(output.left, output.right);
  chainPending = true;
  WriteBigEndian(output.left, outputBlock.data());
  WriteBigEndian(output.right, outputBlock.data() + 4);
  cursor = 0;
}

RandomSource::Halves RandomSource::PendingChainInput() const {
  return {ReadBigEndian(outputBlock.data()) ^ intermediate.left,
          ReadBigEndian(outputBlock.data() + 4) ^ intermediate.right};
}

std::array<std::uint8_t, RandomSource::kBlockSize> RandomSource::CurrentChainValue() const {
  Halves value = chainValue;
  if (chainPending) {
    value = PendingChainInput();
    cipher.Encrypt(value.left, value.right);
  }
  std::array<std::uint8_t, kBlockSize> bytes;
  WriteBigEndian(value.left, bytes.data());
  WriteBigEndian(value.right, bytes.data() + 4);
  return bytes;
}

void RandomSource::ReadBytes(std::uint8_t* destination, std::size_t count) {
  if (script) {
    for (std::size_t i = 0; i < count; ++i) {
      destination[i] = script->Next();
    }
    return;
  }
  while (count > 0) {
    if (cursor == kBlockSize) {
      RefillBlock();
    }
    const std::size_t take = std::min<std::size_t>(kBlockSize - cursor, count);
    std::copy_n(outputBlock.begin() + cursor, take, destination);
    destination += take;
    count -= take;
    cursor += static_cast<std::uint32_t>(take);
  }
}

RandomSource& ProcessRandomSource() {
  static RandomSource source;
  return source;
}

}  // namespace quillmoor
