// SPDX-License-Identifier: MIT
// The game view: owns the game session, the title screen and the frame buffer; it turns its
// timer's ticks and Qt's key, resize and paint events into the session's calls and answers its
// requests.
#include "app/child_view.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "app/about_dlg.h"
#include "app/key_mapping.h"
#include "app/presenter.h"
#include "app/tick_timer.h"
#include "dialogs/dlg_author_carrier.h"
#include "dialogs/dlg_keys.h"
#include "dialogs/dlg_next_stage.h"
#include "game/game_world.h"
#include "render/device_pixels.h"
#include "render/palette.h"
#include "render/present_frame.h"

namespace quillmoor {

namespace {

// What the picture leaves uncovered shows, opaque like every pixel given to the window system.
constexpr Pixel ScreenBlack = PixelFloor | PixelOpaque;

}  // namespace

CChildView::CChildView(QWidget* parent) : QWidget(parent), m_session(ProcessGameWorld(), *this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  m_presenter = CreatePresenter(*this);
  m_tickTimer = std::make_unique<TickTimer>([this] { OnTimer(); });
  OnCreate();
}

CChildView::~CChildView() = default;

void CChildView::OnCreate() {
  BuildPalette(ProcessPalette());
  m_screenPalette = OpaquePalette(ProcessPalette());
  m_session.Start();
  m_titleWnd = std::make_unique<CTitleWnd>(this);
  m_titleWnd->hide();
}

void CChildView::OnTimer() {
  m_session.OnTimer();
}

void CChildView::OnSize(int cx, int cy) {
  // The picture is drawn in device pixels, so that cells stay even squares on scaled screens.
  // When memory runs out the buffer is simply gone: paints draw nothing until a later resize
  // succeeds, so the failure needs no handling of its own here.
  const qreal ratio = devicePixelRatioF();
  if (m_presenter) {
    m_presenter->PictureReplaced();
  }
  ResizeFrameBuffer(m_frameBuffer, DeviceLength(cx, ratio), DeviceLength(cy, ratio), ScreenBlack,
                    m_presenter ? m_presenter->pixelMemory() : nullptr);
  m_frameBufferRatio = ratio;
  m_frameImage = FrameImage(m_frameBuffer);
  m_pictureSide = NoPicture;
  m_picture.Invalidate();
  if (m_titleWnd) {
    m_titleWnd->setGeometry(0, 0, std::max(cx, 0), std::max(cy, 0));
    m_titleWnd->raise();
    m_titleWnd->show();
  }
}

void CChildView::UpdatePicture() {
  const qreal ratio = devicePixelRatioF();
  // Moved to a screen of another scale: no resize is delivered, but the device size changed.
  if (m_frameBuffer && ratio != m_frameBufferRatio) {
    OnSize(width(), height());
  }
  const int pixelScale = PixelScaleForRatio(ratio);
  const int side = gameState().m_viewMode * pixelScale;
  // A new cell size can leave edge strips the new picture does not reach; they show black
  // rather than a misaligned piece of the old picture.
  if (m_pictureSide != side) {
    if (m_pictureSide != NoPicture) {
      ClearFrameBuffer(m_frameBuffer, ScreenBlack);
    }
    m_picture.Invalidate();
    m_pictureSide = side;
  }
  m_picture.Update(m_frameBuffer, ProcessGameWorld().grid, m_screenPalette, gameState().m_viewMode,
                   pixelScale, m_damage);
}

QRegion CChildView::DamagedRegion() {
  if (m_damage.empty()) {
    return QRegion();
  }
  // At a fractional scale Qt's Wayland back end (6.4 and 6.8 alike, with the compositor's scale
  // or QT_SCALE_FACTOR) clears more of a partial paint area than the area it lets the widget
  // paint, which then shows through as holes: paint everything there.
  const qreal ratio = m_frameBufferRatio;
  const auto scale = static_cast<int>(std::round(ratio));
  if (scale < 1 || ratio != scale) {
    return QRegion(rect());
  }
  m_damageRects.clear();
  for (const CellRect& device : m_damage.Rects()) {
    const auto logical = [scale](int length, bool up) {
      return up ? (length + scale - 1) / scale : length / scale;
    };
    m_damageRects.append(
        QRect(QPoint(logical(device.left, false), logical(device.top, false)),
              QPoint(logical(device.right, true) - 1, logical(device.bottom, true) - 1)));
  }
  QRegion region;
  region.setRects(m_damageRects.constData(), static_cast<int>(m_damageRects.size()));
  return region;
}

void CChildView::OnPaint(const QRegion& region) {
  // A tick's own repaint finds the picture already brought up to date; any other paint (an
  // expose, a first show) brings it up to date here.
  if (!m_paintingTick) {
    UpdatePicture();
    // Cells that changed outside this paint's area are shown by the next paint rather than
    // left stale on screen.
    if (const QRegion outside = DamagedRegion() - region; !outside.isEmpty()) {
      update(outside);
    }
  }
  if (!m_frameBuffer) {
    return;
  }
  QPainter painter(this);
  PresentFrame(painter, m_frameImage, region);
  // Where the picture lies over Qt's painting, this paint's changes must reach it too.
  if (m_presenter && m_presenter->coversQtPainting() && !m_paintingTick && !m_titleWnd) {
    m_presenter->Present(m_frameBuffer, m_damage, m_frameBufferRatio);
  }
}

void CChildView::OnKeyDown(QKeyEvent* event) {
  event->accept();
  m_session.OnKeyDown(KeyPressFromEvent(*event));
}

void CChildView::TogglePause() {
  m_session.TogglePause();
}

void CChildView::ShowKeys() {
  m_session.ShowKeys();
}

void CChildView::SetTickPeriod(int milliseconds) {
  m_session.SetTickPeriod(milliseconds);
}

void CChildView::StartTimer(int milliseconds) {
  m_tickTimer->Start(milliseconds);
}

void CChildView::StopTimer() {
  m_tickTimer->Stop();
}

ModifierState CChildView::QueryModifiers() {
  const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
  return ModifierState{held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)};
}

void CChildView::RepaintTitle() {
  if (m_titleWnd) {
    m_titleWnd->repaint();
  }
}

void CChildView::RemoveTitle() {
  if (m_titleWnd) {
    m_titleWnd->close();
    m_titleWnd.reset();
  }
}

void CChildView::RepaintNow() {
  // Only what changed is drawn and sent to the window system; still before the tick returns.
  UpdatePicture();
  if (m_damage.empty()) {
    return;
  }
  // Qt sends a partial paint as one request per rectangle and, on Wayland, commits its whole
  // window; a presenter sends just the changed squares. Whatever it cannot take goes through Qt.
  if (m_presenter && isVisible() &&
      m_presenter->Present(m_frameBuffer, m_damage, m_frameBufferRatio)) {
    return;
  }
  m_paintingTick = true;
  repaint(DamagedRegion());
  m_paintingTick = false;
}

void CChildView::ShowPictureBeforeDialog() {
  if (m_presenter) {
    m_presenter->ShowHeldBack();
  }
}

DialogAnswer CChildView::RunAuthorCareerDialog() {
  ShowPictureBeforeDialog();
  CDlgAuthorCarrier dialog(window());
  return dialog.DoModal();
}

DialogAnswer CChildView::RunVersionDialog() {
  ShowPictureBeforeDialog();
  CAboutDlg dialog(window());
  return dialog.DoModal();
}

DialogAnswer CChildView::RunKeysDialog() {
  ShowPictureBeforeDialog();
  CDlgKeys dialog(window());
  return dialog.DoModal();
}

DialogAnswer CChildView::RunNextStageDialog(const NextStageReport& report) {
  ShowPictureBeforeDialog();
  CDlgNextStage dialog(window());
  dialog.SetOutcome(report.outcome);
  dialog.m_nElapsedCycle = report.elapsedCycle;
  dialog.m_nSkippedCycle = report.skippedCycle;
  dialog.m_nCurrentHp = report.currentHp;
  dialog.m_nNextStageAliens = report.nextStageAliens;
  return dialog.DoModal();
}

void CChildView::ShowPaused(bool paused) {
  emit pausedChanged(paused);
}

void CChildView::ToggleFullScreen() {
  emit fullScreenToggleRequested();
}

void CChildView::Close() {
  emit closeRequested();
}

void CChildView::paintEvent(QPaintEvent* event) {
  OnPaint(event->region());
}

void CChildView::resizeEvent(QResizeEvent* event) {
  OnSize(event->size().width(), event->size().height());
}

void CChildView::keyPressEvent(QKeyEvent* event) {
  OnKeyDown(event);
}

}  // namespace quillmoor
