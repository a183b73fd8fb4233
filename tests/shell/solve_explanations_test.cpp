// A click on the solver's panel after a failed solve explains three failures and offers their
// repair: dangling tasks, journals out of step, a task without a to-start dependency. Each repair
// leads to "Solve complete".

#include "Common.h"
#include "MainForm.h"
#include "Notifications.h"
#include "ShellFixture.h"
#include "ShortDate.h"
#include "SolveState.h"
#include "StatusPanels.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QLabel>

namespace {

class SolveExplanations : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    StartProgram();
    staff = AddTemplate(QStringLiteral("Staff"));
  }

  // Solves, expecting the failure, and clicks the solver's panel.
  void FailAndClick(const QString& message) {
    EXPECT_FALSE(SolveNow());
    ASSERT_EQ(Solve::SolveMessage(), message);
    ClickPanel(mainForm->Panels()->SolvePanel());
  }

  // A task of its own, from Day(0), staffed like the chain's.
  Ytask* AddLoneTask(Yproject* project, int id) {
    Ytask* task = project->FindOrCreateTask(id);
    task->Description = QStringLiteral("Task %1").arg(id);
    task->SetMostLikely(60);
    auto* start = Common::NewY<Ydependency>(ytDependency);
    start->SetTask(task);
    start->SetDepDate(Day(0));
    auto* assignment = Common::NewY<Yassignment>(ytAssignment);
    assignment->SetTask(task);
    assignment->SetResourceRequired(staff->ResourceList.First());
    assignment->SetHours(8);
    return task;
  }

  Ytemplate* staff = nullptr;
};

// Twelve ends: ten are listed, and the dummy task, one above the highest ID, waits for all twelve.
TEST_F(SolveExplanations, DanglingTasksAreTiedTogetherByADummyTask) {
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
  for (int id = 2; id <= 12; ++id) AddLoneTask(plant, id * 10);
  Activate(staff, plant);
  prompter.Answer(praxel::AnswerYes);
  FailAndClick(QStringLiteral("Dangling tasks"));

  ASSERT_EQ(prompter.Asked().size(), 1);
  const testsupport::AskedQuestion& question = prompter.Asked().at(0);
  EXPECT_EQ(question.title, QStringLiteral("Okay to Create Dummy Task?"));
  EXPECT_TRUE(question.text.contains(QStringLiteral("The project Plant has 12 (only the first 10 are listed):\n")));
  EXPECT_EQ(question.text.count(QStringLiteral("\n  ")), 10);
  EXPECT_TRUE(question.text.endsWith(
      QStringLiteral("Do you want to create a dummy task to tie all of the dangling tasks together?")));

  const Ytask* dummy = plant->TaskList.Find(QStringLiteral("121"));
  ASSERT_NE(dummy, nullptr);
  EXPECT_EQ(dummy->Description, QStringLiteral("Computer-generated dummy"));
  EXPECT_EQ(dummy->DependencyList.Count(), 12);
  for (const Ydependency* dependency : dummy->DependencyList) {
    EXPECT_EQ(dependency->FromPercent(), 100);
    EXPECT_EQ(dependency->ToPercent(), 0);
  }
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveNow());
}

TEST_F(SolveExplanations, AnsweringNoToTheDummyTaskChangesNothing) {
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
  AddLoneTask(plant, 2);
  Activate(staff, plant);
  prompter.Answer(praxel::AnswerNo);
  FailAndClick(QStringLiteral("Dangling tasks"));
  EXPECT_EQ(plant->TaskList.Count(), 2);
  EXPECT_FALSE(plant->Dirty());
}

// The other project holds the active journal's date: Yes switches it there.
TEST_F(SolveExplanations, AnotherProjectsJournalIsChangedToTheActiveDate) {
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
  Yproject* depot = AddStaffedChain(QStringLiteral("Depot"), staff, {1});
  depot->AddJournal(Day(7));
  Activate(staff, plant);
  prompter.Answer(praxel::AnswerYes);
  FailAndClick(QStringLiteral("Journal sync error: project Depot is at the journal of %1, not %2")
                   .arg(praxel::ShortDateText(Day(7)), praxel::ShortDateText(Day(0))));

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Confirm Change Journal"));
  const QString text = prompter.Asked().at(0).text;
  const QString dateA = praxel::ShortDateText(Day(0));
  EXPECT_TRUE(text.contains(QStringLiteral("The active project is Plant and its current journal is ") + dateA));
  EXPECT_TRUE(text.contains(QStringLiteral("The project Depot has a journal for ") + dateA +
                            QStringLiteral(", but its current journal set to ") + praxel::ShortDateText(Day(7))));
  EXPECT_TRUE(text.contains(QStringLiteral("You may wish to change the active project from Plant to Depot.")));
  EXPECT_TRUE(text.contains(QStringLiteral("change the current journal for project Depot to ") + dateA));
  EXPECT_EQ(depot->Journal(), Day(0));
  EXPECT_EQ(depot->NumJournals, 2);
  EXPECT_TRUE(SolveNow());
}

// The other project lacks the date: Yes adds a journal of it and makes it current.
TEST_F(SolveExplanations, AnotherProjectWithoutTheDateGetsAJournalOfIt) {
  Yproject* depot = AddStaffedChain(QStringLiteral("Depot"), staff, {1});
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
  plant->AddJournal(Day(7));
  Activate(staff, plant);
  prompter.Answer(praxel::AnswerYes);
  FailAndClick(QStringLiteral("Journal sync error: project Depot is at the journal of %1, not %2")
                   .arg(praxel::ShortDateText(Day(0)), praxel::ShortDateText(Day(7))));

  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Confirm Add Journal"));
  const QString text = prompter.Asked().at(0).text;
  EXPECT_TRUE(text.contains(QStringLiteral("The project Depot does not have a journal for ") +
                            praxel::ShortDateText(Day(7)) + QStringLiteral(", and its current journal set to ")));
  // Depot's journal is the earlier one: no advice to change the active project.
  EXPECT_FALSE(text.contains(QStringLiteral("You may wish")));
  EXPECT_EQ(depot->NumJournals, 2);
  EXPECT_EQ(depot->Journal(), Day(7));
  EXPECT_TRUE(SolveNow());
}

// The journals were brought into step before the click: there is nothing to explain, and a new
// solve is all it takes.
TEST_F(SolveExplanations, JournalsAlreadyInStepJustSolveAgain) {
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
  Yproject* depot = AddStaffedChain(QStringLiteral("Depot"), staff, {1});
  depot->AddJournal(Day(7));
  Activate(staff, plant);
  EXPECT_FALSE(SolveNow());
  depot->SetJournal(Day(0));
  ClickPanel(mainForm->Panels()->SolvePanel());
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_TRUE(SolveNow());
}

// The task's first included dependency names the task to start with.
TEST_F(SolveExplanations, AMissingToStartDependencyIsAddedFromStartToStart) {
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2});
  Ytask* second = plant->TaskList.Find(QStringLiteral("2"));
  second->DependencyList.First()->SetToPercent(100);
  Activate(staff, plant);
  prompter.Answer(praxel::AnswerYes);
  FailAndClick(QStringLiteral("Missing to-start dependency"));

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Confirm Add Start-To-Start"));
  EXPECT_EQ(prompter.Asked().at(0).text,
            QStringLiteral("The task 2: Task 2 has no to-start dependencies.  Each task must have at least one "
                           "to-start dependency.\n\nDo you want to add a start-to-start dependency from 1: Task 1?"));
  ASSERT_EQ(second->DependencyList.Count(), 2);
  const Ydependency* added = nullptr;
  for (const Ydependency* dependency : second->DependencyList) {
    if (dependency->ToPercent() == 0) added = dependency;
  }
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->TaskRequired(), plant->TaskList.Find(QStringLiteral("1")));
  EXPECT_EQ(added->FromPercent(), 0);
  EXPECT_EQ(added->ToPercent(), 0);
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveNow());
}

TEST_F(SolveExplanations, ATaskWithOnlyADateDependencyIsOnlyExplained) {
  Yproject* plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1});
  Ytask* first = plant->TaskList.First();
  first->DependencyList.First()->SetToPercent(100);
  Activate(staff, plant);
  prompter.Answer(praxel::AnswerOk);
  FailAndClick(QStringLiteral("Missing to-start dependency"));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("No Dependencies"));
  EXPECT_EQ(first->DependencyList.Count(), 1);
  EXPECT_FALSE(plant->Dirty());
}

}  // namespace
