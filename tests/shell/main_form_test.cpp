#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "Guard.h"
#include "MainForm.h"
#include "PooledFile.h"
#include "ProgramInfo.h"
#include "Settings.h"
#include "ShellFixture.h"
#include "SolveState.h"
#include "SolverHostQt.h"
#include "TestSupport.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>

namespace {

using MainFormStartUp = ShellTest;
using MainFormShutDown = ShellTest;

TEST_F(MainFormStartUp, CaptionIsPraxelAndTheVersion) {
  MainForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("PRAXEL ") + praxel::VersionText(praxel::CurrentVersion()));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("PRAXEL 1.00"));
  EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
}

TEST_F(MainFormStartUp, StatusMessageShowsTheBusyTextAndPointer) {
  MainForm form;
  form.StatusMessage(QStringLiteral("Clearing memory"));
  EXPECT_EQ(form.StatusMessageText(), QStringLiteral("Clearing memory ..."));
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
TEST_F(MainFormStartUp, AnEndedChainClearsTheStatusMessage) {
  MainForm form;
  form.StatusMessage(QStringLiteral("Opening"));
  prompter.Answer(praxel::AnswerAbort);
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:FileOpenMenu_Click")), [] { praxel::RaiseAssertion(); });
  EXPECT_EQ(form.StatusMessageText(), QString());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A file object shows the file it writes or reads in the busy panel while it is open.
TEST_F(MainFormStartUp, FileObjectsNameTheirFileInTheBusyPanel) {
  MainForm form;
  const QString path = testsupport::DataFolderPath(QStringLiteral("plan.pxa"));
  PooledFile writer(path);
  ASSERT_TRUE(writer->OpenWrite());
  EXPECT_EQ(form.StatusMessageText(), QStringLiteral("Writing to ") + path + QStringLiteral(" ..."));
  writer->CloseFile();
  EXPECT_EQ(form.StatusMessageText(), QString());
  PooledFile reader(path);
  ASSERT_TRUE(reader->OpenRead());
  EXPECT_EQ(form.StatusMessageText(), QStringLiteral("Reading from ") + path + QStringLiteral(" ..."));
  reader->CloseFile();
  EXPECT_EQ(form.StatusMessageText(), QString());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Loading reads the recent files and the backup period from the settings file, leaves the solver
// with a solve requested and places the window 24 pixels in; the first activation shows the trees,
// the command-line file, then the welcome screen, which locks the window until it closes.
TEST_F(MainFormStartUp, LoadThenFirstActivationInOrder) {
  Settings::WriteSettings(QStringLiteral("RecentFile1"), QStringLiteral("/plans/office move.pxb"));
  Settings::WriteSettings(QStringLiteral("AutomaticBackupCombo"), QStringLiteral("20"));
  Settings::WriteConfigFile();
  Settings::ForgetStore();
  RegisterFake<FakeTree>(QStringLiteral("ProjectTreeForm"));
  RegisterFake<FakeTree>(QStringLiteral("TemplateTreeForm"));

  mainForm = std::make_unique<MainForm>(QStringLiteral("/plans/office move.pxb"));
  MainForm& form = *mainForm;
  EXPECT_TRUE(form.Control(QStringLiteral("FileRecentMenu1"))->isVisible());
  EXPECT_EQ(form.Control(QStringLiteral("FileRecentMenu1"))->text(), QStringLiteral("&1 /plans/office move.pxb"));
  EXPECT_FALSE(form.Control(QStringLiteral("FileRecentMenu2"))->isVisible());
  EXPECT_TRUE(form.Control(QStringLiteral("FileSeparatorMenu"))->isVisible());
  EXPECT_EQ(form.AutoBackupMinutes(), 20);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_TRUE(form.SolverHost()->SolveTimerEnabled());
  EXPECT_EQ(form.SolvePanelText(), QStringLiteral("Solve suspended"));
  const QRect screen = form.screen()->geometry();
  EXPECT_EQ(form.pos(), screen.topLeft() + QPoint(24, 24));
  EXPECT_EQ(form.size(), screen.size() - QSize(48, 72));
  EXPECT_TRUE(form.AutoBackupTimer()->isActive());
  EXPECT_EQ(form.AutoBackupTimer()->interval(), 10000);
  EXPECT_FALSE(form.ResizeTimer()->isActive());
  EXPECT_FALSE(form.ScrollTreeTimer()->isActive());

  // The command-line file is opened (here it does not exist, which the user is told).
  prompter.Answer(praxel::AnswerOk);
  form.show();
  ASSERT_TRUE(RunUntil([] { return Forms::Find(QStringLiteral("WelcomeForm")) != nullptr; }));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("File Open Error"));
  EXPECT_TRUE(prompter.Asked().at(0).text.contains(QStringLiteral("/plans/office move.pxb")));
  QStringList loaded;
  for (const QWidget* window : Forms::Loaded()) loaded.append(window->objectName());
  EXPECT_EQ(loaded, (QStringList{QStringLiteral("ProjectTreeForm"), QStringLiteral("TemplateTreeForm"),
                                 QStringLiteral("WelcomeForm")}));
  EXPECT_TRUE(form.ResizeTimer()->isActive());
  EXPECT_FALSE(form.Control(QStringLiteral("FileOpenMenu"))->isEnabled());  // locked by the welcome screen
  EXPECT_TRUE(RunUntil([&] { return form.SolvePanelText() == QLatin1String("No projects loaded"); }));

  Forms::Unload(Forms::Find(QStringLiteral("WelcomeForm")));
  EXPECT_TRUE(form.Control(QStringLiteral("FileOpenMenu"))->isEnabled());
  EXPECT_TRUE(Forms::FrameOf(Forms::Find(QStringLiteral("ProjectTreeForm")))->isEnabled());
}

TEST_F(MainFormStartUp, AValueWithoutLeadingDigitsTurnsBackupOff) {
  Settings::WriteSettings(QStringLiteral("AutomaticBackupCombo"), QStringLiteral("off"));
  MainForm form;
  EXPECT_EQ(form.AutoBackupMinutes(), 0);
}

// Closing with unsaved changes asks first; Yes saves through the save dialog while the window is
// still up and solving; then the window hides, the solver is suspended, the settings are written
// (the saved file heads the recent list) and the model is freed.
TEST_F(MainFormShutDown, SavesWhenAskedThenWritesSettingsAndFreesTheModel) {
  StartProgram();
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Yproject* plan = AddProject(QStringLiteral("Office move"));
  Common::SetThisProject(plan);
  Common::SetThisTemplate(staff);
  plan->SetDirty(true);
  staff->SetDirty(true);
  const QString path = testsupport::DataFolderPath(QStringLiteral("office.pxb"));
  prompter.Answer(praxel::AnswerYes);
  dialogs.SaveAnswer(path);
  bool visibleWhenSaving = false;
  int modeWhenSaving = -1;
  dialogs.OnShow([&] {
    visibleWhenSaving = mainForm->isVisible();
    modeWhenSaving = Solve::SolveMode();
  });

  EXPECT_TRUE(mainForm->close());

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Save All Changes To Disk"));
  EXPECT_EQ(prompter.Asked().at(0).text,
            QStringLiteral("Changes have been made to one or more projects and templates.\nThese changes exist only in "
                           "memory and will be lost unless they are saved to disk.\n\nDo you want to save all changes "
                           "to disk?"));
  EXPECT_EQ(prompter.Asked().at(0).style, praxel::MsgYesNoCancel | praxel::MsgExclamation);
  EXPECT_TRUE(visibleWhenSaving);
  EXPECT_NE(modeWhenSaving, Solve::ModeSuspendedIdle);
  EXPECT_TRUE(QFile::exists(path));
  EXPECT_FALSE(mainForm->isVisible());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeSuspendedIdle);
  EXPECT_FALSE(mainForm->SolverHost()->SolveTimerEnabled());
  EXPECT_TRUE(Common::Projects().IsEmpty());
  EXPECT_TRUE(Common::Templates().IsEmpty());
  Settings::ForgetStore();
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("RecentFile1")), path);
}

TEST_F(MainFormShutDown, CancelLeavesWindowModelAndSettingsFileAlone) {
  StartProgram();
  Yproject* plan = AddProject(QStringLiteral("Office move"));
  Common::SetThisProject(plan);
  plan->SetDirty(true);
  prompter.Answer(praxel::AnswerCancel);

  EXPECT_FALSE(mainForm->close());

  EXPECT_TRUE(prompter.Asked().at(0).text.startsWith(QStringLiteral("Changes have been made to one or more projects.")));
  EXPECT_TRUE(mainForm->isVisible());
  EXPECT_EQ(Common::Projects().Count(), 1);
  EXPECT_TRUE(plan->Dirty());
  EXPECT_FALSE(QFile::exists(Settings::ConfigFilePath()));
  EXPECT_NE(Solve::SolveMode(), Solve::ModeSuspendedIdle);
}

TEST_F(MainFormShutDown, WithoutChangesNothingIsAsked) {
  StartProgram();
  Common::SetThisTemplate(AddTemplate(QStringLiteral("Staff")));
  EXPECT_TRUE(mainForm->close());
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_TRUE(QFile::exists(Settings::ConfigFilePath()));
}

// A chart window in front is closed alone; the next close request shuts down.
TEST_F(MainFormShutDown, AChartInFrontClosesAloneFirst) {
  RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
  StartProgram();
  Show(QStringLiteral("GanttForm"));

  EXPECT_FALSE(mainForm->close());
  EXPECT_EQ(Forms::Find(QStringLiteral("GanttForm")), nullptr);
  EXPECT_TRUE(mainForm->isVisible());

  EXPECT_TRUE(mainForm->close());
  EXPECT_FALSE(mainForm->isVisible());
}

}  // namespace
