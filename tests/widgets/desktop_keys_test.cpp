// SPDX-License-Identifier: MIT
// The desktop's keys read from Qt key events, and every game key left to the game.
#include "game/desktop_keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QString>

#include "app/key_mapping.h"

namespace quillmoor {
namespace {

DesktopCommand Read(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0,
                    const QString& text = {}) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
  return DesktopCommandOf(KeyPressFromEvent(event));
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;

TEST(DesktopKeys, PauseIsPWhateverShiftCapsLockOrCtrlAndThePauseKey) {
  EXPECT_EQ(Read(Qt::Key_P, None, 33, "p"), DesktopCommand::TogglePause);
  EXPECT_EQ(Read(Qt::Key_P, Shift, 33, "P"), DesktopCommand::TogglePause);
  EXPECT_EQ(Read(Qt::Key_P, None, 33, "P"), DesktopCommand::TogglePause);  // Caps Lock
  EXPECT_EQ(Read(Qt::Key_P, Ctrl, 33, "\x10"), DesktopCommand::TogglePause);
  EXPECT_EQ(Read(Qt::Key_unknown, None, 0, "p"), DesktopCommand::TogglePause);
  EXPECT_EQ(Read(Qt::Key_Pause, None, 127), DesktopCommand::TogglePause);
  EXPECT_EQ(Read(Qt::Key_Pause, Shift, 127), DesktopCommand::TogglePause);
  // Alt combinations are the window manager's.
  EXPECT_EQ(Read(Qt::Key_P, Alt, 33, "p"), DesktopCommand::None);
  EXPECT_EQ(Read(Qt::Key_Pause, Alt, 127), DesktopCommand::None);
}

TEST(DesktopKeys, F1F11AndCtrlQCountOnlyWithExactlyTheirModifiers) {
  EXPECT_EQ(Read(Qt::Key_F1, None, 67), DesktopCommand::ShowKeys);
  EXPECT_EQ(Read(Qt::Key_F11, None, 95), DesktopCommand::ToggleFullScreen);
  EXPECT_EQ(Read(Qt::Key_Q, Ctrl, 24, "\x11"), DesktopCommand::Quit);
  for (const Qt::KeyboardModifiers other : {Shift, Ctrl, Alt, Ctrl | Shift}) {
    EXPECT_EQ(Read(Qt::Key_F1, other, 67), DesktopCommand::None) << other.toInt();
    EXPECT_EQ(Read(Qt::Key_F11, other, 95), DesktopCommand::None) << other.toInt();
  }
  for (const Qt::KeyboardModifiers other : {None, Shift, Alt, Ctrl | Shift, Ctrl | Alt}) {
    EXPECT_EQ(Read(Qt::Key_Q, other, 24, "q"), DesktopCommand::None) << other.toInt();
  }
}

TEST(DesktopKeys, EveryKeyTheGameReadsStaysTheGames) {
  for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
    if (key == Qt::Key_P) {
      continue;
    }
    const QString text(QChar(u'a' + (key - Qt::Key_A)));
    for (const Qt::KeyboardModifiers modifiers : {None, Shift, Ctrl, Ctrl | Shift}) {
      if (key == Qt::Key_Q && modifiers == Ctrl) {
        continue;
      }
      EXPECT_EQ(Read(key, modifiers, 0, text), DesktopCommand::None)
          << text.toStdString() << " " << modifiers.toInt();
    }
  }
  for (const int key : {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right,
                        Qt::Key_Down, Qt::Key_1, Qt::Key_9, Qt::Key_Exclam, Qt::Key_F2, Qt::Key_F6,
                        Qt::Key_F10, Qt::Key_F12, Qt::Key_Return}) {
    for (const Qt::KeyboardModifiers modifiers : {None, Shift, Ctrl, Ctrl | Shift}) {
      EXPECT_EQ(Read(key, modifiers, 0), DesktopCommand::None) << key << " " << modifiers.toInt();
    }
  }
  // A French layout's unshifted 1 is a symbol; the game reads it as the digit.
  EXPECT_EQ(Read(Qt::Key_Ampersand, Ctrl | Shift, 10, "&"), DesktopCommand::None);
}

}  // namespace
}  // namespace quillmoor
