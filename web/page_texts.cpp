// SPDX-License-Identifier: MIT
// The one place the page's texts come from: captions, the title screen, the dialogs and the keys
// as a browser has them. The page's script writes none of them itself.
#include "web/page_texts.h"

#include <cstdio>
#include <iterator>
#include <string_view>
#include <utility>

#include "resources/career_text.h"
#include "resources/dialog_templates.h"
#include "resources/font_faces.h"
#include "resources/keys_rows.h"
#include "resources/outcome_messages.h"
#include "resources/title_lines.h"
#include "resources/window_captions.h"

namespace quillmoor {

namespace {

// The faces the game was laid out with, then what a browser may have instead: Debian's
// equivalents first, then the generic family.
struct FaceFallbacks {
  std::string_view face;
  std::string_view fallbacks;
};
constexpr FaceFallbacks Faces[] = {
    {MinchoFace, "\"MS PMincho\", \"IPAPMincho\", \"IPAexMincho\", \"Noto Serif CJK JP\", serif"},
    {CenturyFace, "\"C059\", \"Century Schoolbook\", \"New Century Schoolbook\", serif"},
    {UiGothicFace, "\"IPAPGothic\", \"IPAexGothic\", \"Noto Sans CJK JP\", sans-serif"},
    {ShellDialogFace, "\"Tahoma\", \"IPAPGothic\", \"Noto Sans CJK JP\", sans-serif"},
};

constexpr std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultButton:
      return "button";
    case ControlKind::Static:
    case ControlKind::StaticNoPrefix:
      return "static";
    case ControlKind::Icon:
      return "icon";
    case ControlKind::EditCentredBare:
      return "edit-centred-bare";
    case ControlKind::EditCentred:
      return "edit-centred";
    case ControlKind::EditLeft:
      return "edit-left";
    case ControlKind::EditMultiLine:
      return "edit-multiline";
  }
  return "static";
}

// The name under which the page fills a control in; empty for fixed text.
std::string_view FieldOf(const DialogTemplate& dialog, int id) {
  if (dialog.id == AuthorCarrierDialogId && id == AuthorCarrierCareerId) {
    return "career";
  }
  if (dialog.id != NextStageDialogId) {
    return {};
  }
  switch (id) {
    case NextStageMessageJaId:
      return "messageJa";
    case NextStageMessageEnId:
      return "messageEn";
    case NextStageElapsedCycleId:
      return "elapsedCycle";
    case NextStageSkippedCycleId:
      return "skippedCycle";
    case NextStageCurrentHpId:
      return "currentHp";
    case NextStageNextAliensId:
      return "nextStageAliens";
    default:
      return {};
  }
}

// The rows a browser words its own way: it keeps Ctrl+1...9 for its tabs and Ctrl+Q for
// itself, and full screen lets the page have more keys.
struct BrowserKeyRow {
  std::string_view desktopKeys;
  KeyRow row;
};
constexpr BrowserKeyRow BrowserKeyRows[] = {
    {"Ctrl + 1…9",
     {"Ctrl + Alt + 1…9", "1 ティック 100～900 ミリ秒（Ctrl + 1…9 はブラウザーのタブ切り替え）",
      "tick period 100 … 900 ms (the browser keeps Ctrl + 1…9 for its tabs)"}},
    {"F11",
     {"F11", "全画面表示（もう一度で元に戻す。全画面では Ctrl + 1…9 も使える）",
      "full screen; again to go back (there Ctrl + 1…9 work too, where the browser allows it)"}},
    {"Ctrl + Q",
     {"Ctrl + Q", "ページはタブを閉じられない：ブラウザーに任せる",
      "left to the browser: a page cannot close its tab"}},
};

const KeyRow& BrowserRow(const KeyRow& row) {
  for (const BrowserKeyRow& browser : BrowserKeyRows) {
    if (browser.desktopKeys == row.keys) {
      return browser.row;
    }
  }
  return row;
}

// Dialog units, laid out as the desktop's keys dialog is, with columns wide enough for the
// browser's longer rows.
constexpr int KeysMargin = 7;
constexpr int KeysColumnGap = 8;
constexpr int KeysWidth = 68;
constexpr int JapaneseWidth = 250;
constexpr int EnglishWidth = 300;
constexpr int KeysRowHeight = 8;
constexpr int KeysRowPitch = 11;
constexpr int ButtonWidth = 50;
constexpr int ButtonHeight = 14;

class JsonWriter {
 public:
  std::string& out() { return m_out; }

  void String(std::string_view text) {
    m_out += '"';
    for (const char c : text) {
      switch (c) {
        case '"':
          m_out += "\\\"";
          break;
        case '\\':
          m_out += "\\\\";
          break;
        case '\n':
          m_out += "\\n";
          break;
        case '\r':
          m_out += "\\r";
          break;
        case '\t':
          m_out += "\\t";
          break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned>(c));
            m_out += escaped;
          } else {
            m_out += c;
          }
      }
    }
    m_out += '"';
  }
  void Key(std::string_view name) {
    Separate();
    String(name);
    m_out += ':';
    m_afterKey = true;
  }
  void Number(int value) {
    Separate();
    m_out += std::to_string(value);
  }
  void Bool(bool value) {
    Separate();
    m_out += value ? "true" : "false";
  }
  void Text(std::string_view text) {
    Separate();
    String(text);
  }
  void Open(char bracket) {
    Separate();
    m_out += bracket;
    m_first = true;
  }
  void Close(char bracket) {
    m_out += bracket;
    m_first = false;
  }
  void Field(std::string_view name, std::string_view text) {
    Key(name);
    Text(text);
  }
  void Field(std::string_view name, int value) {
    Key(name);
    Number(value);
  }

 private:
  // A comma before every value but the first of its object or array, and none after a key.
  void Separate() {
    if (m_afterKey) {
      m_afterKey = false;
      return;
    }
    if (!m_first) {
      m_out += ',';
    }
    m_first = false;
  }

  std::string m_out;
  bool m_first = true;
  bool m_afterKey = false;
};

void WriteControl(JsonWriter& json, ControlKind kind, std::string_view field, std::string_view text,
                  const DialogUnitRect& rect) {
  json.Open('{');
  json.Field("kind", KindName(kind));
  json.Field("field", field);
  json.Field("text", text);
  json.Field("x", rect.x);
  json.Field("y", rect.y);
  json.Field("width", rect.width);
  json.Field("height", rect.height);
  json.Close('}');
}

void WriteDialogHead(JsonWriter& json, std::string_view name, const DialogTemplate& dialog,
                     int width, int height) {
  json.Key(name);
  json.Open('{');
  json.Field("caption", dialog.caption);
  json.Field("face", dialog.fontFace);
  json.Field("points", dialog.fontPoints);
  json.Field("width", width);
  json.Field("height", height);
  json.Key("controls");
  json.Open('[');
}

void WriteDialog(JsonWriter& json, std::string_view name, const DialogTemplate& dialog) {
  WriteDialogHead(json, name, dialog, dialog.widthUnits, dialog.heightUnits);
  for (const ControlTemplate& control : dialog.controls) {
    WriteControl(json, control.kind, FieldOf(dialog, control.id), control.text, control.rect);
  }
  json.Close(']');
  json.Close('}');
}

void WriteKeysDialog(JsonWriter& json) {
  constexpr int rows = static_cast<int>(std::size(KeyRows));
  constexpr int japaneseX = KeysMargin + KeysWidth + KeysColumnGap;
  constexpr int englishX = japaneseX + JapaneseWidth + KeysColumnGap;
  constexpr int width = englishX + EnglishWidth + KeysMargin;
  constexpr int buttonY = KeysMargin + rows * KeysRowPitch + 4;
  constexpr int height = buttonY + ButtonHeight + KeysMargin;
  WriteDialogHead(json, "keys", KeysDialogTemplate, width, height);
  WriteControl(json, ControlKind::DefaultButton, {}, "OK",
               {width - KeysMargin - ButtonWidth, buttonY, ButtonWidth, ButtonHeight});
  for (int i = 0; i < rows; ++i) {
    const KeyRow& row = BrowserRow(KeyRows[i]);
    const int y = KeysMargin + i * KeysRowPitch;
    WriteControl(json, ControlKind::Static, {}, row.keys,
                 {KeysMargin, y, KeysWidth, KeysRowHeight});
    WriteControl(json, ControlKind::Static, {}, row.japanese,
                 {japaneseX, y, JapaneseWidth, KeysRowHeight});
    WriteControl(json, ControlKind::Static, {}, row.english,
                 {englishX, y, EnglishWidth, KeysRowHeight});
  }
  json.Close(']');
  json.Close('}');
}

}  // namespace

std::string PageTextsJson() {
  JsonWriter json;
  json.Open('{');
  json.Field("frameTitle", FrameCaption);
  json.Field("pausedFrameTitle", PausedFrameCaption);

  json.Key("faces");
  json.Open('{');
  for (const FaceFallbacks& face : Faces) {
    json.Field(face.face, face.fallbacks);
  }
  json.Close('}');

  json.Key("titleLines");
  json.Open('[');
  for (const TitleLineLayout& line : TitleLines) {
    json.Open('{');
    json.Field("text", line.text);
    json.Field("left", line.left);
    json.Field("top", line.top);
    json.Field("right", line.right);
    json.Field("bottom", line.bottom);
    json.Field("face", line.face);
    json.Field("height", line.height);
    json.Field("width", line.width);
    json.Key("italic");
    json.Bool(line.italic);
    json.Key("rightAligned");
    json.Bool(line.placement == TitlePlacement::Right);
    json.Close('}');
  }
  json.Close(']');

  json.Key("outcomes");
  json.Open('[');
  for (std::size_t i = 0; i < OutcomeMessagesJa.size(); ++i) {
    json.Open('{');
    json.Field("messageJa", OutcomeMessagesJa[i]);
    json.Field("messageEn", OutcomeMessagesEn[i]);
    json.Close('}');
  }
  json.Close(']');
  json.Field("career", CareerText());

  json.Key("dialogs");
  json.Open('{');
  WriteDialog(json, "nextStage", NextStageTemplate);
  WriteDialog(json, "career", AuthorCarrierTemplate);
  WriteDialog(json, "version", VersionDialogTemplate);
  WriteKeysDialog(json);
  json.Close('}');

  json.Key("notices");
  json.Open('{');
  json.Field("capped",
             "この画面はブラウザーのキャンバスには大きすぎるため、絵は {width} × {height} "
             "ピクセルまでです。 The window is larger than a browser's canvas can be: the picture "
             "is capped at {width} × {height} pixels.");
  json.Field("noPicture",
             "絵を描くメモリーがありません。 There is no memory for the picture at this size.");
  json.Close('}');
  json.Close('}');
  return std::move(json.out());
}

}  // namespace quillmoor
