// SPDX-License-Identifier: MIT
// Window objects behind window handles, and UTF-8 text for the wide calls.
#include "win32/window.h"

namespace quillmoor::win32 {

namespace {

constexpr int DefaultDpi = 96;

}  // namespace

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  }
  return wide;
}

void CWindow::RegisterWindowClass(const wchar_t* name, HICON icon, HBRUSH background) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, name, &existing)) {
    return;
  }
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = StaticWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

HWND CWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       int x, int y, int width, int height, HWND parent, HMENU idOrMenu) {
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, idOrMenu,
                         GetModuleHandleW(nullptr), this);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<CWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    window = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->m_hWnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  if (window == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  const LRESULT result = window->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The object may outlive its window (the frame's view is a member): it forgets the handle.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->m_hWnd = nullptr;
  }
  return result;
}

int WindowDpi(HWND hwnd) {
  // Windows 10 1607 and later know each window's screen; asked by name so older ones still run.
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && hwnd != nullptr) {
    if (const UINT dpi = getDpiForWindow(hwnd); dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : DefaultDpi;
  if (screen) {
    ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? dpi : DefaultDpi;
}

}  // namespace quillmoor::win32
