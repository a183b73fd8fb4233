#include "Prompter.h"
#include "QtPrompter.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace praxel;

namespace {

TEST(Prompter, StyleGivesButtonsIconAndDefault) {
  EXPECT_EQ(ButtonAnswers(MsgAbortRetryIgnore), (QList<int>{AnswerAbort, AnswerRetry, AnswerIgnore}));
  EXPECT_EQ(ButtonAnswers(MsgYesNoCancel | MsgQuestion), (QList<int>{AnswerYes, AnswerNo, AnswerCancel}));
  EXPECT_EQ(ButtonAnswers(MsgOkOnly | MsgInformation), (QList<int>{AnswerOk}));
  EXPECT_EQ(DefaultAnswer(18), AnswerAbort);  // the error trap's box
  EXPECT_EQ(DefaultAnswer(MsgYesNo | MsgDefaultButton2), AnswerNo);
  EXPECT_EQ(DefaultAnswer(MsgYesNoCancel | MsgDefaultButton3), AnswerCancel);
  EXPECT_EQ(DefaultAnswer(MsgOkOnly | MsgDefaultButton3), AnswerOk);  // no third button: the last one
  EXPECT_EQ(IconOf(18), MsgCritical);
  EXPECT_EQ(IconOf(MsgYesNo | MsgExclamation | MsgDefaultButton2), MsgExclamation);
}

TEST(Prompter, HeadlessPrompterTakesTheDefaults) {
  SetPrompter(nullptr);
  EXPECT_EQ(CurrentPrompter().MsgBox(QStringLiteral("Save?"), MsgYesNo | MsgDefaultButton2, QStringLiteral("T")),
            AnswerNo);
  EXPECT_EQ(CurrentPrompter().InputBox(QStringLiteral("Name"), QStringLiteral("T"), QStringLiteral("x")),
            QStringLiteral("x"));
}

TEST(Prompter, ScriptedPrompterAnswersAndRecords) {
  testsupport::ScriptedPrompter scripted;
  scripted.Answer(AnswerYes);
  scripted.Type(QStringLiteral("Week 2"));
  EXPECT_EQ(CurrentPrompter().MsgBox(QStringLiteral("Delete?"), MsgYesNo, QStringLiteral("Delete")), AnswerYes);
  EXPECT_EQ(CurrentPrompter().InputBox(QStringLiteral("Journal"), QStringLiteral("New"), QString()),
            QStringLiteral("Week 2"));
  ASSERT_EQ(scripted.Asked().size(), 2);
  EXPECT_EQ(scripted.Asked()[0].title, QStringLiteral("Delete"));
  EXPECT_EQ(scripted.Asked()[0].style, MsgYesNo);
  EXPECT_EQ(scripted.Asked()[1].kind, testsupport::AskedQuestion::Kind::Input);
  EXPECT_TRUE(scripted.AllAnswered());
}

// The real message box: its title, text, icon, buttons and default, answered by a click.
TEST(QtPrompter, ShowsTheStyledBoxAndReturnsTheClickedAnswer) {
  QtPrompter prompter;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  QString defaultText;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->buttons().size();
    defaultText = box->defaultButton()->text();
    box->button(QMessageBox::Retry)->click();
  });
  EXPECT_EQ(prompter.MsgBox(QStringLiteral("Internal error 6: Overflow"), 18, QStringLiteral("Internal Error")),
            AnswerRetry);
  EXPECT_EQ(title, QStringLiteral("Internal Error"));
  EXPECT_EQ(text, QStringLiteral("Internal error 6: Overflow"));
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, 3);
  EXPECT_EQ(defaultText, QMessageBox(QMessageBox::NoIcon, {}, {}, QMessageBox::Abort).buttons()[0]->text());
}

// The real input box: its whole title fits above it, and it gives the typed text, or nothing when
// cancelled.
TEST(QtPrompter, AnInputBoxShowsItsWholeTitleAndGivesTheTypedText) {
  QtPrompter prompter;
  for (const bool accept : {true, false}) {
    int width = 0;
    int needed = 0;
    QString prompt;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      width = box->width();
      needed = TitleBarWidth(box->windowTitle(), *box);
      prompt = box->labelText();
      box->setTextValue(QStringLiteral("2.5"));
      accept ? box->accept() : box->reject();
    });
    const QString typed =
        prompter.InputBox(QStringLiteral("Enter the team increment:"), QStringLiteral("Enter Team Increment"), QStringLiteral("1"));
    EXPECT_EQ(typed, accept ? QStringLiteral("2.5") : QString());
    EXPECT_EQ(prompt, QStringLiteral("Enter the team increment:"));
    EXPECT_GE(width, needed);
    EXPECT_GT(needed, QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Enter Team Increment")));
  }
}

}  // namespace
