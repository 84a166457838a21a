// SPDX-License-Identifier: MIT
// The little of a window framework the front end needs: a window object whose messages reach
// its WindowProc, and text in the UTF-16 that the wide Win32 calls take.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillmoor::win32 {

// UTF-8 as UTF-16, whatever the thread's ANSI code page is.
std::wstring Widen(std::string_view utf8);

class CWindow {
 public:
  CWindow() = default;
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }

 protected:
  virtual ~CWindow() = default;

  // Registers a class of the game's windows once: double clicks, redrawn whole on every resize,
  // the arrow cursor, the window colour behind. The icon is for the frame alone.
  static void RegisterWindowClass(const wchar_t* name, HICON icon = nullptr,
                                  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // CreateWindowExW with this object as the window's own, from WM_NCCREATE on.
  HWND CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                int y, int width, int height, HWND parent, HMENU idOrMenu);

  // Messages nobody handles go to DefWindowProcW.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The screen's dots per inch at the window, 96 where the system cannot tell per window.
int WindowDpi(HWND hwnd);

}  // namespace quillmoor::win32
