// SPDX-License-Identifier: MIT
// The frame's desktop keys: F1's keys dialog (its list, its closing, the game frozen under it),
// F11's full screen and Ctrl+Q.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include "app/main_frame.h"
#include "app/quillmoor_app.h"
#include "dialogs/dlg_keys.h"
#include "game/key_codes.h"
#include "game/tick_host.h"
#include "tests/widgets/modal_answer.h"

namespace quillmoor {
namespace {

const QString KeysTitle = QStringLiteral("操作方法 Keys");
constexpr int FastestPeriodMs = 1;
constexpr int QuietMs = 150;

// The keys column of the README's table: every key of the game and of the desktop.
const QStringList ExpectedKeys = {
    QStringLiteral("← ↑ → ↓"),
    QStringLiteral("Space"),
    QStringLiteral("N"),
    QStringLiteral("F"),
    QStringLiteral("W"),
    QStringLiteral("R"),
    QStringLiteral("S"),
    QStringLiteral("1, 2, 3"),
    QStringLiteral("Ctrl + 1…9"),
    QStringLiteral("Shift + 1…9"),
    QStringLiteral("Ctrl + Shift + 1…9"),
    QStringLiteral("Esc"),
    QStringLiteral("A"),
    QStringLiteral("V"),
    QStringLiteral("P, Pause"),
    QStringLiteral("F1"),
    QStringLiteral("F11"),
    QStringLiteral("Ctrl + Q"),
};

// (keys, what they do) of each row of the README's key table, in order.
std::vector<std::pair<QString, QString>> ReadmeKeyTable() {
  QFile readme(QStringLiteral(QUILLMOOR_README));
  if (!readme.open(QIODevice::ReadOnly)) {
    return {};
  }
  std::vector<std::pair<QString, QString>> rows;
  bool inTable = false;
  for (const QString& line : QString::fromUtf8(readme.readAll()).split(u'\n')) {
    if (line.startsWith(QStringLiteral("| key |"))) {
      inTable = true;
    } else if (inTable && line.startsWith(QStringLiteral("| ---"))) {
      continue;
    } else if (inTable && line.startsWith(u'|')) {
      const QStringList cells = line.split(u'|');
      if (cells.size() >= 3) {
        rows.emplace_back(cells[1].trimmed(), cells[2].trimmed());
      }
    } else if (inTable) {
      break;
    }
  }
  return rows;
}

struct KeyRowLabels {
  QLabel* keys = nullptr;
  QLabel* japanese = nullptr;
  QLabel* english = nullptr;
};

// The dialog's labels as rows of three, top to bottom, each row left to right.
std::vector<KeyRowLabels> LabelRows(const QDialog& dialog) {
  std::map<int, std::vector<QLabel*>> byTop;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    byTop[label->y()].push_back(label);
  }
  std::vector<KeyRowLabels> rows;
  for (auto& [top, labels] : byTop) {
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    KeyRowLabels row;
    row.keys = labels.at(0);
    row.japanese = labels.size() > 1 ? labels[1] : nullptr;
    row.english = labels.size() > 2 ? labels[2] : nullptr;
    rows.push_back(row);
  }
  return rows;
}

TEST(KeysDialog, ListsEveryKeyInJapaneseAndEnglishAsTheReadmeDoes) {
  CDlgKeys dialog;
  EXPECT_EQ(dialog.windowTitle(), KeysTitle);
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());

  const std::vector<std::pair<QString, QString>> readme = ReadmeKeyTable();
  QStringList readmeKeys;
  for (const auto& [keys, what] : readme) {
    readmeKeys << keys;
  }
  ASSERT_EQ(readmeKeys, ExpectedKeys);

  const std::vector<KeyRowLabels> rows = LabelRows(dialog);
  ASSERT_EQ(rows.size(), readme.size());
  const QRegularExpression japaneseScript(
      QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const KeyRowLabels& row = rows[i];
    ASSERT_TRUE(row.japanese && row.english) << "row " << i << " has not three columns";
    EXPECT_EQ(row.keys->text(), readme[i].first);
    EXPECT_EQ(row.english->text(), readme[i].second);
    EXPECT_TRUE(row.japanese->text().contains(japaneseScript)) << row.keys->text().toStdString();
    // Side by side on one line, each text whole inside its box and the box inside the dialog.
    for (const QLabel* label : {row.keys, row.japanese, row.english}) {
      EXPECT_EQ(label->y(), row.keys->y());
      EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
      EXPECT_LE(label->sizeHint().height(), label->height() + 2) << label->text().toStdString();
      EXPECT_TRUE(dialog.rect().contains(label->geometry())) << label->text().toStdString();
    }
    EXPECT_LT(row.keys->geometry().right(), row.japanese->x());
    EXPECT_LT(row.japanese->geometry().right(), row.english->x());
  }
}

TEST(KeysDialog, ClosesWithOkReturnEscAndTheCloseBox) {
  test::ExpectClosesEachWay<CDlgKeys>();
}

void ShowActive(CMainFrame& frame) {
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

// F1 freezes the game under its dialog, as A and V do, and leaves a paused game paused.
TEST(KeysDialog, F1OpensItWithTheGameFrozenPausedOrNot) {
  CMainFrame frame;
  ShowActive(frame);
  CChildView& view = frame.view();
  view.SetTickPeriod(FastestPeriodMs);
  for (const bool paused : {false, true}) {
    if (paused) {
      view.TogglePause();
    }
    QString title;
    int ticksUnder = -1;
    test::ModalAnswer answer([&](QWidget* dialog) {
      title = dialog->windowTitle();
      const int ticks = view.gameState().m_tickCount;
      QTest::qWait(QuietMs);
      ticksUnder = view.gameState().m_tickCount - ticks;
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::keyClick(frame.windowHandle(), Qt::Key_F1);
    ASSERT_TRUE(answer.answered()) << "F1 opened no dialog";
    EXPECT_EQ(title, KeysTitle);
    EXPECT_EQ(ticksUnder, 0) << "the game ran under the keys dialog";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(view.paused(), paused);

    const int ticks = view.gameState().m_tickCount;
    if (paused) {
      QTest::qWait(QuietMs);
      EXPECT_EQ(view.gameState().m_tickCount, ticks) << "closing the dialog ended the pause";
    } else {
      EXPECT_TRUE(QTest::qWaitFor([&] { return view.gameState().m_tickCount > ticks; }))
          << "the timer did not start again";
    }
  }
}

TEST(FullScreen, F11TogglesItAndThePictureFollowsTheSize) {
  CMainFrame frame;
  ShowActive(frame);
  CChildView& view = frame.view();
  // Paused, so that no tick acts on the Esc below with a dialog nobody answers.
  view.TogglePause();
  for (const bool maximised : {false, true}) {
    if (maximised) {
      frame.showMaximized();
      ASSERT_TRUE(QTest::qWaitFor([&] { return frame.isMaximized(); }));
    }
    QTest::keyClick(frame.windowHandle(), Qt::Key_F11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame.isFullScreen(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame.size() == frame.screen()->size(); }));
    EXPECT_EQ(view.geometry(), frame.rect());
    EXPECT_EQ(view.frameBuffer().width, view.width());
    EXPECT_EQ(view.frameBuffer().height, view.height());

    // Esc keeps its meaning in full screen: the game's key, which gives up the stage.
    view.gameState().m_pendingKey = 0;
    QTest::keyClick(frame.windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(view.gameState().m_pendingKey, KeyEscape);
    EXPECT_TRUE(frame.isFullScreen());
    view.gameState().m_pendingKey = 0;

    QTest::keyClick(frame.windowHandle(), Qt::Key_F11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame.isFullScreen(); }));
    EXPECT_EQ(frame.isMaximized(), maximised);
    // Qt's offscreen platform does not bring back the size it had; window managers do, which
    // the end-to-end test under sway checks.
    EXPECT_EQ(view.geometry(), frame.rect());
    EXPECT_EQ(view.frameBuffer().width, view.width());
    EXPECT_EQ(view.frameBuffer().height, view.height());
  }
}

TEST(Quit, CtrlQClosesTheFrameAsTheCloseBoxDoes) {
  auto* app = dynamic_cast<CQuillmoorApp*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  ASSERT_TRUE(app->InitInstance());
  QPointer<CMainFrame> frame = app->mainFrame();
  ASSERT_FALSE(frame.isNull());
  ShowActive(*frame);
  for (const Qt::KeyboardModifiers notQuit :
       {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
        Qt::ControlModifier | Qt::ShiftModifier, Qt::ControlModifier | Qt::AltModifier}) {
    QTest::keyClick(frame->windowHandle(), Qt::Key_Q, notQuit);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(frame.isNull()) << notQuit.toInt();
    EXPECT_TRUE(frame->isVisible()) << notQuit.toInt();
  }
  QTest::keyClick(frame->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(frame.isNull()) << "Ctrl+Q did not close the frame";
  EXPECT_EQ(app->mainFrame(), nullptr);
}

}  // namespace
}  // namespace quillmoor
