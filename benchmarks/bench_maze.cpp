// SPDX-License-Identifier: MIT
// Speed of maze generation: whole mazes from reset to completion, and single carve steps.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "game/game_world.h"
#include "random/random_source.h"

namespace quillmoor {
namespace {

constexpr double MazeTargetSeconds = 1e-3;

// One iteration: reset (with the reseed) and carve until complete. Prints the CPU time per maze
// as a multiple of the 1 ms a maze may take; CPU time, as other processes share the machine.
void BM_FullMaze(benchmark::State& state) {
  RandomSource random;
  auto world = std::make_unique<GameWorld>(random);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    ResetMaze(world->grid, world->generator, random);
    world->generator.CarveAll();
    benchmark::DoNotOptimize(world->grid.data());
  }
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  state.counters["per_maze_vs_target"] =
      seconds / static_cast<double>(state.iterations()) / MazeTargetSeconds;
}
BENCHMARK(BM_FullMaze)->Unit(benchmark::kMillisecond);

// The reset alone, so that its share of a full maze can be told apart.
void BM_ResetMaze(benchmark::State& state) {
  RandomSource random;
  auto world = std::make_unique<GameWorld>(random);
  for (auto _ : state) {
    ResetMaze(world->grid, world->generator, random);
    benchmark::DoNotOptimize(world->grid.data());
  }
}
BENCHMARK(BM_ResetMaze)->Unit(benchmark::kMicrosecond);

// One iteration: one CarveStep, averaged over whole mazes; the resets are not timed.
void BM_CarveStep(benchmark::State& state) {
  RandomSource random;
  auto world = std::make_unique<GameWorld>(random);
  ResetMaze(world->grid, world->generator, random);
  for (auto _ : state) {
    if (world->generator.mazeComplete()) {
      state.PauseTiming();
      ResetMaze(world->grid, world->generator, random);
      state.ResumeTiming();
    }
    world->generator.CarveStep();
  }
}
BENCHMARK(BM_CarveStep)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace quillmoor

BENCHMARK_MAIN();
