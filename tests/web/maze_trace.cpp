// SPDX-License-Identifier: MIT
// A game played on scripted random bytes through the session, printed cell for cell. The browser
// test runs this program as WebAssembly in a page and compares its lines with the build machine's
// run, so that any way the core behaves differently there shows as a differing cell.
//   maze_trace noise|runs <play ticks> [finish]
// The player explores depth-first from the first play tick; "finish" then presses S and plays a
// few ticks more on the whole maze.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/game_session.h"
#include "game/key_codes.h"
#include "random/random_source.h"
#include "tests/support/random_source_test_access.h"

namespace quillmoor {
namespace {

constexpr int TicksAfterFinish = 10;

// Every dialog answered OK at once; nothing else a window does reaches the rules.
class TraceHost final : public SessionHost {
 public:
  void StartTimer(int) override {}
  void StopTimer() override {}
  ModifierState QueryModifiers() override { return {}; }
  void RepaintTitle() override {}
  void RemoveTitle() override {}
  void RepaintNow() override {}
  DialogAnswer RunNextStageDialog(const NextStageReport&) override {
    ++stagesEnded;
    return DialogResultOk;
  }
  DialogAnswer RunAuthorCareerDialog() override { return DialogResultOk; }
  DialogAnswer RunVersionDialog() override { return DialogResultOk; }
  DialogAnswer RunKeysDialog() override { return DialogResultOk; }
  void ShowPaused(bool) override {}
  void ToggleFullScreen() override {}
  void Close() override {}

  int stagesEnded = 0;
};

// Bytes with no pattern the rules could follow, from xorshift32 and a fixed seed. The length is
// prime, so the script's cycle keeps shifting against the draws of a tick.
std::vector<std::uint8_t> NoiseBytes() {
  std::vector<std::uint8_t> bytes(4099);
  std::uint32_t x = 0x2545F491u;
  for (std::uint8_t& byte : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    byte = static_cast<std::uint8_t>(x >> 24);
  }
  return bytes;
}

// Long runs of one value, the extremes and the sign boundary among them: every draw of a run
// picks the same index, room and direction.
std::vector<std::uint8_t> RunBytes() {
  const std::pair<std::uint8_t, int> runs[] = {{0x00, 300}, {0xFF, 211}, {0x80, 97}, {0x7F, 450},
                                               {0x01, 53},  {0xFE, 128}, {0x3C, 777}};
  std::vector<std::uint8_t> bytes;
  for (const auto& [value, length] : runs) {
    bytes.insert(bytes.end(), static_cast<std::size_t>(length), value);
  }
  return bytes;
}

void PressKey(GameSession& session, std::uint32_t code) {
  session.OnKeyDown(KeyPress{code});
}

void PlayTicks(GameSession& session, int count) {
  for (int i = 0; i < count; ++i) {
    session.OnTimer();
  }
}

void PrintTrace(const GameSession& session, const MazeGrid& grid, const TraceHost& host,
                std::size_t drawn) {
  const GameState& state = session.state();
  std::printf("drawn %zu\n", drawn);
  std::printf("stages ended %d\n", host.stagesEnded);
  std::printf("elapsed %d hp %d seam %d\n", static_cast<int>(state.m_elapsedCycles),
              static_cast<int>(state.m_hp), state.m_seamFlipped ? 1 : 0);
  std::printf("player %04X from %04X\n", state.m_playerCell, state.m_playerPrevCell);
  std::string aliens = "aliens";
  char cell[8];
  for (const AlienSlot& alien : state.m_aliens) {
    std::snprintf(cell, sizeof cell, " %04X", alien.cell);
    aliens += cell;
  }
  std::printf("%s\n", aliens.c_str());
  int open = 0;
  for (int id = 0; id < CellCount; ++id) {
    open += grid.IsOpen(static_cast<CellId>(id)) ? 1 : 0;
  }
  std::printf("open %d\n", open);
  // One line a row, two hex digits a cell, column 0 first.
  std::printf("grid\n");
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string line(512, '0');
  for (unsigned row = 0; row < 256; ++row) {
    for (unsigned column = 0; column < 256; ++column) {
      const std::uint8_t value = grid[MakeCell(row, column)];
      line[2 * column] = Hex[value >> 4];
      line[2 * column + 1] = Hex[value & 0x0F];
    }
    std::printf("%s\n", line.c_str());
  }
  std::printf("end\n");
}

int Run(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: maze_trace noise|runs <play ticks> [finish]\n");
    return 2;
  }
  const std::string_view script = argv[1];
  const int ticks = std::atoi(argv[2]);
  const bool finish = argc == 4 && std::string_view(argv[3]) == "finish";
  if ((script != "noise" && script != "runs") || ticks < 1 || (argc == 4 && !finish)) {
    std::fprintf(stderr, "maze_trace: unknown script, tick count or mode\n");
    return 2;
  }

  RandomSource source;
  ScopedByteScript bytes(source, script == "noise" ? NoiseBytes() : RunBytes());
  // The world is too large for a WebAssembly stack.
  auto world = std::make_unique<GameWorld>(source);
  TraceHost host;
  GameSession session(*world, host);
  session.Start();
  PressKey(session, KeyW);
  PlayTicks(session, TitleTicks - 1 + ticks);
  if (finish) {
    PressKey(session, KeyS);
    PlayTicks(session, TicksAfterFinish);
  }
  PrintTrace(session, world->grid, host, bytes.drawn());
  return 0;
}

}  // namespace
}  // namespace quillmoor

int main(int argc, char** argv) {
  return quillmoor::Run(argc, argv);
}
