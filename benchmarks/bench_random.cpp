// SPDX-License-Identifier: MIT
// Throughput of the random source: single bytes, bulk reads and one reseed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

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

}  // namespace
}  // namespace quillmoor

BENCHMARK_MAIN();
