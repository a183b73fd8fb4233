#include "Common.h"
#include "Guard.h"
#include "OleDate.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>


using namespace Common;

namespace {

class ProjectTest : public testing::Test {
 protected:
  void SetUp() override {
    FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    project = FindOrCreateProject(QStringLiteral("Bridge"));
    project->Description.clear();
    project->AddJournal(1000.0);
  }
  void TearDown() override {
    FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
  }
  Ytask* Dated(int id, double start, double finish, double lateFinish) {
    Ytask* task = project->FindOrCreateTask(id);
    task->SetEarlyStart(start);
    task->SetEarlyFinish(finish);
    task->SetLateFinish(lateFinish);
    return task;
  }
  QList<int> TaskIds() const {
    QList<int> ids;
    for (const Ytask* task : project->TaskList) ids.append(task->TaskID());
    return ids;
  }

  testsupport::ScriptedPrompter prompter;
  Yproject* project = nullptr;
};

TEST_F(ProjectTest, TasksStayInAscendingIdOrder) {
  for (int id : {5, 2, 9, 7}) project->FindOrCreateTask(id);
  EXPECT_EQ(TaskIds(), (QList<int>{2, 5, 7, 9}));
  project->TaskList.Find(QStringLiteral("7"))->SetTaskID(1);
  EXPECT_EQ(TaskIds(), (QList<int>{1, 2, 5, 9}));
  EXPECT_EQ(project->HighestTaskID(), 9);
  Ytask* five = project->TaskList.Find(QStringLiteral("5"));
  five->SetTaskID(5);  // its own ID: nothing happens
  EXPECT_EQ(TaskIds(), (QList<int>{1, 2, 5, 9}));

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(five->SetTaskID(9), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: This TaskID is already in use"));
  EXPECT_EQ(five->TaskID(), 5);
  EXPECT_EQ(TaskIds(), (QList<int>{1, 2, 5, 9}));

  // The same rule, asked before anything changes: also for a task that has not joined yet.
  EXPECT_EQ(five->TaskIDRefusal(*project, 9), QStringLiteral("This TaskID is already in use"));
  EXPECT_EQ(five->TaskIDRefusal(*project, 5), QString());
  EXPECT_EQ(five->TaskIDRefusal(*project, 3), QString());
  Ytask* newcomer = NewY<Ytask>(ytTask);
  EXPECT_EQ(newcomer->TaskIDRefusal(*project, 1), QStringLiteral("This TaskID is already in use"));
  EXPECT_EQ(newcomer->TaskIDRefusal(*project, 10), QString());
}

TEST_F(ProjectTest, FindOrCreateTaskFillsAPlaceholderOnce) {
  Ytask* task = project->FindOrCreateTask(4);
  EXPECT_EQ(task->Description, QStringLiteral("<stub>"));
  EXPECT_EQ(task->Project(), project);
  task->Description = QStringLiteral("Pour");
  EXPECT_EQ(project->FindOrCreateTask(4), task);
  EXPECT_EQ(task->Description, QStringLiteral("Pour"));
  EXPECT_EQ(project->HighestTaskID(), 4);
}

TEST_F(ProjectTest, RenamingStepsAClashingName) {
  Yproject* other = FindOrCreateProject(QStringLiteral("Road"));
  other->SetProjectName(QStringLiteral("bridge"));  // keys ignore case
  EXPECT_EQ(other->ProjectName(), QStringLiteral("bridge(B)"));
  EXPECT_EQ(Projects().Find(QStringLiteral("Road")), nullptr);
  EXPECT_EQ(Projects().Find(QStringLiteral("bridge(B)")), other);
  EXPECT_EQ(Projects().Items().last(), other);
  project->SetProjectName(QStringLiteral("Bridge"));  // its own name: nothing happens
  EXPECT_EQ(Projects().Items().first(), project);
  project->SetProjectName(QStringLiteral("BRIDGE"));  // a change of case clashes with no other
  EXPECT_EQ(project->ProjectName(), QStringLiteral("BRIDGE"));
  EXPECT_EQ(Projects().Find(QStringLiteral("bridge")), project);
  EXPECT_EQ(Projects().Count(), 2);
  project->Delete();
  EXPECT_EQ(Projects().Count(), 1);
  EXPECT_EQ(project->ProjectName(), QString());
}

TEST_F(ProjectTest, CaptionsAndTags) {
  EXPECT_EQ(project->BuildNodeText(), QStringLiteral("Bridge"));
  project->Description = QStringLiteral("River crossing");
  EXPECT_EQ(project->BuildNodeText(), QStringLiteral("Bridge: River crossing"));
  EXPECT_EQ(project->Tag(), QStringLiteral("pBridge"));

  Ytask* task = project->FindOrCreateTask(12);
  task->Description.clear();
  EXPECT_EQ(task->BuildNodeText(), QStringLiteral("12"));
  task->Description = QStringLiteral("Survey");
  EXPECT_EQ(task->BuildNodeText(), QStringLiteral("12: Survey"));
  EXPECT_EQ(task->Tag(), QStringLiteral("t12"));

  Yproject* child = FindOrCreateProject(QStringLiteral("Deck"));
  child->Description = QStringLiteral("Steel");
  task->SetSubproject(child);
  EXPECT_EQ(task->BuildNodeText(), QStringLiteral("12: Deck: Steel"));
  EXPECT_EQ(task->Tag(), QStringLiteral("s12"));
  EXPECT_EQ(child->Tag(), QStringLiteral("sDeck"));
  EXPECT_EQ(child->Parent(), project);
}

TEST_F(ProjectTest, SubprojectTagFollowsTheJournal) {
  Yproject* child = FindOrCreateProject(QStringLiteral("Deck"));
  child->AddJournal(1000.0);
  child->AddJournal(2000.0);  // current: journal 1
  child->SetParent(project);
  EXPECT_EQ(child->ImageType(), QStringLiteral("s"));
  child->SetJournal(1000.0);
  EXPECT_EQ(child->ImageType(), QStringLiteral("p"));
}

TEST_F(ProjectTest, MasterAndDescendsFrom) {
  Yproject* middle = FindOrCreateProject(QStringLiteral("Middle"));
  Yproject* bottom = FindOrCreateProject(QStringLiteral("Bottom"));
  project->FindOrCreateTask(1)->SetSubproject(middle);
  middle->FindOrCreateTask(1)->SetSubproject(bottom);
  EXPECT_EQ(bottom->Master(), project);
  EXPECT_EQ(project->Master(), project);
  EXPECT_TRUE(bottom->DescendsFrom(project));
  EXPECT_TRUE(bottom->DescendsFrom(bottom));
  EXPECT_FALSE(project->DescendsFrom(bottom));
  EXPECT_FALSE(bottom->DescendsFrom(nullptr));
  // A task of a project may stand for a project below it or beside it, never for itself or one
  // above it.
  Yproject* other = FindOrCreateProject(QStringLiteral("Other"));
  EXPECT_TRUE(middle->CanLinkSubproject(other));
  EXPECT_TRUE(project->CanLinkSubproject(bottom));
  EXPECT_FALSE(bottom->CanLinkSubproject(project));
  EXPECT_FALSE(bottom->CanLinkSubproject(middle));
  EXPECT_FALSE(bottom->CanLinkSubproject(bottom));
  EXPECT_FALSE(bottom->CanLinkSubproject(nullptr));
}

// A task standing for its own project or a project above it would make the chain a loop.
TEST_F(ProjectTest, ATaskCannotStandForItsOwnProjectOrAnAncestor) {
  Yproject* child = FindOrCreateProject(QStringLiteral("Deck"));
  project->FindOrCreateTask(1)->SetSubproject(child);
  Ytask* inner = child->FindOrCreateTask(1);
  for (Yproject* target : {child, project}) {
    prompter.Answer(praxel::AnswerAbort);
    EXPECT_THROW(inner->SetSubproject(target), ErrTrap::CallChain);
    EXPECT_EQ(inner->Subproject(), nullptr);
  }
  EXPECT_TRUE(prompter.Asked()[0].text.contains(QStringLiteral("cannot stand for project \"Deck\"")));
  EXPECT_EQ(project->Parent(), nullptr);
  EXPECT_EQ(child->Master(), project);
}

TEST_F(ProjectTest, AChainThatLoopsIsReportedNotWalkedForEver) {
  Yproject* other = FindOrCreateProject(QStringLiteral("Other"));
  project->SetParent(other);  // as a damaged file could leave them
  other->SetParent(project);
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(project->Master(), ErrTrap::CallChain);
  EXPECT_TRUE(prompter.Asked()[0].text.contains(QStringLiteral("loops back on itself")));
}

TEST_F(ProjectTest, RollUpsUseTheSmallestFloatAndSkipUndatedTasks) {
  Dated(1, 100.0, 110.0, 112.0);   // float 2
  Dated(2, 0.0, 0.0, 0.0);         // not yet solved
  Dated(3, 104.0, 120.0, 120.5);   // float 0.5
  Dated(4, 102.0, 115.0, 116.0);   // float 1
  EXPECT_EQ(project->EarlyStart(), 100.0);
  EXPECT_EQ(project->EarlyFinish(), 120.0);
  EXPECT_EQ(project->LateFinish(), 120.5);
  EXPECT_EQ(project->LateStart(), 100.5);

  // An undated task first in the list must not hide the others either.
  project->TaskList.Find(QStringLiteral("1"))->SetEarlyStart(0.0);
  EXPECT_EQ(project->EarlyStart(), 102.0);
}

TEST_F(ProjectTest, RollUpsCountOnlyIncludedTasks) {
  EXPECT_EQ(project->EarlyStart(), 0.0);
  EXPECT_EQ(project->LateStart(), 0.0);
  EXPECT_EQ(project->LaborCost(), praxel::Currency());
  Ytask* a = Dated(1, 100.0, 110.0, 110.0);
  Ytask* b = Dated(2, 90.0, 130.0, 130.0);
  a->SetLaborCost(praxel::Currency::FromDouble(1234.5));
  b->SetLaborCost(praxel::Currency::FromDouble(0.25));
  b->SetMaterialCost(praxel::Currency::FromDouble(10.0));
  EXPECT_EQ(project->LaborCost(), praxel::Currency::FromDouble(1234.75));
  EXPECT_EQ(project->MaterialCost(), praxel::Currency::FromDouble(10.0));
  project->AddJournal(2000.0);
  b->SetInclude(false);
  EXPECT_EQ(project->EarlyStart(), 100.0);
  EXPECT_EQ(project->LaborCost(), praxel::Currency::FromDouble(1234.5));
  project->SetJournal(1000.0);
  EXPECT_EQ(project->EarlyStart(), 90.0);
}

TEST_F(ProjectTest, SettingDirtyTrueAsksForASolve) {
  project->SetDirty(false);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  project->SetDirty(true);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  Solve::SetSolveMode(Solve::ModeIdle);
  project->SetDirty(true);  // already dirty: asks again
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_TRUE(project->Dirty());
}

class TaskJournalTest : public ProjectTest {
 protected:
  void SetUp() override {
    ProjectTest::SetUp();
    for (double date : {2000.0, 3000.0, 4000.0}) project->AddJournal(date);  // four journals
    project->SetJournal(1000.0);
  }
  QList<bool> Presence(const Ytask* task) {
    QList<bool> present;
    for (double date : project->JournalDates) {
      project->SetJournal(date);
      present.append(task->Include());
    }
    return present;
  }
};

TEST_F(TaskJournalTest, DeleteInALaterJournalKeepsTheEarlierOnes) {
  Ytask* task = project->FindOrCreateTask(1);
  project->SetDirty(false);
  project->SetJournal(3000.0);
  task->Delete();
  EXPECT_FALSE(task->IsFree());
  EXPECT_EQ(Presence(task), (QList<bool>{true, true, false, false}));
  EXPECT_FALSE(project->Dirty());
  EXPECT_EQ(project->TaskList.Count(), 1);
}

TEST_F(TaskJournalTest, DeleteWhereNoEarlierJournalHasItFreesIt) {
  project->SetJournal(3000.0);
  Ytask* task = project->FindOrCreateTask(1);
  EXPECT_EQ(Presence(task), (QList<bool>{false, false, true, true}));
  project->SetJournal(3000.0);
  project->SetDirty(false);
  task->Delete();
  EXPECT_TRUE(task->IsFree());
  EXPECT_EQ(project->TaskList.Count(), 0);
  EXPECT_TRUE(project->Dirty());
}

TEST_F(TaskJournalTest, AnExcludedTaskStillHoldsItsId) {
  Ytask* task = project->FindOrCreateTask(1);
  project->SetJournal(2000.0);
  task->Delete();
  project->SetJournal(4000.0);
  Ytask* other = project->FindOrCreateTask(2);
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(other->SetTaskID(1), ErrTrap::CallChain);
}

TEST_F(TaskJournalTest, ASingleValuedIncludeReadsTrue) {
  Ytask* task = project->FindOrCreateTask(1);
  task->IncludeField().SetSingle(false);
  EXPECT_TRUE(task->Include());
  // Excluding it from a later journal keeps it in the earlier ones, as it read there.
  project->SetJournal(3000.0);
  task->SetInclude(false);
  EXPECT_EQ(Presence(task), (QList<bool>{true, true, false, false}));
}

}  // namespace
