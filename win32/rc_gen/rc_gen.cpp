// SPDX-License-Identifier: MIT
// Build tool, run on the build machine: writes the Windows program's resource script from the
// game's shared texts and templates and its accelerator keystrokes, so that nothing is typed twice.
//
//   rc_gen <output.rc> <icon.ico> <manifest>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "game/desktop_keys.h"
#include "resources/dialog_templates.h"
#include "resources/version.h"
#include "resources/window_captions.h"
#include "win32/resource_ids.h"
#include "win32/version_record.h"

namespace {

using namespace quillmoor;
using namespace quillmoor::win32;
using quillmoor::ControlKind;

// A string literal of the script. Its code page is UTF-8, so only quotes and backslashes change.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') {
      out += "\"\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A path as the script names a file: forward slashes work for windres and rc alike.
std::string PathLiteral(std::string path) {
  for (char& c : path) {
    if (c == '\\') {
      c = '/';
    }
  }
  return Quoted(path);
}

const char* ControlStyle(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultButton:
      return "BS_DEFPUSHBUTTON | WS_TABSTOP";
    case ControlKind::Static:
      return "SS_LEFT | WS_GROUP";
    case ControlKind::StaticNoPrefix:
      return "SS_LEFT | SS_NOPREFIX | WS_GROUP";
    case ControlKind::Icon:
      return "SS_ICON";
    case ControlKind::EditCentredBare:
      return "ES_CENTER | ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP";
    case ControlKind::EditCentred:
      return "ES_CENTER | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP";
    case ControlKind::EditLeft:
      return "ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP";
    case ControlKind::EditMultiLine:
      // Auto-scrolling sideways is what keeps a multi-line edit from wrapping its lines.
      return "ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | "
             "WS_VSCROLL | WS_TABSTOP";
  }
  return "0";
}

const char* ControlClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultButton:
      return "\"Button\"";
    case ControlKind::Static:
    case ControlKind::StaticNoPrefix:
    case ControlKind::Icon:
      return "\"Static\"";
    case ControlKind::EditCentredBare:
    case ControlKind::EditCentred:
    case ControlKind::EditLeft:
    case ControlKind::EditMultiLine:
      return "\"Edit\"";
  }
  return "\"Static\"";
}

void WriteDialog(std::ostream& out, const DialogTemplate& dialog) {
  // MS Shell Dlg with DS_FIXEDSYS is the shell's dialog font (MS Shell Dlg 2 on NT).
  const bool shellFont = dialog.fontFace == "MS Shell Dlg";
  out << dialog.id << " DIALOGEX 0, 0, " << dialog.widthUnits << ", " << dialog.heightUnits << "\n"
      << "STYLE DS_SETFONT | DS_MODALFRAME" << (shellFont ? " | DS_FIXEDSYS" : "")
      << " | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
      << "CAPTION " << Quoted(dialog.caption) << "\n"
      << "FONT " << dialog.fontPoints << ", " << Quoted(dialog.fontFace) << ", 0, 0, 0x1\n"
      << "BEGIN\n";
  for (const ControlTemplate& control : dialog.controls) {
    out << "  CONTROL ";
    if (control.kind == ControlKind::Icon) {
      out << IdMainFrame;
    } else {
      out << Quoted(control.text);
    }
    const DialogUnitRect& rect = control.rect;
    out << ", " << ScriptControlId(control.id) << ", " << ControlClass(control.kind)
        << ", WS_CHILD | WS_VISIBLE | " << ControlStyle(control.kind) << ", " << rect.x << ", "
        << rect.y << ", " << rect.width << ", " << rect.height << "\n";
  }
  out << "END\n\n";
}

void WriteAccelerators(std::ostream& out) {
  out << IdMainFrame << " ACCELERATORS\nBEGIN\n";
  for (const Keystroke& stroke : AcceleratorKeystrokes()) {
    out << "  " << stroke.code << ", " << stroke.command << ", VIRTKEY";
    if (stroke.ctrl) {
      out << ", CONTROL";
    }
    if (stroke.shift) {
      out << ", SHIFT";
    }
    if (stroke.alt) {
      out << ", ALT";
    }
    out << ", NOINVERT\n";
  }
  out << "END\n\n";
}

void WriteVersion(std::ostream& out) {
  const std::string version = VersionString;
  std::ostringstream numbers;
  for (std::size_t i = 0; i < VersionNumbers.size(); ++i) {
    numbers << (i == 0 ? "" : ",") << VersionNumbers[i];
  }
  const VersionStrings& strings = VersionRecord;
  const auto value = [&out](std::string_view name, std::string_view text) {
    out << "      VALUE " << Quoted(name) << ", " << Quoted(text) << "\n";
  };
  out << IdVersionRecord << " VERSIONINFO\n"
      << "FILEVERSION " << numbers.str() << "\nPRODUCTVERSION " << numbers.str() << "\n"
      << "FILEFLAGSMASK VS_FFI_FILEFLAGSMASK\nFILEFLAGS 0x0L\nFILEOS VOS_NT_WINDOWS32\n"
      << "FILETYPE VFT_APP\nFILESUBTYPE VFT2_UNKNOWN\n"
      << "BEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"041103a4\"\n    BEGIN\n";
  value("CompanyName", strings.companyName);
  value("FileDescription", strings.fileDescription);
  value("FileVersion", version);
  value("InternalName", strings.internalName);
  value("LegalCopyright", CopyrightNotice);
  value("OriginalFilename", strings.originalFilename);
  value("ProductName", strings.productName);
  value("ProductVersion", version);
  out << "    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n"
      << "    VALUE \"Translation\", 0x411, 932\n  END\nEND\n\n";
}

std::string Script(const std::string& icon, const std::string& manifest) {
  std::ostringstream out;
  out << "// Generated by rc_gen from the game's shared texts and templates; do not edit.\n"
      << "#pragma code_page(65001)\n"
      << "#include <windows.h>\n\n"
      << "LANGUAGE 0x11, 0x01\n\n"
      << "STRINGTABLE\nBEGIN\n";
  for (const StringResource& string : StringTable) {
    out << "  " << string.id << ", " << Quoted(string.text) << "\n";
  }
  out << "END\n\n" << IdMainFrame << " ICON " << PathLiteral(icon) << "\n\n";
  WriteAccelerators(out);
  for (const DialogTemplate* dialog : DialogTemplates) {
    WriteDialog(out, *dialog);
  }
  WriteVersion(out);
  out << IdManifest << " 24 " << PathLiteral(manifest) << "\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: rc_gen <output.rc> <icon.ico> <manifest>\n");
    return 2;
  }
  std::ofstream output(argv[1], std::ios::binary | std::ios::trunc);
  output << Script(argv[2], argv[3]);
  output.close();
  if (!output) {
    std::fprintf(stderr, "rc_gen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
