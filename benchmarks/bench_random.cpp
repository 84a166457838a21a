// SPDX-License-Identifier: MIT
// Throughput of the random source: single bytes, bulk reads and one reseed; and the latency of
// the cipher under it, one chained encryption or two independent ones at a time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "random/blowfish.h"
#include "random/random_source.h"

namespace quillmoor {
namespace {

void BM_NextByte(benchmark::State& state) {
  RandomSource& source = ProcessRandomSource();
  source.Reseed();
  for (auto _ : state) {
    benchmark::DoNotOptimize(source.NextByte());
  }
  state.SetBytesProcessed(state.iterations());
}
BENCHMARK(BM_NextByte);

void BM_ReadBytes(benchmark::State& state) {
  RandomSource& source = ProcessRandomSource();
  source.Reseed();
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    source.ReadBytes(buffer.data(), buffer.size());
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadBytes)->Arg(64)->Arg(4096)->Arg(65536);

void BM_Reseed(benchmark::State& state) {
  RandomSource& source = ProcessRandomSource();
  for (auto _ : state) {
    source.Reseed();
  }
}
BENCHMARK(BM_Reseed);

// Any key will do; the random source keys with 20 bytes.
constexpr std::uint8_t kBenchKey[20] = {0x9f, 0x0a, 0x80, 0xa9, 0x2b, 0x08, 0x58, 0xdf, 0x8b, 0x69,
                                        0x50, 0xc4, 0xdd, 0x76, 0x39, 0x15, 0xee, 0x39, 0x09, 0x58};

// Each encryption takes the previous one's output, so the figure is the latency of one.
void BM_BlowfishEncrypt(benchmark::State& state) {
  Blowfish cipher;
  cipher.SetKey(kBenchKey, sizeof kBenchKey);
  std::uint32_t left = 1;
  std::uint32_t right = 2;
  for (auto _ : state) {
    cipher.Encrypt(left, right);
    benchmark::DoNotOptimize(left);
    benchmark::DoNotOptimize(right);
  }
}
BENCHMARK(BM_BlowfishEncrypt);

// Two chained streams side by side: the time of both, to compare with one encryption above.
void BM_BlowfishEncryptTwo(benchmark::State& state) {
  Blowfish cipher;
  cipher.SetKey(kBenchKey, sizeof kBenchKey);
  std::uint32_t left1 = 1;
  std::uint32_t right1 = 2;
  std::uint32_t left2 = 3;
  std::uint32_t right2 = 4;
  for (auto _ : state) {
    cipher.EncryptTwo(left1, right1, left2, right2);
    benchmark::DoNotOptimize(left1);
    benchmark::DoNotOptimize(right2);
  }
}
BENCHMARK(BM_BlowfishEncryptTwo);

}  // namespace
}  // namespace quillmoor

BENCHMARK_MAIN();
