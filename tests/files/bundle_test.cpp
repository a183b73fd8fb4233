#include "Bundle.h"
#include "Common.h"
#include "Guard.h"
#include "Pool.h"
#include "PxtoolRun.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString kRoundTrip = QStringLiteral(PRAXEL_TEST_DATA "/roundtrip.pxa");

class BundleTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    Common::FreeAllMemory();
  }
  void TearDown() override {
    Common::FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    EXPECT_TRUE(prompter.AllAnswered());
  }
  // Loads a file and makes its first template and project the active ones.
  void Load(const QString& path) {
    Bundle::FirstRecords first;
    ASSERT_TRUE(Bundle::OpenBundle(path, &first));
    Common::SetThisTemplate(first.templ);
    Common::SetThisProject(first.project);
  }
  QByteArray Resaved(const QString& name) {
    EXPECT_TRUE(Bundle::SaveAll(testsupport::DataFolderPath(name)));
    return testsupport::ReadFileBytes(testsupport::DataFolderPath(name));
  }

  testsupport::ScriptedPrompter prompter;
};

TEST_F(BundleTest, AFileReadAndSavedAgainIsByteForByteTheSame) {
  Load(kRoundTrip);
  EXPECT_EQ(Resaved(QStringLiteral("again.pxa")), testsupport::ReadFileBytes(kRoundTrip));

  // The forward link: the Bridge task's dependency names a task of Approach, read later.
  const Ytask* ramp = Common::Projects().Find(QStringLiteral("Approach"))->TaskList.Find(QStringLiteral("3"));
  ASSERT_NE(ramp, nullptr);
  EXPECT_EQ(ramp->Description, QStringLiteral("Ramp"));

  // Packed and back.
  Resaved(QStringLiteral("packed.pxb"));
  Common::FreeAllMemory();
  Load(testsupport::DataFolderPath(QStringLiteral("packed.pxb")));
  EXPECT_EQ(Resaved(QStringLiteral("unpacked.pxa")), testsupport::ReadFileBytes(kRoundTrip));
}

TEST_F(BundleTest, TheActiveTemplateAndProjectComeFirst) {
  Common::FindOrCreateTemplate(QStringLiteral("T1"));
  Ytemplate* t2 = Common::FindOrCreateTemplate(QStringLiteral("T2"));
  Common::FindOrCreateProject(QStringLiteral("P1"));
  Yproject* p2 = Common::FindOrCreateProject(QStringLiteral("P2"));
  Common::SetThisTemplate(t2);
  Common::SetThisProject(p2);
  const QString text = QString::fromLatin1(Resaved(QStringLiteral("order.pxa")));
  QStringList names;
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    if (line.startsWith(QStringLiteral("  TemplateName,")) || line.startsWith(QStringLiteral("  ProjectName,"))) {
      names.append(line.section(QLatin1Char(','), 1));
    }
  }
  EXPECT_EQ(names, (QStringList{"T2", "T1", "P2", "P1"}));
}

TEST_F(BundleTest, NothingLoadedGivesAnEmptyFile) {
  EXPECT_EQ(Resaved(QStringLiteral("empty.pxb")), QByteArray("\xFF\xFF\x00\x00", 4));
  EXPECT_EQ(Resaved(QStringLiteral("empty.pxa")), QByteArray());
}

// Dirty flags are cleared only once the file is safely in place.
TEST_F(BundleTest, AFailedSaveKeepsTheDirtyFlagsAndTheOldFile) {
  Yproject* project = Common::FindOrCreateProject(QStringLiteral("P"));
  project->SetDirty(true);
  ASSERT_TRUE(QDir().mkpath(testsupport::DataFolderPath(QStringLiteral("taken.pxa"))));  // a folder stands where the file would go
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(Bundle::SaveAll(testsupport::DataFolderPath(QStringLiteral("taken.pxa"))));
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("File Open Error"));
  EXPECT_TRUE(project->Dirty());

  EXPECT_TRUE(Bundle::SaveAll(testsupport::DataFolderPath(QStringLiteral("good.pxa"))));
  EXPECT_FALSE(project->Dirty());
}

TEST_F(BundleTest, ADamagedBundleIsReportedNotLoaded) {
  Load(kRoundTrip);
  Resaved(QStringLiteral("damaged.pxb"));
  QByteArray bytes = testsupport::ReadFileBytes(testsupport::DataFolderPath(QStringLiteral("damaged.pxb")));
  bytes[bytes.size() / 2] = static_cast<char>(bytes.at(bytes.size() / 2) ^ 0x20);
  {
    QFile file(testsupport::DataFolderPath(QStringLiteral("damaged.pxb")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  Common::FreeAllMemory();
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Bundle::OpenBundle(testsupport::DataFolderPath(QStringLiteral("damaged.pxb"))), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 10000: The file \"") +
                                             testsupport::DataFolderPath(QStringLiteral("damaged.pxb")) +
                                             QStringLiteral("\" is damaged and cannot be read."));
  EXPECT_EQ(Common::Projects().Count(), 0);
}

// A big file lets its reader's caller keep the window painted as it goes.
TEST_F(BundleTest, ReadingABigFileCallsBackAsItGoes) {
  Yproject* project = Common::FindOrCreateProject(QStringLiteral("Big"));
  project->AddJournal(46000.0);
  for (int id = 1; id <= 200; ++id) project->FindOrCreateTask(id)->Description = QStringLiteral("Task");
  const QString path = testsupport::DataFolderPath(QStringLiteral("big.pxa"));
  ASSERT_TRUE(Bundle::SaveAll(path));
  Common::FreeAllMemory();
  int calls = 0;
  ASSERT_TRUE(Bundle::OpenBundle(path, nullptr, [&] { ++calls; }));
  const QByteArray bytes = testsupport::ReadFileBytes(path);
  const qint64 pieces = (bytes.size() + Yfile::kBytesPerProgress - 1) / Yfile::kBytesPerProgress;
  EXPECT_EQ(calls, pieces + bytes.count("\r\n") / Yfile::kLinesPerProgress);
  EXPECT_EQ(Common::Projects().Find(QStringLiteral("Big"))->TaskList.Count(), 200);
}

TEST_F(BundleTest, AnUnknownRecordIsNamed) {
  QFile file(testsupport::DataFolderPath(QStringLiteral("odd.pxa")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("CALENDAR\r\n");
  file.close();
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Bundle::OpenBundle(testsupport::DataFolderPath(QStringLiteral("odd.pxa"))), ErrTrap::CallChain);
  EXPECT_TRUE(prompter.Asked().at(0).text.endsWith(
      QStringLiteral(", line 1: read \"CALENDAR\" when expecting \"PROJECT\" or \"TEMPLATE\"")));
}

// A project or template is found by its name; a record without one is reported, not followed
// into an object that does not exist.
TEST_F(BundleTest, ARecordWithoutANameIsReported) {
  const std::pair<QByteArray, QString> records[] = {
      {"PROJECT\r\n  ProjectName,\"\"\r\n  Description,x\r\n", QStringLiteral("\"ProjectName\" cannot be empty.")},
      {"TEMPLATE\r\n  TemplateName,\"\"\r\n  Description,x\r\n", QStringLiteral("\"TemplateName\" cannot be empty.")},
  };
  for (const auto& [bytes, detail] : records) {
    const QString path = testsupport::DataFolderPath(QStringLiteral("nameless.pxa"));
    testsupport::WriteFileBytes(path, bytes);
    prompter.Answer(praxel::AnswerAbort);
    EXPECT_THROW(Bundle::OpenBundle(path), ErrTrap::CallChain);
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_EQ(prompter.Asked().last().text,
              QStringLiteral("Internal error 10000: Error reading file ") + path + QStringLiteral(", line 2: ") + detail);
    EXPECT_EQ(Common::Projects().Count(), 0);
    EXPECT_EQ(Common::Templates().Count(), 0);
  }
}

// Within one file every project and template has one record: a second one is reported with both
// lines, not merged over the first. Opening another file into what is loaded still merges.
TEST_F(BundleTest, AProjectOrTemplateTwiceInOneFileIsReportedWithBothLines) {
  const QByteArray project = "PROJECT\r\n  ProjectName,Main\r\n  Description,x\r\n  ViewPassword,\"\"\r\n"
                             "  ModifyPassword,\"\"\r\n  PlanIndex,0\r\n  CurrentIndex,0\r\n  NumJournals,1\r\n"
                             "  JournalDates,03/02/2026 12:00am\r\n  Priority,1\r\n  SolveRules,0\r\n"
                             "  Parent,\"\"\r\n  Manager,\"\"\r\n";
  const QByteArray templ = "TEMPLATE\r\n  TemplateName,Staff\r\n  Description,x\r\n  ViewPassword,\"\"\r\n"
                           "  ModifyPassword,\"\"\r\n  CurrentIndex,0\r\n  NumJournals,1\r\n"
                           "  JournalDates,03/02/2026 12:00am\r\n";
  const std::pair<QByteArray, QString> files[] = {
      {project + project, QStringLiteral("line 15: Project \"Main\" is in the file twice, at line 2 and at line 15.")},
      {templ + templ, QStringLiteral("line 10: Template \"Staff\" is in the file twice, at line 2 and at line 10.")},
      {templ + QByteArray(templ).replace("Staff", "STAFF"),
       QStringLiteral("line 10: Template \"STAFF\" is in the file twice, at line 2 and at line 10.")},
  };
  for (const auto& [bytes, detail] : files) {
    SCOPED_TRACE(detail.toStdString());
    const QString path = testsupport::DataFolderPath(QStringLiteral("twice.pxa"));
    testsupport::WriteFileBytes(path, bytes);
    prompter.Answer(praxel::AnswerAbort);
    EXPECT_THROW(Bundle::OpenBundle(path), ErrTrap::CallChain);
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Internal error 10000: Error reading file ") + path +
                                                QStringLiteral(", ") + detail);
    Common::FreeAllMemory();
  }

}

// Combining: a template read again takes the record's fields, and so does a project that links
// named before its own record came; a project loaded from its record is refused by name, so that
// its tasks never get their dependencies and assignments twice.
TEST_F(BundleTest, CombiningFillsPlaceholdersButRefusesAProjectLoadedAlready) {
  Load(kRoundTrip);
  const QString placeholderPath = testsupport::DataFolderPath(QStringLiteral("placeholder.pxa"));
  QByteArray text = testsupport::ReadFileBytes(kRoundTrip);
  const qsizetype project = text.indexOf("PROJECT\r\n");
  ASSERT_GT(project, 0);
  testsupport::WriteFileBytes(placeholderPath, text.left(project));  // the templates alone
  ASSERT_TRUE(Bundle::OpenBundle(placeholderPath));

  Yproject* loaded = Common::Projects().First();
  const qsizetype links = loaded->TaskList.First()->DependencyList.Count();
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Bundle::OpenBundle(kRoundTrip), ErrTrap::CallChain);
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_TRUE(prompter.Asked().last().text.endsWith(
      QStringLiteral(": project \"%1\" is loaded already. Delete it first, or open the file with nothing loaded.")
          .arg(loaded->ProjectName())));
  EXPECT_EQ(loaded->TaskList.First()->DependencyList.Count(), links);

  Common::FreeAllMemory();
  Common::FindOrCreateProject(QStringLiteral("Approach"))->FindOrCreateTask(3);  // named by a link
  ASSERT_TRUE(Bundle::OpenBundle(kRoundTrip));
  EXPECT_EQ(Common::Projects().Find(QStringLiteral("Approach"))->TaskList.Find(QStringLiteral("3"))->Description,
            QStringLiteral("Ramp"));
}

TEST(Bundle, RecoverPathKeepsTheFolder) {
  EXPECT_EQ(Bundle::RecoverPath(QStringLiteral("/home/ann/plans/bridge.pxb")), QStringLiteral("/home/ann/plans/"));
  EXPECT_EQ(Bundle::RecoverPath(QStringLiteral("/bridge.pxb")), QStringLiteral("/"));
  EXPECT_EQ(Bundle::RecoverPath(QStringLiteral("bridge.pxb")), QString());
}

// The headless companion resaves the file unchanged, and says why it cannot read a bad one.
TEST(Pxtool, ResaveRoundTripsAndReportsUnreadableFiles) {
  const QString out = testsupport::DataFolderPath(QStringLiteral("pxtool.pxb"));
  const QString back = testsupport::DataFolderPath(QStringLiteral("pxtool.pxa"));
  EXPECT_EQ(QProcess::execute(QStringLiteral(PRAXEL_PXTOOL), {QStringLiteral("resave"), kRoundTrip, out}), 0);
  EXPECT_EQ(QProcess::execute(QStringLiteral(PRAXEL_PXTOOL), {QStringLiteral("resave"), out, back}), 0);
  EXPECT_EQ(testsupport::ReadFileBytes(back), testsupport::ReadFileBytes(kRoundTrip));

  QProcess missing;
  missing.start(QStringLiteral(PRAXEL_PXTOOL), {QStringLiteral("resave"), testsupport::DataFolderPath(QStringLiteral("none.pxa")), back});
  missing.waitForFinished();
  EXPECT_EQ(missing.exitCode(), 2);
  const QString error = QString::fromLocal8Bit(missing.readAllStandardError());
  EXPECT_TRUE(error.startsWith(QStringLiteral("pxtool: Attempting the read from the file "))) << error.toStdString();
  EXPECT_EQ(error.count(QLatin1Char('\n')), 1);
}

}  // namespace

namespace {

TEST(Pxtool, SolvePrintsTheMessageAndTheSchedule) {
  const ToolRun solved = RunPxtool({QStringLiteral("solve"), QStringLiteral(PRAXEL_EXAMPLES "/plant.pxa")});
  EXPECT_EQ(solved.exitCode, 0) << solved.err.toStdString();
  const QStringList lines = solved.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines.first(), QStringLiteral("Solve complete"));
  EXPECT_EQ(lines.at(1).split(QLatin1Char('\t')).size(), 7);

  // A task with effort and nobody to do it stops the solve.
  const QString unstaffed = testsupport::DataFolderPath(QStringLiteral("unstaffed.pxa"));
  testsupport::WriteFileBytes(unstaffed,
                              "PROJECT\r\n  ProjectName,P\r\n  Description,\"\"\r\n  ViewPassword,\"\"\r\n"
                              "  ModifyPassword,\"\"\r\n  PlanIndex,0\r\n  CurrentIndex,0\r\n  NumJournals,1\r\n"
                              "  JournalDates,03/02/2026 12:00am\r\n  Priority,1\r\n  SolveRules,0\r\n  Parent,\"\"\r\n"
                              "  Manager,\"\"\r\nTASK\r\n  TaskID,1\r\n  Subproject,\"\"\r\n  Description,Dig\r\n"
                              "  Include,True\r\n  EffortUnits,-60\r\n  Optimistic,0\r\n  MostLikely,480\r\n"
                              "  Pessimistic,0\r\n  Efficiency,.85\r\n  MaterialCost,0\r\n  LaborCost,0\r\n"
                              "  EarlyStart,12/30/1899 12:00am\r\n  EarlyFinish,12/30/1899 12:00am\r\n"
                              "  LateStart,12/30/1899 12:00am\r\n  LateFinish,12/30/1899 12:00am\r\nDEPENDENCY\r\n"
                              "  Include,True\r\n  DepDate,03/02/2026 12:00am\r\n  TaskRequired,\"\"\r\n"
                              "  FromPercent,100\r\n  ToPercent,0\r\n  Offset,0\r\n");
  const ToolRun failed = RunPxtool({QStringLiteral("solve"), unstaffed});
  EXPECT_EQ(failed.exitCode, 1) << failed.out.toStdString() << failed.err.toStdString();
  EXPECT_TRUE(failed.out.startsWith(QStringLiteral("Effort without resources\n"))) << failed.out.toStdString();

  const ToolRun missing = RunPxtool({QStringLiteral("solve"), testsupport::DataFolderPath(QStringLiteral("none.pxa"))});
  EXPECT_EQ(missing.exitCode, 2);
}

// The output's kind comes from its extension: one the program cannot write is a wrong call, told
// before anything is read or written.
TEST(Pxtool, ResaveRefusesAnOutputOfUnknownKind) {
  const QString out = testsupport::DataFolderPath(QStringLiteral("out.txt"));
  QFile::remove(out);
  const ToolRun run = RunPxtool({QStringLiteral("resave"), kRoundTrip, out});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("pxtool: the kind of %1 is not known: a project file is saved as .pxa, .pxb or .xml\n").arg(out)))
      << run.err.toStdString();
  EXPECT_FALSE(run.err.contains(QStringLiteral("Internal error"))) << run.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(out));
}

// A damaged file is the file's fault, not the program's: every command that reads one names the
// file, the line and what was wrong, without calling it an internal error.
TEST(Pxtool, ADamagedFileIsNamedWithItsLineNotAsAnInternalError) {
  QByteArray bytes = testsupport::ReadFileBytes(QStringLiteral(PRAXEL_EXAMPLES "/sample.pxa"));
  QList<QByteArray> lines = bytes.split('\n');
  ASSERT_GT(lines.size(), 90);
  lines[89] = "Garbage,x\r";
  const QString damaged = testsupport::DataFolderPath(QStringLiteral("damaged.pxa"));
  testsupport::WriteFileBytes(damaged, lines.join('\n'));
  const QString expected = QStringLiteral("pxtool: %1, line 90: read \"Garbage\" when expecting ").arg(damaged);
  for (const QStringList& command : {QStringList{QStringLiteral("solve"), damaged},
                                     QStringList{QStringLiteral("resave"), damaged, damaged + QStringLiteral(".pxb")},
                                     QStringList{QStringLiteral("crash"), damaged}}) {
    const ToolRun run = RunPxtool(command);
    EXPECT_EQ(run.exitCode, 2) << command.first().toStdString();
    EXPECT_TRUE(run.err.startsWith(expected)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("Internal error"))) << run.err.toStdString();
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
  }

  // A packed file cut short.
  const QString packed = testsupport::DataFolderPath(QStringLiteral("damaged.pxb"));
  ASSERT_EQ(RunPxtool({QStringLiteral("pack"), QStringLiteral(PRAXEL_EXAMPLES "/sample.pxa"), packed}).exitCode, 0);
  testsupport::WriteFileBytes(packed, testsupport::ReadFileBytes(packed).left(300));
  const ToolRun run = RunPxtool({QStringLiteral("solve"), packed});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, QStringLiteral("pxtool: The file \"%1\" is damaged and cannot be read.\n").arg(packed));
}

}  // namespace
