// SPDX-License-Identifier: MIT
// Cost of bringing the picture up to date after one play tick on a complete maze (30 aliens and
// the player moving), 1280x720 at zoom 1: warm, and with the caches emptied first as 20 ms of
// other work would leave them.
#include <benchmark/benchmark.h>

#include <limits>
#include <memory>
#include <vector>

#include "benchmarks/null_host.h"
#include "game/game_tick.h"
#include "random/random_source.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/picture_updater.h"

namespace quillmoor {
namespace {

constexpr int ScreenWidth = 1280;
constexpr int ScreenHeight = 720;
constexpr int Zoom = 1;
// More than the last-level cache of a common machine.
constexpr std::size_t EvictionBytes = std::size_t{64} << 20;

class UpdateBench {
 public:
  UpdateBench() : world_(std::make_unique<GameWorld>(random_)) {
    NewGame(state_, *world_, host_);
    state_.m_hp = std::numeric_limits<std::int32_t>::max();
    world_->generator.CarveAll();
    BuildPalette(palette_);
    ResizeFrameBuffer(buffer_, ScreenWidth, ScreenHeight);
    Tick();
  }

  void Tick() {
    if (!world_->generator.mazeComplete()) {
      world_->generator.CarveAll();
    }
    state_.m_moveMode = MoveWander;
    tick_.Begin(state_, *world_, host_);
  }

  void Update() { picture_.Update(buffer_, world_->grid, palette_, Zoom, 1, damage_); }
  std::size_t Squares() const { return damage_.Squares().size(); }

 private:
  RandomSource random_;
  std::unique_ptr<GameWorld> world_;
  GameState state_;
  PlayTickRun tick_;
  NullHost host_;
  Palette palette_{};
  FrameBuffer buffer_;
  PictureUpdater picture_;
  DamageTiles damage_;
};

void RunUpdates(benchmark::State& state, bool evict) {
  UpdateBench bench;
  std::vector<unsigned char> other(evict ? EvictionBytes : 0);
  std::size_t squares = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Tick();
    for (std::size_t at = 0; at < other.size(); at += 64) {
      other[at] = static_cast<unsigned char>(other[at] + 1);
    }
    state.ResumeTiming();
    bench.Update();
    squares += bench.Squares();
  }
  benchmark::DoNotOptimize(other.data());
  state.counters["squares"] =
      benchmark::Counter(static_cast<double>(squares), benchmark::Counter::kAvgIterations);
}

void BM_PictureUpdateWarm(benchmark::State& state) {
  RunUpdates(state, false);
}
BENCHMARK(BM_PictureUpdateWarm)->Unit(benchmark::kMicrosecond);

void BM_PictureUpdateCold(benchmark::State& state) {
  RunUpdates(state, true);
}
BENCHMARK(BM_PictureUpdateCold)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillmoor

BENCHMARK_MAIN();
