#include "Guard.h"
#include "MainForm.h"
#include "ProgramInfo.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>

namespace {

TEST(MainForm, CaptionIsPraxelAndTheVersion) {
  MainForm form;
  form.show();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("PRAXEL ") + praxel::VersionText(praxel::CurrentVersion()));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("PRAXEL 1.00"));
  ASSERT_NE(form.MdiArea(), nullptr);
  EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
}

TEST(MainForm, StatusMessageShowsTheBusyTextAndPointer) {
  MainForm form;
  form.StatusMessage(QStringLiteral("Crash analysis"));
  EXPECT_EQ(form.StatusMessageText(), QStringLiteral("Crash analysis ..."));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  form.StatusMessage(QStringLiteral("Risk analysis"));  // a second message does not stack the pointer
  form.StatusMessage(QString());
  EXPECT_EQ(form.StatusMessageText(), QString());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  form.StatusMessage(QString());  // clearing twice is harmless
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The main window registers itself with the trap, which clears its status message by name when
// a chain of calls ends.
TEST(MainForm, AnEndedChainClearsTheStatusMessage) {
  testsupport::ClearProgramDataFolder();
  testsupport::ScriptedPrompter prompter;
  MainForm form;
  form.StatusMessage(QStringLiteral("Opening"));
  prompter.Answer(praxel::AnswerAbort);
  ErrTrap::Guarded(QStringLiteral("MainForm:OpenCommand_Click"), [] { praxel::RaiseAssertion(); });
  EXPECT_EQ(form.StatusMessageText(), QString());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
