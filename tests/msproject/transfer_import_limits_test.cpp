// The import of files made to break it: outlines thousands of levels deep, values the model
// cannot hold, dates at the end of the calendar, lags too small or too large for their text.

#include "Bundle.h"
#include "Common.h"
#include "ErrTrap.h"
#include "MspdiDocument.h"
#include "Pool.h"
#include "PxtoolRun.h"
#include "ShortDate.h"
#include "TestSupport.h"
#include "Transfer.h"
#include "TransferTestSupport.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

namespace {

using MSProject::kDeepestOutline;

class ImportLimits : public TransferTest {};

// A staircase outline imports as a chain of subprojects, each summary standing for the next; one
// of 6,000 levels (deep enough to exhaust a stack of nested calls under AddressSanitizer) is
// refused with the reason before anything changes.
TEST_F(ImportLimits, AStaircaseImportsAsAChainOfSubprojectsOrIsRefusedPastTheLimit) {
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("stairs.xml"), MspdiStaircase(6000))));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_TRUE(prompter.Asked()[0].text.contains(
      QStringLiteral("task %1 lies below %2 summary tasks").arg(kDeepestOutline + 1).arg(kDeepestOutline)))
      << prompter.Asked()[0].text.toStdString();
  EXPECT_TRUE(Common::Projects().IsEmpty());
  EXPECT_TRUE(Common::Templates().IsEmpty());

  constexpr int kLevels = 50;
  ASSERT_TRUE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("stairs.xml"), MspdiStaircase(kLevels))));
  const Yproject* project = Common::ThisProject();
  for (int level = 1; level < kLevels; ++level) {
    ASSERT_EQ(project->TaskList.Count(), 1) << level;
    const Ytask* summary = project->TaskList.First();
    ASSERT_NE(summary->Subproject(), nullptr) << level;
    project = summary->Subproject();
  }
  ASSERT_EQ(project->TaskList.Count(), 1);
  EXPECT_EQ(project->TaskList.First()->TaskID(), kLevels);
  EXPECT_EQ(project->TaskList.First()->Subproject(), nullptr);
}

// Dates past the last minute a date can name are set to that minute, and the user is told which;
// saved and read back they stay there, never in the year 10000 or 1000.
TEST_F(ImportLimits, DatesPastTheLastMinuteAreSetToItAndNamed) {
  const QByteArray text =
      MspdiDocumentText(MspdiTask(1, 1, QStringLiteral("<Start>9999-12-31T23:59:59</Start>")) +
                        MspdiTask(2, 1, QStringLiteral("<Start>9999-12-31T23:59:00</Start><ConstraintType>4</ConstraintType>"
                                                       "<ConstraintDate>9999-12-31T23:59:30</ConstraintDate>")));
  prompter.Answer(praxel::AnswerOk);
  ASSERT_TRUE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("late.xml"), text)));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Dates Changed"));
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Dates after 12/31/9999 11:59 PM cannot be kept; these were set to "
                                                     "12/31/9999 11:59 PM: the start of task 1 \"Task 1\", the "
                                                     "constraint date of task 2 \"Task 2\"."));
  for (const int id : {1, 2}) {
    const Ytask* task = Common::ThisProject()->TaskList.Find(QString::number(id));
    ASSERT_EQ(task->DependencyList.Count(), 1) << id;
    EXPECT_NEAR(task->DependencyList.First()->DepDate(), MSProject::kLastMinute, 1e-9) << id;
  }
  const QString saved = OutputPath(QStringLiteral("late.pxa"));
  ASSERT_TRUE(Bundle::SaveAll(saved));
  const QByteArray bytes = testsupport::ReadFileBytes(saved);
  EXPECT_EQ(bytes.count("DepDate,12/31/9999 11:59pm"), 2);
  EXPECT_FALSE(bytes.contains("10000"));
}

// Dates before the first day a date dependency can name are set to it and named, so that the
// plan saved reads back.
TEST_F(ImportLimits, DatesBeforeTheFirstDayAreSetToItAndNamed) {
  const QByteArray text = MspdiDocumentText(MspdiTask(1, 1, QStringLiteral("<Start>1012-05-05T08:00:00</Start>")));
  prompter.Answer(praxel::AnswerOk);
  ASSERT_TRUE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("early.xml"), text)));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Dates Changed"));
  EXPECT_EQ(prompter.Asked()[0].text,
            QStringLiteral("Dates before %1 cannot be kept; these were set to %1: the start of task 1 \"Task 1\".")
                .arg(praxel::DateTimeText(0.0)));
  const QString saved = OutputPath(QStringLiteral("early.pxa"));
  ASSERT_TRUE(Bundle::SaveAll(saved));
  const QByteArray bytes = testsupport::ReadFileBytes(saved);
  EXPECT_TRUE(bytes.contains("DepDate,12/30/1899 12:00am")) << bytes.constData();
  EXPECT_FALSE(bytes.contains("1012"));
  const ToolRun back = RunPxtool({QStringLiteral("solve"), saved});
  EXPECT_EQ(back.err, QString()) << "the saved plan reads back";
}

// A task 2 after task 1 with the lag of a LinkLag and LagFormat.
QByteArray LinkedPair(const QString& lagTenths, int lagFormat) {
  return MspdiDocumentText(
      MspdiTask(1, 1) + MspdiTask(2, 1, QStringLiteral("<PredecessorLink><PredecessorUID>1</PredecessorUID><Type>1</Type>"
                                                       "<LinkLag>%1</LinkLag><LagFormat>%2</LagFormat></PredecessorLink>")
                                            .arg(lagTenths)
                                            .arg(lagFormat)));
}

// A lag keeps its sign and size whatever its unit, also one so small that its text needs an
// exponent ("+6.94444444444444e-05ed", whose "-" is no sign).
TEST_F(ImportLimits, LagsOfAnySizeKeepTheirSignAndSize) {
  struct Case {
    const char* tenths;
    int format;
    double days;
  };
  const Case cases[] = {
      {"1", 8, 1.0 / 14400},   {"-1", 8, -1.0 / 14400},  {"1", 7, 1.0 / 4800},
      {"3", 5, 3.0 / 4800},    {"2147483647", 8, 2147483647.0 / 14400}, {"-2147483647", 7, -2147483647.0 / 4800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tenths << " format " << c.format);
    Common::FreeAllMemory();
    ASSERT_TRUE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("lag.xml"), LinkedPair(QLatin1String(c.tenths), c.format))));
    const Ytask* second = Common::ThisProject()->TaskList.Find(QStringLiteral("2"));
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(second->DependencyList.Count(), 1);
    EXPECT_NEAR(second->DependencyList.First()->Offset(), c.days, std::fabs(c.days) * 1e-12);
  }
}

// A model's offsets go out to the file and come back with the file's resolution, a tenth of a
// minute; an offset longer than a link can hold is refused with the link named, and nothing is
// written.
TEST_F(ImportLimits, OffsetsRoundTripThroughTheFileOrAreRefused) {
  auto* project = Common::NewY<Yproject>(ytProject);
  project->SetProjectName(QStringLiteral("Lags"));
  project->AddJournal(testsupport::OleDay(2024, 3, 4));
  Common::SetThisProject(project);
  QList<Ytask*> tasks;
  for (int id = 1; id <= 4; ++id) {
    auto* task = Common::NewY<Ytask>(ytTask);
    task->SetProject(project);
    task->SetTaskID(id);
    tasks.append(task);
  }
  const QList<double> offsets{0.0001, -0.0001, 1234.5678};
  for (qsizetype i = 0; i < offsets.size(); ++i) {
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(tasks[i + 1]);
    dependency->SetTaskRequired(tasks[0]);
    dependency->SetOffset(offsets[i]);
  }
  const QString path = OutputPath(QStringLiteral("lags.xml"));
  ASSERT_TRUE(Transfer::ExportToMSProject(path));
  Common::FreeAllMemory();
  ASSERT_TRUE(Transfer::ImportMSProject(path));
  for (qsizetype i = 0; i < offsets.size(); ++i) {
    const Ytask* task = Common::ThisProject()->TaskList.Find(QString::number(i + 2));
    ASSERT_NE(task, nullptr);
    ASSERT_EQ(task->DependencyList.Count(), 1);
    EXPECT_NEAR(task->DependencyList.First()->Offset(), offsets[i], 0.05 / 1440) << offsets[i];
  }

  Common::FreeAllMemory();
  project = Common::NewY<Yproject>(ytProject);
  project->SetProjectName(QStringLiteral("Far"));
  project->AddJournal(testsupport::OleDay(2024, 3, 4));
  Common::SetThisProject(project);
  for (int id = 1; id <= 2; ++id) {
    auto* task = Common::NewY<Ytask>(ytTask);
    task->SetProject(project);
    task->SetTaskID(id);
  }
  auto* far = Common::NewY<Ydependency>(ytDependency);
  far->SetTask(project->TaskList.Find(QStringLiteral("2")));
  far->SetTaskRequired(project->TaskList.Find(QStringLiteral("1")));
  far->SetOffset(150000);
  testsupport::WriteFileBytes(path, "the old file");
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Transfer::ExportToMSProject(path), ErrTrap::CallChain);
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_TRUE(prompter.Asked().first().text.contains(
      QStringLiteral("The lag of 150000 days of task 2 of project Far after task 1 of project Far is longer")))
      << prompter.Asked().first().text.toStdString();
  EXPECT_EQ(testsupport::ReadFileBytes(path), QByteArray("the old file"));
}

// Values the model cannot hold refuse the file, naming the element and the value, before
// anything changes.
TEST_F(ImportLimits, ValuesTheModelCannotHoldAreRefusedNamingTheElement) {
  const QString resource = QStringLiteral("<Resources><Resource><UID>1</UID><ID>1</ID><Name>Ann</Name>"
                                          "<StandardRate>%1</StandardRate></Resource></Resources>");
  const QString assignment = QStringLiteral("<Assignments><Assignment><UID>1</UID><TaskUID>1</TaskUID>"
                                            "<ResourceUID>1</ResourceUID><Units>%1</Units></Assignment></Assignments>");
  const QString eightHours = QStringLiteral("<Duration>PT8H0M0S</Duration>");
  struct Case {
    const char* name;
    QByteArray text;
    const char* reason;
  };
  const Case cases[] = {
      {"negative units", MspdiDocumentText(MspdiTask(1, 1, eightHours), resource.arg(10) + assignment.arg(-1)),
       "task 1 \"Task 1\": the assignment of resource 1 has -1 units, below 0"},
      {"units past the effort", MspdiDocumentText(MspdiTask(1, 1, eightHours), resource.arg(10) + assignment.arg("1E+15")),
       "task 1 \"Task 1\": 480 minutes at 1e+15 units make more effort minutes than 2147483647"},
      {"negative rate", MspdiDocumentText(MspdiTask(1, 1), resource.arg(-5)),
       "resource 1 \"Ann\": the standard rate -5 is not an amount from 0 to 922337203685477"},
      {"rate past the largest amount", MspdiDocumentText(MspdiTask(1, 1), resource.arg("1E+15")),
       "resource 1 \"Ann\": the standard rate 1e+15 is not an amount from 0 to 922337203685477"},
      {"fixed cost past the largest amount", MspdiDocumentText(MspdiTask(1, 1, QStringLiteral("<FixedCost>1E+17</FixedCost>"))),
       "task 1 \"Task 1\": the fixed cost 1e+15 is past the largest amount, 922337203685477"},
      {"effort units past the largest whole number",
       MspdiDocumentText(MspdiTask(1, 1, QStringLiteral("<ExtendedAttribute><FieldID>188743767</FieldID><Value>1E+15</Value>"
                                                        "</ExtendedAttribute>"))),
       "task 1 \"Task 1\": the effort unit number 1e+15 is past the largest whole number, 2147483647"},
      {"negative duration", MspdiDocumentText(MspdiTask(1, 1, QStringLiteral("<Duration>-PT8H0M0S</Duration>"))),
       "task 1 \"Task 1\": a duration of -480 minutes is below 0"},
      {"lag past a link", LinkedPair(QStringLiteral("2147483648"), 8),
       "task 2 \"Task 2\": the lag of its link to the task with UID 1, 2147483648 tenths of a minute, is longer than "
       "a link can hold (2147483647)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const qsizetype asked = prompter.Asked().size();
    prompter.Answer(praxel::AnswerOk);
    const QString path = WriteDataFile(QStringLiteral("refused.xml"), c.text);
    EXPECT_FALSE(Transfer::ImportMSProject(path));
    ASSERT_EQ(prompter.Asked().size(), asked + 1);
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Cannot Import"));
    EXPECT_EQ(prompter.Asked().last().text,
              QStringLiteral("The file \"") + path + QStringLiteral("\" cannot be imported: ") + QLatin1String(c.reason) + '.');
    EXPECT_TRUE(Common::Projects().IsEmpty());
    EXPECT_TRUE(Common::Templates().IsEmpty());
  }
}

}  // namespace
