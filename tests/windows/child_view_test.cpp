// SPDX-License-Identifier: MIT
// The Windows view in the real frame, read back from the window: a size whose frame buffer
// cannot be allocated leaves a black view through repaints and ticks, not a crash, and the next
// size that fits brings the maze back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "render/palette.h"
#include "win32/main_frame.h"

namespace quillmoor::win32 {
namespace {

constexpr int TitleTicks = 40;
constexpr int TicksWithoutBuffer = 3;
constexpr Pixel ColourBits = 0x00FFFFFF;
// Four times MaxFramePixels: refused before any allocation, so the test takes no memory to
// fail, and the view meets the same empty buffer as when the memory runs out.
constexpr WORD UnallocatableSide = 0xFFFF;

// What the view's client area shows, as 0x00RRGGBB pixels.
std::vector<Pixel> ShownPixels(HWND view) {
  RECT client{};
  GetClientRect(view, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC window = GetDC(view);
  const HDC memory = CreateCompatibleDC(window);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<Pixel> pixels;
  if (bitmap != nullptr) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
    const auto* first = static_cast<const Pixel*>(bits);
    pixels.assign(first, first + static_cast<std::ptrdiff_t>(client.right) * client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(view, window);
  for (Pixel& pixel : pixels) {
    pixel &= ColourBits;
  }
  return pixels;
}

std::ptrdiff_t Count(const std::vector<Pixel>& pixels, Pixel colour) {
  return std::count(pixels.begin(), pixels.end(), colour);
}

// The program's own frame, shown, past the title: the view shows the maze.
class ChildViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame_.LoadFrame());
    ShowWindow(frame_.GetSafeHwnd(), SW_SHOW);
    for (int tick = 0; tick < TitleTicks && view().session().inTitlePhase(); ++tick) {
      view().OnTimer();
    }
    ASSERT_FALSE(view().session().inTitlePhase());
    GetClientRect(window(), &client_);
    ASSERT_GT(Area(), 0);
  }
  void TearDown() override { DestroyWindow(frame_.GetSafeHwnd()); }

  CChildView& view() { return frame_.view(); }
  HWND window() { return view().GetSafeHwnd(); }
  std::ptrdiff_t Area() const { return std::ptrdiff_t{client_.right} * client_.bottom; }
  void Resize(WORD width, WORD height) {
    SendMessageW(window(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
  }
  // Painted now, as a window message would have it: no message loop runs in the test.
  std::vector<Pixel> Repainted() {
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return ShownPixels(window());
  }

  CMainFrame frame_;
  RECT client_{};
};

TEST_F(ChildViewTest, AFailedFrameBufferShowsBlackUntilASizeThatFits) {
  // The maze starts as rock nearly everywhere: proof that the window reads back at all.
  ASSERT_GT(Count(Repainted(), PixelRock), Area() / 2);

  Resize(UnallocatableSide, UnallocatableSide);
  EXPECT_EQ(Count(Repainted(), PixelFloor), Area()) << "after the failed resize";
  for (int tick = 0; tick < TicksWithoutBuffer; ++tick) {
    view().OnTimer();
  }
  EXPECT_EQ(Count(Repainted(), PixelFloor), Area()) << "after ticks without a buffer";

  Resize(static_cast<WORD>(client_.right), static_cast<WORD>(client_.bottom));
  EXPECT_GT(Count(Repainted(), PixelRock), Area() / 2) << "after a size that fits";
}

}  // namespace
}  // namespace quillmoor::win32
