// SPDX-License-Identifier: MIT
// The game view: owns the game session, the title window and the frame buffer; it turns the
// window's creation, resize, paint, timer and key messages into session calls and answers the
// session's requests with Win32.
#pragma once

#include <windows.h>

#include "game/game_session.h"
#include "game/session_host.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "render/picture_updater.h"
#include "render/view_geometry.h"
#include "win32/tick_timer.h"
#include "win32/title_wnd.h"
#include "win32/window.h"

namespace quillmoor::win32 {

// What the view asks of its frame, by message: full screen on or off.
inline constexpr UINT WM_TOGGLE_FULL_SCREEN = WM_APP + 1;

class CChildView final : public CWindow, public SessionHost {
 public:
  CChildView();
  ~CChildView() override;

  // The frame's main pane: a visible child with a sunken client edge, stretched by the frame.
  bool Create(HWND frame);

  // One tick of the session, from WM_TIMER or the waitable timer.
  void OnTimer();

  const TickTimer& tickTimer() const { return m_timer; }
  GameSession& session() { return m_session; }

  // SessionHost
  void StartTimer(int milliseconds) override;
  void StopTimer() override;
  ModifierState QueryModifiers() override;
  void RepaintTitle() override;
  void RemoveTitle() override;
  void RepaintNow() override;
  DialogAnswer RunNextStageDialog(const NextStageReport& report) override;
  DialogAnswer RunAuthorCareerDialog() override;
  DialogAnswer RunVersionDialog() override;
  DialogAnswer RunKeysDialog() override;
  void ShowPaused(bool paused) override;
  void ToggleFullScreen() override;
  void Close() override;

 private:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate();
  // A fresh black frame buffer of the client size (none when a side is below 1 or memory runs
  // out: the view then shows black), and the title, while it exists, over the whole view.
  void OnSize(int cx, int cy);
  void OnPaint();
  void OnKeyDown(WPARAM key, LPARAM flags, bool system);
  // Brings the frame buffer up to date; m_damage then holds what changed.
  void UpdatePicture();
  // Copies one rectangle of the frame buffer to the same place of the window.
  void Present(HDC dc, const CellRect& rect) const;
  HWND Owner() const;

  CTitleWnd m_titleWnd;
  FrameBuffer m_frameBuffer;
  PictureUpdater m_picture;
  DamageTiles m_damage;
  static constexpr int NoPicture = 0;
  int m_pictureSide = NoPicture;  // the cell side the buffer's picture was drawn with
  bool m_paintingTick = false;
  TickTimer m_timer;
  GameSession m_session;
};

}  // namespace quillmoor::win32
