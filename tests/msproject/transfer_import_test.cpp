#include "Common.h"
#include "Pool.h"
#include "TestSupport.h"
#include "Transfer.h"
#include "TransferTestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

namespace {

const double kMarch1 = testsupport::OleDay(2024, 3, 1);

class Import : public TransferTest {};

// One dependency as the tests name it: the required task's ID (0 for a date dependency), the two
// points, the offset in days and the date.
struct Dep {
  int required;
  int from;
  int to;
  double offset;
  double date;
};

void ExpectDependencies(const Ytask& task, const QList<Dep>& expected) {
  SCOPED_TRACE(task.Description.toStdString());
  ASSERT_EQ(task.DependencyList.Count(), expected.size());
  for (qsizetype i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    const Ydependency& d = *task.DependencyList.Item(i);
    EXPECT_EQ(d.TaskRequired() != nullptr ? d.TaskRequired()->TaskID() : 0, expected[i].required);
    EXPECT_EQ(d.FromPercent(), expected[i].from);
    EXPECT_EQ(d.ToPercent(), expected[i].to);
    EXPECT_NEAR(d.Offset(), expected[i].offset, 1e-12);
    if (expected[i].required == 0) {
      EXPECT_DOUBLE_EQ(d.DepDate(), expected[i].date);
    }
  }
}

void ExpectEffort(const Ytask& task, int minutes, int effortUnits) {
  SCOPED_TRACE(task.Description.toStdString());
  EXPECT_EQ(task.Optimistic(), minutes);
  EXPECT_EQ(task.MostLikely(), minutes);
  EXPECT_EQ(task.Pessimistic(), minutes);
  EXPECT_EQ(task.EffortUnits(), effortUnits);
}

// A file as Microsoft Project writes it becomes a new project in a new "Resources" template:
// the summary task a subproject with its two children, every link type with lags in hours,
// elapsed days, working days and minutes, per-hour rates, a milestone, non-ASCII names.
TEST_F(Import, AMicrosoftProjectFileBecomesAProjectWithItsResources) {
  prompter.Answer(praxel::AnswerYes);  // add a to-start dependency to the milestone
  ASSERT_TRUE(Transfer::ImportMSProject(FixturePath(QStringLiteral("office.xml"))));

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Confirm Add To-Start Dependencies"));
  const Ytemplate* templ = Common::ThisTemplate();
  ASSERT_NE(templ, nullptr);
  EXPECT_EQ(templ->TemplateName(), QStringLiteral("Resources"));
  ASSERT_EQ(templ->ShiftList.Count(), 1);
  EXPECT_EQ(templ->ShiftList.First()->ShiftName(), QStringLiteral("Standard"));
  ASSERT_EQ(templ->ResourceList.Count(), 2);
  const Yresource& ann = *ResourceOf(*templ, 1);
  EXPECT_EQ(ann.Description, QStringLiteral("Ann Müller"));
  EXPECT_EQ(ann.Department(), QStringLiteral("Logistics"));
  EXPECT_EQ(ann.Title(), QStringLiteral("Mover"));
  EXPECT_EQ(ann.BurdenedRate(), praxel::Currency::FromDouble(40));
  EXPECT_EQ(ann.OvertimeRate(), praxel::Currency::FromDouble(60.5));
  EXPECT_EQ(ann.OffDayRate(), praxel::Currency::FromDouble(60.5));
  EXPECT_EQ(ann.HolidayRate(), praxel::Currency::FromDouble(60.5));
  EXPECT_EQ(ann.Shift(), templ->ShiftList.First());
  EXPECT_EQ(ResourceOf(*templ, 2)->BurdenedRate(), praxel::Currency::FromDouble(25.5));

  const Yproject* office = Common::ThisProject();
  ASSERT_NE(office, nullptr);
  EXPECT_EQ(office->ProjectName(), QStringLiteral("office"));
  EXPECT_EQ(office->Description, QStringLiteral("Office move"));
  // The journal is the earliest day of the document and its tasks.
  EXPECT_EQ(office->JournalDates, QList<double>{kMarch1});
  EXPECT_EQ(KeysOf(office->TaskList), (QStringList{"1", "4", "5", "6"}));
  const Yproject* planung = ProjectNamed(QStringLiteral("Planung"));
  ASSERT_NE(planung, nullptr);
  EXPECT_EQ(TaskOf(QStringLiteral("office"), 1)->Subproject(), planung);
  EXPECT_EQ(planung->Parent(), office);
  EXPECT_EQ(planung->Description, QStringLiteral("Everything before the move"));
  EXPECT_EQ(planung->JournalDates, QList<double>{kMarch1});
  EXPECT_EQ(KeysOf(planung->TaskList), (QStringList{"2", "3"}));
  EXPECT_TRUE(TaskOf(QStringLiteral("office"), 1)->DependencyList.IsEmpty());

  const Ytask& check = *TaskOf(QStringLiteral("Planung"), 2);
  EXPECT_EQ(check.Description, QStringLiteral("Überprüfung der Räume"));
  ExpectEffort(check, 960, -480);  // one full assignment
  EXPECT_EQ(check.MaterialCost(), praxel::Currency::FromDouble(125.5));
  ExpectDependencies(check, {{0, 100, 0, 0, kMarch1 + 1.0 / 3}});
  const Ytask& design = *TaskOf(QStringLiteral("Planung"), 3);
  EXPECT_EQ(design.Description, QStringLiteral("設計"));
  ExpectEffort(design, 2016, -480);  // no assignment: 480 x 4.2
  ExpectDependencies(design, {{2, 100, 0, 0, 0}});
  const Ytask& packing = *TaskOf(QStringLiteral("office"), 4);
  ExpectEffort(packing, 2160, -480);  // units 1 + 0.5
  ExpectDependencies(packing, {{3, 0, 0, 2.0, 0}});  // +16h: two working days
  const Ytask& moving = *TaskOf(QStringLiteral("office"), 5);
  ExpectEffort(moving, 0, -480);
  ExpectDependencies(moving, {{4, 100, 100, 1.0, 0}, {3, 0, 100, -1.0, 0}, {4, 100, 0, 0, 0}});
  const Ytask& unpacking = *TaskOf(QStringLiteral("office"), 6);
  ExpectEffort(unpacking, 3150, 1440);  // the placeholder assignment is none: 750 x 4.2
  ExpectDependencies(unpacking, {{0, 100, 0, 0, testsupport::OleDay(2024, 3, 20) + 1.0 / 3}, {5, 100, 0, 0.125, 0}});

  ASSERT_EQ(packing.AssignmentList.Count(), 2);
  const Yassignment& bob = *packing.AssignmentList.Item(0);
  EXPECT_EQ(bob.ResourceRequired(), ResourceOf(*templ, 2));
  EXPECT_DOUBLE_EQ(bob.Hours(), ResourceOf(*templ, 2)->NormalHours());
  EXPECT_DOUBLE_EQ(packing.AssignmentList.Item(1)->Hours(), ann.NormalHours() * 0.5);
  EXPECT_TRUE(unpacking.AssignmentList.IsEmpty());
}

// The to-start question is asked once; No is remembered for the rest of the run.
TEST_F(Import, ANoToTheToStartQuestionHoldsForLaterImports) {
  prompter.Answer(praxel::AnswerNo);
  ASSERT_TRUE(Transfer::ImportMSProject(FixturePath(QStringLiteral("office.xml"))));
  EXPECT_EQ(TaskOf(QStringLiteral("office"), 5)->DependencyList.Count(), 2);
  prompter.Answer(praxel::AnswerOk);  // Using Active Template
  ASSERT_TRUE(Transfer::ImportMSProject(FixturePath(QStringLiteral("office.xml"))));
  ASSERT_EQ(prompter.Asked().size(), 2);
  EXPECT_EQ(prompter.Asked()[1].title, QStringLiteral("Using Active Template"));
}

// Into a template that already uses the file's resource IDs, the resources take the next free
// IDs and the assignments follow them.
TEST_F(Import, OverlappingResourceIdsAreRenumberedAndMapped) {
  auto* templ = Common::NewY<Ytemplate>(ytTemplate);
  templ->SetTemplateName(QStringLiteral("Staff"));
  templ->AddJournal(kMarch1);
  auto* shift = Common::NewY<Yshift>(ytShift);
  shift->Template = templ;
  shift->SetShiftName(QStringLiteral("Day"));
  for (int id : {1, 2}) {
    auto* resource = Common::NewY<Yresource>(ytResource);
    resource->SetTemplate(templ);
    resource->SetResourceID(id);
    resource->Description = QStringLiteral("Staff %1").arg(id);
  }
  Common::SetThisTemplate(templ);
  prompter.Answer(praxel::AnswerOk);
  prompter.Answer(praxel::AnswerYes);
  ASSERT_TRUE(Transfer::ImportMSProject(FixturePath(QStringLiteral("office.xml"))));

  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Resources will be imported in the active template (Staff)."));
  EXPECT_EQ(KeysOf(templ->ResourceList), (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(ResourceOf(*templ, 1)->Description, QStringLiteral("Staff 1"));
  EXPECT_EQ(ResourceOf(*templ, 3)->Description, QStringLiteral("Ann Müller"));
  EXPECT_EQ(ResourceOf(*templ, 4)->Description, QStringLiteral("Bob"));
  const Ytask& packing = *TaskOf(QStringLiteral("office"), 4);
  ASSERT_EQ(packing.AssignmentList.Count(), 2);
  EXPECT_EQ(packing.AssignmentList.Item(0)->ResourceRequired(), ResourceOf(*templ, 4));
  EXPECT_EQ(packing.AssignmentList.Item(1)->ResourceRequired(), ResourceOf(*templ, 3));
}

// A file of another tool: elements out of order, no summary or milestone flags, a resource ID
// near 2^30, an assignment whose day marker has no day (which keeps the resource's days instead
// of dividing by zero).
TEST_F(Import, FilesOfOtherToolsAreReadWhole) {
  ASSERT_TRUE(Transfer::ImportMSProject(FixturePath(QStringLiteral("othertool.xml"))));
  EXPECT_TRUE(prompter.Asked().isEmpty());
  const Yproject* warehouse = Common::ThisProject();
  EXPECT_EQ(warehouse->Description, QStringLiteral("Warehouse"));
  EXPECT_EQ(warehouse->JournalDates, QList<double>{testsupport::OleDay(2024, 5, 6)});
  EXPECT_EQ(KeysOf(warehouse->TaskList), (QStringList{"1", "4"}));
  const Yproject* build = TaskOf(QStringLiteral("othertool"), 1)->Subproject();
  ASSERT_NE(build, nullptr);
  EXPECT_EQ(build->ProjectName(), QStringLiteral("Build"));
  EXPECT_EQ(KeysOf(build->TaskList), (QStringList{"2", "3"}));
  ExpectDependencies(*TaskOf(QStringLiteral("Build"), 3), {{2, 100, 0, 0, 0}});
  ExpectDependencies(*TaskOf(QStringLiteral("othertool"), 4), {{1, 100, 0, 0, 0}});
  ExpectEffort(*TaskOf(QStringLiteral("othertool"), 4), 0, -480);

  const Yresource* crew = ResourceOf(*Common::ThisTemplate(), 1073741823);
  ASSERT_NE(crew, nullptr);
  const Ytask& shell = *TaskOf(QStringLiteral("Build"), 2);
  ASSERT_EQ(shell.AssignmentList.Count(), 1);
  const Yassignment& assignment = *shell.AssignmentList.First();
  EXPECT_EQ(assignment.ResourceRequired(), crew);
  EXPECT_DOUBLE_EQ(assignment.Hours(), crew->NormalHours());
  for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) EXPECT_EQ(assignment.WorkDay(kind), crew->WorkDay(kind)) << kind;
}

// A file that is no project file, or a Cancel at the template question, changes nothing.
TEST_F(Import, ARefusedFileOrACancelChangesNothing) {
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(Transfer::ImportMSProject(FixturePath(QStringLiteral("notmspdi.xml"))));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Not A Microsoft Project File"));
  EXPECT_TRUE(prompter.Asked()[0].text.contains(QLatin1String("notmspdi.xml")));
  EXPECT_TRUE(Common::Projects().IsEmpty());
  EXPECT_TRUE(Common::Templates().IsEmpty());

  LoadFixture(QStringLiteral("exchange.pxa"));
  const qsizetype projects = Common::Projects().Count();
  prompter.Answer(praxel::AnswerCancel);
  EXPECT_FALSE(Transfer::ImportMSProject(FixturePath(QStringLiteral("office.xml"))));
  EXPECT_EQ(Common::Projects().Count(), projects);
  EXPECT_EQ(Common::ThisTemplate()->ResourceList.Count(), 3);
}

}  // namespace
