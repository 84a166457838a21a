// SPDX-License-Identifier: MIT
// The browser front end: owns the game session and the frame buffer, turns the page's frames,
// keys and resizes into the session's calls and answers its requests through the page's script.
#pragma once

#include <cstdint>
#include <vector>

#include "game/game_session.h"
#include "game/session_host.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/picture_updater.h"
#include "web/dom_keys.h"
#include "web/frame_clock.h"

namespace quillmoor {

class WebPage final : public SessionHost {
 public:
  WebPage();
  WebPage(const WebPage&) = delete;
  WebPage& operator=(const WebPage&) = delete;

  // Hands the page its texts, builds the palette and starts the first stage.
  void Start();

  // One animation frame at this time (milliseconds): the timer's expiries due by now, then the
  // picture brought up to date where cells changed and sent to the canvas.
  void Frame(double now);
  // The page is hidden or shown: a hidden page gets no frames, and its game stands still.
  void VisibilityChanged(bool visible);

  // The canvas's size in device pixels and the device pixel ratio; the picture is drawn at
  // zoom x round(ratio) device pixels a cell, in a buffer capped to what a canvas can be.
  void Resize(int deviceWidth, int deviceHeight, double ratio);

  // A keydown; true when the page takes it (the browser's own action is then prevented).
  bool KeyDown(const DomKeyEvent& event);
  // Shift and Ctrl as the last key event, or a loss of focus (nothing held), left them.
  void ModifiersChanged(bool shift, bool ctrl);
  // The page's dialog closed with this result (1 OK, 2 dismissed).
  void DialogClosed(int result);

  const GameSession& session() const { return m_session; }

  // SessionHost: requests of the session.
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
  void UpdatePicture();

  Palette m_canvasPalette{};  // the game's colours in the byte order of a canvas's image data
  FrameBuffer m_frameBuffer;
  PictureUpdater m_picture;
  DamageTiles m_damage;
  std::vector<std::int32_t> m_rects;  // the damaged rectangles as the page reads them: x, y, w, h
  int m_pixelScale = 1;
  static constexpr int NoPicture = 0;
  int m_pictureSide = NoPicture;  // the cell side, in device pixels, of the buffer's picture
  bool m_pictureWanted = false;   // a tick or a resize left the canvas behind the grid
  FrameClock m_clock;
  ModifierState m_held;
  GameSession m_session;
};

}  // namespace quillmoor
