// The automatic backup, driven by a clock the test sets.

#include "AutoBackup.h"
#include "Bundle.h"
#include "Common.h"
#include "MainForm.h"
#include "Pool.h"
#include "Settings.h"
#include "ShellFixture.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

class AutomaticBackup : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    StartProgram();
    mainForm->Backup().SetClock([this] { return now; });
  }

  // One tick of the backup timer at that time of 2 March 2026.
  void TickAt(int hour, int minute, int second = 0) {
    now = QDateTime(QDate(2026, 3, 2), QTime(hour, minute, second));
    mainForm->Backup().Tick(mainForm->AutoBackupMinutes());
  }

  static QStringList Backups() {
    return QDir(testsupport::ProgramDataFolder()).entryList({QStringLiteral("Backup*")}, QDir::Files, QDir::Name);
  }

  QDateTime now;
};

// Nothing is written with the period off, or with templates but no project loaded.
TEST_F(AutomaticBackup, NeedsAPeriodAndAProject) {
  Common::SetThisTemplate(AddTemplate(QStringLiteral("Staff")));
  mainForm->SetAutoBackupMinutes(10);
  TickAt(9, 0);
  EXPECT_TRUE(Backups().isEmpty());

  Common::SetThisProject(AddProject(QStringLiteral("Plant")));
  mainForm->SetAutoBackupMinutes(0);
  TickAt(9, 10);
  EXPECT_TRUE(Backups().isEmpty());
}

// Every 20 minutes: at minutes 0, 20 and 40, once in each minute however often the timer ticks,
// to Backup00, Backup20 and Backup40 in the program data folder; the next hour writes over them.
TEST_F(AutomaticBackup, WritesOncePerDueMinuteNamedAfterIt) {
  Common::SetThisProject(AddProject(QStringLiteral("Plant")));
  mainForm->SetAutoBackupMinutes(20);
  const QString first = AutoBackup::BackupPath(0);
  EXPECT_EQ(first, testsupport::DataFolderPath(QStringLiteral("Backup00.pxb")));

  TickAt(10, 0, 3);
  ASSERT_TRUE(QFile::exists(first));
  QFile::remove(first);
  for (int second = 13; second < 60; second += 10) TickAt(10, 0, second);  // the other five ticks
  EXPECT_FALSE(QFile::exists(first));

  for (const int minute : {10, 20, 30, 40, 50}) TickAt(10, minute);
  EXPECT_EQ(Backups(), (QStringList{QStringLiteral("Backup20.pxb"), QStringLiteral("Backup40.pxb")}));
  TickAt(11, 0);
  EXPECT_TRUE(QFile::exists(first));
}

// A backup is a copy: the changes still count as unsaved, the recent list and the current file
// stay as they were, and closing still offers to save. The copy holds everything.
TEST_F(AutomaticBackup, LeavesChangesUnsavedAndTheRecentListAlone) {
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Yproject* plant = AddProject(QStringLiteral("Plant"));
  plant->FindOrCreateTask(1)->Description = QStringLiteral("Survey");
  Common::SetThisProject(plant);
  Common::SetThisTemplate(staff);
  plant->SetDirty(true);
  staff->SetDirty(true);
  // The file the work came from: the recent list's only entry and the current file.
  const QString saved = testsupport::DataFolderPath(QStringLiteral("plant.pxa"));
  ASSERT_TRUE(Bundle::SaveAll(saved));  // nothing is left unsaved
  prompter.Answer(praxel::AnswerYes);   // delete what is loaded first
  dialogs.OpenAnswer(saved);
  mainForm->Control(QStringLiteral("FileOpenMenu"))->trigger();
  plant = Common::ThisProject();
  staff = Common::ThisTemplate();
  ASSERT_NE(plant, nullptr);
  ASSERT_NE(staff, nullptr);
  plant->SetDirty(true);
  staff->SetDirty(true);
  mainForm->SetAutoBackupMinutes(10);

  TickAt(14, 30);

  const QString backup = AutoBackup::BackupPath(30);
  ASSERT_TRUE(QFile::exists(backup));
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(staff->Dirty());
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("RecentFile1")), saved);
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("RecentFile2")), QString());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileRecentMenu2"))->isVisible());
  EXPECT_EQ(mainForm->CurrentFile(), saved);
  prompter.Answer(praxel::AnswerCancel);
  EXPECT_FALSE(mainForm->close());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Save All Changes To Disk"));

  mainForm.reset();
  Common::FreeAllMemory();
  ASSERT_TRUE(Bundle::OpenBundle(backup));
  ASSERT_NE(Common::Projects().Find(QStringLiteral("Plant")), nullptr);
  EXPECT_EQ(Common::Projects().Find(QStringLiteral("Plant"))->TaskList.Count(), 1);
  EXPECT_NE(Common::Templates().Find(QStringLiteral("Staff")), nullptr);
}

// The main window's 10-second timer drives the backup from start-up on.
TEST_F(AutomaticBackup, TheMainWindowsTimerDrivesIt) {
  Common::SetThisProject(AddProject(QStringLiteral("Plant")));
  mainForm->SetAutoBackupMinutes(10);
  now = QDateTime(QDate(2026, 3, 2), QTime(9, 10));
  EXPECT_TRUE(mainForm->AutoBackupTimer()->isActive());
  mainForm->AutoBackupTimer()->setInterval(1);
  EXPECT_TRUE(RunUntil([] { return QFile::exists(AutoBackup::BackupPath(10)); }));
}

}  // namespace
