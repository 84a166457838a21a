// SPDX-License-Identifier: MIT
// The title screen: six fixed lines of text that cover the game view until play begins, drawn
// as resources/title_lines.h lays them out.
#include "render/title_wnd.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

namespace quillmoor {

namespace {

constexpr int StretchUnscaled = 100;
constexpr int StretchMin = 1;
constexpr int StretchMax = 4000;

// Every line starts at the top edge of its box; only the horizontal placement differs.
constexpr Qt::Alignment Alignment(TitlePlacement placement) {
  return (placement == TitlePlacement::Right ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignTop;
}

// A font of the given face whose ascent + descent is cellHeight pixels and whose average
// character is averageWidth pixels wide; metrics that come out empty leave the face's own.
QFont MakeCellFont(const QString& face, int cellHeight, int averageWidth, bool italic) {
  QFont font(face);
  font.setItalic(italic);
  font.setWeight(QFont::Normal);
  font.setPixelSize(std::max(1, cellHeight));

  // A positive height names the cell (ascent + descent), not the em size Qt takes.
  const QFontMetrics emMetrics(font);
  const int cell = emMetrics.ascent() + emMetrics.descent();
  if (cell > 0 && cellHeight > 0) {
    font.setPixelSize(std::max(1, (cellHeight * cellHeight + cell / 2) / cell));
  }

  // The width is an average character width; Qt's default stretch is "any", so measure at 100.
  font.setStretch(StretchUnscaled);
  const int average = QFontMetrics(font).averageCharWidth();
  if (average > 0 && averageWidth > 0) {
    const int stretch = (StretchUnscaled * averageWidth + average / 2) / average;
    font.setStretch(std::clamp(stretch, StretchMin, StretchMax));
  }
  return font;
}

}  // namespace

CTitleWnd::CTitleWnd(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
  for (int i = 0; i < LineCount; ++i) {
    const TitleLineLayout& entry = TitleLines[i];
    m_lines[i] = TitleLine{
        MakeCellFont(QString::fromUtf8(entry.face), entry.height, entry.width, entry.italic),
        QRect(QPoint(entry.left, entry.top), QPoint(entry.right - 1, entry.bottom - 1)),
        QString::fromUtf8(entry.text), Alignment(entry.placement)};
  }
}

void CTitleWnd::paintEvent(QPaintEvent*) {
  OnPaint();
}

void CTitleWnd::OnPaint() {
  QPainter painter(this);
  // The colour of a window's client area (Base: white on the usual themes), not of a dialog face.
  painter.fillRect(rect(), palette().color(QPalette::Base));
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::TransparentMode);
  for (const TitleLine& line : m_lines) {
    painter.setFont(line.font);
    painter.drawText(QRectF(line.box), static_cast<int>(line.alignment) | Qt::TextDontClip,
                     line.text);
  }
}

}  // namespace quillmoor
