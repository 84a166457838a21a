// SPDX-License-Identifier: MIT
// The soak: plays stage after stage headless on the real random source, checks every tick, and
// stops at the first broken invariant with the tick, the seed and the state.
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "random/random_source.h"
#include "tests/support/random_source_test_access.h"
#include "tools/headless/headless_game.h"
#include "tools/headless/seeded_inputs.h"
#include "tools/invariants/state_report.h"
#include "tools/soak/soak_player.h"

namespace quillmoor {
namespace {

constexpr std::int64_t DefaultTicks = 10'000'000;
constexpr std::int64_t DefaultWholeMazeInterval = 1000;
constexpr std::int64_t ProgressInterval = 1'000'000;

struct SoakOptions {
  std::int64_t ticks = DefaultTicks;
  std::uint64_t seed = 0;
  bool seedGiven = false;
  std::int64_t wholeMazeInterval = DefaultWholeMazeInterval;
};

template <typename Number>
bool ParseNumber(const char* text, Number& value) {
  const char* end = text + std::strlen(text);
  const auto [rest, error] = std::from_chars(text, end, value);
  return error == std::errc() && rest == end;
}

bool ParseOptions(int argc, char** argv, SoakOptions& options) {
  // Every option is a name followed by its value.
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : "";
    bool parsed = false;
    if (name == "--ticks") {
      parsed = ParseNumber(value, options.ticks) && options.ticks >= 0;
    } else if (name == "--seed") {
      parsed = ParseNumber(value, options.seed);
      options.seedGiven = true;
    } else if (name == "--check-every") {
      parsed = ParseNumber(value, options.wholeMazeInterval) && options.wholeMazeInterval > 0;
    }
    if (!parsed) {
      return false;
    }
  }
  return true;
}

void PrintCounts(const HeadlessGame& game, double seconds) {
  const RunCounts& counts = game.counts();
  const CheckedEvents& events = game.events();
  std::printf(
      "ticks %lld, stages %lld, wins %lld, out of hit points %lld, given up %lld, contacts %lld, "
      "completions %lld, seam crossings %lld, swapped arrows %lld, %.0f ticks/s\n",
      static_cast<long long>(counts.ticks), static_cast<long long>(events.stages),
      static_cast<long long>(counts.wins), static_cast<long long>(counts.outOfHp),
      static_cast<long long>(counts.gaveUp), static_cast<long long>(events.contacts),
      static_cast<long long>(events.completions), static_cast<long long>(events.seamCrossings),
      static_cast<long long>(events.flippedArrows),
      seconds > 0 ? static_cast<double>(counts.ticks) / seconds : 0.0);
  std::fflush(stdout);
}

int ReportBreak(const HeadlessGame& game, const SoakOptions& options, const std::string& what) {
  std::printf("INVARIANT BROKEN at tick %lld of stage %lld (seed %llu): %s\nstate: %s\n",
              static_cast<long long>(game.counts().ticks),
              static_cast<long long>(game.events().stages),
              static_cast<unsigned long long>(options.seed), what.c_str(),
              DescribeState(game.state()).c_str());
  return 1;
}

int Soak(const SoakOptions& options) {
  RandomSource random;
  const SeededSystemInputs inputs(options.seed);
  RandomSourceTestAccess::UseInputs(random, &inputs);
  HeadlessGame game(random);
  SoakPlayer player(options.seed);
  std::printf("soak: %lld ticks, seed %llu\n", static_cast<long long>(options.ticks),
              static_cast<unsigned long long>(options.seed));

  const auto started = std::chrono::steady_clock::now();
  const auto seconds = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  };
  if (InvariantBreak broken = game.Start()) {
    return ReportBreak(game, options, *broken);
  }
  for (std::int64_t tick = 1; tick <= options.ticks; ++tick) {
    if (InvariantBreak broken = game.Tick(player.Next(game.state(), game.world()))) {
      return ReportBreak(game, options, *broken);
    }
    if (tick % options.wholeMazeInterval == 0 || tick == options.ticks) {
      if (InvariantBreak broken = game.CheckWholeMaze()) {
        return ReportBreak(game, options, *broken);
      }
    }
    if (tick % ProgressInterval == 0 && tick != options.ticks) {
      PrintCounts(game, seconds());
    }
  }
  PrintCounts(game, seconds());
  return 0;
}

}  // namespace
}  // namespace quillmoor

int main(int argc, char** argv) {
  quillmoor::SoakOptions options;
  if (!quillmoor::ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s [--ticks N] [--seed S] [--check-every N]\n", argv[0]);
    return 2;
  }
  if (!options.seedGiven) {
    std::random_device device;
    options.seed = (std::uint64_t{device()} << 32) | device();
  }
  return quillmoor::Soak(options);
}
