// SPDX-License-Identifier: MIT
// Four pixels, or sixteen bytes, handled as one value: a vector register where the compiler has
// GCC's vector extensions (GCC, Clang, Emscripten), a plain array elsewhere (MSVC). Callers are
// written once; both forms give the same results. QUILLMOOR_PLAIN_PIXELS forces the plain form,
// so that it is tested and measured on compilers that have the extensions too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/palette.h"

#if !defined(QUILLMOOR_PLAIN_PIXELS) && defined(__GNUC__) && defined(__has_builtin)
#if __has_builtin(__builtin_shufflevector)
#define QUILLMOOR_VECTOR_PIXELS 1
#endif
#endif

namespace quillmoor {

inline constexpr int QuadSize = 4;

#if defined(QUILLMOOR_VECTOR_PIXELS)

using PixelQuad = Pixel __attribute__((vector_size(QuadSize * sizeof(Pixel))));
using ByteLanes = std::uint64_t __attribute__((vector_size(16)));

inline PixelQuad SplatQuad(Pixel pixel) {
  return PixelQuad{pixel, pixel, pixel, pixel};
}

// Lanes A, B, C and D of quad, in that order.
template <int A, int B, int C, int D>
PixelQuad ShuffleQuad(PixelQuad quad) {
  return __builtin_shufflevector(quad, quad, A, B, C, D);
}

inline bool AnyBitSet(ByteLanes lanes) {
  return (lanes[0] | lanes[1]) != 0;
}

#else

struct PixelQuad {
  Pixel lane[QuadSize];
};

struct ByteLanes {
  std::uint64_t lane[2];

  ByteLanes operator^(const ByteLanes& other) const {
    return {{lane[0] ^ other.lane[0], lane[1] ^ other.lane[1]}};
  }
  ByteLanes& operator|=(const ByteLanes& other) {
    lane[0] |= other.lane[0];
    lane[1] |= other.lane[1];
    return *this;
  }
};

inline PixelQuad SplatQuad(Pixel pixel) {
  return PixelQuad{{pixel, pixel, pixel, pixel}};
}

template <int A, int B, int C, int D>
PixelQuad ShuffleQuad(PixelQuad quad) {
  return PixelQuad{{quad.lane[A], quad.lane[B], quad.lane[C], quad.lane[D]}};
}

inline bool AnyBitSet(ByteLanes lanes) {
  return (lanes.lane[0] | lanes.lane[1]) != 0;
}

#endif

static_assert(sizeof(PixelQuad) == QuadSize * sizeof(Pixel));
static_assert(sizeof(ByteLanes) == 16);

// Loads and stores go through memcpy: the pixels need not be aligned to the vector's size.
inline PixelQuad LoadQuad(const Pixel* source) {
  PixelQuad quad;
  std::memcpy(&quad, source, sizeof quad);
  return quad;
}

inline void StoreQuad(Pixel* dest, PixelQuad quad) {
  std::memcpy(dest, &quad, sizeof quad);
}

inline ByteLanes LoadLanes(const std::uint8_t* source) {
  ByteLanes lanes;
  std::memcpy(&lanes, source, sizeof lanes);
  return lanes;
}

}  // namespace quillmoor
