// SPDX-License-Identifier: MIT
// The game with no window: the session's requests are answered from a plan, and every tick is
// checked, the title phase's and the held ones' too.
#include "tools/headless/headless_game.h"

#include <string>

#include "game/key_codes.h"

namespace quillmoor {

HeadlessGame::HeadlessGame(RandomSource& random)
    : world_(std::make_unique<GameWorld>(random)), session_(*world_, *this) {}

HeadlessGame::~HeadlessGame() = default;

InvariantBreak HeadlessGame::Start(std::int32_t hitPoints) {
  session_.Start();
  state().m_hp = hitPoints;
  periods_.clear();
  if (!timerRunning_) {
    return std::string("the first stage began with no timer running");
  }
  return checker_.StartStage(state(), *world_);
}

InvariantBreak HeadlessGame::Tick(const TickInput& input) {
  Play(input);
  return Check();
}

void HeadlessGame::Play(const TickInput& input) {
  input_ = input;
  requestBreak_.reset();
  for (int i = 0; i < input.keyCount; ++i) {
    Press(input.keys[static_cast<std::size_t>(i)], input.modifiers);
  }
  if (input.hold == Hold::Pause) {
    Press(KeyP, {});
    PassHeldTicks();
    Press(KeyP, {});
  } else if (input.hold == Hold::KeysDialog) {
    Press(KeyF1, {});
  }
  // A keys dialog opened by the hold or by an F1 among the keys.
  while (session_.dialogOpen()) {
    PassHeldTicks();
    session_.OnDialogClosed(laterAnswer_);
  }
  checker_.BeforeTick(state(), *world_, input.modifiers);
  periods_.clear();
  requests_ = TickRequests{};
  tickHeld_ = session_.paused();
  if (tickHeld_) {
    // Paused by a P among the keys: the expiry must change nothing.
    checker_.BeginHold(state(), *world_);
    session_.OnTimer();
    requestBreak_ = checker_.CheckHeld(state(), *world_);
    ++counts_.heldTicks;
    return;
  }
  session_.OnTimer();
  while (session_.dialogOpen()) {
    PassHeldTicks();
    session_.OnDialogClosed(laterAnswer_);
  }
  requests_.periods = periods_;
  ++counts_.ticks;
}

InvariantBreak HeadlessGame::Check() {
  if (requestBreak_) {
    return requestBreak_;
  }
  if (tickHeld_) {
    return std::nullopt;
  }
  return checker_.AfterTick(state(), *world_, requests_);
}

InvariantBreak HeadlessGame::CheckWholeMaze() const {
  return checker_.CheckWholeMaze(state(), *world_);
}

InvariantBreak HeadlessGame::PassTitle() {
  while (session_.inTitlePhase() && state().m_tickCount < TitleTicks - 1) {
    if (InvariantBreak broken = Tick(TickInput{})) {
      return broken;
    }
  }
  return std::nullopt;
}

void HeadlessGame::StartTimer(int milliseconds) {
  if (timerRunning_ && !requestBreak_) {
    requestBreak_ = std::string("the timer was started while it ran");
  }
  periods_.push_back(milliseconds);
  timerRunning_ = true;
}

void HeadlessGame::StopTimer() {
  timerRunning_ = false;
}

ModifierState HeadlessGame::QueryModifiers() {
  return input_.modifiers;
}

DialogAnswer HeadlessGame::RunNextStageDialog(const NextStageReport& report) {
  checker_.AtStageEnd(state(), *world_, report, input_.dialogAnswer);
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
  return Answer(input_.dialogAnswer);
}

DialogAnswer HeadlessGame::RunKeysDialog() {
  return Answer(DialogResultOk);
}

void HeadlessGame::Press(std::uint32_t code, ModifierState modifiers) {
  session_.OnKeyDown(KeyPress{code, modifiers.shift, modifiers.ctrl, false, false});
}

DialogAnswer HeadlessGame::Answer(int result) {
  if (input_.hold == Hold::AnswerLater || input_.hold == Hold::KeysDialog) {
    laterAnswer_ = result;
    return AnswerLater;
  }
  return result;
}

void HeadlessGame::PassHeldTicks() {
  // Nothing holds a game that was not paused, or whose dialog was answered at once.
  if (!session_.paused() && !session_.dialogOpen()) {
    return;
  }
  // A tick's own dialog leaves the timer running, its expiries turned away by the tick.
  const bool timerStops = !session_.dialogOpen() || !session_.inTick();
  checker_.BeginHold(state(), *world_);
  for (int i = 0; i < input_.heldTicks; ++i) {
    session_.OnTimer();
    ++counts_.heldTicks;
    if (requestBreak_) {
      continue;
    }
    requestBreak_ = checker_.CheckHeld(state(), *world_);
    if (!requestBreak_ && timerStops && timerRunning_) {
      requestBreak_ = std::string("a timer runs while the game is held");
    }
  }
}

}  // namespace quillmoor
