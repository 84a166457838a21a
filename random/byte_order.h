// SPDX-License-Identifier: MIT
// Big-endian words in byte blocks, the byte order of Blowfish's halves.
#pragma once

#include <cstdint>

namespace quillmoor {

// The four bytes at bytes[0..3], most significant first.
inline std::uint32_t ReadBigEndian(const std::uint8_t* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

// Stores value at bytes[0..3], most significant first.
inline void WriteBigEndian(std::uint32_t value, std::uint8_t* bytes) {
  bytes[0] = static_cast<std::uint8_t>(value >> 24);
  bytes[1] = static_cast<std::uint8_t>(value >> 16);
  bytes[2] = static_cast<std::uint8_t>(value >> 8);
  bytes[3] = static_cast<std::uint8_t>(value);
}

// The word whose big-endian bytes are value's little-endian bytes: the byte order reversed.
inline std::uint32_t SwapBytes(std::uint32_t value) {
  return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) |
         (value << 24);
}

}  // namespace quillmoor
