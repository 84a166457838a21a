// SPDX-License-Identifier: MIT
// The frame's ten accelerator keystrokes: edit and pane commands that nothing handles.
#pragma once

#include <QKeyCombination>
#include <span>

class QKeyEvent;

namespace quillmoor {

// Copy, paste, undo, cut and pane switching, each with the exact modifiers it needs.
std::span<const QKeyCombination> AcceleratorKeystrokes();

// True when the key press is one of them, whatever other state (focus, activation, keypad)
// it arrives in: such a key must never reach the game.
bool IsAcceleratorKeystroke(const QKeyEvent& event);

}  // namespace quillmoor
