// SPDX-License-Identifier: MIT
// One running game for any front end: the title phase, the play ticks and their dialogs, the
// re-entry guard, the pause and the keys dialog's hold, the tick period and the desktop's keys.
#pragma once

#include <cstdint>

#include "game/desktop_keys.h"
#include "game/game_state.h"
#include "game/game_tick.h"
#include "game/game_world.h"
#include "game/session_host.h"

namespace quillmoor {

class GameSession final : private TickHost {
 public:
  GameSession(GameWorld& world, SessionHost& host);
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // The first stage, with 20 hit points and the timer running. Call once, when the front end's
  // game view exists.
  void Start();

  // One expiry of the timer. Ignored while a tick is in progress (inside its modal dialog, or
  // waiting for a dialog's answer) and while the game is held. Ticks 1-39 only repaint the
  // title, the 40th removes it and every tick from then on is a play tick.
  void OnTimer();

  // A key press at the game view. The frame's accelerator keystrokes go nowhere; the desktop's
  // keys act at once (not when held down); an accepted game key waits for the next play tick.
  // Keys belong to an open dialog, so none is taken while one is open.
  void OnKeyDown(const KeyPress& key);

  // The answer of a dialog the host answered later; the game goes on from where it waited.
  void OnDialogClosed(int result);

  // Paused, no timer runs, so no tick of the title or of play happens; keys are still recorded
  // for the first tick after. Resuming restarts the timer at the current tick period.
  void TogglePause();
  // The keys dialog, with the timer stopped while it is open; a paused game stays paused.
  void ShowKeys();

  // A new tick period, at least 1 ms. Set while the game is held it takes effect when the timer
  // starts again.
  void SetTickPeriod(int milliseconds) override;

  GameState& state() { return m_state; }
  const GameState& state() const { return m_state; }
  bool paused() const { return m_paused; }
  bool dialogOpen() const { return m_openDialog != Dialog::None; }
  // A tick has begun and not yet ended: it is inside its modal dialog or waits for an answer.
  bool inTick() const { return m_inTick; }
  bool inTitlePhase() const { return m_titleShown; }
  int tickPeriod() const { return m_tickPeriod; }
  // Whether the timer runs: never while paused nor while the keys dialog is open.
  bool timerRunning() const { return m_timerRunning; }

 private:
  enum class Dialog { None, AuthorCareer, Version, NextStage, Keys };

  // TickHost: the play tick's requests, passed on to the front end.
  ModifierState QueryModifiers() override;
  void RepaintNow() override;
  DialogAnswer ShowAuthorCareer() override;
  DialogAnswer ShowVersion() override;
  DialogAnswer RunNextStageDialog(const NextStageReport& report) override;

  // Marks the dialog open while the host runs it, and closed again when it answers at once.
  template <typename Run>
  DialogAnswer Open(Dialog dialog, Run run);
  void CloseKeys();
  bool Held() const { return m_paused || m_openDialog == Dialog::Keys; }
  void StopTimer();
  void StartTimerUnlessHeld();

  GameWorld& m_world;
  SessionHost& m_host;
  GameState m_state;
  PlayTickRun m_tick;
  // Set while a tick runs: a modal dialog of the tick keeps delivering timer expiries, and a tick
  // inside a tick would move the game under the open dialog.
  bool m_inTick = false;
  bool m_titleShown = true;
  bool m_paused = false;
  Dialog m_openDialog = Dialog::None;
  int m_tickPeriod = DefaultTickPeriod;  // milliseconds, as last set
  bool m_timerRunning = false;
};

}  // namespace quillmoor
