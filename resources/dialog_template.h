// SPDX-License-Identifier: MIT
// What a dialog template holds: the dialog's id, size, caption and font, and its controls, all
// in dialog units. Every front end builds its dialogs from templates of this shape.
#pragma once

#include <span>
#include <string_view>

namespace quillmoor {

// The OK button of every dialog (IDOK): it closes the dialog with the OK result.
inline constexpr int ControlIdOk = 1;
// A label that nobody looks up (a resource script's IDC_STATIC).
inline constexpr int ControlIdNone = 0;

// Horizontal units are quarters of the dialog font's average character width, vertical ones
// eighths of its line height.
struct DialogUnitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

enum class ControlKind {
  DefaultButton,    // push button, the default one; tab stop
  Static,           // left-aligned label; no tab stop
  StaticNoPrefix,   // as Static, with an ampersand shown as itself rather than as a mnemonic
  Icon,             // the application icon (icon group FrameResourceId) filling the box
  EditCentredBare,  // single-line read-only edit, centred text, no border; tab stop
  EditCentred,      // as EditCentredBare, with a border
  EditLeft,         // single-line read-only edit, left-aligned, border; tab stop
  EditMultiLine,    // read-only, border, vertical scroll bar always, no wrap, no horizontal bar
};

struct ControlTemplate {
  ControlKind kind;
  int id;                 // ControlIdNone for labels
  std::string_view text;  // UTF-8 initial text; empty for none and for the icon
  DialogUnitRect rect;
};

// Every dialog has a modal frame with a caption and a system menu (close box), and no other
// frame buttons; each control's position and size convert to pixels on their own.
struct DialogTemplate {
  int id;
  std::string_view caption;  // UTF-8
  std::string_view fontFace;
  int fontPoints;
  int widthUnits;  // client area
  int heightUnits;
  std::span<const ControlTemplate> controls;  // template order, which is also the tab order
};

}  // namespace quillmoor
