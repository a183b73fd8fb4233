#include "ErrTrap.h"
#include "OleDate.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QList>
#include <QTime>

#include <functional>

namespace {

const double kMarch1 = praxel::ToOleDate(QDate(2024, 3, 1));

// A project with `journals` journals a month apart, the last one current.
Yproject* NewProject(const QString& name, int journals) {
  auto* made = Common::NewY<Yproject>(ytProject);
  made->SetProjectName(name);
  for (int i = 0; i < journals; ++i) made->AddJournal(kMarch1 + 30 * i);
  return made;
}

void MakeCurrent(Yproject* holder, int index) { holder->SetJournal(holder->JournalDates.at(index)); }

// What `read` gives in each journal of `holder`; the current journal is left as it was.
template <class Read>
auto ByJournal(Yproject* holder, Read read) {
  QList<decltype(read())> values;
  const int current = holder->CurrentIndex;
  for (int i = 0; i < holder->NumJournals; ++i) {
    holder->CurrentIndex = i;
    values.append(read());
  }
  holder->CurrentIndex = current;
  return values;
}

// A clean model with project "Main" and its tasks 1 and 12, a second project "Other" with its
// task 30, and template "Staff" whose resource 7 works a standard eight-hour day Monday to Friday.
class ChildrenTest : public testing::Test {
 public:
  void SetUp() override {
    Common::FreeAllMemory();
    project = NewProject(QStringLiteral("Main"), 1);
    task = project->FindOrCreateTask(1);
    task->Description = QStringLiteral("Weld");
    required = project->FindOrCreateTask(12);
    required->Description = QStringLiteral("Design");
    other = NewProject(QStringLiteral("Other"), 1);
    otherTask = other->FindOrCreateTask(30);
    otherTask->Description = QStringLiteral("Survey");

    staff = Common::NewY<Ytemplate>(ytTemplate);
    staff->SetTemplateName(QStringLiteral("Staff"));
    staff->AddJournal(kMarch1);
    staff->FindOrCreateShift(QStringLiteral("Day"));  // the standard day: 8 normal hours
    welder = staff->FindOrCreateResource(7);
    welder->Description = QStringLiteral("Welder");
  }
  void TearDown() override {
    Common::FreeAllMemory();
    EXPECT_TRUE(prompter.AllAnswered());
  }

  Ydependency* NewDependency(Ytask* owner) {
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(owner);
    return dependency;
  }
  Yassignment* NewAssignment(Ytask* owner) {
    auto* assignment = Common::NewY<Yassignment>(ytAssignment);
    assignment->SetTask(owner);
    return assignment;
  }

  testsupport::ScriptedPrompter prompter;
  Yproject* project = nullptr;
  Ytask* task = nullptr;
  Ytask* required = nullptr;
  Yproject* other = nullptr;
  Ytask* otherTask = nullptr;
  Ytemplate* staff = nullptr;
  Yresource* welder = nullptr;
};

TEST_F(ChildrenTest, DependencyCaptionNamesItsKindRequiredPointAndOffset) {
  const double march5 = praxel::ToOleDate(QDate(2024, 3, 5));
  struct Case {
    const char* name;
    std::function<void(ChildrenTest&, Ydependency&)> set;
    QString caption;
  };
  const QList<Case> cases = {
      {"finish to start", [](ChildrenTest& t, Ydependency& d) { d.SetTaskRequired(t.required); },
       QStringLiteral("12: Design")},
      {"start to start",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.required);
         d.SetFromPercent(0);
       },
       QStringLiteral("SS: 12: Design")},
      {"half of the required task to this finish",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.required);
         d.SetFromPercent(50);
         d.SetToPercent(100);
       },
       QStringLiteral("PF: 12: Design")},
      {"finish to a share of this task",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.required);
         d.SetToPercent(25);
       },
       QStringLiteral("FP: 12: Design")},
      {"another project's task", [](ChildrenTest& t, Ydependency& d) { d.SetTaskRequired(t.otherTask); },
       QStringLiteral("(Other) 30: Survey")},
      {"another project's task, start to finish",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.otherTask);
         d.SetFromPercent(0);
         d.SetToPercent(100);
       },
       QStringLiteral("SF: (Other) 30: Survey")},
      {"date without time", [march5](ChildrenTest&, Ydependency& d) { d.SetDepDate(march5); },
       QStringLiteral("3/5/2024")},
      {"date with time",
       [march5](ChildrenTest&, Ydependency& d) { d.SetDepDate(march5 + 13.5 / 24); },
       QStringLiteral("3/5/2024 1:30 PM")},
      {"date to this finish",
       [march5](ChildrenTest&, Ydependency& d) {
         d.SetDepDate(march5);
         d.SetToPercent(100);
       },
       QStringLiteral("DF: 3/5/2024")},
      {"date from a share (the date side is always D)",
       [march5](ChildrenTest&, Ydependency& d) {
         d.SetDepDate(march5);
         d.SetFromPercent(0);
       },
       QStringLiteral("DS: 3/5/2024")},
      {"a day and a half later",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.required);
         d.SetOffset(1.5);
       },
       QStringLiteral("12: Design + 1.5 days")},
      {"a day's lead",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.required);
         d.SetOffset(-1);
       },
       QStringLiteral("12: Design - 1 day")},
      {"half an hour later",
       [](ChildrenTest& t, Ydependency& d) {
         d.SetTaskRequired(t.required);
         d.SetOffset(1.0 / 48);
       },
       QStringLiteral("12: Design + 30 minutes")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ydependency* dependency = NewDependency(task);
    c.set(*this, *dependency);
    EXPECT_EQ(dependency->BuildNodeText(), c.caption);
    dependency->Delete();
  }
}

TEST_F(ChildrenTest, AssignmentCaptionNamesResourceHoursAndDays) {
  struct Case {
    const char* name;
    double hours;
    QList<int> days;
    QString caption;
  };
  const QList<Case> cases = {
      {"Monday, Wednesday and Friday", 7.5, {2, 4, 6}, QStringLiteral("7: Welder @7.5 MoWeFr")},
      {"every kind, in kind order", 8, {8, 0, 1, 2, 3, 4, 5, 6, 7}, QStringLiteral("7: Welder @8 HoSuMoTuWeThFrSaSh")},
      {"no work day ends in the blank", 0.25, {}, QStringLiteral("7: Welder @0.25 ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Yassignment* assignment = NewAssignment(task);
    assignment->SetResourceRequired(welder);
    assignment->SetHours(c.hours);
    for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) assignment->SetWorkDay(kind, c.days.contains(kind));
    EXPECT_EQ(assignment->BuildNodeText(), c.caption);
    assignment->Delete();
  }
  // As the resource leaves it: its hours and Monday to Friday.
  Yassignment* copied = NewAssignment(task);
  copied->SetResourceRequired(welder);
  EXPECT_EQ(copied->BuildNodeText(), QStringLiteral("7: Welder @8 MoTuWeThFr"));
}

TEST_F(ChildrenTest, NewObjectsHoldTheirDefaultsAndComeBackResetFromThePool) {
  Ydependency* dependency = NewDependency(task);
  dependency->SetTaskRequired(required);
  dependency->SetFromPercent(0);
  dependency->SetToPercent(100);
  dependency->SetOffset(2);
  dependency->SetDepDate(kMarch1);
  EXPECT_EQ(task->DependencyList.Find(dependency->Key()), dependency);
  EXPECT_EQ(dependency->Tag(), QStringLiteral("d") + QString::number(dependency->Identity()));
  dependency->Delete();  // journal 0: gone from every journal, back to the pool

  Ydependency* fresh = Common::NewY<Ydependency>(ytDependency);
  EXPECT_EQ(fresh, dependency);  // the pool hands out the one freed last
  EXPECT_EQ(fresh->Task(), nullptr);
  EXPECT_EQ(fresh->Project(), nullptr);
  EXPECT_TRUE(fresh->Include());
  EXPECT_EQ(fresh->DepDate(), 0.0);
  EXPECT_EQ(fresh->TaskRequired(), nullptr);
  EXPECT_EQ(fresh->FromPercent(), 100);
  EXPECT_EQ(fresh->ToPercent(), 0);
  EXPECT_EQ(fresh->Offset(), 0.0);

  Yassignment* assignment = NewAssignment(task);
  assignment->SetResourceRequired(welder);
  assignment->SetWorkDay(7, true);
  assignment->Delete();
  Yassignment* again = Common::NewY<Yassignment>(ytAssignment);
  EXPECT_EQ(again, assignment);
  EXPECT_EQ(again->Task(), nullptr);
  EXPECT_TRUE(again->Include());
  EXPECT_EQ(again->ResourceRequired(), nullptr);
  EXPECT_EQ(again->Hours(), 0.0);
  QList<bool> days;
  for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) days.append(again->WorkDay(kind));
  EXPECT_EQ(days, (QList<bool>{false, false, true, true, true, true, true, false, false}));
}

TEST_F(ChildrenTest, MovingToAnotherTaskLeavesTheOldListForTheEndOfTheNew) {
  Ydependency* first = NewDependency(required);
  Ydependency* moved = NewDependency(task);
  first->SetTask(task);
  moved->SetTask(required);
  EXPECT_EQ(task->DependencyList.Items(), QList<Ydependency*>{first});
  EXPECT_EQ(required->DependencyList.Items(), QList<Ydependency*>{moved});
  moved->SetTask(nullptr);
  EXPECT_TRUE(required->DependencyList.IsEmpty());
  EXPECT_EQ(moved->Project(), nullptr);
  Common::FreeY(moved);

  Yassignment* a = NewAssignment(task);
  Yassignment* b = NewAssignment(required);
  b->SetTask(task);
  EXPECT_EQ(task->AssignmentList.Items(), (QList<Yassignment*>{a, b}));
  EXPECT_TRUE(required->AssignmentList.IsEmpty());
}

// Joining and the journal-scoped delete are the same for dependencies and assignments.
template <class T>
struct ChildKind;
template <>
struct ChildKind<Ydependency> {
  static constexpr int code = ytDependency;
  static ChildList<Ydependency>& List(Ytask* owner) { return owner->DependencyList; }
};
template <>
struct ChildKind<Yassignment> {
  static constexpr int code = ytAssignment;
  static ChildList<Yassignment>& List(Ytask* owner) { return owner->AssignmentList; }
};

template <class T>
class JournalScopeTest : public ChildrenTest {
 protected:
  // Project "Dated" with four journals, journal `current` current, and its task 5.
  Ytask* TaskInJournal(int current) {
    dated = NewProject(QStringLiteral("Dated"), 4);
    MakeCurrent(dated, current);
    return dated->FindOrCreateTask(5);
  }
  T* Join(Ytask* owner) {
    T* child = Common::NewY<T>(ChildKind<T>::code);
    child->SetTask(owner);
    return child;
  }
  QList<bool> Presence(T* child) {
    return ByJournal(dated, [child] { return child->Include(); });
  }

  Yproject* dated = nullptr;
};

using ChildKinds = testing::Types<Ydependency, Yassignment>;
TYPED_TEST_SUITE(JournalScopeTest, ChildKinds);

TYPED_TEST(JournalScopeTest, JoiningInALaterJournalMakesItAbsentBefore) {
  Ytask* owner = this->TaskInJournal(2);
  TypeParam* child = this->Join(owner);
  EXPECT_EQ(this->Presence(child), (QList<bool>{false, false, true, true}));
  EXPECT_EQ(ChildKind<TypeParam>::List(owner).Items().last(), child);
  // Joined while the first journal is current: one shared value, present everywhere.
  MakeCurrent(this->dated, 0);
  TypeParam* early = this->Join(owner);
  EXPECT_FALSE(early->IncludeField().Field().IsArray());
  EXPECT_EQ(this->Presence(early), (QList<bool>{true, true, true, true}));
}

TYPED_TEST(JournalScopeTest, DeleteInTheFirstJournalFreesAtOnce) {
  Ytask* owner = this->TaskInJournal(0);
  TypeParam* child = this->Join(owner);
  child->Delete();
  EXPECT_TRUE(ChildKind<TypeParam>::List(owner).IsEmpty());
  EXPECT_TRUE(child->IsFree());
}

TYPED_TEST(JournalScopeTest, DeleteInALaterJournalKeepsTheEarlierOnes) {
  Ytask* owner = this->TaskInJournal(0);
  TypeParam* child = this->Join(owner);
  MakeCurrent(this->dated, 2);
  child->Delete();
  EXPECT_FALSE(child->IsFree());
  EXPECT_EQ(ChildKind<TypeParam>::List(owner).Items(), QList<TypeParam*>{child});
  EXPECT_EQ(this->Presence(child), (QList<bool>{true, true, false, false}));
  // Deleted again from the first journal on, no journal has it: freed.
  MakeCurrent(this->dated, 0);
  child->Delete();
  EXPECT_TRUE(child->IsFree());
  EXPECT_TRUE(ChildKind<TypeParam>::List(owner).IsEmpty());
}

TYPED_TEST(JournalScopeTest, DeleteOfOneJoinedInTheCurrentJournalFreesIt) {
  Ytask* owner = this->TaskInJournal(2);
  TypeParam* keeps = this->Join(owner);
  TypeParam* child = this->Join(owner);
  child->Delete();
  EXPECT_TRUE(child->IsFree());
  EXPECT_EQ(ChildKind<TypeParam>::List(owner).Items(), QList<TypeParam*>{keeps});
}

TYPED_TEST(JournalScopeTest, ASharedIncludeReadsTrueWhateverItHolds) {
  Ytask* owner = this->TaskInJournal(0);
  TypeParam* child = this->Join(owner);
  child->SetInclude(false);  // written on the first journal: one shared value
  EXPECT_FALSE(child->IncludeField().Field().IsArray());
  EXPECT_TRUE(child->Include());
  // Only per-journal values can say absent: written on a later journal.
  TypeParam* later = this->Join(owner);
  MakeCurrent(this->dated, 3);
  later->SetInclude(false);
  EXPECT_EQ(this->Presence(later), (QList<bool>{true, true, true, false}));
}

TEST_F(ChildrenTest, FieldsFollowTheProjectsJournals) {
  Yproject* dated = NewProject(QStringLiteral("Dated"), 2);  // 1 March and 31 March, the latter current
  Ytask* owner = dated->FindOrCreateTask(5);
  Ydependency* dependency = NewDependency(owner);
  dependency->SetOffset(2);
  Yassignment* assignment = NewAssignment(owner);
  assignment->SetWorkDay(8, true);

  dated->AddJournal(kMarch1 + 10);  // inserted between them: it copies 1 March
  EXPECT_EQ(ByJournal(dated, [&] { return dependency->Include(); }), (QList<bool>{false, false, true}));
  EXPECT_EQ(ByJournal(dated, [&] { return dependency->Offset(); }), (QList<double>{0, 0, 2}));
  EXPECT_EQ(ByJournal(dated, [&] { return assignment->WorkDay(8); }), (QList<bool>{false, false, true}));

  MakeCurrent(dated, 2);
  dated->DeleteJournal();
  EXPECT_EQ(ByJournal(dated, [&] { return assignment->Include(); }), (QList<bool>{false, false}));
  EXPECT_EQ(ByJournal(dated, [&] { return dependency->Offset(); }), (QList<double>{0, 0}));
}

TEST_F(ChildrenTest, ChoosingTheResourceCopiesItsPatternOnlyWhenAttached) {
  Yproject* dated = NewProject(QStringLiteral("Dated"), 3);
  MakeCurrent(dated, 0);
  Yassignment* attached = NewAssignment(dated->FindOrCreateTask(5));
  attached->SetHours(4);
  attached->SetWorkDay(7, true);
  MakeCurrent(dated, 1);
  attached->SetResourceRequired(welder);
  EXPECT_EQ(ByJournal(dated, [&] { return attached->ResourceRequired(); }),
            (QList<Yresource*>{nullptr, welder, welder}));
  EXPECT_EQ(ByJournal(dated, [&] { return attached->Hours(); }), (QList<double>{4, 8, 8}));
  EXPECT_EQ(ByJournal(dated, [&] { return attached->WorkDay(7); }), (QList<bool>{true, false, false}));

  // Unattached, only the reference is kept.
  auto* loose = Common::NewY<Yassignment>(ytAssignment);
  loose->SetHours(3);
  loose->SetWorkDay(7, true);
  loose->SetResourceRequired(welder);
  EXPECT_EQ(loose->ResourceRequired(), welder);
  EXPECT_EQ(loose->Hours(), 3.0);
  EXPECT_TRUE(loose->WorkDay(7));
  Common::FreeY(loose);
}

TEST_F(ChildrenTest, CopiedHoursAreTheShiftsDecimalHours) {
  Yshift* shortDay = staff->FindOrCreateShift(QStringLiteral("Short"));
  for (int hour = 0; hour < Yshift::kHours; ++hour) shortDay->SetMatrix(hour, QString(12, QLatin1Char('X')));
  for (int hour = 8; hour < 15; ++hour) shortDay->SetMatrix(hour, QString(12, QLatin1Char('N')));
  shortDay->SetMatrix(15, QStringLiteral("NNNNXXXXXXXX"));  // 7 hours and 4 cells: 7.3 hours
  welder->SetShift(shortDay);
  Yassignment* assignment = NewAssignment(task);
  assignment->SetResourceRequired(welder);
  EXPECT_EQ(assignment->Hours(), 7.3);
  EXPECT_EQ(assignment->BuildNodeText(), QStringLiteral("7: Welder @7.3 MoTuWeThFr"));
}

TEST_F(ChildrenTest, PercentOfWeekIsTheShareOfTheResourcesNormalWeek) {
  Yassignment* assignment = NewAssignment(task);
  assignment->SetResourceRequired(welder);
  assignment->SetHours(4);
  EXPECT_FLOAT_EQ(assignment->PercentOfWeek(), 0.5f);
  assignment->SetWorkDay(7, true);  // Saturday counts although the resource does not work it
  EXPECT_FLOAT_EQ(assignment->PercentOfWeek(), 0.6f);
  assignment->SetWorkDay(0, true);  // holidays and shutdowns never count
  assignment->SetWorkDay(8, true);
  EXPECT_FLOAT_EQ(assignment->PercentOfWeek(), 0.6f);
}

TEST_F(ChildrenTest, PercentOfWeekOfAResourceWithoutNormalHoursIsZero) {
  Yassignment* assignment = NewAssignment(task);
  assignment->SetResourceRequired(welder);
  assignment->SetHours(4);
  for (int kind = 1; kind <= 7; ++kind) welder->SetWorkDay(kind, false);
  EXPECT_EQ(assignment->PercentOfWeek(), 0.0f);

  for (int kind = 1; kind <= 7; ++kind) welder->SetWorkDay(kind, true);
  Yshift* idle = staff->FindOrCreateShift(QStringLiteral("Idle"));
  for (int hour = 0; hour < Yshift::kHours; ++hour) idle->SetMatrix(hour, QString(12, QLatin1Char('O')));
  welder->SetShift(idle);
  EXPECT_EQ(assignment->PercentOfWeek(), 0.0f);
}

TEST_F(ChildrenTest, PercentagesOutsideZeroToHundredAreRefused) {
  Ydependency* dependency = NewDependency(task);
  for (int percent : {-1, 101, 256}) {
    SCOPED_TRACE(percent);
    prompter.Answer(praxel::AnswerIgnore);
    dependency->SetFromPercent(percent);
    prompter.Answer(praxel::AnswerIgnore);
    dependency->SetToPercent(percent);
    EXPECT_EQ(dependency->FromPercent(), 100);
    EXPECT_EQ(dependency->ToPercent(), 0);
  }
  ASSERT_EQ(prompter.Asked().size(), 6);
  EXPECT_EQ(prompter.Asked().first().text, QStringLiteral("Internal error 10000: A percentage must be from 0 to 100."));

  dependency->SetFromPercent(0);
  dependency->SetToPercent(100);
  EXPECT_EQ(dependency->FromPercent(), 0);
  EXPECT_EQ(dependency->ToPercent(), 100);
}

TEST_F(ChildrenTest, WorkDayOutsideTheDayKindsFailsIntoTheTrap) {
  Yassignment* assignment = NewAssignment(task);
  prompter.Answer(praxel::AnswerAbort);
  try {
    assignment->WorkDay(9);
    ADD_FAILURE() << "WorkDay(9) did not fail";
  } catch (const ErrTrap::CallChain& chain) {
    EXPECT_EQ(chain.Chain(), QStringLiteral("  Yassignment:WorkDay [Property Get]"));
  }
  EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Internal error 9: Subscript out of range"));

  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(assignment->SetWorkDay(-1, true), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked().size(), 2);
}

TEST_F(ChildrenTest, ControlDependencyIsTheLatestIncludedStartDependency) {
  EXPECT_EQ(task->ControlDependency(), nullptr);
  Ydependency* toFinish = NewDependency(task);
  toFinish->SetToPercent(100);
  toFinish->SetDepDate(kMarch1 + 50);
  EXPECT_EQ(task->ControlDependency(), nullptr);  // ties this task's finish, not its start

  Ydependency* first = NewDependency(task);
  first->SetDepDate(kMarch1 + 5);
  Ydependency* tie = NewDependency(task);
  tie->SetDepDate(kMarch1 + 5);
  EXPECT_EQ(task->ControlDependency(), first);  // the earlier of equals
  Ydependency* later = NewDependency(task);
  later->SetDepDate(kMarch1 + 6);
  EXPECT_EQ(task->ControlDependency(), later);
}

TEST_F(ChildrenTest, ControlDependencyOfASubprojectTaskIsItsEarliestTasks) {
  Yproject* child = NewProject(QStringLiteral("Child"), 2);  // the second journal current
  struct Planned {
    int id;
    double start;
    bool included;
  };
  QList<Ydependency*> controls;
  for (const Planned& planned : {Planned{1, 10, true}, Planned{2, 5, true}, Planned{3, 5, true}, Planned{4, 1, false}}) {
    Ytask* childTask = child->FindOrCreateTask(planned.id);
    childTask->SetEarlyStart(kMarch1 + planned.start);
    childTask->SetInclude(planned.included);
    Ydependency* dependency = NewDependency(childTask);
    dependency->SetDepDate(kMarch1 + planned.start);
    controls.append(dependency);
  }
  Ytask* standsFor = project->FindOrCreateTask(40);
  standsFor->SetSubproject(child);
  // Task 4 starts first but is absent from the current journal; of 2 and 3, the earlier wins.
  EXPECT_EQ(standsFor->ControlDependency(), controls.at(1));

  MakeCurrent(child, 0);  // the child's tasks joined in its second journal: none exists in the first
  EXPECT_EQ(standsFor->ControlDependency(), nullptr);
}

}  // namespace
