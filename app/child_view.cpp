// SPDX-License-Identifier: MIT
// The game view: owns the game state, the title screen and the frame buffer; every tick,
// key, resize and paint of the game arrives here, and so do the desktop's own keys.
#include "app/child_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimerEvent>

#include "app/about_dlg.h"
#include "app/accelerator_keys.h"
#include "app/desktop_keys.h"
#include "app/key_mapping.h"
#include "app/x11_presenter.h"
#include "dialogs/dlg_author_carrier.h"
#include "dialogs/dlg_keys.h"
#include "dialogs/dlg_next_stage.h"
#include "game/game_tick.h"
#include "game/game_world.h"
#include "game/key_codes.h"
#include "render/device_pixels.h"
#include "render/palette.h"
#include "render/present_frame.h"

namespace quillmoor {

namespace {

// Set while a tick runs: the modal dialogs a tick opens keep delivering timer events, and a
// tick inside a tick would move the game under an open dialog.
bool g_inTick = false;

class InTickScope {
 public:
  InTickScope() { g_inTick = true; }
  ~InTickScope() { g_inTick = false; }
  InTickScope(const InTickScope&) = delete;
  InTickScope& operator=(const InTickScope&) = delete;
};

// What the picture leaves uncovered shows, opaque like every pixel given to the window system.
constexpr Pixel ScreenBlack = PixelFloor | PixelOpaque;

constexpr int MinTickPeriod = 1;  // milliseconds; 0 would fire whenever the loop is idle

}  // namespace

CChildView::CChildView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  m_x11Presenter = X11Presenter::Create(*this);
  OnCreate();
}

CChildView::~CChildView() = default;

void CChildView::OnCreate() {
  BuildPalette(ProcessPalette());
  m_screenPalette = OpaquePalette(ProcessPalette());
  NewGame(m_state, ProcessGameWorld(), *this);
  m_state.m_hp = InitialHp;
  m_titleWnd = std::make_unique<CTitleWnd>(this);
  m_titleWnd->hide();
}

void CChildView::OnTimer() {
  if (g_inTick) {
    return;
  }
  const InTickScope inTick;
  // Only "40 or more" matters once play has begun, so the count stops instead of overflowing.
  if (m_state.m_tickCount < std::numeric_limits<std::int32_t>::max()) {
    ++m_state.m_tickCount;
  }
  if (m_state.m_tickCount < TitleTicks) {
    if (m_titleWnd) {
      m_titleWnd->repaint();
    }
    return;
  }
  if (m_titleWnd) {
    m_titleWnd->close();
    m_titleWnd.reset();
  }
  PlayTick(m_state, ProcessGameWorld(), *this);
}

void CChildView::OnSize(int cx, int cy) {
  // The picture is drawn in device pixels, so that cells stay even squares on scaled screens.
  // When memory runs out the buffer is simply gone: paints draw nothing until a later resize
  // succeeds, so the failure needs no handling of its own here.
  const qreal ratio = devicePixelRatioF();
  ResizeFrameBuffer(m_frameBuffer, DeviceLength(cx, ratio), DeviceLength(cy, ratio), ScreenBlack,
                    m_x11Presenter.get());
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
  const int side = m_state.m_viewMode * pixelScale;
  // A new cell size can leave edge strips the new picture does not reach; they show black
  // rather than a misaligned piece of the old picture.
  if (m_pictureSide != side) {
    if (m_pictureSide != NoPicture) {
      ClearFrameBuffer(m_frameBuffer, ScreenBlack);
    }
    m_picture.Invalidate();
    m_pictureSide = side;
  }
  m_picture.Update(m_frameBuffer, ProcessGameWorld().grid, m_screenPalette, m_state.m_viewMode,
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
}

void CChildView::OnKeyDown(QKeyEvent* event) {
  event->accept();
  // The frame's shortcuts take these only while its window is active; with the focus lost to
  // the root window they would arrive here.
  if (IsAcceleratorKeystroke(*event)) {
    return;
  }
  // Desktop keys are read here rather than by frame shortcuts for the same reason.
  const DesktopCommand command = DesktopCommandFromEvent(*event);
  if (command == DesktopCommand::None) {
    quillmoor::OnKeyDown(m_state, VirtualKeyFromEvent(*event));
    return;
  }
  // A key held down is one command, not a flicker of pauses or full screens.
  if (event->isAutoRepeat()) {
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
      emit fullScreenToggleRequested();
      break;
    case DesktopCommand::Quit:
      emit closeRequested();
      break;
    case DesktopCommand::None:
      break;
  }
}

void CChildView::TogglePause() {
  m_paused = !m_paused;
  if (m_paused) {
    StopTimer();
  } else {
    StartTimerUnlessHeld();
  }
  emit pausedChanged(m_paused);
}

void CChildView::ShowKeys() {
  // Its own keys cannot reach the view under a modal dialog; a direct call might.
  if (m_keysShown) {
    return;
  }
  m_keysShown = true;
  StopTimer();
  CDlgKeys dialog(window());
  dialog.DoModal();
  m_keysShown = false;
  StartTimerUnlessHeld();
}

void CChildView::StopTimer() {
  if (m_timerId != 0) {
    killTimer(m_timerId);
    m_timerId = 0;
  }
}

void CChildView::StartTimerUnlessHeld() {
  if (m_paused || m_keysShown || m_timerId != 0) {
    return;
  }
  m_timerId = startTimer(m_tickPeriod, Qt::PreciseTimer);
}

void CChildView::SetTickPeriod(int milliseconds) {
  m_tickPeriod = std::max(milliseconds, MinTickPeriod);
  StopTimer();
  StartTimerUnlessHeld();
}

ModifierState CChildView::QueryModifiers() {
  const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
  return ModifierState{held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)};
}

void CChildView::RepaintNow() {
  // Only what changed is drawn and sent to the window system; still before the tick returns.
  UpdatePicture();
  if (m_damage.empty()) {
    return;
  }
  // Qt sends a partial paint as one request per rectangle; on X11 the changed squares go in one
  // request however many they are. Whole pictures, and other platforms, go through Qt.
  if (!m_damage.whole() && m_x11Presenter && isVisible() &&
      m_x11Presenter->Present(m_frameBuffer, m_damage.Squares(), m_frameBufferRatio)) {
    return;
  }
  m_paintingTick = true;
  repaint(DamagedRegion());
  m_paintingTick = false;
}

void CChildView::ShowAuthorCareer() {
  CDlgAuthorCarrier dialog(window());
  dialog.DoModal();
}

void CChildView::ShowVersion() {
  CAboutDlg dialog(window());
  dialog.DoModal();
}

int CChildView::RunNextStageDialog(const NextStageReport& report) {
  CDlgNextStage dialog(window());
  dialog.SetOutcome(report.outcome);
  dialog.m_nElapsedCycle = report.elapsedCycle;
  dialog.m_nSkippedCycle = report.skippedCycle;
  dialog.m_nCurrentHp = report.currentHp;
  dialog.m_nNextStageAliens = report.nextStageAliens;
  return dialog.DoModal();
}

void CChildView::paintEvent(QPaintEvent* event) {
  OnPaint(event->region());
}

void CChildView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_timerId) {
    OnTimer();
    return;
  }
  QWidget::timerEvent(event);
}

void CChildView::resizeEvent(QResizeEvent* event) {
  OnSize(event->size().width(), event->size().height());
}

void CChildView::keyPressEvent(QKeyEvent* event) {
  OnKeyDown(event);
}

}  // namespace quillmoor
