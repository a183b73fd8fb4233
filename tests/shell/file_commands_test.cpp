// The File menu: open (into an empty program, combining or clearing first), save and open again,
// new, the recent-file list, damaged files, and the file named on the command line.

#include "Application.h"
#include "Bundle.h"
#include "Common.h"
#include "ErrTrap.h"
#include "Forms.h"
#include "MainForm.h"
#include "Prompter.h"
#include "Pool.h"
#include "Settings.h"
#include "ShellFixture.h"
#include "SolveState.h"
#include "SolverHostQt.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QTreeWidgetItem>

#include <functional>

namespace {

class FileCommands : public ShellTest {
 protected:
  // Writes a project file of one template and one project of staffed tasks in a chain from a start
  // date, so that it solves; the program is left empty.
  static QString WriteFile(const QString& name, const QString& projectName, const QString& templateName,
                           const QList<int>& taskIds) {
    AddStaffedChain(projectName, AddTemplate(templateName), taskIds);
    const QString path = testsupport::DataFolderPath(name);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(Bundle::SaveAll(path));
    Common::FreeAllMemory();
    return path;
  }

  void Open(const QString& path) {
    dialogs.OpenAnswer(path);
    mainForm->Control(QStringLiteral("FileOpenMenu"))->trigger();
  }

  // The captions of the recent-file entries shown.
  QStringList RecentEntries() const {
    QStringList entries;
    for (int index = 1; index <= 9; ++index) {
      const QAction* entry = mainForm->Control(QStringLiteral("FileRecentMenu%1").arg(index));
      if (entry->isVisible()) entries.append(entry->text());
    }
    return entries;
  }

  static QList<int> TaskIds(const QString& projectName) {
    QList<int> ids;
    if (const Yproject* project = Common::Projects().Find(projectName)) {
      for (const Ytask* task : project->TaskList) ids.append(task->TaskID());
    }
    return ids;
  }

  bool SolvedTo(const QString& message) {
    return RunUntil(
        [&] { return mainForm->SolvePanelText() == message && Solve::SolveMode() != Solve::ModeRequested; });
  }
};

// Into an empty program: no question; the first project and template read become active, the trees
// show them, the file heads the recent list and the next dialog starts in its folder; the solver,
// suspended while reading, then solves what was read.
TEST_F(FileCommands, OpenIntoAnEmptyProgramMakesTheFirstRecordsActive) {
  const QString path =
      WriteFile(QStringLiteral("plans/site.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1, 2});
  StartProgram();
  Open(path);

  EXPECT_TRUE(prompter.Asked().isEmpty());
  ASSERT_NE(Common::ThisProject(), nullptr);
  EXPECT_EQ(Common::ThisProject()->ProjectName(), QStringLiteral("Plant"));
  EXPECT_EQ(Common::ThisTemplate()->TemplateName(), QStringLiteral("Staff"));
  EXPECT_EQ(mainForm->CurrentFile(), path);
  EXPECT_EQ(mainForm->StartDir(), testsupport::DataFolderPath(QStringLiteral("plans/")));
  EXPECT_EQ(RecentEntries(), QStringList{QStringLiteral("&1 ") + path});
  EXPECT_EQ(Common::ProjectTree()->topLevelItem(0)->text(0), QStringLiteral("Plant"));
  EXPECT_EQ(Common::TemplateTree()->topLevelItem(0)->text(0), QStringLiteral("Staff"));
  EXPECT_EQ(mainForm->StatusMessageText(), QString());
  EXPECT_TRUE(SolvedTo(QStringLiteral("Solve complete")));
}

// With data loaded the user is asked; No combines: a template of a loaded template's name is read
// into that template, the other records are added, and the active ones stay.
TEST_F(FileCommands, AnsweringNoCombinesWithWhatIsLoaded) {
  const QString first = WriteFile(QStringLiteral("first.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1});
  const QString second = WriteFile(QStringLiteral("second.pxb"), QStringLiteral("Office"), QStringLiteral("Staff"), {2});
  StartProgram();
  Open(first);
  prompter.Answer(praxel::AnswerNo);
  Open(second);

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Delete All Projects and Templates"));
  EXPECT_EQ(prompter.Asked().at(0).text,
            QStringLiteral("There are already projects and/or templates loaded into memory.\n\nIf you do not delete "
                           "them, then PRAXEL will combine the data in ") +
                second +
                QStringLiteral(" with the data in memory.\n\nDo you want to delete all templates and projects first?"));
  EXPECT_EQ(prompter.Asked().at(0).style, praxel::MsgYesNoCancel | praxel::MsgQuestion);
  EXPECT_EQ(TaskIds(QStringLiteral("Plant")), (QList<int>{1}));
  EXPECT_EQ(TaskIds(QStringLiteral("Office")), (QList<int>{2}));
  EXPECT_EQ(Common::Templates().Count(), 1);
  EXPECT_EQ(Common::ThisProject()->ProjectName(), QStringLiteral("Plant"));
  EXPECT_EQ(Common::ThisTemplate()->TemplateName(), QStringLiteral("Staff"));
  EXPECT_EQ(RecentEntries(), (QStringList{QStringLiteral("&1 ") + second, QStringLiteral("&2 ") + first}));
}

// Yes clears memory first, after the save question: Cancel there reads nothing and changes
// nothing; No discards the changes and reads the file alone.
TEST_F(FileCommands, AnsweringYesClearsFirstAfterTheSaveQuestion) {
  const QString first = WriteFile(QStringLiteral("first.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1});
  const QString second = WriteFile(QStringLiteral("second.pxa"), QStringLiteral("Office"), QStringLiteral("Crew"), {2});
  StartProgram();
  Open(first);
  ASSERT_TRUE(SolvedTo(QStringLiteral("Solve complete")));
  Common::ThisProject()->SetDirty(true);

  prompter.Answer(praxel::AnswerYes);
  prompter.Answer(praxel::AnswerCancel);
  Open(second);
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Save All Changes To Disk"));
  EXPECT_EQ(Common::Projects().Count(), 1);
  EXPECT_TRUE(Common::ThisProject()->Dirty());
  EXPECT_EQ(RecentEntries(), QStringList{QStringLiteral("&1 ") + first});
  EXPECT_NE(Solve::SolveMode(), Solve::ModeSuspendedIdle);

  prompter.Answer(praxel::AnswerYes);
  prompter.Answer(praxel::AnswerNo);
  Open(second);
  EXPECT_EQ(Common::Projects().Count(), 1);
  EXPECT_EQ(Common::ThisProject()->ProjectName(), QStringLiteral("Office"));
  EXPECT_EQ(Common::ThisTemplate()->TemplateName(), QStringLiteral("Crew"));
  EXPECT_EQ(Common::ProjectTree()->topLevelItem(0)->text(0), QStringLiteral("Office"));
}

// Save writes everything and clears the changes; New empties memory and both trees; the recent
// entry opens the saved file again, changes included.
TEST_F(FileCommands, SaveNewAndOpenAgainFromTheRecentList) {
  const QString first = WriteFile(QStringLiteral("first.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1});
  StartProgram();
  Open(first);
  Common::ThisProject()->FindOrCreateTask(5)->Description = QStringLiteral("Added");
  Common::ThisProject()->SetDirty(true);
  const QString saved = testsupport::DataFolderPath(QStringLiteral("saved.pxb"));
  dialogs.SaveAnswer(saved);
  mainForm->Control(QStringLiteral("FileSaveMenu"))->trigger();
  EXPECT_TRUE(QFile::exists(saved));
  EXPECT_FALSE(Common::ThisProject()->Dirty());
  EXPECT_EQ(mainForm->CurrentFile(), saved);
  EXPECT_EQ(RecentEntries().value(0), QStringLiteral("&1 ") + saved);

  mainForm->Control(QStringLiteral("FileNewMenu"))->trigger();
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_TRUE(Common::Projects().IsEmpty());
  EXPECT_TRUE(Common::Templates().IsEmpty());
  EXPECT_EQ(Common::ProjectTree()->topLevelItemCount(), 0);
  EXPECT_EQ(Common::TemplateTree()->topLevelItemCount(), 0);
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileSaveMenu"))->isEnabled());

  mainForm->Control(QStringLiteral("FileRecentMenu1"))->trigger();
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_EQ(TaskIds(QStringLiteral("Plant")), (QList<int>{1, 5}));
  EXPECT_EQ(RecentEntries(), (QStringList{QStringLiteral("&1 ") + saved, QStringLiteral("&2 ") + first}));
}

// Saved as Microsoft Project XML, the work is exported (a copy: the file is not the work's own,
// so it does not join the recent files), and opening that file imports it as a new project in a
// new "Resources" template, which solves.
TEST_F(FileCommands, SaveAsMicrosoftProjectXmlAndOpenItAgain) {
  const QString path =
      WriteFile(QStringLiteral("plans/site.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1, 2, 3});
  StartProgram();
  Open(path);
  ASSERT_TRUE(SolvedTo(QStringLiteral("Solve complete")));
  const QString xml = testsupport::DataFolderPath(QStringLiteral("plans/site-ms.xml"));
  dialogs.SaveAnswer(xml);
  mainForm->Control(QStringLiteral("FileSaveMenu"))->trigger();
  EXPECT_TRUE(QFile::exists(xml));
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_EQ(RecentEntries(), QStringList{QStringLiteral("&1 ") + path});

  prompter.Answer(praxel::AnswerYes);  // delete what is loaded first
  Open(xml);
  ASSERT_EQ(prompter.Asked().size(), 1);
  ASSERT_NE(Common::ThisProject(), nullptr);
  EXPECT_EQ(Common::ThisProject()->ProjectName(), QStringLiteral("site-ms"));
  EXPECT_EQ(Common::ThisProject()->TaskList.Count(), 3);
  EXPECT_EQ(Common::ThisTemplate()->TemplateName(), QStringLiteral("Resources"));
  // The project had no description: the import says where it came from.
  EXPECT_EQ(Common::ProjectTree()->topLevelItem(0)->text(0), QStringLiteral("site-ms: imported from Microsoft Project"));
  EXPECT_EQ(RecentEntries().first(), QStringLiteral("&1 ") + xml);
  EXPECT_EQ(mainForm->StatusMessageText(), QString());
  EXPECT_TRUE(SolvedTo(QStringLiteral("Solve complete")));
}

// New with nothing loaded says so; with changes it asks first, and a save that writes no project
// file (a Microsoft Project file here) keeps everything.
TEST_F(FileCommands, NewAsksFirstAndKeepsWhatIsNotSaved) {
  StartProgram();
  prompter.Answer(praxel::AnswerOk);
  mainForm->Control(QStringLiteral("FileNewMenu"))->trigger();
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Memory Already Empty"));
  EXPECT_EQ(prompter.Asked().at(0).text,
            QStringLiteral("Memory is already empty.  There are no projects or templates loaded."));

  Yproject* plant = AddProject(QStringLiteral("Plant"));
  Common::SetThisProject(plant);
  plant->SetDirty(true);
  prompter.Answer(praxel::AnswerYes);
  dialogs.SaveAnswer(testsupport::DataFolderPath(QStringLiteral("plant.mpp")));
  prompter.Answer(praxel::AnswerOk);
  mainForm->Control(QStringLiteral("FileNewMenu"))->trigger();
  EXPECT_EQ(prompter.Asked().at(1).title, QStringLiteral("Save All Changes To Disk"));
  EXPECT_EQ(prompter.Asked().at(2).title, QStringLiteral("Microsoft Project XML Needed"));
  EXPECT_EQ(Common::Projects().Count(), 1);
  EXPECT_EQ(Common::ThisProject(), plant);
}

// The nine most recent files that were read, newest first: a file opened again (in another letter
// case) moves to the top as typed, a tenth pushes the oldest out.
TEST_F(FileCommands, TheRecentListKeepsNineFilesNewestFirst) {
  const QByteArray bytes = testsupport::ReadFileBytes(
      WriteFile(QStringLiteral("plan.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1}));
  QStringList paths;
  for (int n = 1; n <= 10; ++n) paths.append(testsupport::DataFolderPath(QStringLiteral("file%1.pxa").arg(n)));
  const QString shouted = testsupport::DataFolderPath(QStringLiteral("FILE4.PXA"));
  for (const QString& path : paths + QStringList{shouted}) testsupport::WriteFileBytes(path, bytes);
  StartProgram();
  EXPECT_FALSE(mainForm->Control(QStringLiteral("FileSeparatorMenu"))->isVisible());
  // Each file is read alone: memory is cleared first.
  const auto openAlone = [&](const QString& path) {
    if (!Common::Projects().IsEmpty()) prompter.Answer(praxel::AnswerYes);
    Open(path);
  };
  for (const QString& path : paths) openAlone(path);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("FileSeparatorMenu"))->isVisible());
  QStringList expected;
  for (int n = 10; n >= 2; --n) expected.append(QStringLiteral("&%1 ").arg(11 - n) + paths.at(n - 1));
  EXPECT_EQ(RecentEntries(), expected);

  // A name that differs only in case is another file: it takes the top and pushes the last out.
  openAlone(shouted);
  QStringList entries = RecentEntries();
  EXPECT_EQ(entries.size(), 9);
  EXPECT_EQ(entries.at(0), QStringLiteral("&1 ") + shouted);
  EXPECT_EQ(entries.filter(QStringLiteral("file4"), Qt::CaseInsensitive).size(), 2);
  EXPECT_EQ(Settings::ReadSettings(QStringLiteral("RecentFile1")), shouted);

  // The same name moves to the top.
  openAlone(paths.at(3));
  entries = RecentEntries();
  EXPECT_EQ(entries.size(), 9);
  EXPECT_EQ(entries.at(0), QStringLiteral("&1 ") + paths.at(3));
  EXPECT_EQ(entries.filter(QStringLiteral("file4"), Qt::CaseInsensitive).size(), 2);
}

// A file that cannot be opened is refused before anything loaded is touched, and does not join
// the recent files: one of no known kind, a missing one, and a recent entry whose file is gone.
TEST_F(FileCommands, AFileThatCannotBeOpenedLeavesWhatIsLoaded) {
  const QString first = WriteFile(QStringLiteral("first.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1});
  const QString moved = testsupport::DataFolderPath(QStringLiteral("moved.pxa"));
  ASSERT_TRUE(QFile::copy(first, moved));
  StartProgram();
  Open(moved);
  prompter.Answer(praxel::AnswerYes);
  Open(first);
  ASSERT_TRUE(QFile::remove(moved));

  const QString gone = testsupport::DataFolderPath(QStringLiteral("gone.pxa"));
  const QString notes = testsupport::DataFolderPath(QStringLiteral("notes.txt"));
  testsupport::WriteFileBytes(notes, QByteArray("TEMPLATE\r\n"));
  struct Case {
    const char* name;
    std::function<void()> open;
    QString title;
    QString text;
  };
  const Case cases[] = {
      {"of no known kind", [&] { Open(notes); }, QStringLiteral("File Type Not Recognized"),
       QStringLiteral("The file \"") + notes + QStringLiteral("\" does not have a recognized type.")},
      {"missing", [&] { Open(gone); }, QStringLiteral("File Open Error"),
       QStringLiteral("The file \"") + gone + QStringLiteral("\" cannot be opened: No such file or directory")},
      {"gone from the recent list", [&] { mainForm->Control(QStringLiteral("FileRecentMenu2"))->trigger(); },
       QStringLiteral("File Open Error"),
       QStringLiteral("The file \"") + moved + QStringLiteral("\" cannot be opened: No such file or directory")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompter.Answer(praxel::AnswerOk);
    c.open();
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_EQ(prompter.Asked().last().title, c.title);
    EXPECT_EQ(prompter.Asked().last().text, c.text);
    EXPECT_EQ(TaskIds(QStringLiteral("Plant")), QList<int>{1});
    EXPECT_EQ(RecentEntries(), (QStringList{QStringLiteral("&1 ") + first, QStringLiteral("&2 ") + moved}));
  }
}

// Combining a file whose project is loaded already is refused by name: the tasks keep their
// dependencies and assignments once.
TEST_F(FileCommands, CombiningAProjectLoadedAlreadyIsRefusedByName) {
  const QString first = WriteFile(QStringLiteral("first.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1, 2});
  StartProgram();
  Open(first);
  const auto links = [] {
    qsizetype count = 0;
    for (const Ytask* task : Common::Projects().Find(QStringLiteral("Plant"))->TaskList) {
      count += task->DependencyList.Count() + task->AssignmentList.Count();
    }
    return count;
  };
  const qsizetype before = links();
  ASSERT_GT(before, 0);
  prompter.Answer(praxel::AnswerNo);
  prompter.Answer(praxel::AnswerAbort);
  prompter.Answer(praxel::AnswerOk);  // told that the file was read in part
  Open(first);
  ASSERT_EQ(prompter.Asked().size(), 3);
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("File Read In Part"));
  EXPECT_TRUE(prompter.Asked().at(1).text.endsWith(
      QStringLiteral(": project \"Plant\" is loaded already. Delete it first, or open the file with nothing loaded.")))
      << prompter.Asked().at(1).text.toStdString();
  EXPECT_EQ(links(), before);
  EXPECT_EQ(Common::Projects().Count(), 1);
}

// A damaged file is reported by name. Whatever the user answers, the solver is not left
// suspended, what was read stays loaded and becomes active, and every window is told.
TEST_F(FileCommands, ADamagedFileIsReportedByNameAndTheProgramGoesOn) {
  const QString source = WriteFile(QStringLiteral("good.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1});
  QByteArray text = testsupport::ReadFileBytes(source);
  // The template stays whole; the project record's header is damaged.
  text.replace("PROJECT\r\n", "PROJEKT\r\n");
  const QString plain = testsupport::DataFolderPath(QStringLiteral("damaged plan.pxa"));
  testsupport::WriteFileBytes(plain, text);
  const QString packed = testsupport::DataFolderPath(QStringLiteral("damaged.pxb"));
  testsupport::WriteFileBytes(packed, QByteArray("not a packed file at all"));

  struct Case {
    QString path;
    int answer;
    QString templateRead;
  };
  for (const Case& c :
       {Case{plain, praxel::AnswerAbort, QStringLiteral("Staff")},
        Case{plain, praxel::AnswerIgnore, QStringLiteral("Staff")}, Case{packed, praxel::AnswerAbort, QString()}}) {
    SCOPED_TRACE(c.path.toStdString() + " " + std::to_string(c.answer));
    StartProgram();
    prompter.Answer(c.answer);
    // What was read of the file is loaded: the user is told it is incomplete.
    if (!c.templateRead.isEmpty()) prompter.Answer(praxel::AnswerOk);
    const qsizetype asked = prompter.Asked().size();
    Open(c.path);
    ASSERT_GT(prompter.Asked().size(), asked);
    EXPECT_EQ(prompter.Asked().at(asked).title, QStringLiteral("Internal Error"));
    EXPECT_TRUE(prompter.Asked().at(asked).text.contains(c.path)) << prompter.Asked().at(asked).text.toStdString();
    EXPECT_EQ(prompter.Asked().last().title,
              c.templateRead.isEmpty() ? QStringLiteral("Internal Error") : QStringLiteral("File Read In Part"));
    EXPECT_NE(Solve::SolveMode(), Solve::ModeSuspendedIdle);
    EXPECT_TRUE(mainForm->SolverHost()->SolveTimerEnabled());
    EXPECT_TRUE(SolvedTo(QStringLiteral("No projects loaded")));
    EXPECT_EQ(Common::ThisTemplate() != nullptr ? Common::ThisTemplate()->TemplateName() : QString(), c.templateRead);
    EXPECT_EQ(Common::TemplateTree()->topLevelItemCount(), c.templateRead.isEmpty() ? 0 : 1);
    EXPECT_EQ(mainForm->StatusMessageText(), QString());
    mainForm.reset();
    Common::FreeAllMemory();
  }
  EXPECT_TRUE(testsupport::ReadTextFile(ErrTrap::LogFilePath()).contains(QStringLiteral("Main:FileOpenMenu_Click")));
}

// Answers Ignore to every failure and OK to anything else, as a user who clicks through.
class IgnoringPrompter final : public praxel::Prompter {
 public:
  int MsgBox(const QString& text, int style, const QString& title) override {
    asked.append({title, text});
    return title == QLatin1String("Internal Error") ? praxel::AnswerIgnore : praxel::AnswerOk;
  }
  QString InputBox(const QString&, const QString&, const QString& defaultText) override { return defaultText; }
  QList<std::pair<QString, QString>> asked;  // title and text
};

// The sample cut in the middle of a task, every reading error answered with Ignore: what was read
// stays, the user is told plainly that it is incomplete and not to save it over the file, the
// save no longer offers that file, and it does not go to the recent list.
TEST_F(FileCommands, AFileReadInPartIsToldAndNotOfferedForSaving) {
  QByteArray text = testsupport::ReadFileBytes(QStringLiteral(PRAXEL_SAMPLE));
  text.truncate(text.indexOf("  Description,", text.size() / 2) + 5);
  const QString cut = testsupport::DataFolderPath(QStringLiteral("cut.pxa"));
  testsupport::WriteFileBytes(cut, text);
  StartProgram();
  IgnoringPrompter ignoring;
  praxel::SetPrompter(&ignoring);
  Open(cut);
  praxel::SetPrompter(&prompter);
  ASSERT_GE(ignoring.asked.size(), 2);
  EXPECT_EQ(ignoring.asked.first().first, QStringLiteral("Internal Error"));
  EXPECT_EQ(ignoring.asked.last().first, QStringLiteral("File Read In Part"));
  EXPECT_TRUE(ignoring.asked.last().second.contains(QStringLiteral("incomplete")) &&
              ignoring.asked.last().second.contains(QStringLiteral("Do not save it over ") + cut));
  EXPECT_NE(Common::ThisProject(), nullptr);
  EXPECT_EQ(mainForm->CurrentFile(), QString());
  EXPECT_TRUE(RecentEntries().filter(cut).isEmpty());
}

// The first argument names the file to open at start, blanks and all. A damaged one is reported
// and the start goes on: the welcome screen and the size poll come all the same.
TEST_F(FileCommands, TheCommandLineFileOpensAtStart) {
  const QString path =
      WriteFile(QStringLiteral("my plans/site plan.pxa"), QStringLiteral("Plant"), QStringLiteral("Staff"), {1});
  mainForm = std::make_unique<MainForm>(path);
  mainForm->show();
  ASSERT_TRUE(RunUntil([] { return Forms::Find(QStringLiteral("WelcomeForm")) != nullptr; }));
  ASSERT_NE(Common::ThisProject(), nullptr);
  EXPECT_EQ(Common::ThisProject()->ProjectName(), QStringLiteral("Plant"));
  EXPECT_EQ(mainForm->CurrentFile(), path);
  mainForm.reset();
  Common::FreeAllMemory();

  const QString damaged = testsupport::DataFolderPath(QStringLiteral("my plans/damaged.pxb"));
  testsupport::WriteFileBytes(damaged, QByteArray("garbage"));
  prompter.Answer(praxel::AnswerAbort);
  mainForm = std::make_unique<MainForm>(damaged);
  mainForm->show();
  ASSERT_TRUE(RunUntil([] { return Forms::Find(QStringLiteral("WelcomeForm")) != nullptr; }));
  EXPECT_TRUE(mainForm->ResizeTimer()->isActive());
  EXPECT_TRUE(prompter.Asked().last().text.contains(damaged));
  EXPECT_TRUE(RunUntil([this] { return mainForm->SolvePanelText() == QLatin1String("No projects loaded"); }));
}

}  // namespace

namespace {

TEST(CommandLine, TheFirstArgumentIsTheFileBlanksAndAll) {
  EXPECT_EQ(Application::CommandLineFile({QStringLiteral("praxel"), QStringLiteral("/home/ann/my plans/site plan.pxa"),
                                          QStringLiteral("second")}),
            QStringLiteral("/home/ann/my plans/site plan.pxa"));
  EXPECT_EQ(Application::CommandLineFile({QStringLiteral("praxel")}), QString());
}

}  // namespace
