// SPDX-License-Identifier: MIT
// The main frame and the start-up: no bars, the view fills it and has its keys, the version
// dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "app/quillmoor_app.h"
#include "dialogs/dialog_layout.h"
#include "game/key_codes.h"
#include "tests/widgets/modal_answer.h"

namespace quillmoor {
namespace {

// Counts the key presses, other than of modifier keys alone, that reach a widget's handler.
class KeyPressCounter : public QObject {
  Q_OBJECT

 public:
  int presses = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      const bool modifierOnly = key == Qt::Key_Shift || key == Qt::Key_Control ||
                                key == Qt::Key_Alt || key == Qt::Key_Meta;
      presses += modifierOnly ? 0 : 1;
    }
    return false;
  }
};

void ShowActive(CMainFrame& frame) {
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

TEST(MainFrame, HasTheTitleAndIconAndNoBars) {
  CMainFrame frame;
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quillmoor"));
  const QList<QSize> sizes = frame.windowIcon().availableSizes();
  for (const int side : {16, 32, 48, 64, 96, 128, 256}) {
    EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
  }
  EXPECT_EQ(frame.menuWidget(), nullptr);
  EXPECT_EQ(frame.findChild<QMenuBar*>(), nullptr);
  EXPECT_EQ(frame.findChild<QToolBar*>(), nullptr);
  EXPECT_EQ(frame.findChild<QStatusBar*>(), nullptr);
  EXPECT_EQ(frame.centralWidget(), &frame.view());
}

TEST(MainFrame, ViewFillsTheClientAreaAfterEveryResize) {
  CMainFrame frame;
  frame.show();
  for (const QSize size : {QSize(700, 500), QSize(260, 140), QSize(701, 333)}) {
    frame.resize(size);
    EXPECT_EQ(frame.view().geometry(), frame.rect()) << size.width() << " x " << size.height();
    EXPECT_EQ(frame.view().frameBuffer().width, frame.width());
    EXPECT_EQ(frame.view().frameBuffer().height, frame.height());
  }
  frame.showMaximized();
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame.isMaximized(); }));
  EXPECT_EQ(frame.view().geometry(), frame.rect());
  EXPECT_EQ(frame.view().frameBuffer().width, frame.width());
}

// Focus given to the frame lands on the view, which receives every keystroke but a few
// editing and pane-switching ones.
TEST(MainFrame, ViewHasTheFocusAndTheKeysButSwallowedOnes) {
  CMainFrame frame;
  ShowActive(frame);
  frame.setFocus();
  EXPECT_EQ(QApplication::focusWidget(), &frame.view());
  KeyPressCounter counter;
  frame.view().installEventFilter(&counter);
  GameState& state = frame.view().gameState();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } swallowed[] = {
      {Qt::Key_C, Qt::ControlModifier},      {Qt::Key_V, Qt::ControlModifier},
      {Qt::Key_Backspace, Qt::AltModifier},  {Qt::Key_Delete, Qt::ShiftModifier},
      {Qt::Key_F6, Qt::NoModifier},          {Qt::Key_F6, Qt::ShiftModifier},
      {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
      {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_Z, Qt::ControlModifier},
  };
  state.m_pendingKey = KeyS;
  for (const auto& stroke : swallowed) {
    QTest::keyClick(frame.windowHandle(), stroke.key, stroke.modifiers);
    EXPECT_EQ(counter.presses, 0)
        << QKeySequence(stroke.key | stroke.modifiers).toString().toStdString();
    EXPECT_EQ(state.m_pendingKey, KeyS);
  }

  // Straight to the view, as when no window is active and the frame's shortcuts cannot match.
  for (const auto& stroke : swallowed) {
    QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers);
    QApplication::sendEvent(&frame.view(), &press);
    EXPECT_EQ(state.m_pendingKey, KeyS)
        << QKeySequence(stroke.key | stroke.modifiers).toString().toStdString();
  }
  counter.presses = 0;

  QTest::keyClick(frame.windowHandle(), Qt::Key_V);
  EXPECT_EQ(counter.presses, 1);
  EXPECT_EQ(state.m_pendingKey, KeyV);
  // The same keys without their modifier, or with another one, still arrive.
  QTest::keyClick(frame.windowHandle(), Qt::Key_Delete);
  EXPECT_EQ(counter.presses, 2);
  QTest::keyClick(frame.windowHandle(), Qt::Key_Z, Qt::AltModifier);
  EXPECT_EQ(counter.presses, 3);
}

TEST(Startup, InitInstanceShowsTheFrameUntilItIsClosed) {
  auto* app = dynamic_cast<CQuillmoorApp*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  ASSERT_TRUE(app->InitInstance());
  QPointer<CMainFrame> frame = app->mainFrame();
  ASSERT_FALSE(frame.isNull());
  EXPECT_TRUE(frame->isVisible());
  EXPECT_TRUE(frame->view().frameBuffer()) << "shown without a resize of the view";
  ASSERT_NE(frame->view().titleWnd(), nullptr);
  EXPECT_TRUE(frame->view().titleWnd()->isVisible());
  frame->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(frame.isNull()) << "closing did not destroy the frame";
  EXPECT_EQ(app->mainFrame(), nullptr);
}

TEST(VersionDialog, ShowsNameVersionAndClosesEachWay) {
  {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報 Quillmoor"));
    QStringList texts;
    bool iconShown = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
      texts << label->text();
      iconShown = iconShown || !label->pixmap().isNull();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Quillmoor, Version 0.5.0")));
    EXPECT_TRUE(iconShown);
    EXPECT_GT(dialog.width(), dialog.height());
  }

  test::ExpectClosesEachWay<CAboutDlg>();
}

TEST(VersionDialog, FollowsItsTemplate) {
  CAboutDlg dialog;
  EXPECT_EQ(dialog.font().family(), QStringLiteral("MS UI Gothic"));
  EXPECT_EQ(dialog.font().pointSize(), 9);
  const DialogLayout layout(dialog.font());
  EXPECT_EQ(dialog.size(), layout.ToPixels(211, 62));

  // Template order: icon, version, copyright, OK.
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(labels.size(), 3);
  EXPECT_FALSE(labels[0]->pixmap().isNull());
  EXPECT_EQ(labels[0]->geometry(), layout.ToPixels(DialogUnitRect{14, 14, 20, 20}));
  EXPECT_EQ(labels[1]->text(), QStringLiteral("Quillmoor, Version 0.5.0"));
  EXPECT_EQ(labels[1]->geometry(), layout.ToPixels(DialogUnitRect{42, 14, 114, 8}));
  EXPECT_EQ(labels[2]->text(), QStringLiteral("Copyright (C) 2026 Tobias Quill"));
  EXPECT_EQ(labels[2]->geometry(), layout.ToPixels(DialogUnitRect{41, 27, 157, 8}));
  for (const QLabel* label : {labels[1], labels[2]}) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
  }
  const auto* ok = qobject_cast<QPushButton*>(dialog.GetDlgItem(ControlIdOk));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(ok->geometry(), layout.ToPixels(DialogUnitRect{154, 41, 50, 14}));
}

}  // namespace
}  // namespace quillmoor

#include "main_frame_test.moc"
