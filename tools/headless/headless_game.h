// SPDX-License-Identifier: MIT
// The game with no window: the session's requests are answered from a plan, and every tick is
// checked, the title phase's and the held ones' too.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/game_session.h"
#include "game/game_state.h"
#include "game/game_world.h"
#include "game/session_host.h"
#include "tools/invariants/invariant_checker.h"

namespace quillmoor {

class RandomSource;

// What holds the game around a tick: timer expiries arrive meanwhile and must change nothing.
enum class Hold {
  None,
  Pause,        // P before the tick, again after the held expiries
  KeysDialog,   // F1 before the tick, its dialog answered after the held expiries
  AnswerLater,  // the dialogs the tick opens are answered after the held expiries
};

// What one tick is fed: the raw key codes pressed before it (accepted or not, the last accepted
// one wins), the modifiers held with them and when the tick asks, the next-stage dialog's answer
// if one opens, and a hold.
struct TickInput {
  static constexpr int MaxKeys = 2;
  std::array<std::uint32_t, MaxKeys> keys{};
  int keyCount = 0;
  ModifierState modifiers;
  int dialogAnswer = DialogResultOk;
  Hold hold = Hold::None;
  int heldTicks = 0;

  void Press(std::uint32_t key) {
    if (keyCount < MaxKeys) {
      keys[static_cast<std::size_t>(keyCount++)] = key;
    }
  }
};

struct RunCounts {
  std::int64_t ticks = 0;
  std::int64_t wins = 0;
  std::int64_t outOfHp = 0;
  std::int64_t gaveUp = 0;
  std::int64_t heldTicks = 0;
};

class HeadlessGame final : public SessionHost {
 public:
  // The world draws from random, which the caller may script or seed beforehand.
  explicit HeadlessGame(RandomSource& random);
  ~HeadlessGame() override;
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // The first stage, as the view starts it; hit points carry over between stages, so a game may
  // also begin as one that has lost some already.
  InvariantBreak Start(std::int32_t hitPoints = InitialHp);
  // Play then Check.
  InvariantBreak Tick(const TickInput& input);
  // Presses the keys and plays one tick with its hold; the checks of the stage end and of the
  // held expiries run inside it.
  void Play(const TickInput& input);
  // The checks after a played tick.
  InvariantBreak Check();
  InvariantBreak CheckWholeMaze() const;
  // Plays the ticks of the title phase, checked, with no key pressed.
  InvariantBreak PassTitle();

  GameState& state() { return session_.state(); }
  const GameState& state() const { return session_.state(); }
  GameWorld& world() { return *world_; }
  const GameWorld& world() const { return *world_; }
  const GameSession& session() const { return session_; }
  const RunCounts& counts() const { return counts_; }
  const CheckedEvents& events() const { return checker_.events(); }

  // SessionHost
  void StartTimer(int milliseconds) override;
  void StopTimer() override;
  ModifierState QueryModifiers() override;
  void RepaintTitle() override { ++requests_.titleRepaints; }
  void RemoveTitle() override { ++requests_.titleRemovals; }
  void RepaintNow() override {}
  DialogAnswer RunNextStageDialog(const NextStageReport& report) override;
  DialogAnswer RunAuthorCareerDialog() override { return Answer(DialogResultOk); }
  DialogAnswer RunVersionDialog() override { return Answer(DialogResultOk); }
  DialogAnswer RunKeysDialog() override;
  void ShowPaused(bool) override {}
  void ToggleFullScreen() override {}
  void Close() override {}

 private:
  void Press(std::uint32_t code, ModifierState modifiers);
  // The answer now, or kept for after the held expiries.
  DialogAnswer Answer(int result);
  // Timer expiries while the game is held, each checked to change nothing; while paused or in
  // the keys dialog no timer may run at all.
  void PassHeldTicks();

  std::unique_ptr<GameWorld> world_;
  GameSession session_;
  InvariantChecker checker_;
  TickInput input_;
  TickRequests requests_;     // made during the current tick
  std::vector<int> periods_;  // backs requests_.periods
  bool timerRunning_ = false;
  int laterAnswer_ = DialogResultOk;
  bool tickHeld_ = false;        // the current tick found the game paused
  InvariantBreak requestBreak_;  // the first fault seen in the current tick outside its checks
  RunCounts counts_;
};

}  // namespace quillmoor
