#include "Common.h"
#include "ErrTrap.h"
#include "MspdiDocument.h"
#include "TestSupport.h"
#include "Transfer.h"
#include "TransferTestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace {

class Export : public TransferTest {
 protected:
  // Exports the current project to a file of the data folder and checks it against the schema.
  QString ExportTo(const QString& name) {
    const QString path = OutputPath(name);
    EXPECT_TRUE(Transfer::ExportToMSProject(path));
    const std::optional<QString> problems = SchemaProblems(path);
    if (problems) {
      EXPECT_EQ(*problems, QString()) << "the export does not validate";
    }
    return path;
  }
};

QString NameOf(const Ytask* task) {
  if (task == nullptr) return QStringLiteral("(date)");
  return task->Subproject() != nullptr ? task->Subproject()->ProjectName() : task->Description;
}

// What the round trip must keep of a task, as one line per field, independent of the order of
// its dependencies and of the task IDs of subprojects (the file numbers them anew).
QStringList Fields(const Ytask& task) {
  QStringList lines{QStringLiteral("effort %1 %2 %3 units %4 cost %5")
                        .arg(task.Optimistic())
                        .arg(task.MostLikely())
                        .arg(task.Pessimistic())
                        .arg(task.EffortUnits())
                        .arg(task.MaterialCost().ToDouble())};
  QStringList dependencies;
  for (const Ydependency* d : task.DependencyList) {
    dependencies.append(QStringLiteral("dep %1 %2-%3 %4 %5")
                            .arg(NameOf(d->TaskRequired()))
                            .arg(d->FromPercent())
                            .arg(d->ToPercent())
                            .arg(d->Offset())
                            .arg(d->TaskRequired() == nullptr ? d->DepDate() : 0.0, 0, 'f', 6));
  }
  std::sort(dependencies.begin(), dependencies.end());
  lines += dependencies;
  for (const Yassignment* a : task.AssignmentList) {
    QString days;
    for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) days += a->WorkDay(kind) ? QLatin1Char('1') : QLatin1Char('0');
    lines.append(QStringLiteral("assignment %1 %2 %3 %4")
                     .arg(a->ResourceRequired()->ResourceID())
                     .arg(a->ResourceRequired()->Description)
                     .arg(a->Hours(), 0, 'f', 9)
                     .arg(days));
  }
  return lines;
}

// Every task of the project and its subprojects by name, with its fields.
QMap<QString, QStringList> Tasks(const Yproject& project) {
  QMap<QString, QStringList> tasks;
  for (const Ytask* task : project.TaskList) {
    tasks.insert(NameOf(task), Fields(*task));
    if (task->Subproject() != nullptr) tasks.insert(Tasks(*task->Subproject()));
  }
  return tasks;
}

// Export then import gives back the same tasks, estimates, effort units, costs, dependencies
// (every type, lags of fractions of days, date dependencies) and assignments (hours and days),
// also for tasks without assignments, whose effort the import multiplies by 4.2.
TEST_F(Export, ExportThenImportGivesBackTheSameFields) {
  LoadFixture(QStringLiteral("exchange.pxa"));
  Common::ThisProject()->SetDirty(true);
  Common::ThisTemplate()->SetDirty(true);
  const QMap<QString, QStringList> before = Tasks(*Common::ThisProject());
  const QString path = ExportTo(QStringLiteral("depot.xml"));
  // The file holds less than the work: what was changed is still to be saved.
  EXPECT_TRUE(Common::ThisProject()->Dirty());
  EXPECT_TRUE(Common::ThisTemplate()->Dirty());

  Common::FreeAllMemory();
  ASSERT_TRUE(Transfer::ImportMSProject(path));
  EXPECT_TRUE(prompter.Asked().isEmpty()) << "every task kept a dependency on its start";
  const Yproject& depot = *Common::ThisProject();
  EXPECT_EQ(depot.Description, QStringLiteral("Depot extension"));
  EXPECT_EQ(depot.JournalDates, QList<double>{testsupport::OleDay(2024, 4, 1)});
  EXPECT_EQ(KeysOf(depot.TaskList), (QStringList{"1", "2", "3", "4", "5", "6"}));
  const Yproject* fitout = ProjectNamed(QStringLiteral("Fitout"));
  ASSERT_NE(fitout, nullptr);
  EXPECT_EQ(fitout->Description, QStringLiteral("Fit-out works"));
  const QMap<QString, QStringList> after = Tasks(depot);
  EXPECT_EQ(after.keys(), before.keys());
  for (const QString& name : before.keys()) {
    if (name == QLatin1String("Fitout")) continue;  // the subproject task: its own fields are not exchanged
    EXPECT_EQ(after.value(name), before.value(name)) << name.toStdString();
  }
  const Yresource* ann = ResourceOf(*Common::ThisTemplate(), 2);
  ASSERT_NE(ann, nullptr);
  EXPECT_EQ(ann->Department(), QStringLiteral("Civil"));
  EXPECT_EQ(ann->Title(), QStringLiteral("Foreman"));
  EXPECT_EQ(ann->BurdenedRate(), praxel::Currency::FromDouble(60));
  EXPECT_EQ(ann->OvertimeRate(), praxel::Currency::FromDouble(90));
}

// Resources keep their IDs in the file, so an assignment to resource 9 of a template with gaps
// in its IDs names resource 9, not the third resource written.
TEST_F(Export, ResourcesKeepTheirIds) {
  LoadFixture(QStringLiteral("exchange.pxa"));
  const QString path = ExportTo(QStringLiteral("depot.xml"));
  MSProject::Application app;
  QString error;
  ASSERT_TRUE(app.FileOpen(path, &error)) << error.toStdString();
  const MSProject::Document& document = *app.ActiveProject();
  QList<int> ids;
  for (const MSProject::Resource* resource : document.Resources()) ids.append(resource->id);
  EXPECT_EQ(ids, (QList<int>{2, 5, 9}));
  const QList<MSProject::Assignment*> design = document.TaskById(2)->Assignments();
  ASSERT_EQ(design.size(), 2);
  EXPECT_EQ(design[0]->ResourceID(document), 5);
  EXPECT_EQ(design[1]->ResourceID(document), 9);
  EXPECT_EQ(document.ResourceById(9)->name, QStringLiteral("Cy Hart"));
  // Predecessor references and the subproject's rows as the file holds them.
  EXPECT_EQ(document.TaskById(4)->PredecessorText(), QStringLiteral("2FF-1.5ed,3SF+0.5ed"));
  EXPECT_EQ(document.TaskById(5)->PredecessorText(), QStringLiteral("4,6"));
  EXPECT_EQ(document.TaskById(6)->ChildTasks().size(), 2);
}

// A failure while the file is written leaves the old file as it was, and no temporary file.
TEST_F(Export, AFailedExportKeepsTheOldFile) {
  LoadFixture(QStringLiteral("exchange.pxa"));
  const QString path = OutputPath(QStringLiteral("depot.xml"));
  testsupport::WriteFileBytes(path, "the old file");
  TaskOf(QStringLiteral("Depot"), 1)->SetEarlyStart(1e9);  // no date the file can hold
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(Transfer::ExportToMSProject(path), ErrTrap::CallChain);
  EXPECT_EQ(testsupport::ReadFileBytes(path), QByteArray("the old file"));
  EXPECT_EQ(QDir(testsupport::ProgramDataFolder()).entryList({QStringLiteral("depot*")}, QDir::Files),
            QStringList{"depot.xml"});

  // Without a current project there is nothing to export, and the user is told so.
  Common::SetThisProject(nullptr);
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(Transfer::ExportToMSProject(path));
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("No Projects in Memory"));
  EXPECT_EQ(testsupport::ReadFileBytes(path), QByteArray("the old file"));
}

// A loop of projects, which would be written for ever, is named as the solve names it and nothing
// is written: a project that is its own subproject, two that are each other's, also when only
// the subproject tasks close the loop and the Parent links do not.
TEST_F(Export, ALoopOfSubprojectsIsNamedAndNothingIsWritten) {
  struct Case {
    const char* name;
    std::function<void(Yproject& depot, Yproject& fitout)> makeLoop;
    const char* message;
  };
  const Case cases[] = {
      {"its own subproject",
       [](Yproject& depot, Yproject&) {
         depot.TaskList.First()->SubprojectField() = &depot;
         depot.SetParent(&depot);
       },
       "Project Depot is its own parent"},
      {"each other's subproject",
       [](Yproject& depot, Yproject& fitout) {
         fitout.TaskList.First()->SubprojectField() = &depot;
         depot.SetParent(&fitout);
       },
       "Project Depot is its own parent through project Fitout"},
      {"by its subproject task alone",
       [](Yproject& depot, Yproject& fitout) { fitout.TaskList.First()->SubprojectField() = &depot; },
       "Project Depot is its own parent through project Fitout"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Common::FreeAllMemory();
    LoadFixture(QStringLiteral("exchange.pxa"));
    c.makeLoop(*ProjectNamed(QStringLiteral("Depot")), *ProjectNamed(QStringLiteral("Fitout")));
    const QString path = OutputPath(QStringLiteral("loop.xml"));
    testsupport::WriteFileBytes(path, "the old file");
    prompter.Answer(praxel::AnswerOk);
    EXPECT_FALSE(Transfer::ExportToMSProject(path));
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Cannot Export"));
    EXPECT_EQ(prompter.Asked().last().text, QLatin1String(c.message) + QStringLiteral("; no file was written."));
    EXPECT_EQ(testsupport::ReadFileBytes(path), QByteArray("the old file"));
  }
}

// The rows of an earlier transfer are gone with its file: a second export whose task pass does
// not reach a subproject (its task left out) writes neither its tasks nor links to them.
TEST_F(Export, LinksOfAnEarlierTransferAreNotWritten) {
  LoadFixture(QStringLiteral("exchange.pxa"));
  ExportTo(QStringLiteral("first.xml"));
  ProjectNamed(QStringLiteral("Depot"))->AddJournal(testsupport::OleDay(2024, 5, 1));
  TaskOf(QStringLiteral("Depot"), 6)->SetInclude(false);  // from the new journal on
  const QString path = ExportTo(QStringLiteral("second.xml"));
  MSProject::Application app;
  QString error;
  ASSERT_TRUE(app.FileOpen(path, &error)) << error.toStdString();
  const MSProject::Document& document = *app.ActiveProject();
  EXPECT_EQ(document.tasks.size(), 5u);
  EXPECT_EQ(document.TaskById(5)->PredecessorText(), QStringLiteral("4"));
  EXPECT_EQ(document.assignments.size(), 5u) << "the left-out subproject's assignment is not written";
}

// A project whose tasks are all left out writes no task, and its passes, which still step once
// per task, have nothing to divide their progress by: no error, no question.
TEST_F(Export, AProjectWithoutIncludedTasksExportsEmpty) {
  LoadFixture(QStringLiteral("exchange.pxa"));
  Yproject* fitout = ProjectNamed(QStringLiteral("Fitout"));
  fitout->AddJournal(testsupport::OleDay(2024, 5, 1));
  for (Ytask* task : fitout->TaskList) task->SetInclude(false);
  Common::SetThisProject(fitout);
  const QString path = ExportTo(QStringLiteral("fitout.xml"));
  EXPECT_TRUE(prompter.Asked().isEmpty());
  MSProject::Application app;
  QString error;
  ASSERT_TRUE(app.FileOpen(path, &error)) << error.toStdString();
  EXPECT_TRUE(app.ActiveProject()->tasks.empty());
  EXPECT_EQ(app.ActiveProject()->title, QStringLiteral("Fit-out works"));
}

// GNOME Planner's own stylesheet for Microsoft Project XML reads the export: the subproject's
// tasks nested below it, link types and lags, the allocations.
TEST_F(Export, PlannersStylesheetConvertsTheExport) {
  const QString stylesheet = QStringLiteral("/usr/share/planner/stylesheets/msp2planner.xsl");
  if (!QFile::exists(stylesheet)) GTEST_SKIP() << "GNOME Planner's stylesheets (planner-data) are not installed";
  LoadFixture(QStringLiteral("exchange.pxa"));
  const QString path = ExportTo(QStringLiteral("depot.xml"));
  const std::optional<ProgramRun> run = RunProgram(QStringLiteral("xsltproc"), {stylesheet, path});
  if (!run) GTEST_SKIP() << "xsltproc is not installed";
  ASSERT_EQ(run->exitCode, 0) << run->output.toStdString();
  const QString& planner = run->output;
  EXPECT_TRUE(planner.contains(QLatin1String("<project name=\"Depot extension\""))) << planner.toStdString();
  EXPECT_TRUE(planner.contains(QRegularExpression(QStringLiteral(
      R"(<task id="6" name="Fitout"[^>]*>\s*<predecessors/>\s*<task id="7" name="Electrics")"))))
      << planner.toStdString();
  EXPECT_TRUE(planner.contains(QLatin1String("predecessor-id=\"2\" type=\"FF\" lag=\"-129600\"")))
      << planner.toStdString();
  EXPECT_TRUE(planner.contains(QLatin1String("<resource id=\"9\" name=\"Cy Hart\"")));
  EXPECT_EQ(planner.count(QLatin1String("<allocation ")), 6);
}

}  // namespace

namespace {

// The schema lies beside the checkout; where it does not, the check is reported as skipped rather
// than passed. Every export of the other tests is checked against it as well.
TEST_F(Export, AnExportValidatesAgainstTheSchema) {
  LoadFixture(QStringLiteral("exchange.pxa"));
  const QString path = OutputPath(QStringLiteral("schema-check.xml"));
  ASSERT_TRUE(Transfer::ExportToMSProject(path));
  const std::optional<QString> problems = SchemaProblems(path);
  if (!problems) GTEST_SKIP() << "the schema mspdi_pj12.xsd or xmllint is not at hand";
  EXPECT_EQ(*problems, QString());
}

}  // namespace
