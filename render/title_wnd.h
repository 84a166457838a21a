// SPDX-License-Identifier: MIT
// The title screen: six fixed lines of text that cover the game view until play begins.
#pragma once

#include <array>
#include <iterator>

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include "resources/title_lines.h"

namespace quillmoor {

class CTitleWnd : public QWidget {
  Q_OBJECT

 public:
  // One line of the title: drawn from the top edge of its box, never wrapped nor clipped.
  struct TitleLine {
    QFont font;
    QRect box;
    QString text;
    Qt::Alignment alignment;
  };
  static constexpr int LineCount = static_cast<int>(std::size(TitleLines));

  // Builds the fonts and texts; takes no focus and lets all input through to the view.
  explicit CTitleWnd(QWidget* parent = nullptr);

  const std::array<TitleLine, LineCount>& lines() const { return m_lines; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Fills the client area with the window colour and draws the six lines in black.
  void OnPaint();

  std::array<TitleLine, LineCount> m_lines;
};

}  // namespace quillmoor
