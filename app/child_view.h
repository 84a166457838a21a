// SPDX-License-Identifier: MIT
// The game view: owns the game state, the title screen and the frame buffer; every tick,
// key, resize and paint of the game arrives here, and so do the desktop's own keys.
#pragma once

#include <cstdint>
#include <memory>

#include <QImage>
#include <QWidget>

#include "game/game_state.h"
#include "game/tick_host.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/picture_updater.h"
#include "render/title_wnd.h"

namespace quillmoor {

class X11Presenter;

class CChildView : public QWidget, public TickHost {
  Q_OBJECT

 public:
  // Builds the palette, starts the first stage with 20 hit points and the timer running, and
  // creates the title screen hidden; the first resize shows it.
  explicit CChildView(QWidget* parent = nullptr);
  ~CChildView() override;
  CChildView(const CChildView&) = delete;
  CChildView& operator=(const CChildView&) = delete;

  // One timer tick: ignored while a dialog of an earlier tick is open; ticks 1-39 only
  // repaint the title, the 40th removes it and every tick from then on is a play tick.
  void OnTimer();

  // A new client size in logical pixels: a fresh black frame buffer of the device pixels it
  // covers (none when a side is below 1 or memory runs out), and the title, while it exists,
  // over the whole view.
  void OnSize(int cx, int cy);

  // Pauses the game or resumes it. Paused, no timer runs at all, so no tick of the title or of
  // play happens and no CPU is spent; keys are still recorded for the first tick after.
  // Resuming restarts the timer at the current tick period.
  void TogglePause();
  bool paused() const { return m_paused; }

  // Runs the keys dialog modally, with the timer stopped while it is open; a paused game stays
  // paused after it.
  void ShowKeys();

  GameState& gameState() { return m_state; }
  const GameState& gameState() const { return m_state; }
  const FrameBuffer& frameBuffer() const { return m_frameBuffer; }
  // Null once the title phase is over.
  const CTitleWnd* titleWnd() const { return m_titleWnd.get(); }

  // TickHost: what the play tick asks of the window. A period set while the game is paused or
  // the keys dialog is open takes effect when the timer starts again.
  void SetTickPeriod(int milliseconds) override;
  ModifierState QueryModifiers() override;
  void RepaintNow() override;
  void ShowAuthorCareer() override;
  void ShowVersion() override;
  int RunNextStageDialog(const NextStageReport& report) override;

 signals:
  // What the frame shows and does for the desktop's keys: its title, full screen, closing.
  void pausedChanged(bool paused);
  void fullScreenToggleRequested();
  void closeRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnCreate();
  // Shows the maze picture under region, brought up to date first; draws nothing without a
  // frame buffer.
  void OnPaint(const QRegion& region);
  // Brings the frame buffer up to date with the grid, zoom and screen scale; m_damage then holds
  // the device pixels that changed.
  void UpdatePicture();
  // The logical area of the view that covers the damaged device pixels.
  QRegion DamagedRegion();
  // Carries out a desktop key, or records an accepted game key for the next play tick; no key
  // goes on to default processing.
  void OnKeyDown(QKeyEvent* event);
  // The tick timer runs at m_tickPeriod exactly when neither the pause nor the keys dialog
  // holds the game.
  void StopTimer();
  void StartTimerUnlessHeld();

  std::unique_ptr<CTitleWnd> m_titleWnd;
  Palette m_screenPalette{};  // the game's colours, opaque as the window system takes them
  // Before the frame buffer, whose pixels it may hold.
  std::unique_ptr<X11Presenter> m_x11Presenter;  // null off X11
  FrameBuffer m_frameBuffer;
  QImage m_frameImage;           // the frame buffer's own pixels, as drawn to the window
  qreal m_frameBufferRatio = 1;  // the device pixel ratio the frame buffer was sized for
  PictureUpdater m_picture;
  DamageTiles m_damage;
  QList<QRect> m_damageRects;   // kept between ticks, so that a tick allocates nothing here
  bool m_paintingTick = false;  // set while a tick repaints what it has just brought up to date
  // The cell side, in device pixels, of the picture the frame buffer holds.
  static constexpr int NoPicture = 0;
  int m_pictureSide = NoPicture;
  GameState m_state;
  int m_timerId = 0;                     // 0 while no timer runs
  int m_tickPeriod = DefaultTickPeriod;  // milliseconds, as last set
  bool m_paused = false;
  bool m_keysShown = false;
};

}  // namespace quillmoor
