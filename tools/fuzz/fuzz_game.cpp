// SPDX-License-Identifier: MIT
// The fuzz target: the input bytes become the random bytes, keys, modifiers and dialog answers of
// a short game, every tick of which is checked; a broken invariant aborts with the state.
//
// Input: one byte n, then n random bytes (repeated as the game draws them), one byte for the hit
// points the game starts with, then two bytes per tick: what to press or what holds the game,
// and the modifiers, the dialog answer and how many quiet (or held) ticks follow. The title
// phase passes first, with no key.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "game/key_codes.h"
#include "random/random_source.h"
#include "tests/support/random_source_test_access.h"
#include "tools/headless/accepted_keys.h"
#include "tools/headless/headless_game.h"
#include "tools/headless/shortest_path.h"
#include "tools/invariants/state_report.h"

namespace quillmoor {
namespace {

// Codes the view never stores: none, Tab, Enter, Shift, Ctrl, B, keypad 0 and 1, F1, and one far
// out of range.
constexpr std::array<std::uint32_t, 10> RejectedKeys = {0,  9,  13, 16,  17,
                                                        66, 96, 97, 112, 0xFFFFFFFF};
constexpr std::array<int, 4> DialogAnswers = {DialogResultOk, DialogResultCancel, 0, -1};

// Holds, each with the key it comes with: a pause, the keys dialog, and the dialogs of V, A and Esc
// answered only after the held ticks.
struct HeldPress {
  Hold hold;
  std::uint32_t key;
};
constexpr std::array<HeldPress, 5> HeldPresses = {{
    {Hold::Pause, 0},
    {Hold::KeysDialog, 0},
    {Hold::AnswerLater, KeyV},
    {Hold::AnswerLater, KeyA},
    {Hold::AnswerLater, KeyEscape},
}};

// The key byte: below the first bound an accepted key, then a rejected one, then a step toward
// the goal, then a hold; anything above presses nothing.
constexpr unsigned RejectedKeysFrom = AcceptedKeyCodes.size();
constexpr unsigned SteerFrom = RejectedKeysFrom + RejectedKeys.size();
constexpr unsigned SteerCodes = 16;
constexpr unsigned SteerTo = SteerFrom + SteerCodes;
constexpr unsigned HoldTo = SteerTo + HeldPresses.size();

// The flag byte: bit 0 Shift, bit 1 Ctrl, bits 2-3 the dialog answer, bit 4 a second accepted
// key in the same tick, bits 5-7 two quiet ticks each (with a hold, also as many held ticks).
constexpr unsigned ShiftBit = 0x01;
constexpr unsigned CtrlBit = 0x02;
constexpr unsigned AnswerShift = 2;
constexpr unsigned AnswerMask = 0x03;
constexpr unsigned SecondKeyBit = 0x10;
constexpr unsigned QuietShift = 5;
constexpr int QuietTicksPerStep = 2;

constexpr std::int64_t MaxTicks = 500;

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool empty() const { return next_ >= bytes_.size(); }
  std::uint8_t Next() { return empty() ? 0 : bytes_[next_++]; }
  std::vector<std::uint8_t> Take(std::size_t count) {
    std::vector<std::uint8_t> taken;
    while (taken.size() < count && !empty()) {
      taken.push_back(Next());
    }
    return taken;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t next_ = 0;
};

// Steps toward the goal once the maze is complete; until then finishes it with S.
class Steering {
 public:
  std::uint32_t Key(const HeadlessGame& game) {
    if (!game.world().generator.mazeComplete()) {
      return KeyS;
    }
    if (builtForStage_ != game.events().stages) {
      path_.Build(game.world().grid, GoalCell);
      builtForStage_ = game.events().stages;
    }
    const GameState& state = game.state();
    const CellId next = path_.NextStep(state.m_playerCell);
    return next == NoCell ? 0 : ArrowKeyToward(state.m_playerCell, next, state.m_seamFlipped);
  }

 private:
  ShortestPath path_;
  std::int64_t builtForStage_ = -1;
};

[[noreturn]] void Abort(const HeadlessGame& game, const std::string& what) {
  std::fprintf(stderr, "INVARIANT BROKEN at tick %lld of stage %lld: %s\nstate: %s\n",
               static_cast<long long>(game.counts().ticks),
               static_cast<long long>(game.events().stages), what.c_str(),
               DescribeState(game.state()).c_str());
  std::abort();
}

void PlayInput(std::span<const std::uint8_t> data) {
  ByteReader reader(data);
  RandomSource random;
  RandomSourceTestAccess::ScriptBytes(random, reader.Take(reader.Next()));
  HeadlessGame game(random);
  Steering steering;
  // Few hit points let a short game run out of them.
  const std::int32_t hitPoints = 1 + reader.Next() % InitialHp;
  if (InvariantBreak broken = game.Start(hitPoints)) {
    Abort(game, *broken);
  }
  if (InvariantBreak broken = game.PassTitle()) {
    Abort(game, *broken);
  }
  // The whole-maze checks run at every completion inside the tick checks, and once at the end.
  const auto tick = [&](const TickInput& input) {
    if (InvariantBreak broken = game.Tick(input)) {
      Abort(game, *broken);
    }
  };
  while (!reader.empty() && game.counts().ticks < MaxTicks) {
    const unsigned keyByte = reader.Next();
    const unsigned flagByte = reader.Next();
    TickInput input;
    input.modifiers = {(flagByte & ShiftBit) != 0, (flagByte & CtrlBit) != 0};
    input.dialogAnswer = DialogAnswers[(flagByte >> AnswerShift) & AnswerMask];
    if (keyByte < RejectedKeysFrom) {
      input.Press(AcceptedKeyCodes[keyByte]);
    } else if (keyByte < SteerFrom) {
      input.Press(RejectedKeys[keyByte - RejectedKeysFrom]);
    } else if (keyByte < SteerTo) {
      input.Press(steering.Key(game));
    } else if (keyByte < HoldTo) {
      const HeldPress held = HeldPresses[keyByte - SteerTo];
      input.hold = held.hold;
      input.heldTicks = static_cast<int>(flagByte >> QuietShift);
      if (held.key != 0) {
        input.Press(held.key);
      }
    }
    if ((flagByte & SecondKeyBit) != 0) {
      input.Press(AcceptedKeyCodes[(keyByte + flagByte) % AcceptedKeyCodes.size()]);
    }
    tick(input);
    TickInput quiet;
    quiet.modifiers = input.modifiers;
    quiet.dialogAnswer = input.dialogAnswer;
    const int quietTicks = static_cast<int>(flagByte >> QuietShift) * QuietTicksPerStep;
    for (int i = 0; i < quietTicks && game.counts().ticks < MaxTicks; ++i) {
      tick(quiet);
    }
  }
  if (InvariantBreak broken = game.CheckWholeMaze()) {
    Abort(game, *broken);
  }
}

}  // namespace
}  // namespace quillmoor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillmoor::PlayInput({data, size});
  return 0;
}
