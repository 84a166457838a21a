// SPDX-License-Identifier: MIT
// The Windows program's resources read back as Windows reads them, against the shared data:
// strings, icon group, accelerators, dialog templates, version record and manifest, all Japanese.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/desktop_keys.h"
#include "resources/dialog_templates.h"
#include "resources/version.h"
#include "resources/window_captions.h"
#include "win32/resource_ids.h"
#include "win32/version_record.h"

namespace quillmoor::win32 {
namespace {

constexpr WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);
constexpr WORD ButtonClass = 0x0080;
constexpr WORD EditClass = 0x0081;
constexpr WORD StaticClass = 0x0082;

std::wstring Wide(std::string_view utf8) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetEnvironmentVariableW(L"QUILLMOOR_WINDOWS_EXE", path, MAX_PATH);
  return path;
}

class ResourceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  static void TearDownTestSuite() {
    if (module_ != nullptr) {
      FreeLibrary(module_);
    }
  }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot load the program's resources"; }

  // The resource's bytes in its one language, which must be Japanese.
  static std::vector<std::uint8_t> Resource(LPCWSTR type, LPCWSTR name) {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(
        module_, type, name,
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) -> BOOL {
          reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
          return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::vector<WORD>{Japanese});
    const HRSRC found = FindResourceExW(module_, type, name, Japanese);
    if (found == nullptr) {
      return {};
    }
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(module_, found)));
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module_, found));
  }

  static HMODULE module_;
};

HMODULE ResourceTest::module_ = nullptr;

// Reads a dialog template the way the dialog manager does.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  template <typename T>
  T Read() {
    T value{};
    if (pos_ + sizeof(T) <= bytes_.size()) {
      std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
    }
    pos_ += sizeof(T);
    return value;
  }
  std::wstring ReadString() {
    std::wstring text;
    for (wchar_t c = Read<wchar_t>(); c != 0 && pos_ <= bytes_.size(); c = Read<wchar_t>()) {
      text += c;
    }
    return text;
  }
  // A name or an ordinal: the ordinal, or -1 with the name.
  std::pair<int, std::wstring> ReadNameOrOrdinal() {
    const auto first = Read<WORD>();
    if (first == 0) {
      return {-1, L""};
    }
    if (first == 0xFFFF) {
      return {Read<WORD>(), L""};
    }
    pos_ -= sizeof(WORD);
    return {-1, ReadString()};
  }
  void AlignToDword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
  bool exhausted() const { return pos_ > bytes_.size(); }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t pos_ = 0;
};

struct ReadControl {
  DWORD style;
  int id;
  int x, y, width, height;
  int classOrdinal;
  std::wstring className;
  std::wstring text;
  int textOrdinal;
};

// The dialog manager takes a predefined class by its ordinal or by its name alike.
bool IsClass(const ReadControl& control, int ordinal, const wchar_t* name) {
  return control.classOrdinal == ordinal ||
         (control.classOrdinal == -1 && lstrcmpiW(control.className.c_str(), name) == 0);
}

// Style bits a control of each kind must carry and must not.
void ExpectStyleOf(quillmoor::ControlKind kind, const ReadControl& control) {
  const DWORD style = control.style;
  const auto has = [style](DWORD bits) { return (style & bits) == bits; };
  EXPECT_TRUE(has(WS_CHILD | WS_VISIBLE));
  switch (kind) {
    case ControlKind::DefaultButton:
      EXPECT_TRUE(IsClass(control, ButtonClass, L"Button"));
      EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
      EXPECT_TRUE(has(WS_TABSTOP));
      break;
    case ControlKind::Static:
    case ControlKind::StaticNoPrefix:
      EXPECT_TRUE(IsClass(control, StaticClass, L"Static"));
      EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
      EXPECT_EQ(has(SS_NOPREFIX), kind == ControlKind::StaticNoPrefix);
      break;
    case ControlKind::Icon:
      EXPECT_TRUE(IsClass(control, StaticClass, L"Static"));
      EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
      EXPECT_EQ(control.textOrdinal, IdMainFrame);
      break;
    case ControlKind::EditCentredBare:
    case ControlKind::EditCentred:
    case ControlKind::EditLeft:
      EXPECT_TRUE(IsClass(control, EditClass, L"Edit"));
      EXPECT_TRUE(has(ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP));
      EXPECT_FALSE(has(ES_MULTILINE));
      EXPECT_EQ(has(ES_CENTER), kind != ControlKind::EditLeft);
      EXPECT_EQ(has(WS_BORDER), kind != ControlKind::EditCentredBare);
      break;
    case ControlKind::EditMultiLine:
      // No wrap (auto-scrolling sideways) and no horizontal bar.
      EXPECT_TRUE(IsClass(control, EditClass, L"Edit"));
      EXPECT_TRUE(
          has(ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_VSCROLL | WS_TABSTOP));
      EXPECT_FALSE(has(WS_HSCROLL));
      break;
  }
}

TEST_F(ResourceTest, DialogTemplatesMatchTheSharedTemplates) {
  for (const DialogTemplate* dialog : DialogTemplates) {
    const DialogTemplate& expected = *dialog;
    SCOPED_TRACE("dialog " + std::to_string(expected.id));
    const auto bytes = Resource(RT_DIALOG, MAKEINTRESOURCEW(expected.id));
    ASSERT_FALSE(bytes.empty());
    TemplateReader reader(bytes);
    ASSERT_EQ(reader.Read<WORD>(), 1);  // DLGTEMPLATEEX
    ASSERT_EQ(reader.Read<WORD>(), 0xFFFF);
    reader.Read<DWORD>();  // help id
    reader.Read<DWORD>();  // extended style
    const auto style = reader.Read<DWORD>();
    EXPECT_EQ(style & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_POPUP | DS_SETFONT),
              static_cast<DWORD>(DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_POPUP | DS_SETFONT));
    const auto count = reader.Read<WORD>();
    reader.Read<short>();
    reader.Read<short>();
    EXPECT_EQ(reader.Read<short>(), expected.widthUnits);
    EXPECT_EQ(reader.Read<short>(), expected.heightUnits);
    EXPECT_EQ(reader.ReadNameOrOrdinal().first, -1);  // no menu
    reader.ReadNameOrOrdinal();                       // the standard dialog class
    EXPECT_EQ(reader.ReadString(), Wide(expected.caption));
    EXPECT_EQ(reader.Read<WORD>(), expected.fontPoints);
    reader.Read<WORD>();                // weight
    EXPECT_EQ(reader.Read<BYTE>(), 0);  // not italic
    reader.Read<BYTE>();                // character set
    EXPECT_EQ(reader.ReadString(), Wide(expected.fontFace));

    ASSERT_EQ(count, expected.controls.size());
    for (const ControlTemplate& want : expected.controls) {
      SCOPED_TRACE("control at " + std::to_string(want.rect.x) + ", " +
                   std::to_string(want.rect.y));
      reader.AlignToDword();
      ReadControl got{};
      reader.Read<DWORD>();  // help id
      reader.Read<DWORD>();  // extended style
      got.style = reader.Read<DWORD>();
      got.x = reader.Read<short>();
      got.y = reader.Read<short>();
      got.width = reader.Read<short>();
      got.height = reader.Read<short>();
      got.id = static_cast<int>(reader.Read<std::int32_t>());
      std::tie(got.classOrdinal, got.className) = reader.ReadNameOrOrdinal();
      std::tie(got.textOrdinal, got.text) = reader.ReadNameOrOrdinal();
      const auto extra = reader.Read<WORD>();
      for (WORD i = 0; i < extra; ++i) {
        reader.Read<BYTE>();
      }
      EXPECT_EQ(got.id, ScriptControlId(want.id));
      EXPECT_EQ(got.x, want.rect.x);
      EXPECT_EQ(got.y, want.rect.y);
      EXPECT_EQ(got.width, want.rect.width);
      EXPECT_EQ(got.height, want.rect.height);
      if (want.kind != ControlKind::Icon) {
        EXPECT_EQ(got.text, Wide(want.text));
      }
      ExpectStyleOf(want.kind, got);
    }
    EXPECT_FALSE(reader.exhausted()) << "the template ended early";
  }
}

TEST_F(ResourceTest, StringsNameTheFrameAndTheApplication) {
  ASSERT_EQ(StringTable.size(), 2u);
  for (const StringResource& string : StringTable) {
    Resource(RT_STRING, MAKEINTRESOURCEW(string.id / 16 + 1));
    wchar_t text[64] = {};
    EXPECT_GT(LoadStringW(module_, static_cast<UINT>(string.id), text, 64), 0);
    EXPECT_EQ(std::wstring(text), Wide(string.text));
  }
  EXPECT_EQ(StringTable[0].id, IdMainFrame);
  EXPECT_EQ(StringTable[1].id, IdAppTitle);
}

TEST_F(ResourceTest, AcceleratorsAreTheTenKeystrokesWithTheFrameworksCommands) {
  Resource(RT_ACCELERATOR, MAKEINTRESOURCEW(IdMainFrame));
  const HACCEL table = LoadAcceleratorsW(module_, MAKEINTRESOURCEW(IdMainFrame));
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
  CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
  // Copy, paste, undo, cut, next pane, previous pane, copy, paste, cut, undo.
  const int commands[] = {CommandEditCopy, CommandEditPaste, CommandEditUndo, CommandEditCut,
                          CommandNextPane, CommandPrevPane,  CommandEditCopy, CommandEditPaste,
                          CommandEditCut,  CommandEditUndo};
  const auto strokes = AcceleratorKeystrokes();
  ASSERT_EQ(entries.size(), strokes.size());
  ASSERT_EQ(entries.size(), std::size(commands));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Keystroke& stroke = strokes[i];
    const BYTE modifiers = (stroke.ctrl ? FCONTROL : 0) | (stroke.shift ? FSHIFT : 0) |
                           (stroke.alt ? FALT : 0) | FVIRTKEY;
    EXPECT_EQ(entries[i].key, stroke.code) << i;
    EXPECT_EQ(entries[i].fVirt & (FCONTROL | FSHIFT | FALT | FVIRTKEY), modifiers) << i;
    EXPECT_EQ(entries[i].cmd, commands[i]) << i;
  }
  DestroyAcceleratorTable(table);
}

TEST_F(ResourceTest, IconGroupHasSevenSizesInThreeDepths) {
  const auto group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IdMainFrame));
  ASSERT_GE(group.size(), 6u);
  const WORD count = static_cast<WORD>(group[4] | (group[5] << 8));
  ASSERT_EQ(count, 21);
  std::set<std::pair<int, int>> images;
  for (WORD i = 0; i < count; ++i) {
    const std::uint8_t* entry = group.data() + 6 + 14 * i;  // GRPICONDIRENTRY
    const int side = entry[0] == 0 ? 256 : entry[0];
    const int bits = entry[6] | (entry[7] << 8);
    const int id = entry[12] | (entry[13] << 8);
    images.insert({side, bits});
    const auto image = Resource(RT_ICON, MAKEINTRESOURCEW(id));
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, side);
    EXPECT_EQ(header.biHeight, 2 * side);  // colours and mask
    EXPECT_EQ(header.biBitCount, bits);
  }
  std::set<std::pair<int, int>> expected;
  for (const int side : {16, 32, 48, 64, 96, 128, 256}) {
    for (const int bits : {24, 8, 4}) {
      expected.insert({side, bits});
    }
  }
  EXPECT_EQ(images, expected);
}

TEST_F(ResourceTest, VersionRecordIsJapaneseAndNames0501) {
  Resource(RT_VERSION, MAKEINTRESOURCEW(IdVersionRecord));
  const std::wstring path = ProgramPath();
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<std::uint8_t> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000005u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00000005u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 932);

  const VersionStrings& strings = VersionRecord;
  const std::pair<const wchar_t*, std::string_view> values[] = {
      {L"FileVersion", VersionString},
      {L"ProductVersion", VersionString},
      {L"InternalName", strings.internalName},
      {L"OriginalFilename", strings.originalFilename},
      {L"ProductName", strings.productName},
      {L"CompanyName", strings.companyName},
      {L"FileDescription", strings.fileDescription},
      {L"LegalCopyright", CopyrightNotice},
  };
  for (const auto& [name, want] : values) {
    wchar_t* text = nullptr;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\041103a4\\") + name;
    ASSERT_TRUE(
        VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
        << "the version record has no such string";
    EXPECT_EQ(std::wstring(text), Wide(want));
  }
}

TEST_F(ResourceTest, ManifestAsksForAsInvokerPerMonitorDpiAndCommonControls6) {
  const auto bytes = Resource(RT_MANIFEST, MAKEINTRESOURCEW(IdManifest));
  const std::string manifest(bytes.begin(), bytes.end());
  for (const char* part : {"level=\"asInvoker\"", "uiAccess=\"false\"", ">PerMonitorV2<",
                           "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\""}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace quillmoor::win32
