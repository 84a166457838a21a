// SPDX-License-Identifier: MIT
// Dialog-unit layout, the next-stage and author-career dialogs, and the career text they show.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTimer>
#include <QWindow>
#include <climits>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "dialogs/dialog_layout.h"
#include "dialogs/dlg_author_carrier.h"
#include "dialogs/dlg_next_stage.h"
#include "game/tick_host.h"
#include "resources/career_text.h"
#include "resources/dialog_templates.h"

namespace quillmoor {
namespace {

using Action = std::function<void(CTemplateDialog&)>;

// Runs the dialog modally and performs `action` inside its loop. A watchdog ends a dialog the
// action failed to close, so a broken key binding fails instead of hanging.
int RunModal(CTemplateDialog& dialog, const Action& action) {
  bool stuck = false;
  QTimer::singleShot(0, &dialog, [&] { action(dialog); });
  QTimer::singleShot(5000, &dialog, [&] {
    stuck = true;
    dialog.done(-1);
  });
  const int result = dialog.DoModal();
  EXPECT_FALSE(stuck) << "the dialog did not close";
  return result;
}

void PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  ASSERT_NE(target, nullptr);
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

QLineEdit* Edit(const CTemplateDialog& dialog, int id) {
  return qobject_cast<QLineEdit*>(dialog.GetDlgItem(id));
}

QPlainTextEdit* CareerBox(const CTemplateDialog& dialog) {
  return qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(AuthorCarrierCareerId));
}

// The controls Tab visits, in order.
std::vector<QWidget*> TabChain(QWidget& dialog) {
  std::vector<QWidget*> chain;
  for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
    if (w->parentWidget() == &dialog && (w->focusPolicy() & Qt::TabFocus)) {
      chain.push_back(w);
    }
  }
  return chain;
}

// A fixed-size modal frame whose controls all lie inside it without overlapping.
void ExpectSoundFrame(const QDialog& dialog, const std::vector<QWidget*>& controls) {
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  const Qt::WindowFlags flags = dialog.windowFlags();
  EXPECT_TRUE((flags & Qt::WindowTitleHint) && (flags & Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags & (Qt::WindowContextHelpButtonHint | Qt::WindowMinMaxButtonsHint));
  for (size_t i = 0; i < controls.size(); ++i) {
    const QRect r = controls[i]->geometry();
    EXPECT_TRUE(!r.isEmpty() && dialog.rect().contains(r)) << i;
    for (size_t j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(r.intersects(controls[j]->geometry())) << i << " overlaps " << j;
    }
  }
}

TEST(DialogLayoutTest, ConvertsUnitsWithRoundingOnTheFontsBaseUnits) {
  EXPECT_EQ(MulDiv(1, 6, 4), 2);    // 1.5 rounds up
  EXPECT_EQ(MulDiv(1, 5, 4), 1);    // 1.25 rounds down
  EXPECT_EQ(MulDiv(-1, 6, 4), -2);  // halves round away from zero
  EXPECT_EQ(MulDiv(137, 13, 8), 223);
  EXPECT_EQ(MulDiv(INT_MAX, 7, 4), INT_MAX);
  EXPECT_EQ(MulDiv(INT_MIN, 7, 4), INT_MIN);

  const QFont font(QStringLiteral("MS Shell Dlg"), 8);
  const DialogLayout layout(font);
  EXPECT_EQ(layout.ToPixelsX(4), layout.baseUnitX());
  EXPECT_EQ(layout.ToPixelsY(8), layout.baseUnitY());
  if (QFontInfo(font).family() == QStringLiteral("IPAPGothic")) {
    // 338 px over the 52 letters: an average of 6.5 rounds to 7; ascent 10 + descent 2.
    EXPECT_EQ(layout.baseUnitX(), 7);
    EXPECT_EQ(layout.baseUnitY(), 12);
  }
}

TEST(NextStageDialogTest, FollowsItsTemplate) {
  CDlgNextStage dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Go To Next Stage"));
  EXPECT_EQ(dialog.size(), DialogLayout(dialog.font()).ToPixels(184, 137));

  std::vector<QWidget*> tabStops;
  for (const int id : {ControlIdOk, 1000, 1001, 1002, 1003, 1004, 1005}) {
    tabStops.push_back(dialog.GetDlgItem(id));
    ASSERT_NE(tabStops.back(), nullptr) << id;
  }
  EXPECT_EQ(TabChain(dialog), tabStops);
  const auto* ok = qobject_cast<QPushButton*>(tabStops[0]);
  EXPECT_TRUE(ok && ok->text() == QStringLiteral("OK") && ok->isDefault());
  for (int id = 1000; id <= 1005; ++id) {
    const QLineEdit* edit = Edit(dialog, id);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly()) << id;
    EXPECT_EQ(edit->hasFrame(), id != 1000) << id;
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask,
              id <= 1001 ? Qt::AlignHCenter : Qt::AlignLeft)
        << id;
  }
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(labels.size(), 4);
  const char* const texts[] = {
      "Elapsed Cycle:", "Skipped Cycle:", "Current HP:", "NextStageAliens:"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(labels[i]->text(), QString::fromLatin1(texts[i]));
    const QRect number = tabStops[3 + i]->geometry();
    EXPECT_LE(std::abs(labels[i]->geometry().center().y() - number.center().y()), 1) << i;
    EXPECT_LT(labels[i]->geometry().right(), number.left()) << i;
    tabStops.push_back(labels[i]);
  }
  ExpectSoundFrame(dialog, tabStops);
}

TEST(NextStageDialogTest, ShowsEachOutcomeAndItsNumbersWithFocusOnOk) {
  const char16_t* const ja[] = {u"ようやった。さあ、次行こうか！", u"あきらめるな。まだまだだ！",
                                u"遊びの時間は終わらない。"};
  const char* const en[] = {"You Win! Let's Go To Next Stage.", "Neverrrr, Give Up! Go To Next.",
                            "Playing Time Never Ends."};
  for (int outcome = 0; outcome < 3; ++outcome) {
    CDlgNextStage dialog;
    dialog.SetOutcome(static_cast<StageOutcome>(outcome));
    dialog.SetOutcome(static_cast<StageOutcome>(3));  // outside the tables: no change
    dialog.SetOutcome(static_cast<StageOutcome>(-1));
    dialog.m_nElapsedCycle = 12345;
    dialog.m_nCurrentHp = -3;
    dialog.m_nNextStageAliens = INT_MIN;
    RunModal(dialog, [&](CTemplateDialog& d) {
      EXPECT_EQ(Edit(d, 1000)->text(), QString::fromUtf16(ja[outcome]));
      EXPECT_EQ(Edit(d, 1001)->text(), QString::fromLatin1(en[outcome]));
      EXPECT_EQ(Edit(d, 1002)->text(), QStringLiteral("12345"));
      EXPECT_EQ(Edit(d, 1003)->text(), QStringLiteral("0"));
      EXPECT_EQ(Edit(d, 1004)->text(), QStringLiteral("-3"));
      EXPECT_EQ(Edit(d, 1005)->text(), QStringLiteral("-2147483648"));
      EXPECT_EQ(d.focusWidget(), d.GetDlgItem(ControlIdOk));
      d.accept();
    });
  }
}

TEST(NextStageDialogTest, KeysAndCloseBoxGiveTheirResults) {
  const auto key = [](int k) { return [k](CTemplateDialog& d) { PressKey(d.focusWidget(), k); }; };
  const struct {
    const char* name;
    Action close;
    int expected;
  } cases[] = {
      {"Enter", key(Qt::Key_Return), DialogResultOk},
      {"keypad Enter", key(Qt::Key_Enter), DialogResultOk},
      {"Space", key(Qt::Key_Space), DialogResultOk},
      {"Esc", key(Qt::Key_Escape), DialogResultCancel},
      {"close box", [](CTemplateDialog& d) { d.close(); }, DialogResultCancel},
  };
  for (const auto& c : cases) {
    CDlgNextStage dialog;
    EXPECT_EQ(RunModal(dialog, c.close), c.expected) << c.name;
  }
}

TEST(NextStageDialogTest, OkCopiesTheControlsBackAndCancelDoesNot) {
  const auto editThen = [](void (QDialog::*close)()) {
    return [close](CTemplateDialog& d) {
      Edit(d, 1002)->setText(QStringLiteral("-77"));
      Edit(d, 1004)->setText(QStringLiteral("not a number"));
      Edit(d, 1001)->setText(QStringLiteral("changed"));
      (d.*close)();
    };
  };
  CDlgNextStage accepted;
  accepted.m_nElapsedCycle = 5;
  accepted.m_nCurrentHp = 9;
  EXPECT_EQ(RunModal(accepted, editThen(&QDialog::accept)), DialogResultOk);
  EXPECT_EQ(accepted.m_nElapsedCycle, -77);
  EXPECT_EQ(accepted.m_nCurrentHp, 9);  // unparsable text keeps the field
  EXPECT_EQ(accepted.m_strMessageEn, QStringLiteral("changed"));

  CDlgNextStage cancelled;
  cancelled.m_nElapsedCycle = 5;
  EXPECT_EQ(RunModal(cancelled, editThen(&QDialog::reject)), DialogResultCancel);
  EXPECT_EQ(cancelled.m_nElapsedCycle, 5);
  EXPECT_TRUE(cancelled.m_strMessageEn.isEmpty());
}

TEST(NextStageDialogTest, WithoutParentStaysAboveTheActiveWindowWithoutBeingOwnedByIt) {
  QWidget owner;
  owner.show();
  owner.activateWindow();
  // Activation reaches the application through the platform's event queue.
  for (int i = 0; i < 100 && QApplication::activeWindow() != &owner; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  ASSERT_EQ(QApplication::activeWindow(), &owner);
  CDlgNextStage dialog;
  RunModal(dialog, [&owner](CTemplateDialog& d) {
    EXPECT_EQ(d.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(d.parent(), nullptr);
    d.accept();
  });
}

// The stored career text split at CR LF, which must end every line.
QStringList CareerLines() {
  const QString text = QString::fromUtf8(CareerText());
  QStringList lines = text.split(QStringLiteral("\r\n"));
  EXPECT_TRUE(lines.last().isEmpty());
  lines.removeLast();
  return lines;
}

// Stored as UTF-8 now, the text is still the one that took 15,363 bytes in Shift-JIS.
TEST(CareerTextTest, IsTheTextThatTook15363BytesInShiftJis) {
  const QString text = QString::fromUtf8(CareerText());
  QStringEncoder toShiftJis("Shift_JIS");
  const QByteArray shiftJis = toShiftJis.encode(text);
  EXPECT_FALSE(toShiftJis.hasError());
  EXPECT_EQ(shiftJis.size(), 15363);
  EXPECT_EQ(QStringDecoder("Shift_JIS").decode(shiftJis), text);
}

TEST(AuthorCarrierDialogTest, FollowsItsTemplate) {
  CDlgAuthorCarrier dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("著者経歴 Author Carrier"));
  EXPECT_EQ(dialog.size(), DialogLayout(dialog.font()).ToPixels(316, 303));
  QPlainTextEdit* box = CareerBox(dialog);
  QWidget* ok = dialog.GetDlgItem(ControlIdOk);
  ASSERT_TRUE(box && ok);
  EXPECT_EQ(TabChain(dialog), (std::vector<QWidget*>{ok, box}));
  ExpectSoundFrame(dialog, {ok, box});
  EXPECT_GT(ok->geometry().top(), box->geometry().bottom());
  EXPECT_TRUE(box->isReadOnly() && box->document()->isEmpty());
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

// Every showing, of a reused dialog too, starts afresh at the top with the whole text, one
// unwrapped line per block; Ctrl+End reaches the end.
TEST(AuthorCarrierDialogTest, EachShowingListsTheCareerFromTheTopWithoutWrapping) {
  const QStringList lines = CareerLines();
  CDlgAuthorCarrier reused;
  CDlgAuthorCarrier fresh;
  const std::pair<CDlgAuthorCarrier*, int> showings[] = {
      {&reused, Qt::Key_Return}, {&reused, Qt::Key_Escape}, {&fresh, Qt::Key_Escape}};
  for (const auto& [dialog, key] : showings) {
    const int closeKey = key;  // a structured binding cannot be captured before clang 16
    const int result = RunModal(*dialog, [&lines, closeKey](CTemplateDialog& d) {
      QPlainTextEdit* box = CareerBox(d);
      EXPECT_EQ(d.focusWidget(), d.GetDlgItem(ControlIdOk));
      ASSERT_EQ(box->blockCount(), 261);
      for (int i = 0; i < lines.size(); ++i) {
        const QTextBlock block = box->document()->findBlockByNumber(i);
        box->document()->documentLayout()->blockBoundingRect(block);  // lays the block out
        EXPECT_EQ(block.text(), lines[i]) << i;
        EXPECT_EQ(block.lineCount(), 1) << "line " << i << " wrapped";
      }
      EXPECT_TRUE(box->document()->lastBlock().text().isEmpty());
      EXPECT_FALSE(box->textCursor().hasSelection());
      EXPECT_EQ(box->textCursor().position(), 0);
      EXPECT_EQ(box->verticalScrollBar()->value(), 0);
      box->setFocus();
      PressKey(box, Qt::Key_End, Qt::ControlModifier);
      EXPECT_EQ(box->textCursor().blockNumber(), 260);
      EXPECT_GT(box->verticalScrollBar()->value(), 0);
      EXPECT_EQ(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
      PressKey(closeKey == Qt::Key_Return ? d.GetDlgItem(ControlIdOk) : &d, closeKey);
    });
    EXPECT_EQ(result, closeKey == Qt::Key_Return ? DialogResultOk : DialogResultCancel);
  }
}

}  // namespace
}  // namespace quillmoor
