// SPDX-License-Identifier: MIT
// One running game for any front end: ticks, keys, dialogs, holds and the timer they call for.
#include "game/game_session.h"

#include <algorithm>
#include <limits>

#include "game/key_codes.h"

namespace quillmoor {

namespace {

constexpr int MinTickPeriod = 1;  // milliseconds; 0 would fire whenever the loop is idle

}  // namespace

GameSession::GameSession(GameWorld& world, SessionHost& host) : m_world(world), m_host(host) {}

void GameSession::Start() {
  NewGame(m_state, m_world, *this);
  m_state.m_hp = InitialHp;
}

void GameSession::OnTimer() {
  if (m_inTick || Held()) {
    return;
  }
  m_inTick = true;
  // Only "40 or more" matters once play has begun, so the count stops instead of overflowing.
  if (m_state.m_tickCount < std::numeric_limits<std::int32_t>::max()) {
    ++m_state.m_tickCount;
  }
  if (m_state.m_tickCount < TitleTicks) {
    m_host.RepaintTitle();
    m_inTick = false;
    return;
  }
  if (m_titleShown) {
    m_titleShown = false;
    m_host.RemoveTitle();
  }
  if (m_tick.Begin(m_state, m_world, *this)) {
    m_inTick = false;
  }
}

void GameSession::OnKeyDown(const KeyPress& key) {
  if (dialogOpen() || IsAcceleratorKeystroke(key)) {
    return;
  }
  const DesktopCommand command = DesktopCommandOf(key);
  if (command == DesktopCommand::None) {
    // Alt combinations are system keys: window-manager and menu business, never game commands.
    if (!key.alt) {
      quillmoor::OnKeyDown(m_state, key.code);
    }
    return;
  }
  // A key held down is one command, not a flicker of pauses or full screens.
  if (key.autoRepeat) {
    return;
  }
  switch (command) {
    case DesktopCommand::TogglePause:
      TogglePause();
      break;
    case DesktopCommand::ShowKeys:
      ShowKeys();
      break;
    case DesktopCommand::ToggleFullScreen:
      m_host.ToggleFullScreen();
      break;
    case DesktopCommand::Quit:
      m_host.Close();
      break;
    case DesktopCommand::None:
      break;
  }
}

void GameSession::OnDialogClosed(int result) {
  switch (m_openDialog) {
    case Dialog::None:
      return;
    case Dialog::Keys:
      CloseKeys();
      return;
    case Dialog::AuthorCareer:
    case Dialog::Version:
    case Dialog::NextStage:
      m_openDialog = Dialog::None;
      if (m_tick.Resume(m_state, m_world, *this, result)) {
        m_inTick = false;
      }
      return;
  }
}

void GameSession::TogglePause() {
  m_paused = !m_paused;
  if (m_paused) {
    StopTimer();
  } else {
    StartTimerUnlessHeld();
  }
  m_host.ShowPaused(m_paused);
}

void GameSession::ShowKeys() {
  // Its own key cannot reach the session under an open dialog; a direct call might.
  if (dialogOpen()) {
    return;
  }
  m_openDialog = Dialog::Keys;
  StopTimer();
  if (m_host.RunKeysDialog()) {
    CloseKeys();
  }
}

void GameSession::SetTickPeriod(int milliseconds) {
  m_tickPeriod = std::max(milliseconds, MinTickPeriod);
  StopTimer();
  StartTimerUnlessHeld();
}

ModifierState GameSession::QueryModifiers() {
  return m_host.QueryModifiers();
}

void GameSession::RepaintNow() {
  m_host.RepaintNow();
}

template <typename Run>
DialogAnswer GameSession::Open(Dialog dialog, Run run) {
  m_openDialog = dialog;
  const DialogAnswer answer = run();
  if (answer) {
    m_openDialog = Dialog::None;
  }
  return answer;
}

DialogAnswer GameSession::ShowAuthorCareer() {
  return Open(Dialog::AuthorCareer, [this] { return m_host.RunAuthorCareerDialog(); });
}

DialogAnswer GameSession::ShowVersion() {
  return Open(Dialog::Version, [this] { return m_host.RunVersionDialog(); });
}

DialogAnswer GameSession::RunNextStageDialog(const NextStageReport& report) {
  return Open(Dialog::NextStage, [this, &report] { return m_host.RunNextStageDialog(report); });
}

void GameSession::CloseKeys() {
  m_openDialog = Dialog::None;
  StartTimerUnlessHeld();
}

void GameSession::StopTimer() {
  if (m_timerRunning) {
    m_host.StopTimer();
    m_timerRunning = false;
  }
}

void GameSession::StartTimerUnlessHeld() {
  if (Held() || m_timerRunning) {
    return;
  }
  m_host.StartTimer(m_tickPeriod);
  m_timerRunning = true;
}

}  // namespace quillmoor
