// SPDX-License-Identifier: MIT
// The title screen: six fixed lines drawn with CreateFont and DrawText.
#include "win32/title_wnd.h"

#include <cstddef>
#include <iterator>

#include "resources/title_lines.h"
#include "win32/resource_ids.h"

namespace quillmoor::win32 {

namespace {

constexpr wchar_t TitleClass[] = L"QuillmoorTitle";
constexpr int DesignDpi = 96;

// No DT_SINGLELINE, so the vertical flags do nothing: every line starts at its box's top edge.
constexpr UINT CentredFormat = DT_CENTER | DT_VCENTER | DT_NOCLIP;
constexpr UINT RightFormat = DT_RIGHT | DT_BOTTOM | DT_NOCLIP;

int Scaled(int pixels, int dpi) {
  return MulDiv(pixels, dpi, DesignDpi);
}

}  // namespace

CTitleWnd::~CTitleWnd() {
  Destroy();
  DeleteFonts();
}

bool CTitleWnd::Create(HWND parent) {
  RegisterWindowClass(TitleClass);
  CreateEx(WS_EX_CLIENTEDGE, TitleClass, L"", WS_CHILD, 0, 0, 0, 0, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdTitleWnd)));
  CreateFonts(WindowDpi(parent));
  return m_hWnd != nullptr;
}

void CTitleWnd::CreateFonts(int dpi) {
  for (std::size_t i = 0; i < m_lines.size() && i < std::size(TitleLines); ++i) {
    const TitleLineLayout& data = TitleLines[i];
    TitleLine& line = m_lines[i];
    line.font = CreateFontW(Scaled(data.height, dpi), Scaled(data.width, dpi), 0, 0, 0, data.italic,
                            FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Widen(data.face).c_str());
    line.box = RECT{Scaled(data.left, dpi), Scaled(data.top, dpi), Scaled(data.right, dpi),
                    Scaled(data.bottom, dpi)};
    line.text = Widen(data.text);
    line.format = data.placement == TitlePlacement::Right ? RightFormat : CentredFormat;
  }
}

void CTitleWnd::DeleteFonts() {
  for (auto line = m_lines.rbegin(); line != m_lines.rend(); ++line) {
    if (line->font != nullptr) {
      DeleteObject(line->font);
      line->font = nullptr;
    }
  }
}

void CTitleWnd::Repaint() {
  if (m_hWnd != nullptr) {
    InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateWindow(m_hWnd);
  }
}

void CTitleWnd::Destroy() {
  if (m_hWnd != nullptr) {
    DestroyWindow(m_hWnd);
  }
}

LRESULT CTitleWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    OnPaint();
    return 0;
  }
  return CWindow::WindowProc(message, wParam, lParam);
}

void CTitleWnd::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(m_hWnd, &paint);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);
  for (TitleLine& line : m_lines) {
    // A font that could not be made is not selected: the line takes the one before it.
    if (line.font != nullptr) {
      SelectObject(dc, line.font);
    }
    DrawTextW(dc, line.text.c_str(), static_cast<int>(line.text.size()), &line.box, line.format);
  }
  SelectObject(dc, previousFont);
  SetBkMode(dc, previousMode);
  EndPaint(m_hWnd, &paint);
}

}  // namespace quillmoor::win32
