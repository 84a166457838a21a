// SPDX-License-Identifier: MIT
// The browser front end: the session driven from animation frames, its requests passed to the
// page's script, and the picture sent to the canvas where it changed.
#include "web/web_page.h"

#include <emscripten/emscripten.h>

#include "game/game_world.h"
#include "game/key_codes.h"
#include "render/device_pixels.h"
#include "web/canvas_size.h"
#include "web/page_texts.h"

// The page's script (page.js) sets Module.page before this module loads; each call below is
// one of its methods. Memory views are passed afresh, since they change when memory grows.
EM_JS(void, PageReceiveTexts, (const char* json),
      { Module.page.receiveTexts(JSON.parse(UTF8ToString(json))); });
EM_JS(void, PageRemoveTitle, (), { Module.page.removeTitle(); });
EM_JS(void, PageSizeCanvas, (int width, int height, double ratio, int capped, int drawn),
      { Module.page.sizeCanvas(width, height, ratio, capped != 0, drawn != 0); });
EM_JS(void, PagePresent,
      (const void* pixels, int width, int height, const std::int32_t* rects, int count), {
        Module.page.present(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width,
                            height, new Int32Array(HEAPU8.buffer, rects, count * 4));
      });
EM_JS(void, PageShowDialog,
      (const char* name, int outcome, int elapsed, int skipped, int hp, int aliens), {
        Module.page.showDialog(UTF8ToString(name), {
          outcome : outcome,
          elapsedCycle : elapsed,
          skippedCycle : skipped,
          currentHp : hp,
          nextStageAliens : aliens
        });
      });
EM_JS(void, PageShowPaused, (int paused), { Module.page.showPaused(paused != 0); });
EM_JS(void, PageToggleFullScreen, (), { Module.page.toggleFullScreen(); });

namespace quillmoor {

WebPage::WebPage() : m_session(ProcessGameWorld(), *this) {}

void WebPage::Start() {
  BuildPalette(ProcessPalette());
  m_canvasPalette = RgbaBytePalette(ProcessPalette());
  // The page lays out the title and then reports the canvas's size, which needs the palette.
  PageReceiveTexts(PageTextsJson().c_str());
  m_session.Start();
}

void WebPage::Frame(double now) {
  m_clock.BeginFrame(now);
  // Expiries that come while a tick waits for a dialog's answer are dropped by the session, as
  // a desktop timer's are during a modal dialog.
  while (m_clock.TakeExpiry()) {
    m_session.OnTimer();
  }
  if (m_pictureWanted && !m_session.inTitlePhase()) {
    m_pictureWanted = false;
    UpdatePicture();
  }
}

void WebPage::VisibilityChanged(bool visible) {
  if (!visible) {
    m_clock.ForgetLastFrame();
  }
}

void WebPage::Resize(int deviceWidth, int deviceHeight, double ratio) {
  const CanvasSize size = CapCanvasSize(deviceWidth, deviceHeight);
  const bool drawn = ResizeFrameBuffer(m_frameBuffer, size.width, size.height, m_canvasPalette[0]);
  m_pixelScale = PixelScaleForRatio(ratio);
  m_pictureSide = NoPicture;
  m_picture.Invalidate();
  m_pictureWanted = true;
  PageSizeCanvas(size.width, size.height, ratio, size.capped, drawn);
}

bool WebPage::KeyDown(const DomKeyEvent& event) {
  // The keys belong to an open dialog: Return, Esc and Tab must work there.
  if (m_session.dialogOpen()) {
    return false;
  }
  const KeyPress press = KeyPressOf(event);
  m_session.OnKeyDown(press);
  if (IsAcceleratorKeystroke(press)) {
    return true;
  }
  const DesktopCommand command = DesktopCommandOf(press);
  // A page cannot close its tab: Ctrl+Q stays the browser's.
  if (command == DesktopCommand::Quit) {
    return false;
  }
  return command != DesktopCommand::None || (!press.alt && IsAcceptedKey(press.code));
}

void WebPage::ModifiersChanged(bool shift, bool ctrl) {
  m_held = ModifierState{shift, ctrl};
}

void WebPage::DialogClosed(int result) {
  m_session.OnDialogClosed(result);
}

void WebPage::StartTimer(int milliseconds) {
  m_clock.Start(milliseconds);
}

void WebPage::StopTimer() {
  m_clock.Stop();
}

ModifierState WebPage::QueryModifiers() {
  return m_held;
}

// The title is part of the page, shown as it was laid out until it is removed.
void WebPage::RepaintTitle() {}

void WebPage::RemoveTitle() {
  PageRemoveTitle();
  m_pictureWanted = true;
}

// The canvas shows nothing before the frame ends, so a tick only marks the picture; the frame
// brings it up to date once, however many ticks it ran.
void WebPage::RepaintNow() {
  m_pictureWanted = true;
}

void WebPage::UpdatePicture() {
  if (!m_frameBuffer) {
    return;
  }
  const int side = m_session.state().m_viewMode * m_pixelScale;
  // A new cell size can leave edge strips the new picture does not reach; they show black
  // rather than a misaligned piece of the old picture.
  if (m_pictureSide != side) {
    if (m_pictureSide != NoPicture) {
      ClearFrameBuffer(m_frameBuffer, m_canvasPalette[0]);
    }
    m_picture.Invalidate();
    m_pictureSide = side;
  }
  m_picture.Update(m_frameBuffer, ProcessGameWorld().grid, m_canvasPalette,
                   m_session.state().m_viewMode, m_pixelScale, m_damage);
  if (m_damage.empty()) {
    return;
  }
  m_rects.clear();
  for (const CellRect& rect : m_damage.Rects()) {
    m_rects.insert(m_rects.end(),
                   {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
  }
  PagePresent(m_frameBuffer.pixels.get(), m_frameBuffer.width, m_frameBuffer.height, m_rects.data(),
              static_cast<int>(m_rects.size() / 4));
}

DialogAnswer WebPage::RunNextStageDialog(const NextStageReport& report) {
  // The stage's last state is on screen before its dialog.
  UpdatePicture();
  PageShowDialog("nextStage", static_cast<int>(report.outcome), report.elapsedCycle,
                 report.skippedCycle, report.currentHp, report.nextStageAliens);
  return AnswerLater;
}

DialogAnswer WebPage::RunAuthorCareerDialog() {
  PageShowDialog("career", 0, 0, 0, 0, 0);
  return AnswerLater;
}

DialogAnswer WebPage::RunVersionDialog() {
  PageShowDialog("version", 0, 0, 0, 0, 0);
  return AnswerLater;
}

DialogAnswer WebPage::RunKeysDialog() {
  PageShowDialog("keys", 0, 0, 0, 0, 0);
  return AnswerLater;
}

void WebPage::ShowPaused(bool paused) {
  PageShowPaused(paused ? 1 : 0);
}

void WebPage::ToggleFullScreen() {
  PageToggleFullScreen();
}

// A page cannot close the browser's tab; Ctrl+Q is left to the browser.
void WebPage::Close() {}

}  // namespace quillmoor
