// SPDX-License-Identifier: MIT
// Speed of a full-screen maze frame at each zoom and screen scale, beside a plain fill of the
// same buffer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <random>

#include "game/maze_grid.h"
#include "render/frame_buffer.h"
#include "render/maze_renderer.h"
#include "render/palette.h"

namespace quillmoor {
namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;

struct Scene {
  MazeGrid grid;
  Palette palette{};
  FrameBuffer buffer;

  Scene() {
    BuildPalette(palette);
    std::mt19937 engine(7);
    for (int cell = 0; cell < CellCount; ++cell) {
      grid[static_cast<CellId>(cell)] = static_cast<std::uint8_t>(engine());
    }
    ResizeFrameBuffer(buffer, ScreenWidth, ScreenHeight);
  }
};

// Fill and frame alternate on one buffer, so both see the same caches and clock; the frame's
// time is the benchmark's, and the counters give the ratio to the fill, of the means and of the
// fastest runs.
void BM_RenderBesideFill(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const int zoom = static_cast<int>(state.range(0));
  const int pixelScale = static_cast<int>(state.range(1));
  static Scene scene;
  Pixel* pixels = scene.buffer.pixels.get();
  const auto count = static_cast<std::size_t>(ScreenWidth) * ScreenHeight;
  std::chrono::duration<double> fillTime{};
  std::chrono::duration<double> renderTime{};
  // The fastest of each is the least disturbed by other load on the machine.
  std::chrono::duration<double> fastestFill = std::chrono::hours(1);
  std::chrono::duration<double> fastestRender = std::chrono::hours(1);
  for (auto _ : state) {
    const auto start = Clock::now();
    std::fill_n(pixels, count, PixelRock);
    benchmark::ClobberMemory();
    const auto filled = Clock::now();
    RenderMaze(scene.buffer, scene.grid, scene.palette, zoom, pixelScale);
    benchmark::ClobberMemory();
    const auto rendered = Clock::now();
    fillTime += filled - start;
    renderTime += rendered - filled;
    fastestFill = std::min<std::chrono::duration<double>>(fastestFill, filled - start);
    fastestRender = std::min<std::chrono::duration<double>>(fastestRender, rendered - filled);
    state.SetIterationTime(std::chrono::duration<double>(rendered - filled).count());
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["fill_us"] = fillTime.count() * 1e6 / iterations;
  state.counters["render_us"] = renderTime.count() * 1e6 / iterations;
  state.counters["ratio"] = renderTime / fillTime;
  state.counters["ratio_fastest"] = fastestRender / fastestFill;
}

// Scale 2 is a screen at 150 % or 200 %: squares of 2, 4 and 6 pixels.
BENCHMARK(BM_RenderBesideFill)
    ->ArgNames({"zoom", "scale"})
    ->ArgsProduct({{1, 2, 3}, {1, 2}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillmoor

BENCHMARK_MAIN();
