// SPDX-License-Identifier: MIT
// Qt's Wayland client (seen with 6.4) can free a frame callback twice when its window goes while
// the compositor's answer is being dispatched on Qt's frame thread, and aborts. Letting the
// answers arrive before a window goes keeps the tests clear of that race in Qt.
#pragma once

#include <QTest>

namespace quillmoor::test {

inline constexpr int FrameCallbacksArriveMs = 60;

inline void LetFrameCallbacksArrive() {
  QTest::qWait(FrameCallbacksArriveMs);
}

// Declared after a window, waits for its frame callbacks before the window goes.
struct FrameCallbacksArriveFirst {
  FrameCallbacksArriveFirst() = default;
  FrameCallbacksArriveFirst(const FrameCallbacksArriveFirst&) = delete;
  FrameCallbacksArriveFirst& operator=(const FrameCallbacksArriveFirst&) = delete;
  ~FrameCallbacksArriveFirst() { LetFrameCallbacksArrive(); }
};

}  // namespace quillmoor::test
