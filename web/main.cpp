// SPDX-License-Identifier: MIT
// The page's entry points: the browser's events to the one WebPage, and what the page's script
// calls (its resizes, its dialogs' answers) and reads (the game's progress).
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "web/web_page.h"

namespace {

quillmoor::WebPage& Page() {
  static quillmoor::WebPage page;
  return page;
}

quillmoor::DomKeyEvent DomEventOf(const EmscriptenKeyboardEvent& event) {
  return quillmoor::DomKeyEvent{event.code,         event.key,         event.shiftKey != 0,
                                event.ctrlKey != 0, event.altKey != 0, event.metaKey != 0,
                                event.repeat != 0};
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
  Page().ModifiersChanged(event->shiftKey != 0, event->ctrlKey != 0);
  return Page().KeyDown(DomEventOf(*event)) ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* event, void*) {
  Page().ModifiersChanged(event->shiftKey != 0, event->ctrlKey != 0);
  return EM_FALSE;
}

// Keys released while the page has no focus never arrive as key-ups.
EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
  Page().ModifiersChanged(false, false);
  return EM_FALSE;
}

EM_BOOL OnVisibilityChange(int, const EmscriptenVisibilityChangeEvent* event, void*) {
  Page().VisibilityChanged(event->hidden == 0);
  return EM_FALSE;
}

EM_BOOL OnAnimationFrame(double now, void*) {
  Page().Frame(now);
  return EM_TRUE;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void qm_resize(int deviceWidth, int deviceHeight, double ratio) {
  Page().Resize(deviceWidth, deviceHeight, ratio);
}

EMSCRIPTEN_KEEPALIVE void qm_dialog_closed(int result) {
  Page().DialogClosed(result);
}

// What the game shows of its progress, for the page's tests and benchmark: 0 ticks so far,
// 1 the stage's elapsed cycles, 2 the tick period, 3 paused, 4 a dialog open, 5 the zoom.
EMSCRIPTEN_KEEPALIVE int qm_status(int what) {
  const quillmoor::GameSession& session = Page().session();
  switch (what) {
    case 0:
      return session.state().m_tickCount;
    case 1:
      return session.state().m_elapsedCycles;
    case 2:
      return session.tickPeriod();
    case 3:
      return session.paused() ? 1 : 0;
    case 4:
      return session.dialogOpen() ? 1 : 0;
    case 5:
      return session.state().m_viewMode;
    default:
      return -1;
  }
}

}  // extern "C"

int main() {
  Page().Start();
  // On the window, in the capture phase: the keys work as soon as the page has loaded, with no
  // element to click first, and before anything else on the page sees them.
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, nullptr, EM_TRUE, OnKeyDown);
  emscripten_set_keyup_callback(window, nullptr, EM_TRUE, OnKeyUp);
  emscripten_set_blur_callback(window, nullptr, EM_TRUE, OnBlur);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibilityChange);
  emscripten_request_animation_frame_loop(OnAnimationFrame, nullptr);
  return 0;
}
