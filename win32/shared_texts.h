// SPDX-License-Identifier: MIT
// The texts and dialog templates the Windows program shows, as the resource script's generator
// and the front end both take them: one seam onto the game's shared data, in UTF-8. Plain C++,
// so that the generator can be built for the build machine.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillmoor::win32 {

// The kinds of template control the game's dialogs are made of.
enum class ControlKind {
  DefaultButton,    // push button, the default one; tab stop
  Static,           // left-aligned label
  StaticNoPrefix,   // a label shown exactly, & included
  Icon,             // the application icon
  EditCentredBare,  // single-line read-only edit, centred text, no border; tab stop
  EditCentred,      // as EditCentredBare, with a border
  EditLeft,         // single-line read-only edit, left-aligned, border; tab stop
  EditMultiLine,    // read-only, border, vertical scroll bar, no wrap, no horizontal bar
};

inline constexpr int NoControlId = -1;  // a label nobody looks up

struct ControlData {
  ControlKind kind;
  int id;
  std::string_view text;    // empty for an edit filled at run time
  int x, y, width, height;  // dialog units
};

struct DialogData {
  int id;  // the template's resource id
  std::string_view caption;
  std::string_view fontFace;
  int fontPoints;
  int width, height;                      // dialog units, the client area
  std::span<const ControlData> controls;  // template order, which is also the tab order
};

// The version dialog (100), the career (130), the next stage (131) and the keys (132).
std::span<const DialogData> Dialogs();
const DialogData& DialogById(int id);

// One line of the title screen, in pixels of the title window's client area.
struct TitleLineData {
  std::string_view text;
  int left, top, right, bottom;
  std::string_view face;
  int height, width;  // CreateFont's cell height and average character width
  bool italic;
  bool rightAligned;  // else centred; either way drawn from the box's top edge
};
std::span<const TitleLineData> TitleLines();

// Indexed by the stage's outcome: won, gave up, out of hit points.
std::span<const std::string_view> OutcomeMessagesJa();
std::span<const std::string_view> OutcomeMessagesEn();

// The frame's captions, running and paused.
std::string_view FrameTitle();
std::string_view PausedFrameTitle();

// The author's career, every line ending in CR LF.
std::string CareerText();

// The version record's strings; FileVersion and ProductVersion are the project's version.
struct VersionStrings {
  std::string_view companyName;
  std::string_view fileDescription;
  std::string_view legalCopyright;
  std::string_view internalName;
  std::string_view originalFilename;
  std::string_view productName;
};
const VersionStrings& VersionRecord();

}  // namespace quillmoor::win32
