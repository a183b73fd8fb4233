#include "MspdiDocument.h"
#include "RuntimeError.h"
#include "TestSupport.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <functional>

namespace {

using namespace MSProject;

// Opens a fixture, or a file named by its full path.
Document& Open(Application& app, const QString& file) {
  QString error;
  const QString path = file.startsWith(QLatin1Char('/')) ? file : FixturePath(file);
  [&] { ASSERT_TRUE(app.FileOpen(path, &error)) << error.toStdString(); }();
  if (app.ActiveProject() == nullptr) app.FileNew();  // the failure is reported; the test goes on safely
  return *app.ActiveProject();
}

// Every task below `tasks`, each as often as the outline holds it.
int CountOutline(const QList<Task*>& tasks) {
  int count = 0;
  for (const Task* task : tasks) count += 1 + CountOutline(task->ChildTasks());
  return count;
}

QList<int> IdsOf(const QList<Task*>& tasks) {
  QList<int> ids;
  for (const Task* task : tasks) ids.append(task->id);
  return ids;
}

// The flat task list becomes one outline: the project's own summary task is none of its tasks,
// and each task stands once, under the summary above it.
TEST(MspdiDocument, TheOutlineIsBuiltOnceFromTheLevels) {
  Application app;
  const Document& office = Open(app, QStringLiteral("office.xml"));
  EXPECT_EQ(office.name, QStringLiteral("office"));
  EXPECT_EQ(office.title, QStringLiteral("Office move"));
  EXPECT_EQ(IdsOf(office.Tasks()), (QList<int>{1, 4, 5, 6}));
  EXPECT_EQ(IdsOf(office.TaskById(1)->ChildTasks()), (QList<int>{2, 3}));
  EXPECT_EQ(CountOutline(office.Tasks()), 6);
  EXPECT_EQ(office.TaskById(2)->name, QStringLiteral(" Überprüfung der Räume "));
  EXPECT_EQ(office.TaskById(3)->name, QStringLiteral("設計"));

  // Another tool's file: elements in any order, no summary flags, a row listed before the one
  // above it.
  Application other;
  const Document& warehouse = Open(other, QStringLiteral("othertool.xml"));
  EXPECT_EQ(warehouse.title, QStringLiteral("Warehouse"));
  EXPECT_EQ(IdsOf(warehouse.Tasks()), (QList<int>{1, 4}));
  EXPECT_EQ(IdsOf(warehouse.TaskById(1)->ChildTasks()), (QList<int>{2, 3}));
}

// Links name their predecessors by UID; the predecessor text names them by ID, with the type
// unless it is a plain finish-to-start, and the lag in the unit it is shown in.
TEST(MspdiDocument, PredecessorTextNamesTasksByIdWithTypesAndLags) {
  Application app;
  const Document& office = Open(app, QStringLiteral("office.xml"));
  struct Case {
    int id;
    const char* text;
  };
  for (const Case& c : {Case{2, ""}, Case{3, "2"}, Case{4, "3SS+16h"}, Case{5, "4FF+1ed,3SF-1d"}, Case{6, "5FS+60m"}}) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(office.TaskById(c.id)->PredecessorText(), QLatin1String(c.text));
  }
  Application other;
  EXPECT_EQ(Open(other, QStringLiteral("othertool.xml")).TaskById(4)->PredecessorText(), QStringLiteral("1"));
}

// Written back as text, a reference becomes a link by UID; one that names no task is refused.
TEST(MspdiDocument, PredecessorTextSetsLinksByUid) {
  Application app;
  Document& office = Open(app, QStringLiteral("office.xml"));
  Task& unpacking = *office.TaskById(6);
  unpacking.SetPredecessorText(QStringLiteral("3SS+16h,5,4ff-2ed"));
  ASSERT_EQ(unpacking.links.size(), 3);
  EXPECT_EQ(unpacking.links[0].predecessorUid, 12);
  EXPECT_EQ(unpacking.links[0].type, 3);
  EXPECT_EQ(unpacking.links[0].lagTenths, 9600);
  EXPECT_EQ(unpacking.links[0].lagFormat, 5);
  EXPECT_EQ(unpacking.links[1].predecessorUid, 14);
  EXPECT_EQ(unpacking.links[1].type, 1);
  EXPECT_EQ(unpacking.links[2].type, 0);
  EXPECT_EQ(unpacking.links[2].lagTenths, -28800);
  EXPECT_EQ(unpacking.PredecessorText(), QStringLiteral("3SS+16h,5,4FF-2ed"));
  EXPECT_THROW(unpacking.SetPredecessorText(QStringLiteral("99")), praxel::RuntimeError);
  EXPECT_THROW(unpacking.SetPredecessorText(QStringLiteral("3+2 fortnights")), praxel::RuntimeError);
  EXPECT_EQ(unpacking.links.size(), 3) << "a refused text leaves the links as they were";
}

// Microsoft Project's placeholder assignment and its empty resource are no assignment and no
// resource; rates are per hour whatever unit they are shown in.
TEST(MspdiDocument, PlaceholdersAreLeftOutAndRatesAreHourly) {
  Application app;
  const Document& office = Open(app, QStringLiteral("office.xml"));
  EXPECT_TRUE(office.TaskById(6)->Assignments().isEmpty());
  const QList<Assignment*> packing = office.TaskById(4)->Assignments();
  ASSERT_EQ(packing.size(), 2);
  EXPECT_EQ(packing[0]->ResourceID(office), 2);
  EXPECT_EQ(packing[1]->ResourceID(office), 1);
  EXPECT_DOUBLE_EQ(packing[1]->units, 0.5);
  ASSERT_EQ(office.Resources().size(), 2);
  const Resource& ann = *office.Resources().at(0);
  EXPECT_EQ(ann.name, QStringLiteral("Ann Müller"));
  EXPECT_EQ(ann.StandardRateText(), QStringLiteral("40/h"));
  EXPECT_EQ(ann.OvertimeRateText(), QStringLiteral("60.5/h"));
  EXPECT_EQ(ann.group, QStringLiteral("Logistics"));
  EXPECT_EQ(ann.code, QStringLiteral("Mover"));
  EXPECT_DOUBLE_EQ(office.TaskById(2)->fixedCost, 125.5);
  EXPECT_EQ(office.TaskById(6)->FixedDate(), testsupport::OleDay(2024, 3, 20) + 1.0 / 3);
  EXPECT_EQ(office.TaskById(6)->UnitText(), QString()) << "an elapsed duration format";
  EXPECT_EQ(office.TaskById(4)->UnitText(), QStringLiteral("d"));
}

// A file that is not a Microsoft Project XML file is refused with the reason, and leaves no
// document open.
TEST(MspdiDocument, FilesThatAreNoProjectAreRefusedWithTheReason) {
  struct Case {
    const char* fixture;
    const char* reason;
  };
  for (const Case& c : {Case{"notmspdi.xml", "its first element is <project>, not <Project>"},
                        Case{"broken.xml", "is not a Microsoft Project XML file"},
                        Case{"missing.xml", "cannot be opened"}}) {
    SCOPED_TRACE(c.fixture);
    Application app;
    QString error;
    EXPECT_FALSE(app.FileOpen(FixturePath(QLatin1String(c.fixture)), &error));
    EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
    EXPECT_EQ(app.ActiveProject(), nullptr);
  }
}

// What is written reads back the same: names, outline, links, lags, custom fields and days.
TEST(MspdiDocument, AWrittenDocumentReadsBackTheSame) {
  Application app;
  Open(app, QStringLiteral("office.xml"));
  Document& office = *app.ActiveProject();
  office.TaskById(3)->optimistic = 240;
  office.TaskById(3)->mostLikely = 480;
  office.TaskById(3)->pessimistic = 960;
  office.TaskById(3)->effortUnitNumber = -60;
  Assignment* assignment = office.TaskById(2)->Assignments().at(0);
  assignment->workDayMarker = true;
  assignment->workDays = {false, false, true, false, true, false, true, false, false};
  const QString path = testsupport::DataFolderPath(QStringLiteral("written.xml"));
  QString error;
  ASSERT_TRUE(app.FileSaveAs(path, &error)) << error.toStdString();

  Application again;
  const Document& copy = Open(again, path);
  EXPECT_EQ(copy.title, office.title);
  EXPECT_EQ(IdsOf(copy.Tasks()), IdsOf(office.Tasks()));
  EXPECT_EQ(IdsOf(copy.TaskById(1)->ChildTasks()), (QList<int>{2, 3}));
  for (int id = 1; id <= 6; ++id) {
    SCOPED_TRACE(id);
    const Task& before = *office.TaskById(id);
    const Task& after = *copy.TaskById(id);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.PredecessorText(), before.PredecessorText());
    EXPECT_EQ(after.duration, before.duration);
    EXPECT_EQ(after.FixedDate(), before.FixedDate());
    EXPECT_DOUBLE_EQ(after.fixedCost, before.fixedCost);
    EXPECT_EQ(after.Assignments().size(), before.Assignments().size());
  }
  EXPECT_DOUBLE_EQ(copy.TaskById(3)->optimistic, 240);
  EXPECT_DOUBLE_EQ(copy.TaskById(3)->mostLikely, 480);
  EXPECT_DOUBLE_EQ(copy.TaskById(3)->pessimistic, 960);
  EXPECT_DOUBLE_EQ(copy.TaskById(3)->effortUnitNumber, -60);
  const Assignment& days = *copy.TaskById(2)->Assignments().at(0);
  EXPECT_TRUE(days.workDayMarker);
  EXPECT_EQ(days.workDays, assignment->workDays);
  const std::optional<QString> problems = SchemaProblems(path);
  if (problems) {
    EXPECT_EQ(*problems, QString());
  }
}

}  // namespace
