#include "FormHelpers.h"
#include "Forms.h"
#include "MainForm.h"
#include "Settings.h"
#include "ShellFixture.h"
#include "WelcomeForm.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

using Welcome = ShellTest;

WelcomeForm* TheWelcome() { return qobject_cast<WelcomeForm*>(Forms::Find(QStringLiteral("WelcomeForm"))); }

TEST_F(Welcome, GreetsLocksAndClosesWithOk) {
  StartProgram(true);
  WelcomeForm* welcome = TheWelcome();
  ASSERT_NE(welcome, nullptr);
  EXPECT_EQ(welcome->windowTitle(), QStringLiteral("Welcome to PRAXEL for Linux"));
  EXPECT_EQ(welcome->VersionLabel()->text(), QStringLiteral("Version 1.00"));
  EXPECT_TRUE(welcome->OkCommand()->isDefault());
  EXPECT_EQ(welcome->GuideMeCommand()->text(), QStringLiteral("I'm new -- please guide me"));
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileNewMenu"))->isEnabled());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("HelpAboutMenu"))->isEnabled());

  welcome->OkCommand()->click();
  EXPECT_EQ(TheWelcome(), nullptr);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("FileNewMenu"))->isEnabled());
}

// F1 never reaches the focused button: it is the help window's.
TEST_F(Welcome, F1AsksForHelpAndGoesNoFurther) {
  StartProgram(true);
  WelcomeForm* welcome = TheWelcome();
  QSignalSpy clicked(welcome->OkCommand(), &QPushButton::clicked);
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QCoreApplication::sendEvent(welcome->OkCommand(), &f1);
  EXPECT_NE(Forms::Find(QStringLiteral("HelpForm")), nullptr);
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_NE(TheWelcome(), nullptr);
}

TEST_F(Welcome, TheGuideButtonClosesIt) {
  StartProgram(true);
  TheWelcome()->GuideMeCommand()->click();
  EXPECT_EQ(TheWelcome(), nullptr);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("FileNewMenu"))->isEnabled());
}

TEST(FormHelpers, VersionAndNotReadyYet) {
  testsupport::ScriptedPrompter prompter;
  EXPECT_EQ(Common::GetAppVersion(), QStringLiteral("1.00"));
  prompter.Answer(praxel::AnswerOk);
  Common::NotReadyYet();
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("This feature has not yet been implemented."));
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Not Ready Yet"));
  EXPECT_EQ(prompter.Asked().at(0).style, praxel::MsgExclamation);
}

TEST(FormHelpers, TextBoxes) {
  QLineEdit box(QStringLiteral("1250"));
  Common::TextBoxGotFocus(&box);
  EXPECT_EQ(box.selectedText(), QStringLiteral("1250"));

  Common::EnableTextBox(&box, false);
  EXPECT_FALSE(box.isEnabled());
  EXPECT_EQ(box.palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
  Common::EnableTextBox(&box, true);
  EXPECT_TRUE(box.isEnabled());
  EXPECT_EQ(box.palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(FormHelpers, MoneyBoxesShowNumbersAsMoneyAndLeaveTheRest) {
  testsupport::LocaleScope us("en_US.UTF-8");  // the texts below are en_US's
  struct Case {
    const char* typed;
    const char* shown;
  };
  for (const Case& c : {Case{"1250.5", "$1,250.50"}, Case{"1,250.5", "$1,250.50"}, Case{"-3", "($3.00)"},
                        Case{"0.125", "$0.13"}, Case{"$-3", "($3.00)"}, Case{"($1,250.50)", "($1,250.50)"},
                        Case{"922,337,203,685,477.58", "$922,337,203,685,477.58"}, Case{"1e5", "1e5"},
                        Case{"100000000000000000000", "100000000000000000000"}, Case{"abc", "abc"},
                        Case{"12 apples", "12 apples"}, Case{"", ""}}) {
    QLineEdit box(QString::fromLatin1(c.typed));
    Common::CurrencyLostFocus(&box);
    EXPECT_EQ(box.text(), QString::fromLatin1(c.shown)) << c.typed;
  }
}

TEST(FormHelpers, LeadingNumber) {
  struct Case {
    const char* text;
    double number;
  };
  for (const Case& c : {Case{"20", 20}, Case{" 15 minutes", 15}, Case{"off", 0}, Case{"-2.5x", -2.5}, Case{"", 0},
                        Case{".5", 0.5}}) {
    EXPECT_EQ(Common::LeadingNumber(QString::fromLatin1(c.text)), c.number) << c.text;
  }
  // With the user's separator a comma: the comma is the decimal point and a point ends the number.
  EXPECT_EQ(Common::LeadingNumber(QStringLiteral("1,5 days"), QLatin1Char(',')), 1.5);
  EXPECT_EQ(Common::LeadingNumber(QStringLiteral("2.5"), QLatin1Char(',')), 2.0);
}

// A window takes the font stored under its name, or the desktop's sans face at 9 points for a
// window with a tree (Times New Roman, the desktop's serif face, for a chart); its tree follows.
TEST(FormHelpers, SetFormFontAppliesTheStoredFont) {
  testsupport::ClearProgramDataFolder();
  Settings::ForgetStore();
  QWidget window;
  window.setObjectName(QStringLiteral("ProjectTreeForm"));
  auto* tree = new QTreeWidget(&window);
  tree->setObjectName(QStringLiteral("Tree"));

  Common::SetFormFont(&window);
  EXPECT_EQ(window.font().family(), Common::DesktopFamily(QStringLiteral("MS Sans Serif")));
  EXPECT_EQ(window.font().pointSizeF(), 9.0);

  Settings::WriteSettings(QStringLiteral("ProjectTreeForm.FontName"), QStringLiteral("DejaVu Sans"));
  Settings::WriteSettings(QStringLiteral("ProjectTreeForm.FontSize"), QStringLiteral("11"));
  Settings::WriteSettings(QStringLiteral("ProjectTreeForm.FontBold"), QStringLiteral("False"));
  Settings::WriteSettings(QStringLiteral("ProjectTreeForm.FontItalic"), QStringLiteral("True"));
  Common::SetFormFont(&window);
  EXPECT_EQ(window.font().family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(window.font().pointSizeF(), 11.0);
  EXPECT_TRUE(window.font().italic());
  EXPECT_FALSE(window.font().bold());
  EXPECT_EQ(tree->font(), window.font());
  Settings::ForgetStore();
}

}  // namespace
