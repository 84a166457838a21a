// SPDX-License-Identifier: MIT
// The one place the page's texts come from: captions, the title screen, the dialogs and the keys
// as a browser has them. The page's script writes none of them itself.
#include "web/page_texts.h"

#include <cstdio>
#include <iterator>
#include <string_view>
#include <utility>

namespace quillmoor {

// The career text, UTF-8, generated from the dialog's own text file.
extern const char CareerTextUtf8[];

namespace {

constexpr std::string_view FrameTitle = "Quillmoor";
constexpr std::string_view PausedFrameTitle = "Quillmoor — 一時停止 Paused";

// The faces the game was laid out with, then what a browser may have instead: Debian's
// equivalents first, then the generic family.
struct FaceFallbacks {
  std::string_view face;
  std::string_view fallbacks;
};
constexpr FaceFallbacks Faces[] = {
    {"MS P 明朝", "\"MS PMincho\", \"IPAPMincho\", \"IPAexMincho\", \"Noto Serif CJK JP\", serif"},
    {"Century", "\"C059\", \"Century Schoolbook\", \"New Century Schoolbook\", serif"},
    {"MS UI Gothic", "\"IPAPGothic\", \"IPAexGothic\", \"Noto Sans CJK JP\", sans-serif"},
    {"MS Shell Dlg", "\"Tahoma\", \"IPAPGothic\", \"Noto Sans CJK JP\", sans-serif"},
};

struct TitleLine {
  std::string_view text;
  int left, top, right, bottom;
  std::string_view face;
  int height;  // the cell height: ascent + descent, in pixels
  int width;   // the average character width, in pixels
  bool italic;
  bool rightAligned;
};
constexpr TitleLine TitleLines[] = {
    {"あなたにとって価値のあるものは何ですか？", 100, 50, 500, 100, "MS P 明朝", 40, 15, true,
     false},
    {"Quillmoor", 0, 100, 1200, 300, "Century", 140, 35, true, false},
    {"～Quillmoor～", 0, 300, 1200, 400, "MS P 明朝", 80, 30, false, false},
    {"by Tobias Quill", 700, 400, 1100, 450, "Century", 40, 10, true, false},
    {"You can at least kill time.", 600, 475, 1100, 525, "Century", 40, 10, true, false},
    {"Copyright (C) 2026 Tobias Quill", 500, 550, 1100, 600, "Century", 40, 10, false, true},
};

enum class Kind { Button, Static, EditCentredBare, EditCentred, EditLeft, EditMultiLine, Icon };

constexpr std::string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::Button:
      return "button";
    case Kind::Static:
      return "static";
    case Kind::EditCentredBare:
      return "edit-centred-bare";
    case Kind::EditCentred:
      return "edit-centred";
    case Kind::EditLeft:
      return "edit-left";
    case Kind::EditMultiLine:
      return "edit-multiline";
    case Kind::Icon:
      return "icon";
  }
  return "static";
}

// A control in dialog units; field names what the page fills in ("" for fixed text).
struct Control {
  Kind kind;
  std::string_view field;
  std::string_view text;
  int x, y, width, height;
};

struct Dialog {
  std::string_view name;
  std::string_view caption;
  std::string_view face;
  int points;
  int width, height;
  const Control* controls;
  int controlCount;
};

constexpr Control NextStageControls[] = {
    {Kind::Button, "", "OK", 127, 116, 50, 14},
    {Kind::EditCentredBare, "messageJa", "", 7, 7, 170, 14},
    {Kind::EditCentred, "messageEn", "", 7, 24, 170, 14},
    {Kind::Static, "", "Elapsed Cycle:", 31, 44, 48, 8},
    {Kind::Static, "", "Skipped Cycle:", 31, 63, 48, 8},
    {Kind::Static, "", "Current HP:", 31, 82, 39, 8},
    {Kind::Static, "", "NextStageAliens:", 31, 101, 56, 8},
    {Kind::EditLeft, "elapsedCycle", "", 91, 41, 63, 14},
    {Kind::EditLeft, "skippedCycle", "", 91, 60, 63, 14},
    {Kind::EditLeft, "currentHp", "", 91, 79, 63, 14},
    {Kind::EditLeft, "nextStageAliens", "", 91, 98, 63, 14},
};

constexpr Control CareerControls[] = {
    {Kind::Button, "", "OK", 259, 282, 50, 14},
    {Kind::EditMultiLine, "career", "", 7, 7, 302, 272},
};

constexpr Control VersionControls[] = {
    {Kind::Icon, "", "", 14, 14, 20, 20},
    {Kind::Static, "", "Quillmoor, Version " QUILLMOOR_SHORT_VERSION, 42, 14, 114, 8},
    {Kind::Static, "", "Copyright (C) 2026 Tobias Quill", 41, 27, 157, 8},
    {Kind::Button, "", "OK", 154, 41, 50, 14},
};

// Indexed by the stage's outcome: won, given up, out of hit points.
constexpr std::string_view OutcomeMessagesJa[] = {
    "ようやった。さあ、次行こうか！",
    "あきらめるな。まだまだだ！",
    "遊びの時間は終わらない。",
};
constexpr std::string_view OutcomeMessagesEn[] = {
    "You Win! Let's Go To Next Stage.",
    "Neverrrr, Give Up! Go To Next.",
    "Playing Time Never Ends.",
};

struct KeyRow {
  std::string_view keys;
  std::string_view japanese;
  std::string_view english;
};

// The desktop's keys as a browser leaves them to a page: it keeps Ctrl+1...9 for its tabs and
// Ctrl+Q for itself.
constexpr KeyRow KeyRows[] = {
    {"← ↑ → ↓", "一歩進み、通路を走る（継ぎ目を越えると ↑ と ↓ が逆に）",
     "step, then run on along the corridor (↑ and ↓ swap after crossing the seam)"},
    {"Space", "↑ と ↓ を元に戻す", "straighten ↑ and ↓ again"},
    {"N", "通路を自動で走る", "run along corridors by itself"},
    {"F", "でたらめに歩き回る", "wander at random"},
    {"W", "深さ優先で探検する", "explore depth-first"},
    {"R", "止まる", "stop"},
    {"S", "迷路をすぐに完成させる", "finish growing the maze now"},
    {"1, 2, 3", "拡大：1 マス 1・2・3 ピクセル", "zoom: 1, 2 or 3 pixels per cell"},
    {"Ctrl + Alt + 1…9", "1 ティック 100～900 ミリ秒（Ctrl + 1…9 はブラウザーのタブ切り替え）",
     "tick period 100 … 900 ms (the browser keeps Ctrl + 1…9 for its tabs)"},
    {"Shift + 1…9", "1 ティック 10～90 ミリ秒", "tick period 10 … 90 ms"},
    {"Ctrl + Shift + 1…9", "1 ティック 1～9 ミリ秒", "tick period 1 … 9 ms"},
    {"Esc", "このステージをあきらめる（OK 以外で閉じると続ける）",
     "give up the stage (close the dialog without OK to play on)"},
    {"A", "作者の経歴", "the author's career"},
    {"V", "バージョン情報", "version information"},
    {"P, Pause", "一時停止（もう一度で再開）", "pause the game; again to resume"},
    {"F1", "操作方法（この一覧）", "the keys and what they do"},
    {"F11", "全画面表示（もう一度で元に戻す。全画面では Ctrl + 1…9 も使える）",
     "full screen; again to go back (there Ctrl + 1…9 work too, where the browser allows it)"},
    {"Ctrl + Q", "ページはタブを閉じられない：ブラウザーに任せる",
     "left to the browser: a page cannot close its tab"},
};

// Dialog units, as the desktop's keys dialog is laid out: each column a tenth wider than its
// longest text in the dialog font.
constexpr int KeysMargin = 7;
constexpr int KeysColumnGap = 8;
constexpr int KeysWidth = 68;
constexpr int JapaneseWidth = 250;
constexpr int EnglishWidth = 300;
constexpr int KeysRowHeight = 8;
constexpr int KeysRowPitch = 11;

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

void WriteControls(JsonWriter& json, const Control* controls, int count) {
  json.Key("controls");
  json.Open('[');
  for (int i = 0; i < count; ++i) {
    const Control& control = controls[i];
    json.Open('{');
    json.Field("kind", KindName(control.kind));
    json.Field("field", control.field);
    json.Field("text", control.text);
    json.Field("x", control.x);
    json.Field("y", control.y);
    json.Field("width", control.width);
    json.Field("height", control.height);
    json.Close('}');
  }
  json.Close(']');
}

void WriteDialog(JsonWriter& json, const Dialog& dialog) {
  json.Key(dialog.name);
  json.Open('{');
  json.Field("caption", dialog.caption);
  json.Field("face", dialog.face);
  json.Field("points", dialog.points);
  json.Field("width", dialog.width);
  json.Field("height", dialog.height);
  WriteControls(json, dialog.controls, dialog.controlCount);
  json.Close('}');
}

void WriteKeysDialog(JsonWriter& json) {
  constexpr int rows = static_cast<int>(std::size(KeyRows));
  constexpr int japaneseX = KeysMargin + KeysWidth + KeysColumnGap;
  constexpr int englishX = japaneseX + JapaneseWidth + KeysColumnGap;
  constexpr int width = englishX + EnglishWidth + KeysMargin;
  constexpr int buttonY = KeysMargin + rows * KeysRowPitch + 4;
  constexpr int height = buttonY + 14 + KeysMargin;
  Control controls[1 + 3 * rows];
  controls[0] = {Kind::Button, "", "OK", width - KeysMargin - 50, buttonY, 50, 14};
  for (int i = 0; i < rows; ++i) {
    const int y = KeysMargin + i * KeysRowPitch;
    controls[1 + 3 * i] = {Kind::Static, "",           KeyRows[i].keys, KeysMargin, y,
                           KeysWidth,    KeysRowHeight};
    controls[2 + 3 * i] = {Kind::Static,  "",           KeyRows[i].japanese, japaneseX, y,
                           JapaneseWidth, KeysRowHeight};
    controls[3 + 3 * i] = {Kind::Static, "",           KeyRows[i].english, englishX, y,
                           EnglishWidth, KeysRowHeight};
  }
  WriteDialog(json, {"keys", "操作方法 Keys", "MS Shell Dlg", 8, width, height, controls,
                     static_cast<int>(std::size(controls))});
}

}  // namespace

std::string PageTextsJson() {
  JsonWriter json;
  json.Open('{');
  json.Field("frameTitle", FrameTitle);
  json.Field("pausedFrameTitle", PausedFrameTitle);

  json.Key("faces");
  json.Open('{');
  for (const FaceFallbacks& face : Faces) {
    json.Field(face.face, face.fallbacks);
  }
  json.Close('}');

  json.Key("titleLines");
  json.Open('[');
  for (const TitleLine& line : TitleLines) {
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
    json.Bool(line.rightAligned);
    json.Close('}');
  }
  json.Close(']');

  json.Key("outcomes");
  json.Open('[');
  for (std::size_t i = 0; i < std::size(OutcomeMessagesJa); ++i) {
    json.Open('{');
    json.Field("messageJa", OutcomeMessagesJa[i]);
    json.Field("messageEn", OutcomeMessagesEn[i]);
    json.Close('}');
  }
  json.Close(']');
  json.Field("career", CareerTextUtf8);

  json.Key("dialogs");
  json.Open('{');
  WriteDialog(json, {"nextStage", "Go To Next Stage", "MS Shell Dlg", 8, 184, 137,
                     NextStageControls, static_cast<int>(std::size(NextStageControls))});
  WriteDialog(json, {"career", "著者経歴 Author Carrier", "MS Shell Dlg", 8, 316, 303,
                     CareerControls, static_cast<int>(std::size(CareerControls))});
  WriteDialog(json, {"version", "バージョン情報 Quillmoor", "MS UI Gothic", 9, 211, 62,
                     VersionControls, static_cast<int>(std::size(VersionControls))});
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
