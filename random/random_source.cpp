// SPDX-License-Identifier: MIT
// The X9.17 generator: Blowfish over a date-time block and a chaining value.
#include "random/random_source.h"

#include <algorithm>

#include "random/sha1.h"

namespace quillmoor {

namespace {

constexpr std::uint32_t kBlockSize = 8;

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

std::array<std::uint8_t, 8> Xor(const std::array<std::uint8_t, 8>& a,
                                const std::array<std::uint8_t, 8>& b) {
  std::array<std::uint8_t, 8> result;
  for (std::size_t i = 0; i < result.size(); ++i) {
    result[i] = a[i] ^ b[i];
  }
  return result;
}

}  // namespace

RandomSource::RandomSource() : inputs(&LinuxSystemInputs()) {}

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
  std::copy_n(digest.begin(), chainValue.size(), chainValue.begin());
  cursor = kBlockSize;
}

void RandomSource::RefillBlock() {
  auto time = static_cast<std::uint64_t>(inputs->WallClockSeconds());
  if (const auto counter = inputs->PerformanceCounter()) {
    time ^= RotateWithSignFill(*counter);
  }
  std::array<std::uint8_t, 8> dateTime;
  for (std::size_t i = 0; i < dateTime.size(); ++i) {
    dateTime[i] = static_cast<std::uint8_t>(time >> (8 * i));
  }

  std::array<std::uint8_t, 8> intermediate;
  cipher.EncryptBlock(dateTime.data(), intermediate.data());
  const auto mixed = Xor(intermediate, chainValue);
  cipher.EncryptBlock(mixed.data(), outputBlock.data());
  const auto next = Xor(outputBlock, intermediate);
  cipher.EncryptBlock(next.data(), chainValue.data());
  cursor = 0;
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

std::uint8_t RandomSource::NextByte() {
  std::uint8_t value;
  ReadBytes(&value, 1);
  return value;
}

std::uint16_t RandomSource::NextWord() {
  std::uint8_t bytes[2];
  ReadBytes(bytes, sizeof bytes);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

RandomSource& ProcessRandomSource() {
  static RandomSource source;
  return source;
}

}  // namespace quillmoor
