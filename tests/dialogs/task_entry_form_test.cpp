#include "DialogFixture.h"
#include "FakeForms.h"

#include "CaseName.h"
#include "Common.h"
#include "Forms.h"
#include "HeadlessSolve.h"
#include "Journals.h"
#include "MainForm.h"
#include "Notifications.h"
#include "OleDate.h"
#include "Pool.h"
#include "Prompter.h"
#include "ShortDate.h"
#include "SolveState.h"
#include "TaskEntryForm.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidgetItem>

#include <functional>
#include <ostream>
#include <string>

namespace {

// The task dialog over the tree fixture's model: Plant (tasks 2, 4, 9, 10, 12) on its second
// journal, dated 1/8/2024; the plan journal is the first.
class TaskDialogTest : public DialogTest {
 protected:
  static TaskEntryForm* Dialog() { return Open<TaskEntryForm>("TaskEntryForm"); }

  // Opens the dialog on a new task by the toolbar button and types its description and 8 hours.
  TaskEntryForm* AddPaintWalls() {
    Click(QStringLiteral("Task"));
    TaskEntryForm* form = Dialog();
    if (form != nullptr) {
      Fill(form, "DescriptionText", QStringLiteral("Paint walls"));
      Fill(form, "EstimateText4", QStringLiteral("8"));
    }
    return form;
  }

  // Opens the dialog on a task by a double click on its node.
  TaskEntryForm* OpenOn(Ytask* task) {
    DoubleClick(NodeOf(task));
    return Dialog();
  }

  static QLineEdit* Box(QWidget* form, const char* name) { return Field<QLineEdit>(form, name); }
  static QLineEdit* Cell(QWidget* form, int index) {
    return form->findChild<QLineEdit*>(QStringLiteral("EstimateText%1").arg(index));
  }
  static QRadioButton* Unit(QWidget* form, int index) {
    return form->findChild<QRadioButton*>(QStringLiteral("UnitsOption%1").arg(index));
  }
  static QRadioButton* Option(QWidget* form, const char* name) { return Field<QRadioButton>(form, name); }
  static QCheckBox* ThreeEstimates(QWidget* form) { return Field<QCheckBox>(form, "Enable3EstimatesCheck"); }

  // The nine cells' texts, and which of them can be typed in ("x" or "-" each).
  static QStringList CellTexts(QWidget* form) {
    QStringList texts;
    for (int index = 0; index < 9; ++index) texts << Cell(form, index)->text();
    return texts;
  }
  static std::string EnabledCells(QWidget* form) {
    std::string cells;
    for (int index = 0; index < 9; ++index) cells += Cell(form, index)->isEnabled() ? 'x' : '-';
    return cells;
  }

  // Gives a task an estimate without marking anything changed.
  void SetEstimate(Ytask* task, int effortUnits, int minutes) {
    task->SetEffortUnits(effortUnits);
    task->SetOptimistic(minutes);
    task->SetMostLikely(minutes);
    task->SetPessimistic(minutes);
    Forget();
  }
  // Nothing changed, no solve asked for: what a test starts from.
  void Forget() {
    plant->SetDirty(false);
    Solve::SetSolveMode(Solve::ModeIdle);
  }

  QStringList PlantTaskIds() const {
    QStringList ids;
    for (const Ytask* task : plant->TaskList) ids << task->Key();
    return ids;
  }
};

// ---------------------------------------------------------------------------------------------
// Adding

TEST_F(TaskDialogTest, ToolbarButtonOpensANewTaskWithItsDefaults) {
  Click(QStringLiteral("Task"));
  TaskEntryForm* form = Dialog();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Task Data Entry"));
  EXPECT_EQ(Box(form, "TaskIdText")->text(), QStringLiteral("13"));  // one above Plant's highest ID
  EXPECT_TRUE(Box(form, "DescriptionText")->hasFocus());
  EXPECT_EQ(Box(form, "MaterialCostText")->text(), QStringLiteral("$0.00"));
  EXPECT_EQ(Box(form, "EfficiencyText")->text(), QStringLiteral("0.85"));
  EXPECT_TRUE(Option(form, "EffortDrivenOption")->isChecked());
  EXPECT_TRUE(Unit(form, 1)->isChecked());
  EXPECT_EQ(Unit(form, 2)->text(), QStringLiteral("days (8 hours each)"));
  EXPECT_EQ(Unit(form, 3)->text(), QStringLiteral("weeks (5 days each)"));
  EXPECT_EQ(Unit(form, 4)->text(), QStringLiteral("months (20 days each)"));
  EXPECT_FALSE(ThreeEstimates(form)->isChecked());
  EXPECT_EQ(CellTexts(form), QStringList(9, QStringLiteral("0")));
  // A new task has no project yet, so it is never in another journal than the plan's.
  EXPECT_EQ(EnabledCells(form), "----x----");
  EXPECT_EQ(Field<QLabel>(form, "EstimateLabel3")->text(), QStringLiteral("prior to ") + praxel::DateTimeText(Day(7)));
  EXPECT_EQ(Field<QLabel>(form, "EstimateLabel4")->text(), praxel::DateTimeText(Day(7)) + QStringLiteral(" and later"));
  EXPECT_FALSE(Box(form, "StartDateText")->isEnabled());
  EXPECT_FALSE(Box(form, "FinishDateText")->isEnabled());
  EXPECT_EQ(Box(form, "TaskIdText")->toolTip(), QStringLiteral("Press [F1] for help"));
  EXPECT_EQ(Box(form, "StartDateText")->toolTip(), QString());
  // The rest of the main window is locked while the dialog is open.
  EXPECT_FALSE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
  PressCancel(form);
}

TEST_F(TaskDialogTest, OkFilesTheNewTaskSelectsItsNodeAndAsksForASolve) {
  TaskEntryForm* form = AddPaintWalls();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("8"));
  PressOk(form);

  EXPECT_EQ(Dialog(), nullptr);
  Ytask* added = plant->TaskList.Find(QStringLiteral("13"));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Description, QStringLiteral("Paint walls"));
  EXPECT_EQ(added->EffortUnits(), -60);
  EXPECT_EQ(added->Optimistic(), 480);
  EXPECT_EQ(added->MostLikely(), 480);
  EXPECT_EQ(added->Pessimistic(), 480);
  EXPECT_EQ(added->Efficiency(), 0.85);
  EXPECT_TRUE(added->DependencyList.IsEmpty());
  // Added on the second journal, the task exists from that journal on.
  EXPECT_TRUE(added->Include());
  EXPECT_FALSE(added->IncludeField().In(0));
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveRequested());
  ASSERT_NE(Common::DragNode(), nullptr);
  EXPECT_EQ(Common::DragNode(), NodeOf(added));
  EXPECT_EQ(Common::NodeTag(Common::DragNode()), QStringLiteral("t13"));
  EXPECT_EQ(Common::DragNode()->text(0), QStringLiteral("13: Paint walls"));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(TaskDialogTest, CancelAfterAddLeavesNoTrace) {
  TaskEntryForm* form = AddPaintWalls();
  ASSERT_NE(form, nullptr);
  PressCancel(form);
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(PlantTaskIds(), QStringList({"2", "4", "9", "10", "12"}));
  EXPECT_FALSE(plant->Dirty());
  EXPECT_FALSE(SolveRequested());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

TEST_F(TaskDialogTest, WithoutAnActiveProjectNothingOpens) {
  Common::SetThisProject(nullptr);
  prompter.Answer(praxel::AnswerOk);
  Forms::StartForm(QStringLiteral("TaskEntryForm"), "StartAdd");
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Forms::Find(QStringLiteral("TaskEntryForm")), nullptr);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages().front().startsWith(QStringLiteral("No Projects in Memory: There are no projects loaded in memory.")));
}

// The model refuses an ID in use; the dialog says so first, and a second Ok with a free ID files
// the task.
TEST_F(TaskDialogTest, AnIdInUseKeepsTheNewTaskOutUntilAFreeOneIsTyped) {
  Click(QStringLiteral("Task"));
  TaskEntryForm* form = Dialog();
  ASSERT_NE(form, nullptr);
  Fill(form, "TaskIdText", QStringLiteral("9"));
  prompter.Answer(praxel::AnswerOk);
  PressOk(form);
  EXPECT_EQ(Messages(), QStringList({"Task ID In Use: This TaskID is already in use"}));
  EXPECT_EQ(Dialog(), form);
  EXPECT_EQ(plant->TaskList.Find(QStringLiteral("9")), design);
  EXPECT_EQ(form->Task()->Project(), nullptr);
  EXPECT_FALSE(plant->Dirty());

  Fill(form, "TaskIdText", QStringLiteral("3"));
  PressOk(form);
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(PlantTaskIds(), QStringList({"2", "3", "4", "9", "10", "12"}));
}

// The user may close the project tree. Ok then brings it back, built with the new task, and
// selects the task's node, as with the tree up.
TEST_F(TaskDialogTest, WithTheTreeClosedOkBringsItBackWithTheNewTaskSelected) {
  ASSERT_TRUE(Forms::Unload(Forms::Find(QStringLiteral("ProjectTreeForm"))));
  TaskEntryForm* form = AddPaintWalls();
  ASSERT_NE(form, nullptr);
  PressOk(form);

  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(Dialog(), nullptr);
  Ytask* added = plant->TaskList.Find(QStringLiteral("13"));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->MostLikely(), 480);
  ASSERT_NE(ProjectTreeView(), nullptr);
  EXPECT_TRUE(Forms::FrameOf(Forms::Find(QStringLiteral("ProjectTreeForm")))->isVisible());
  ASSERT_NE(Common::DragNode(), nullptr);
  EXPECT_EQ(Common::DragNode(), NodeOf(added));
  EXPECT_EQ(Common::DragNode()->text(0), QStringLiteral("13: Paint walls"));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
  SaveScreenshot(QStringLiteral("task-added-with-tree-closed.png"));
}

// A tree that cannot show the new task (here a window with no tree in its place) is reported,
// but the task, filed whole, stays added and the dialog closes: no Cancel is left to seem to take
// it back.
TEST_F(TaskDialogTest, ATreeThatCannotShowTheTaskLeavesItWholeAndClosesTheDialog) {
  ASSERT_TRUE(Forms::Unload(Forms::Find(QStringLiteral("ProjectTreeForm"))));
  RegisterFake<FakeTree>(QStringLiteral("ProjectTreeForm"));
  TaskEntryForm* form = AddPaintWalls();
  ASSERT_NE(form, nullptr);
  prompter.Answer(praxel::AnswerAbort);
  PressOk(form);

  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages().front().startsWith(QStringLiteral("Internal Error"))) << Messages().front().toStdString();
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Forms::Find(QStringLiteral("TaskEntryForm")), nullptr);
  EXPECT_EQ(PlantTaskIds(), QStringList({"2", "4", "9", "10", "12", "13"}));
  const Ytask* added = plant->TaskList.Find(QStringLiteral("13"));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Description, QStringLiteral("Paint walls"));
  EXPECT_EQ(added->MostLikely(), 480);
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

// ---------------------------------------------------------------------------------------------
// Modifying

TEST_F(TaskDialogTest, PopupModifyAndDoubleClickOpenTheSelectedTask) {
  Press(NodeOf(build));
  Modify();
  TaskEntryForm* form = Dialog();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Task(), build);
  EXPECT_EQ(Box(form, "TaskIdText")->text(), QStringLiteral("10"));
  EXPECT_EQ(Box(form, "DescriptionText")->text(), QStringLiteral("Build"));
  EXPECT_TRUE(Box(form, "DescriptionText")->hasFocus());
  PressCancel(form);

  form = OpenOn(survey);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Task(), survey);
  // Its date dependency shows as the specific start.
  EXPECT_EQ(Box(form, "StartDateText")->text(), praxel::DateTimeText(Day(7)));
  EXPECT_EQ(Box(form, "FinishDateText")->text(), QString());
  PressCancel(form);
}

TEST_F(TaskDialogTest, OkStoresTheFieldsRenamesTheNodeAndKeepsItsPlace) {
  SetEstimate(build, -60, 600);
  QTreeWidgetItem* node = NodeOf(build);
  QTreeWidgetItem* parent = node->parent();
  const int place = parent->indexOfChild(node);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Fill(form, "TaskIdText", QStringLiteral("11"));
  Fill(form, "DescriptionText", QStringLiteral("Build walls"));
  Fill(form, "MaterialCostText", QStringLiteral("1,250.5"));
  Fill(form, "EfficiencyText", QStringLiteral("0.9"));
  Fill(form, "EstimateText7", QStringLiteral("12"));
  PressOk(form);

  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(build->TaskID(), 11);
  EXPECT_EQ(plant->TaskList.Find(QStringLiteral("11")), build);
  EXPECT_EQ(build->Description, QStringLiteral("Build walls"));
  EXPECT_EQ(build->MaterialCost(), praxel::Currency::FromDouble(1250.5));
  EXPECT_EQ(build->Efficiency(), 0.9);
  EXPECT_EQ(build->MostLikely(), 720);
  EXPECT_EQ(build->Optimistic(), 720);
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_EQ(node->text(0), QStringLiteral("11: Build walls"));
  EXPECT_EQ(Common::NodeTag(node), QStringLiteral("t11"));
  EXPECT_EQ(parent->indexOfChild(node), place);
}

TEST_F(TaskDialogTest, OkWithoutAnEditChangesNoValue) {
  SetEstimate(build, -1, 100);
  build->SetMaterialCost(praxel::Currency::FromTicks(12345));  // $1.2345, shown as $1.23
  build->SetEfficiency(0.123456789);
  Forget();
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Box(form, "MaterialCostText")->text(), QStringLiteral("$1.23"));
  PressOk(form);
  EXPECT_EQ(build->MaterialCost(), praxel::Currency::FromTicks(12345));
  EXPECT_EQ(build->Efficiency(), 0.123456789);
  EXPECT_EQ(build->MostLikely(), 100);
  EXPECT_EQ(build->EffortUnits(), -1);
}

TEST_F(TaskDialogTest, CancelChangesNothing) {
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Fill(form, "TaskIdText", QStringLiteral("11"));
  Fill(form, "DescriptionText", QStringLiteral("Build walls"));
  PressCancel(form);
  EXPECT_EQ(build->TaskID(), 10);
  EXPECT_EQ(build->Description, QStringLiteral("Build"));
  EXPECT_FALSE(plant->Dirty());
  EXPECT_FALSE(SolveRequested());
  EXPECT_EQ(NodeOf(build)->text(0), QStringLiteral("10: Build"));
}

// ---------------------------------------------------------------------------------------------
// Units: looking at an estimate in another unit keeps its minutes

TEST_F(TaskDialogTest, AnotherUnitKeepsTheStoredMinutes) {
  SetEstimate(build, -1, 100);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Unit(form, 0)->isChecked());
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("100"));
  Unit(form, 2)->click();
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("0.21"));
  PressOk(form);
  EXPECT_EQ(build->MostLikely(), 100);
  EXPECT_EQ(build->Optimistic(), 100);
  EXPECT_EQ(build->Pessimistic(), 100);
  EXPECT_EQ(build->EffortUnits(), -480);
}

TEST_F(TaskDialogTest, CalendarTimeShowsTheSameMinutesInItsOwnUnits) {
  SetEstimate(build, -480, 480);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("1"));
  Option(form, "CalendarTimeOption")->click();
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("0.33"));
  EXPECT_EQ(Unit(form, 2)->text(), QStringLiteral("days (24 hours each)"));
  PressOk(form);
  EXPECT_EQ(build->MostLikely(), 480);
  EXPECT_EQ(build->EffortUnits(), 1440);
}

TEST_F(TaskDialogTest, ATypedFigureIsStoredAsTyped) {
  SetEstimate(build, -480, 100);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Fill(form, "EstimateText7", QStringLiteral("0.21"));
  PressOk(form);
  EXPECT_EQ(build->MostLikely(), 101);  // 0.21 × 480 = 100.8
}

TEST_F(TaskDialogTest, TwelveHoursShowAsOneAndAHalfWorkingDays) {
  SetEstimate(build, -60, 720);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Unit(form, 2)->click();
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("1.5"));
  PressCancel(form);
}

// The first row shows the work the last solve booked before the journal date: Survey, 10 hours of
// Ann's from 3pm on Friday 5 January, has 2 of them before Monday 8 January.
TEST_F(TaskDialogTest, ThePriorRowShowsTheWorkBookedBeforeTheJournal) {
  // Every task has a start and Commission is the plan's one end, so that the plan solves.
  designAfterSurvey->SetInclude(true);
  for (Ytask* required : {paint, design}) {
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(commission);
    dependency->SetTaskRequired(required);
  }
  survey->DependencyList.Item(0)->SetDepDate(Day(4) + 15.0 / 24);
  SetEstimate(survey, -60, 600);
  ASSERT_EQ(Solve::SolveHeadless(), QStringLiteral("Solve complete"));
  Forget();
  TaskEntryForm* form = OpenOn(survey);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(CellTexts(form), QStringList({"2", "2", "2", "8", "8", "8", "10", "10", "10"}));
  Fill(form, "EstimateText4", QStringLiteral("8"));
  EXPECT_EQ(Cell(form, 7)->text(), QStringLiteral("10"));
  PressOk(form);
  EXPECT_EQ(survey->Optimistic(), 600);
  EXPECT_EQ(survey->MostLikely(), 600);
  EXPECT_EQ(survey->Pessimistic(), 600);
}

// ---------------------------------------------------------------------------------------------
// Three estimates, journals and the cells that can be typed in

TEST_F(TaskDialogTest, ThreeEstimatesInAnotherJournalOpenEveryCell) {
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(EnabledCells(form), "-x--x--x-");
  ThreeEstimates(form)->click();
  EXPECT_EQ(EnabledCells(form), "xxxxxxxxx");
  EXPECT_TRUE(Cell(form, 3)->hasFocus());
  Fill(form, "EstimateText6", QStringLiteral("2"));
  Fill(form, "EstimateText7", QStringLiteral("4"));
  Fill(form, "EstimateText8", QStringLiteral("9"));
  PressOk(form);
  EXPECT_EQ(build->Optimistic(), 120);
  EXPECT_EQ(build->MostLikely(), 240);
  EXPECT_EQ(build->Pessimistic(), 540);

  // In the plan journal only the "and later" row can be typed in.
  plant->PlanIndex = plant->CurrentIndex;
  form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(ThreeEstimates(form)->isChecked());
  EXPECT_EQ(EnabledCells(form), "---xxx---");
  ThreeEstimates(form)->click();
  EXPECT_EQ(EnabledCells(form), "----x----");
  EXPECT_TRUE(Cell(form, 4)->hasFocus());
  PressCancel(form);
}

TEST_F(TaskDialogTest, EqualOptimisticAndPessimisticReopenAsOneEstimate) {
  build->SetOptimistic(60);
  build->SetMostLikely(120);
  build->SetPessimistic(60);
  Forget();
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(ThreeEstimates(form)->isChecked());
  PressCancel(form);
}

// ---------------------------------------------------------------------------------------------
// Specific dates and to-finish dependencies

TEST_F(TaskDialogTest, SpecificDatesBecomeDateDependenciesAndComeBack) {
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Option(form, "SpecificDatesOption")->click();
  EXPECT_EQ(EnabledCells(form), "---------");
  EXPECT_FALSE(ThreeEstimates(form)->isEnabled());
  EXPECT_TRUE(Box(form, "StartDateText")->isEnabled());
  // Typed in the user's short formats; the finish with a time of day.
  Fill(form, "StartDateText", praxel::DateTimeText(Day(14)));
  Fill(form, "FinishDateText", praxel::DateTimeText(Day(19) + 13.5 / 24));
  PressOk(form);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_EQ(build->EffortUnits(), 0);
  EXPECT_EQ(build->MostLikely(), 0);
  ASSERT_EQ(build->DependencyList.Count(), 4);  // its two task dependencies, then the dates
  const Ydependency* start = build->DependencyList.Item(2);
  const Ydependency* finish = build->DependencyList.Item(3);
  EXPECT_EQ(start->DepDate(), Day(14));
  EXPECT_EQ(start->ToPercent(), 0);
  EXPECT_EQ(start->TaskRequired(), nullptr);
  EXPECT_EQ(finish->DepDate(), Day(19) + 13.5 / 24);
  EXPECT_EQ(finish->ToPercent(), 100);

  form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Option(form, "SpecificDatesOption")->isChecked());
  EXPECT_TRUE(Unit(form, 2)->isChecked());
  EXPECT_FALSE(Unit(form, 2)->isEnabled());
  EXPECT_EQ(Box(form, "StartDateText")->text(), praxel::DateTimeText(Day(14)));
  EXPECT_EQ(Box(form, "FinishDateText")->text(), praxel::DateTimeText(Day(19) + 13.5 / 24));
  PressCancel(form);
}

TEST_F(TaskDialogTest, ToFinishDependenciesStoreNoEstimateAndReopenAsSpecificDates) {
  SetEstimate(build, -60, 600);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Option(form, "ToFinishOption")->click();
  EXPECT_FALSE(Box(form, "StartDateText")->isEnabled());
  EXPECT_EQ(EnabledCells(form), "---------");
  PressOk(form);
  EXPECT_EQ(build->EffortUnits(), 0);
  EXPECT_EQ(build->Optimistic(), 0);
  EXPECT_EQ(build->MostLikely(), 0);
  EXPECT_EQ(build->Pessimistic(), 0);
  form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Option(form, "SpecificDatesOption")->isChecked());
  PressCancel(form);
}

// Of two start dates the later shows; Ok gives the first the date and removes the second from
// this journal on.
TEST_F(TaskDialogTest, OfTwoStartDatesTheFirstKeepsTheDate) {
  Ydependency* first = survey->DependencyList.Item(0);
  auto* second = Common::NewY<Ydependency>(ytDependency);
  plant->CurrentIndex = 0;  // the second date is there in both journals
  second->SetTask(survey);
  second->SetDepDate(Day(9));
  plant->CurrentIndex = 1;
  Forget();
  TaskEntryForm* form = OpenOn(survey);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Box(form, "StartDateText")->text(), praxel::DateTimeText(Day(9)));
  PressOk(form);
  EXPECT_EQ(first->DepDate(), Day(9));
  EXPECT_TRUE(first->Include());
  EXPECT_FALSE(second->Include());
  EXPECT_TRUE(second->IncludeField().In(0));  // the earlier journal keeps it
  EXPECT_EQ(survey->DependencyList.Count(), 2);
}

// A date is shown to the minute; Ok without an edit keeps it to the second.
TEST_F(TaskDialogTest, OkKeepsAShownDateExactly) {
  Ydependency* start = survey->DependencyList.Item(0);
  const double date = Day(7) + (9 * 3600 + 30) / 86400.0;  // 9:00:30
  start->SetDepDate(date);
  TaskEntryForm* form = OpenOn(survey);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Box(form, "StartDateText")->text(), praxel::DateTimeText(Day(7) + 9 / 24.0));
  PressOk(form);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_TRUE(start->Include());
  EXPECT_EQ(start->DepDate(), date);
}

// A date box not in use that holds no date leaves its dependency alone; emptied, it removes it.
TEST_F(TaskDialogTest, ABoxNotInUseNeverTakesAnUnreadableDateForNoDate) {
  Ydependency* start = survey->DependencyList.Item(0);
  TaskEntryForm* form = OpenOn(survey);
  ASSERT_NE(form, nullptr);
  const bool specific = Option(form, "SpecificDatesOption")->isChecked();
  Option(form, "SpecificDatesOption")->click();
  Fill(form, "StartDateText", QStringLiteral("soon"));
  Option(form, "EffortDrivenOption")->click();
  PressOk(form);
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_TRUE(start->Include());
  EXPECT_EQ(start->DepDate(), Day(7));

  form = OpenOn(survey);
  ASSERT_NE(form, nullptr);
  if (!specific) Option(form, "SpecificDatesOption")->click();
  Fill(form, "StartDateText", QString());
  Option(form, "EffortDrivenOption")->click();
  PressOk(form);
  for (const Ydependency* dependency : survey->DependencyList.Items()) EXPECT_FALSE(dependency->Include());
}

TEST_F(TaskDialogTest, DoubleClickOnTheStartBoxTypesToday) {
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Option(form, "SpecificDatesOption")->click();
  QLineEdit* start = Box(form, "StartDateText");
  QTest::mouseDClick(start, Qt::LeftButton);
  EXPECT_EQ(start->text(), praxel::DateTimeText(praxel::ToOleDate(QDate::currentDate())));
  QLineEdit* finish = Box(form, "FinishDateText");
  QTest::mouseDClick(finish, Qt::LeftButton);
  EXPECT_EQ(finish->text(), QString());
  PressCancel(form);
}

// ---------------------------------------------------------------------------------------------
// Refused entries: a message naming the field, the focus on it, and nothing stored

struct RefusalRow {
  const char* name;
  bool specificDates;
  const char* box;
  const char* typed;
  const char* message;  // "Title: text"
};
void PrintTo(const RefusalRow& row, std::ostream* out) { *out << row.name; }

class TaskDialogRefusalTest : public TaskDialogTest, public testing::WithParamInterface<RefusalRow> {
 protected:
  // A text of the table with its dates in the user's formats: {journal} the current journal's,
  // {today} today's, {past the last year} a day of the year 10000.
  static QString InUsersFormats(const char* text) {
    return QString::fromLatin1(text)
        .replace(QStringLiteral("{journal}"), praxel::DateTimeText(Day(7)))
        .replace(QStringLiteral("{today}"), praxel::ShortDateText(praxel::ToOleDate(QDate::currentDate())))
        .replace(QStringLiteral("{past the last year}"),
                 praxel::ShortDateText(praxel::ToOleDate(QDate(9999, 12, 31))).replace(QStringLiteral("9999"), QStringLiteral("10000")));
  }
};

TEST_P(TaskDialogRefusalTest, ChangesNothing) {
  const RefusalRow& row = GetParam();
  SetEstimate(build, -60, 600);
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  // Fields before and after the refused one are changed too; none of them may be stored.
  Fill(form, "DescriptionText", QStringLiteral("Build walls"));
  Fill(form, "EfficiencyText", QStringLiteral("0.5"));
  if (row.specificDates) {
    Option(form, "SpecificDatesOption")->click();
    Fill(form, "StartDateText", praxel::DateTimeText(Day(14)));
    Fill(form, "FinishDateText", praxel::DateTimeText(Day(19)));
  }
  Fill(form, row.box, InUsersFormats(row.typed));
  prompter.Answer(praxel::AnswerOk);
  PressOk(form);

  EXPECT_EQ(Messages(), QStringList{InUsersFormats(row.message)});
  EXPECT_EQ(Dialog(), form);
  EXPECT_TRUE(Box(form, row.box)->hasFocus());
  EXPECT_EQ(build->TaskID(), 10);
  EXPECT_EQ(build->Description, QStringLiteral("Build"));
  EXPECT_EQ(build->Efficiency(), 0.85);
  EXPECT_EQ(build->EffortUnits(), -60);
  EXPECT_EQ(build->MostLikely(), 600);
  EXPECT_EQ(build->DependencyList.Count(), 2);
  EXPECT_FALSE(plant->Dirty());
  EXPECT_FALSE(SolveRequested());
  EXPECT_EQ(NodeOf(build)->text(0), QStringLiteral("10: Build"));
  PressCancel(form);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TaskDialogRefusalTest,
    testing::Values(
        RefusalRow{"StartNotADate", true, "StartDateText", "soon",
                   "Invalid Date: The Specific start date must be a date, such as {today}."},
        RefusalRow{"FinishEmpty", true, "FinishDateText", "",
                   "Invalid Date: The Specific finish date must be a date, such as {today}."},
        RefusalRow{"FinishPastTheLastYear", true, "FinishDateText", "{past the last year}",
                   "Invalid Date: The Specific finish date must be a date, such as {today}."},
        RefusalRow{"IdNotANumber", false, "TaskIdText", "ten",
                   "Invalid Task ID: The Task ID must be a whole number from 1 to 2147483647."},
        RefusalRow{"IdZero", false, "TaskIdText", "0",
                   "Invalid Task ID: The Task ID must be a whole number from 1 to 2147483647."},
        RefusalRow{"IdBeyondALong", false, "TaskIdText", "2147483648",
                   "Invalid Task ID: The Task ID must be a whole number from 1 to 2147483647."},
        RefusalRow{"IdInUse", false, "TaskIdText", "12", "Task ID In Use: This TaskID is already in use"},
        RefusalRow{"EstimateNotANumber", false, "EstimateText4", "ten",
                   "Invalid Estimate: The Most likely estimate ({journal} and later) must be a number."},
        RefusalRow{"EstimateEmpty", false, "EstimateText7", "",
                   "Invalid Estimate: The Most likely estimate (total) must be a number."},
        RefusalRow{"EstimateBeyondALong", false, "EstimateText7", "40000000",
                   "Invalid Estimate: The Most likely estimate (total) is out of range: an estimate holds from "
                   "-2147483648 to 2147483647 minutes."},
        RefusalRow{"MaterialCostNotMoney", false, "MaterialCostText", "lots",
                   "Invalid Material Cost: The Material cost must be an amount of money, such as $1,250.50."},
        RefusalRow{"MaterialCostBeyondMoney", false, "MaterialCostText", "1e300",
                   "Invalid Material Cost: The Material cost must be an amount of money, such as $1,250.50."},
        RefusalRow{"EfficiencyNotANumber", false, "EfficiencyText", "high",
                   "Invalid Efficiency: The Efficiency must be a number, such as 0.85."}),
    testsupport::CaseName());

// ---------------------------------------------------------------------------------------------
// Notifications

struct NotificationRow {
  const char* name;
  std::function<void(QWidget*)> send;
  bool closes;
};
void PrintTo(const NotificationRow& row, std::ostream* out) { *out << row.name; }

class TaskDialogNotificationTest : public TaskDialogTest, public testing::WithParamInterface<NotificationRow> {};

TEST_P(TaskDialogNotificationTest, ClosesWithoutSaving) {
  TaskEntryForm* form = OpenOn(build);
  ASSERT_NE(form, nullptr);
  Fill(form, "DescriptionText", QStringLiteral("Build walls"));
  GetParam().send(form);
  EXPECT_EQ(Dialog() != nullptr, !GetParam().closes);
  EXPECT_EQ(build->Description, QStringLiteral("Build"));
  EXPECT_FALSE(plant->Dirty());
  if (Dialog() != nullptr) PressCancel(Dialog());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Notifications, TaskDialogNotificationTest,
    testing::Values(NotificationRow{"NewDragNode", [](QWidget* form) { Forms::CallByName(form, "NewDragNode"); }, true},
                    NotificationRow{"NewJournal", [](QWidget* form) { Forms::CallByName(form, "NewJournal"); }, true},
                    NotificationRow{"NewThisProject", [](QWidget* form) { Forms::CallByName(form, "NewThisProject"); }, true},
                    // The dialog has no receiver of a new active template.
                    NotificationRow{"NewThisTemplate", [](QWidget* form) { Forms::CallByName(form, "NewThisTemplate"); }, false},
                    // As every window is told: a new journal chosen.
                    NotificationRow{"BroadcastNewJournal", [](QWidget*) { Common::BroadcastNewJournal(); }, true}),
    testsupport::CaseName());

}  // namespace
