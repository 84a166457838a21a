// SPDX-License-Identifier: MIT
// The frame's swallowed keystrokes and the desktop's commands, read from virtual-key codes.
#include "game/desktop_keys.h"

#include <algorithm>
#include <array>

#include "game/key_codes.h"

namespace quillmoor {

namespace {

constexpr bool Shift = true;
constexpr bool Ctrl = true;
constexpr bool Alt = true;

constexpr std::array<Keystroke, 10> Accelerators = {{
    {KeyC, !Shift, Ctrl, !Alt, CommandEditCopy},
    {KeyV, !Shift, Ctrl, !Alt, CommandEditPaste},
    {KeyBackspace, !Shift, !Ctrl, Alt, CommandEditUndo},
    {KeyDelete, Shift, !Ctrl, !Alt, CommandEditCut},
    {KeyF6, !Shift, !Ctrl, !Alt, CommandNextPane},
    {KeyF6, Shift, !Ctrl, !Alt, CommandPrevPane},
    {KeyInsert, !Shift, Ctrl, !Alt, CommandEditCopy},
    {KeyInsert, Shift, !Ctrl, !Alt, CommandEditPaste},
    {KeyX, !Shift, Ctrl, !Alt, CommandEditCut},
    {KeyZ, !Shift, Ctrl, !Alt, CommandEditUndo},
}};

bool NoModifier(const KeyPress& key) {
  return !key.shift && !key.ctrl && !key.alt;
}

}  // namespace

std::span<const Keystroke> AcceleratorKeystrokes() {
  return Accelerators;
}

bool IsAcceleratorKeystroke(const KeyPress& key) {
  return std::any_of(Accelerators.begin(), Accelerators.end(), [&key](const Keystroke& stroke) {
    return stroke.code == key.code && stroke.shift == key.shift && stroke.ctrl == key.ctrl &&
           stroke.alt == key.alt;
  });
}

DesktopCommand DesktopCommandOf(const KeyPress& key) {
  if (key.alt) {
    return DesktopCommand::None;
  }
  if (key.code == KeyQ && key.ctrl && !key.shift) {
    return DesktopCommand::Quit;
  }
  // Ctrl+P still pauses, as Ctrl with any other letter is that letter to the game.
  if (key.code == KeyP || key.code == KeyPause) {
    return DesktopCommand::TogglePause;
  }
  if (NoModifier(key) && key.code == KeyF1) {
    return DesktopCommand::ShowKeys;
  }
  if (NoModifier(key) && key.code == KeyF11) {
    return DesktopCommand::ToggleFullScreen;
  }
  return DesktopCommand::None;
}

}  // namespace quillmoor
