// SPDX-License-Identifier: MIT
// The title screen: six fixed lines drawn with CreateFont and DrawText, over the game view until
// play begins.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "win32/window.h"

namespace quillmoor::win32 {

class CTitleWnd final : public CWindow {
 public:
  static constexpr int LineCount = 6;

  CTitleWnd() = default;
  ~CTitleWnd() override;

  // A hidden child of the view, with the view's sunken edge; the view's first resize shows it.
  // The fonts follow the screen's scale, so the title keeps its proportions on a scaled screen.
  bool Create(HWND parent);
  // Repaints at once, background included.
  void Repaint();
  // Closes and destroys the window; the fonts go with the object.
  void Destroy();

 private:
  struct TitleLine {
    HFONT font = nullptr;
    RECT box{};
    std::wstring text;
    UINT format = 0;
  };

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void CreateFonts(int dpi);
  void DeleteFonts();

  std::array<TitleLine, LineCount> m_lines{};
};

}  // namespace quillmoor::win32
