// SPDX-License-Identifier: MIT
// Chooses what each tick of a soak is fed: random keys, modifiers, dialog answers and holds, in a
// mood drawn afresh for every stage, one of which finishes the maze and walks to the goal.
#include "tools/soak/soak_player.h"

#include <array>
#include <limits>

#include "game/key_codes.h"
#include "tools/headless/accepted_keys.h"

namespace quillmoor {

namespace {

// Results a dialog may end with besides OK and Cancel: none, an error, Abort, Ignore.
constexpr std::array<int, 4> OtherDialogResults = {0, -1, 3, 5};
constexpr std::uint32_t LargestRejectedKey = 0x1FF;
constexpr double HugeRejectedKeyChance = 0.1;

// Of every hundred stages, how many are played in each mood; the rest are rushed.
constexpr int BusyStagesPercent = 45;
constexpr int CalmStagesPercent = 25;

constexpr double BusyKeyChance = 0.25;
constexpr double CalmKeyChance = 0.01;
constexpr double SecondKeyChance = 0.05;
constexpr double RejectedKeyChance = 0.03;
constexpr double ModifierChance = 0.3;
constexpr double SeamDetourChance = 0.6;
constexpr unsigned SeamDetourColumns = 4;  // rooms this many columns either side of the seam
constexpr double RushSpaceChance = 0.08;
constexpr double RushStrayKeyChance = 0.03;
constexpr double OkChance = 0.6;
constexpr double CancelChance = 0.25;
// Now and then the game is paused or the keys dialog shown around a tick, or the tick's dialogs
// are answered only after some expiries, as a browser's page answers them.
constexpr double HoldChance = 0.002;
constexpr double PauseShareOfHolds = 0.5;  // the rest show the keys dialog
constexpr double AnswerLaterChance = 0.3;
constexpr int MostHeldTicks = 5;

}  // namespace

bool SoakPlayer::Chance(double probability) {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < probability;
}

std::uint32_t SoakPlayer::AnyAcceptedKey() {
  return AcceptedKeyCodes[std::uniform_int_distribution<std::size_t>(
      0, AcceptedKeyCodes.size() - 1)(rng_)];
}

std::uint32_t SoakPlayer::RejectedKey() {
  std::uniform_int_distribution<std::uint32_t> code(0, LargestRejectedKey);
  for (;;) {
    const std::uint32_t key =
        Chance(HugeRejectedKeyChance) ? std::numeric_limits<std::uint32_t>::max() : code(rng_);
    // Pauses come only as holds, which end: a stray P could leave the rest of the soak paused.
    if (!IsAcceptedKey(key) && key != KeyP && key != KeyPause) {
      return key;
    }
  }
}

int SoakPlayer::DrawDialogAnswer() {
  const double draw = std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
  if (draw < OkChance) {
    return DialogResultOk;
  }
  if (draw < OkChance + CancelChance) {
    return DialogResultCancel;
  }
  return OtherDialogResults[std::uniform_int_distribution<std::size_t>(
      0, OtherDialogResults.size() - 1)(rng_)];
}

void SoakPlayer::DrawHold(TickInput& input) {
  if (Chance(HoldChance)) {
    input.hold = Chance(PauseShareOfHolds) ? Hold::Pause : Hold::KeysDialog;
  } else if (Chance(AnswerLaterChance)) {
    input.hold = Hold::AnswerLater;
  }
  input.heldTicks = std::uniform_int_distribution<int>(0, MostHeldTicks)(rng_);
}

void SoakPlayer::PressRandomKeys(TickInput& input, double keyChance, bool escAllowed) {
  if (Chance(keyChance)) {
    std::uint32_t key = AnyAcceptedKey();
    while (key == KeyEscape && !escAllowed) {
      key = AnyAcceptedKey();
    }
    input.Press(key);
    if (Chance(SecondKeyChance)) {
      input.Press(AnyAcceptedKey());
    }
  }
  if (Chance(RejectedKeyChance)) {
    input.Press(RejectedKey());
  }
}

// Most detours visit a room just left of the seam and then one just right of it, whose row is
// the mirror image: rooms close across the seam, so the way between them mostly crosses it.
void SoakPlayer::PlanRoute() {
  route_.clear();
  if (Chance(SeamDetourChance)) {
    std::uniform_int_distribution<unsigned> evenRow(0, 127);
    std::uniform_int_distribution<unsigned> nearSeam(0, SeamDetourColumns - 1);
    const unsigned row = 2 * evenRow(rng_);
    route_.push_back(MakeCell(row, 254 - 2 * nearSeam(rng_)));
    route_.push_back(MakeCell(MirrorRow(row), 2 * nearSeam(rng_)));
  }
  route_.push_back(GoalCell);
}

void SoakPlayer::SteerToGoal(TickInput& input, const GameState& state, const GameWorld& world) {
  if (!world.generator.mazeComplete()) {
    input.Press(KeyS);
    return;
  }
  if (route_.empty()) {
    PlanRoute();
    path_.Build(world.grid, route_.front());
  }
  if (state.m_playerCell == route_.front() && route_.size() > 1) {
    route_.erase(route_.begin());
    path_.Build(world.grid, route_.front());
  }
  // Space now and then straightens the arrows mid-way; a stray key knocks the walk off course.
  if (Chance(RushSpaceChance)) {
    input.Press(KeySpace);
    return;
  }
  if (Chance(RushStrayKeyChance)) {
    input.Press(AnyAcceptedKey());
    return;
  }
  const CellId next = path_.NextStep(state.m_playerCell);
  if (next != NoCell) {
    input.Press(ArrowKeyToward(state.m_playerCell, next, state.m_seamFlipped));
  }
}

TickInput SoakPlayer::Next(const GameState& state, const GameWorld& world) {
  // A new stage: nothing has elapsed in it yet.
  if (state.m_elapsedCycles == 0) {
    const int draw = std::uniform_int_distribution<int>(0, 99)(rng_);
    mood_ = draw < BusyStagesPercent                       ? Mood::Busy
            : draw < BusyStagesPercent + CalmStagesPercent ? Mood::Calm
                                                           : Mood::Rush;
    route_.clear();
  }
  TickInput input;
  input.modifiers.shift = Chance(ModifierChance);
  input.modifiers.ctrl = Chance(ModifierChance);
  input.dialogAnswer = DrawDialogAnswer();
  DrawHold(input);
  switch (mood_) {
    case Mood::Busy:
      PressRandomKeys(input, BusyKeyChance, true);
      break;
    case Mood::Calm:
      PressRandomKeys(input, CalmKeyChance, world.generator.mazeComplete());
      break;
    case Mood::Rush:
      SteerToGoal(input, state, world);
      break;
  }
  return input;
}

}  // namespace quillmoor
