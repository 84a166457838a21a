// SPDX-License-Identifier: MIT
// Speed of one play tick's rules (30 aliens, the player, six carves) with no window behind it.
#include <benchmark/benchmark.h>

#include <limits>
#include <memory>

#include "benchmarks/null_host.h"
#include "game/game_tick.h"
#include "random/random_source.h"

namespace quillmoor {
namespace {

// Enough hit points that contacts never end a stage inside the timed loop.
constexpr std::int32_t EndlessHp = std::numeric_limits<std::int32_t>::max();

class TickBench {
 public:
  TickBench() : world_(std::make_unique<GameWorld>(random_)) { Restart(); }

  void Restart() {
    NewGame(state_, *world_, host_);
    state_.m_hp = EndlessHp;
  }

  void Tick() {
    // The player walks at random so that its rule is timed too; a new stage stops it.
    state_.m_moveMode = MoveWander;
    tick_.Begin(state_, *world_, host_);
  }

  MazeGenerator& generator() { return world_->generator; }

 private:
  RandomSource random_;
  std::unique_ptr<GameWorld> world_;
  GameState state_;
  PlayTickRun tick_;
  NullHost host_;
};

// Averaged over whole stages of growth: a completed maze is replaced untimed.
void BM_PlayTickGrowingMaze(benchmark::State& state) {
  TickBench bench;
  for (auto _ : state) {
    if (bench.generator().mazeComplete()) {
      state.PauseTiming();
      bench.Restart();
      state.ResumeTiming();
    }
    bench.Tick();
  }
}
BENCHMARK(BM_PlayTickGrowingMaze)->Unit(benchmark::kNanosecond);

// The six carves do nothing here; a stage won by chance is completed again untimed.
void BM_PlayTickCompleteMaze(benchmark::State& state) {
  TickBench bench;
  bench.generator().CarveAll();
  for (auto _ : state) {
    if (!bench.generator().mazeComplete()) {
      state.PauseTiming();
      bench.generator().CarveAll();
      state.ResumeTiming();
    }
    bench.Tick();
  }
}
BENCHMARK(BM_PlayTickCompleteMaze)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace quillmoor

BENCHMARK_MAIN();
