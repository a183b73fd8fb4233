#include "CaseName.h"
#include "Common.h"
#include "Guard.h"
#include "OleDate.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>

using namespace Common;

namespace {

double Day(int month, int day = 1) { return praxel::ToOleDate(QDate(2026, month, day)); }

// A project with journals dated 1 March, 1 June and 1 September, and task 1.
class JournalTest : public testing::Test {
 protected:
  void SetUp() override {
    FreeAllMemory();
    project = FindOrCreateProject(QStringLiteral("Bridge"));
    for (int month : {3, 6, 9}) ASSERT_TRUE(project->AddJournal(Day(month)));
    project->SetJournal(Day(3));
    task = project->FindOrCreateTask(1);
  }
  void TearDown() override {
    FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
  }
  std::int32_t MostLikelyIn(int month) {
    project->SetJournal(Day(month));
    return task->MostLikely();
  }
  QList<double> Dates() const { return project->JournalDates; }

  testsupport::ScriptedPrompter prompter;
  Yproject* project = nullptr;
  Ytask* task = nullptr;
};

TEST_F(JournalTest, WritingSetsTheCurrentJournalAndEveryLaterOne) {
  task->SetMostLikely(480);
  EXPECT_FALSE(task->MostLikelyField().IsArray());
  project->SetJournal(Day(6));
  task->SetMostLikely(960);
  EXPECT_EQ(MostLikelyIn(3), 480);
  EXPECT_EQ(MostLikelyIn(6), 960);
  EXPECT_EQ(MostLikelyIn(9), 960);
  // Writing on the first journal makes the field one value again.
  project->SetJournal(Day(3));
  task->SetMostLikely(240);
  EXPECT_FALSE(task->MostLikelyField().IsArray());
  EXPECT_EQ(MostLikelyIn(6), 240);
}

TEST_F(JournalTest, AddedJournalCopiesItsPredecessor) {
  task->SetOptimistic(60);  // one value: untouched by the insert
  project->SetJournal(Day(6));
  task->SetMostLikely(960);
  EXPECT_TRUE(project->AddJournal(Day(7)));
  EXPECT_EQ(project->CurrentIndex, 2);
  EXPECT_EQ(project->NumJournals, 4);
  EXPECT_EQ(Dates(), (QList<double>{Day(3), Day(6), Day(7), Day(9)}));
  EXPECT_EQ(task->MostLikelyField().Values(), (QList<std::int32_t>{0, 960, 960, 960}));
  EXPECT_FALSE(task->OptimisticField().IsArray());

  // Before all others: journal 0, copying the old first element.
  EXPECT_TRUE(project->AddJournal(Day(1)));
  EXPECT_EQ(project->CurrentIndex, 0);
  EXPECT_EQ(task->MostLikelyField().Values(), (QList<std::int32_t>{0, 0, 960, 960, 960}));
}

TEST_F(JournalTest, AnExistingDateIsNotAddedButMadeCurrent) {
  project->SetJournal(Day(9));
  EXPECT_FALSE(project->AddJournal(Day(6)));
  EXPECT_EQ(project->CurrentIndex, 1);
  EXPECT_EQ(project->NumJournals, 3);
}

TEST_F(JournalTest, ATaskAddedInALaterJournalIsAbsentBefore) {
  project->SetJournal(Day(6));
  Ytask* late = project->FindOrCreateTask(2);
  EXPECT_TRUE(late->Include());
  project->SetJournal(Day(3));
  EXPECT_FALSE(late->Include());
  project->SetJournal(Day(9));
  EXPECT_TRUE(late->Include());
}

TEST_F(JournalTest, DeletingJournals) {
  project->SetJournal(Day(9));
  project->DeleteJournal();
  EXPECT_EQ(project->CurrentIndex, 1);  // the new last journal
  EXPECT_EQ(Dates(), (QList<double>{Day(3), Day(6)}));
  project->SetJournal(Day(3));
  project->DeleteJournal();  // the journal after it becomes current
  EXPECT_EQ(project->Journal(), Day(6));

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(project->DeleteJournal(), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: At least one journal must remain"));
  EXPECT_EQ(project->NumJournals, 1);
}

TEST_F(JournalTest, DeletingAJournalDropsItsFieldValues) {
  project->SetJournal(Day(6));
  task->SetMostLikely(960);
  project->SetJournal(Day(9));
  task->SetMostLikely(1440);
  project->SetJournal(Day(6));
  project->DeleteJournal();
  EXPECT_EQ(task->MostLikelyField().Values(), (QList<std::int32_t>{0, 1440}));
}

// The plan journal follows its journal when others are added or deleted before it.
TEST_F(JournalTest, PlanIndexFollowsItsJournal) {
  project->PlanIndex = 1;  // June
  project->AddJournal(Day(4));
  EXPECT_EQ(project->JournalDates.at(project->PlanIndex), Day(6));
  project->AddJournal(Day(12));
  EXPECT_EQ(project->JournalDates.at(project->PlanIndex), Day(6));
  project->SetJournal(Day(3));
  project->DeleteJournal();
  EXPECT_EQ(project->JournalDates.at(project->PlanIndex), Day(6));
  // Deleting the last journals keeps the index in range.
  project->PlanIndex = project->NumJournals - 1;
  project->SetJournal(Day(12));
  project->DeleteJournal();
  EXPECT_LT(project->PlanIndex, project->NumJournals);
}

TEST_F(JournalTest, ChangedDatesStayStrictlyAscending) {
  const struct {
    int current;       // month of the journal changed
    double newDate;
    bool refused;
    const char* message;
  } cases[] = {
      {3, Day(6), true, "The new date must be earlier than the next journal's date of 6/1/2026."},
      {3, Day(2), false, nullptr},
      {9, Day(6), true, "The new date must be later than the previous journal's date of 6/1/2026."},
      {6, Day(9), true, "The new date must be earlier than the next journal's date of 9/1/2026."},  // both sides
      {6, Day(10), true, "The new date must be earlier than the next journal's date of 9/1/2026."},
      {6, Day(3), true, "The new date must be later than the previous journal's date of 3/1/2026."},
      {6, Day(7), false, nullptr},
  };
  for (const auto& c : cases) {
    SetUp();
    project->SetJournal(Day(c.current));
    const int before = project->CurrentIndex;
    const QList<double> dates = Dates();
    if (c.refused) {
      prompter.Answer(praxel::AnswerAbort);
      EXPECT_THROW(project->ChangeJournal(c.newDate), ErrTrap::CallChain);
      EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Internal error 10000: ") + QLatin1String(c.message));
      EXPECT_EQ(Dates(), dates);
    } else {
      project->ChangeJournal(c.newDate);
      EXPECT_EQ(project->Journal(), c.newDate);
    }
    EXPECT_EQ(project->CurrentIndex, before);
  }
}

TEST_F(JournalTest, SelectingAMissingJournalKeepsTheCurrentOne) {
  project->SetJournal(Day(6));
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(project->SetJournal(Day(5)), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: The specified journal does not exist"));
  EXPECT_EQ(project->Journal(), Day(6));
  EXPECT_TRUE(project->JournalDefined(Day(9)));
  EXPECT_FALSE(project->JournalDefined(Day(9) + 0.5));
}

TEST_F(JournalTest, JournalListTextsAndTheirDates) {
  project->PlanIndex = 1;
  project->SetJournal(Day(3));
  EXPECT_EQ(project->JournalNodeText(0), QStringLiteral("3/1/2026 [Current]"));
  EXPECT_EQ(project->JournalNodeText(1), QStringLiteral("6/1/2026 [Plan]"));
  EXPECT_EQ(project->JournalNodeText(2), QStringLiteral("9/1/2026"));
  project->SetJournal(Day(6));
  EXPECT_EQ(project->JournalNodeText(1), QStringLiteral("6/1/2026 [Plan only]"));
  for (int index = 0; index < 3; ++index) {
    EXPECT_EQ(JDate(project->JournalNodeText(index)), project->JournalDates.at(index));
  }
  EXPECT_EQ(JDate(QString()), 0.0);
  EXPECT_EQ(JDate(QStringLiteral("soon [Plan]")), 0.0);
  // Where the date itself holds blanks, and with a time of day.
  testsupport::LocaleScope fresh("C.UTF-8");
  ASSERT_TRUE(project->AddJournal(Day(12, 11) + 0.75));
  EXPECT_EQ(project->JournalNodeText(3), QStringLiteral("11 Dec 2026 18:00 [Current]"));
  EXPECT_EQ(JDate(project->JournalNodeText(3)), Day(12, 11) + 0.75);
  EXPECT_EQ(JDate(project->JournalNodeText(0)), Day(3));
}

TEST_F(JournalTest, AProjectWithoutJournalsReadsDayZero) {
  Yproject* fresh = NewY<Yproject>(ytProject);
  EXPECT_EQ(fresh->Journal(), 0.0);
  EXPECT_EQ(fresh->NumJournals, 0);
  EXPECT_TRUE(fresh->AddJournal(Day(5)));
  EXPECT_EQ(fresh->Journal(), Day(5));
}

}  // namespace

// A copy of a per-journal field owns its values: changing one journal of the copy, or making it
// shared, leaves the original as it was.
TEST(PerJournalField, ACopyKeepsItsOwnValues) {
  PerJournal<int> original(7);
  original.Let(9, 3, 1);
  PerJournal<int> copy(original);
  copy.Let(11, 3, 2);
  EXPECT_EQ(original.Values(), (QList<int>{7, 9, 9}));
  EXPECT_EQ(copy.Values(), (QList<int>{7, 9, 11}));

  PerJournal<int> assigned;
  assigned = copy;
  copy.SetSingle(3);
  EXPECT_EQ(assigned.Values(), (QList<int>{7, 9, 11}));
  EXPECT_FALSE(copy.IsArray());
  EXPECT_TRUE(copy.Values().isEmpty());
  EXPECT_EQ(copy.Get(2), 3);

  // Deleting journals down to none makes the field shared again.
  PerJournal<int> one;
  one.SetValues({4, 5});
  one.Resize(1, 0);
  one.Resize(0, 0);
  EXPECT_FALSE(one.IsArray());
}
