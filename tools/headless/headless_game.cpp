// SPDX-License-Identifier: MIT
// The game with no window: the tick's requests are answered from a plan, and every tick is checked.
#include "tools/headless/headless_game.h"

#include "game/game_tick.h"
#include "game/key_codes.h"

namespace quillmoor {

HeadlessGame::HeadlessGame(RandomSource& random) : world_(std::make_unique<GameWorld>(random)) {}

HeadlessGame::~HeadlessGame() = default;

InvariantBreak HeadlessGame::Start(std::int32_t hitPoints) {
  NewGame(state_, *world_, *this);
  state_.m_hp = hitPoints;
  periods_.clear();
  return checker_.StartStage(state_, *world_);
}

InvariantBreak HeadlessGame::Tick(const TickInput& input) {
  Play(input);
  return Check();
}

void HeadlessGame::Play(const TickInput& input) {
  input_ = input;
  for (int i = 0; i < input.keyCount; ++i) {
    OnKeyDown(state_, input.keys[static_cast<std::size_t>(i)]);
  }
  checker_.BeforeTick(state_, *world_, input.modifiers);
  periods_.clear();
  PlayTick(state_, *world_, *this);
  ++counts_.ticks;
}

InvariantBreak HeadlessGame::Check() {
  return checker_.AfterTick(state_, *world_, periods_);
}

InvariantBreak HeadlessGame::CheckWholeMaze() const {
  return checker_.CheckWholeMaze(state_, *world_);
}

void HeadlessGame::SetTickPeriod(int milliseconds) {
  periods_.push_back(milliseconds);
}

ModifierState HeadlessGame::QueryModifiers() {
  return input_.modifiers;
}

int HeadlessGame::RunNextStageDialog(const NextStageReport& report) {
  checker_.AtStageEnd(state_, *world_, report, input_.dialogAnswer);
  switch (report.outcome) {
    case StageOutcome::Won:
      ++counts_.wins;
      break;
    case StageOutcome::OutOfHp:
      ++counts_.outOfHp;
      break;
    case StageOutcome::GaveUp:
      ++counts_.gaveUp;
      break;
  }
  return input_.dialogAnswer;
}

}  // namespace quillmoor
