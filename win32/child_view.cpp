// SPDX-License-Identifier: MIT
// The game view: session calls from window messages, and the session's requests in Win32.
#include "win32/child_view.h"

#include <algorithm>

#include "game/game_world.h"
#include "render/device_pixels.h"
#include "render/palette.h"
#include "resources/window_captions.h"
#include "win32/dialogs.h"
#include "win32/resource_ids.h"

namespace quillmoor::win32 {

namespace {

constexpr wchar_t ViewClass[] = L"QuillmoorView";
constexpr UINT_PTR TickTimerId = 1;
constexpr double DesignDpi = 96.0;
constexpr LPARAM RepeatFlag = LPARAM{1} << 30;  // the key was down before this message
constexpr LPARAM AltFlag = LPARAM{1} << 29;     // WM_SYSKEYDOWN's context code

bool Held(int virtualKey) {
  return GetKeyState(virtualKey) < 0;
}

}  // namespace

CChildView::CChildView() : m_session(ProcessGameWorld(), *this) {}

CChildView::~CChildView() {
  m_timer.Stop();
}

bool CChildView::Create(HWND frame) {
  RegisterWindowClass(ViewClass);
  CreateEx(WS_EX_CLIENTEDGE, ViewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdViewPane)));
  return m_hWnd != nullptr;
}

int CChildView::OnCreate() {
  // Pixels go to a 32-bit BI_RGB DIB, whose top byte is unused: the palette as it is.
  BuildPalette(ProcessPalette());
  m_session.Start();
  m_titleWnd.Create(m_hWnd);
  return 0;
}

void CChildView::OnTimer() {
  m_session.OnTimer();
}

void CChildView::OnSize(int cx, int cy) {
  // The client area is in device pixels (the program is DPI-aware), as the frame buffer is.
  ResizeFrameBuffer(m_frameBuffer, cx, cy);
  m_pictureSide = NoPicture;
  m_picture.Invalidate();
  if (const HWND title = m_titleWnd.GetSafeHwnd()) {
    SetWindowPos(title, HWND_TOP, 0, 0, std::max(cx, 0), std::max(cy, 0), SWP_SHOWWINDOW);
  }
}

void CChildView::UpdatePicture() {
  const int pixelScale = PixelScaleForRatio(WindowDpi(m_hWnd) / DesignDpi);
  const int side = m_session.state().m_viewMode * pixelScale;
  // A new cell size can leave edge strips the new picture does not reach: black, not stale.
  if (m_pictureSide != side) {
    if (m_pictureSide != NoPicture) {
      ClearFrameBuffer(m_frameBuffer);
    }
    m_picture.Invalidate();
    m_pictureSide = side;
  }
  m_picture.Update(m_frameBuffer, ProcessGameWorld().grid, ProcessPalette(),
                   m_session.state().m_viewMode, pixelScale, m_damage);
}

void CChildView::Present(HDC dc, const CellRect& rect) const {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) {
    return;
  }
  // The rectangle's rows as a top-down DIB of their own: with the source row 0 and every line
  // given, top-down and bottom-up origins cannot be confused.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = m_frameBuffer.width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const Pixel* rows =
      m_frameBuffer.pixels.get() + static_cast<std::ptrdiff_t>(rect.top) * m_frameBuffer.width;
  SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(width), static_cast<DWORD>(height),
                    rect.left, 0, 0, static_cast<UINT>(height), rows, &info, DIB_RGB_COLORS);
}

void CChildView::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(m_hWnd, &paint);
  // A tick's own repaint finds the picture up to date; an expose or a first show updates it.
  if (!m_paintingTick) {
    UpdatePicture();
    if (!m_damage.whole()) {
      for (const CellRect& rect : m_damage.Rects()) {
        const RECT changed{rect.left, rect.top, rect.right, rect.bottom};
        InvalidateRect(m_hWnd, &changed, FALSE);
      }
    }
  }
  if (m_frameBuffer) {
    const CellRect area{std::max<int>(paint.rcPaint.left, 0), std::max<int>(paint.rcPaint.top, 0),
                        std::min<int>(paint.rcPaint.right, m_frameBuffer.width),
                        std::min<int>(paint.rcPaint.bottom, m_frameBuffer.height)};
    Present(dc, area);
  } else {
    // No buffer (no area, or no memory for one): a black view, as on every platform.
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(m_hWnd, &paint);
}

void CChildView::OnKeyDown(WPARAM key, LPARAM flags, bool system) {
  KeyPress press;
  press.code = static_cast<std::uint32_t>(key);
  press.shift = Held(VK_SHIFT);
  press.ctrl = Held(VK_CONTROL);
  press.alt = system ? (flags & AltFlag) != 0 : Held(VK_MENU);
  press.autoRepeat = (flags & RepeatFlag) != 0;
  m_session.OnKeyDown(press);
}

HWND CChildView::Owner() const {
  return GetParent(m_hWnd);
}

void CChildView::StartTimer(int milliseconds) {
  m_timer.Start(m_hWnd, TickTimerId, milliseconds);
}

void CChildView::StopTimer() {
  m_timer.Stop();
}

ModifierState CChildView::QueryModifiers() {
  return ModifierState{Held(VK_SHIFT), Held(VK_CONTROL)};
}

void CChildView::RepaintTitle() {
  m_titleWnd.Repaint();
}

void CChildView::RemoveTitle() {
  m_titleWnd.Destroy();
}

void CChildView::RepaintNow() {
  UpdatePicture();
  if (m_damage.empty() || m_hWnd == nullptr) {
    return;
  }
  if (m_damage.whole()) {
    m_paintingTick = true;
    InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateWindow(m_hWnd);
    m_paintingTick = false;
    return;
  }
  // Only the rectangles that changed are copied, straight to the window before the tick ends.
  const HDC dc = GetDC(m_hWnd);
  for (const CellRect& rect : m_damage.Rects()) {
    Present(dc, rect);
  }
  ReleaseDC(m_hWnd, dc);
}

DialogAnswer CChildView::RunNextStageDialog(const NextStageReport& report) {
  CDlgNextStage dialog;
  dialog.SetOutcome(report.outcome);
  dialog.m_nElapsedCycle = report.elapsedCycle;
  dialog.m_nSkippedCycle = report.skippedCycle;
  dialog.m_nCurrentHp = report.currentHp;
  dialog.m_nNextStageAliens = report.nextStageAliens;
  return dialog.DoModal(Owner());
}

DialogAnswer CChildView::RunAuthorCareerDialog() {
  CDlgAuthorCarrier dialog;
  return dialog.DoModal(Owner());
}

DialogAnswer CChildView::RunVersionDialog() {
  CAboutDlg dialog;
  return dialog.DoModal(Owner());
}

DialogAnswer CChildView::RunKeysDialog() {
  CDlgKeys dialog;
  return dialog.DoModal(Owner());
}

void CChildView::ShowPaused(bool paused) {
  SetWindowTextW(Owner(), Widen(paused ? PausedFrameCaption : FrameCaption).c_str());
}

void CChildView::ToggleFullScreen() {
  SendMessageW(Owner(), WM_TOGGLE_FULL_SCREEN, 0, 0);
}

void CChildView::Close() {
  // As the close box closes it: the frame is destroyed and the loop ends with status 0.
  PostMessageW(Owner(), WM_CLOSE, 0, 0);
}

LRESULT CChildView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted from the frame buffer, or black
    case WM_TIMER:
      if (wParam == TickTimerId) {
        OnTimer();
        return 0;
      }
      break;
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      OnSize(static_cast<int>(LOWORD(lParam)), static_cast<int>(HIWORD(lParam)));
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(wParam, lParam, false);
      return 0;
    case WM_SYSKEYDOWN:
      // Alt combinations and F10 still reach the system: Alt+F4, the window menu.
      OnKeyDown(wParam, lParam, true);
      break;
    case WM_DESTROY:
      m_timer.Stop();
      break;
    default:
      break;
  }
  return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace quillmoor::win32
