// SPDX-License-Identifier: MIT
// The game view: owns the game session, the title screen and the frame buffer; it turns its
// timer's ticks and Qt's key, resize and paint events into the session's calls and answers its
// requests.
#pragma once

#include <cstdint>
#include <memory>

#include <QImage>
#include <QWidget>

#include "game/game_session.h"
#include "game/session_host.h"
#include "render/damage_tiles.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/picture_updater.h"
#include "render/title_wnd.h"

namespace quillmoor {

class Presenter;
class TickTimer;

class CChildView : public QWidget, public SessionHost {
  Q_OBJECT

 public:
  // Builds the palette, starts the first stage with 20 hit points and the timer running, and
  // creates the title screen hidden; the first resize shows it.
  explicit CChildView(QWidget* parent = nullptr);
  ~CChildView() override;
  CChildView(const CChildView&) = delete;
  CChildView& operator=(const CChildView&) = delete;

  // One timer tick of the session: the title phase, then play.
  void OnTimer();

  // A new client size in logical pixels: a fresh black frame buffer of the device pixels it
  // covers (none when a side is below 1 or memory runs out), and the title, while it exists,
  // over the whole view.
  void OnSize(int cx, int cy);

  // The session's pause, keys dialog and tick period.
  void TogglePause();
  bool paused() const { return m_session.paused(); }
  void ShowKeys();
  void SetTickPeriod(int milliseconds);

  GameState& gameState() { return m_session.state(); }
  const GameState& gameState() const { return m_session.state(); }
  const FrameBuffer& frameBuffer() const { return m_frameBuffer; }
  // Null once the title phase is over.
  const CTitleWnd* titleWnd() const { return m_titleWnd.get(); }
  // Null where only Qt's painting shows the picture.
  Presenter* presenter() { return m_presenter.get(); }

  // SessionHost: the session's requests, answered with Qt; the dialogs are modal.
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

 signals:
  // What the frame shows and does for the desktop's keys: its title, full screen, closing.
  void pausedChanged(bool paused);
  void fullScreenToggleRequested();
  void closeRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
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
  // A dialog freezes the game: the picture it leaves behind is the latest one.
  void ShowPictureBeforeDialog();
  // Hands the key to the session; no key goes on to default processing.
  void OnKeyDown(QKeyEvent* event);

  std::unique_ptr<CTitleWnd> m_titleWnd;
  Palette m_screenPalette{};  // the game's colours, opaque as the window system takes them
  // Before the frame buffer, whose pixels it may hold.
  std::unique_ptr<Presenter> m_presenter;  // null where only Qt's painting shows the picture
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
  GameSession m_session;
  std::unique_ptr<TickTimer> m_tickTimer;
};

}  // namespace quillmoor
