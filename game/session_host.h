// SPDX-License-Identifier: MIT
// What a front end does for the game session: its timer, the title, the picture, the dialogs
// and the desktop's window commands. Each front end implements this and nothing of the rules.
#pragma once

#include "game/tick_host.h"

namespace quillmoor {

class SessionHost {
 public:
  virtual ~SessionHost() = default;

  // The one game timer: started at a period of at least 1 ms while none runs, stopped while one
  // runs. Each of its expiries is a GameSession::OnTimer.
  virtual void StartTimer(int milliseconds) = 0;
  virtual void StopTimer() = 0;
  // Shift and Ctrl as they are held now, when a tick consumes a digit key.
  virtual ModifierState QueryModifiers() = 0;

  // The title screen, drawn afresh on every tick of the title phase, then removed for good.
  virtual void RepaintTitle() = 0;
  virtual void RemoveTitle() = 0;
  // Brings the picture on screen up to date with the grid before returning.
  virtual void RepaintNow() = 0;

  // The dialogs, modal to the player: answered before returning (a nested loop), or AnswerLater
  // and then through GameSession::OnDialogClosed. The next-stage dialog's result decides the
  // next stage; the others' results are not looked at.
  virtual DialogAnswer RunNextStageDialog(const NextStageReport& report) = 0;
  virtual DialogAnswer RunAuthorCareerDialog() = 0;
  virtual DialogAnswer RunVersionDialog() = 0;
  virtual DialogAnswer RunKeysDialog() = 0;

  // The window's title tells whether the game is paused.
  virtual void ShowPaused(bool paused) = 0;
  virtual void ToggleFullScreen() = 0;
  // Closes the game's window as its close box does.
  virtual void Close() = 0;
};

}  // namespace quillmoor
