// SPDX-License-Identifier: MIT
// The main frame: the view as its only content, its focus, its full screen.
#include "win32/main_frame.h"

#include <algorithm>
#include <string>

#include "win32/resource_ids.h"

namespace quillmoor::win32 {

namespace {

constexpr wchar_t FrameClass[] = L"QuillmoorFrame";
constexpr DWORD FrameStyle = WS_OVERLAPPEDWINDOW;
// The title screen is laid out on 1200 x 600 pixels; the frame opens a little larger.
constexpr int DefaultClientWidth = 1216;
constexpr int DefaultClientHeight = 640;
constexpr int TitleLength = 256;

std::wstring ResourceString(int id) {
  wchar_t text[TitleLength] = {};
  LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), text, TitleLength);
  return text;
}

}  // namespace

bool CMainFrame::LoadFrame() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IdMainFrame), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  RegisterWindowClass(FrameClass, icon);

  RECT frame{0, 0, DefaultClientWidth, DefaultClientHeight};
  AdjustWindowRectEx(&frame, FrameStyle, FALSE, 0);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width =
      std::min<LONG>(frame.right - frame.left, std::max<LONG>(work.right - work.left, 1));
  const int height =
      std::min<LONG>(frame.bottom - frame.top, std::max<LONG>(work.bottom - work.top, 1));
  CreateEx(0, FrameClass, ResourceString(IdMainFrame).c_str(), FrameStyle, CW_USEDEFAULT,
           CW_USEDEFAULT, width, height, nullptr, nullptr);
  return m_hWnd != nullptr;
}

int CMainFrame::OnCreate() {
  return m_wndView.Create(m_hWnd) ? 0 : -1;
}

void CMainFrame::OnSetFocus() {
  if (const HWND view = m_wndView.GetSafeHwnd()) {
    SetFocus(view);
  }
}

bool CMainFrame::OnCmdMsg(UINT) {
  // The view handles no command, and neither does the frame: copy, paste, undo, cut and the
  // pane keys just end here.
  return false;
}

void CMainFrame::ToggleFullScreen() {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE));
  if (!m_fullScreen) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    m_windowedPlacement.length = sizeof m_windowedPlacement;
    if (!GetWindowPlacement(m_hWnd, &m_windowedPlacement) ||
        !GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
      return;
    }
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style & ~WS_OVERLAPPEDWINDOW));
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(m_hWnd, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    m_fullScreen = true;
    return;
  }
  SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style | FrameStyle));
  SetWindowPlacement(m_hWnd, &m_windowedPlacement);
  SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
  m_fullScreen = false;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_SIZE:
      // The main pane always covers the whole client area.
      if (const HWND view = m_wndView.GetSafeHwnd()) {
        MoveWindow(view, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      return 0;
    case WM_COMMAND:
      if (OnCmdMsg(LOWORD(wParam))) {
        return 0;
      }
      break;
    case WM_TOGGLE_FULL_SCREEN:
      ToggleFullScreen();
      return 0;
    case WM_DPICHANGED: {
      // Moved to a screen of another scale: take the size the system suggests for it.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace quillmoor::win32
