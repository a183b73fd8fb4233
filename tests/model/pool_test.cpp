#include "Common.h"
#include "Guard.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

using namespace Common;

namespace {

class PoolTest : public testing::Test {
 protected:
  void SetUp() override { FreeAllMemory(); }
  void TearDown() override {
    FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
  }
  testsupport::ScriptedPrompter prompter;
};

TEST_F(PoolTest, TheLastObjectFreedComesBackFirstAlreadyReset) {
  Ytask* first = NewY<Ytask>(ytTask);
  Ytask* second = NewY<Ytask>(ytTask);
  first->Description = QStringLiteral("dig");
  Ytask* freedFirst = first;
  Ytask* freedSecond = second;
  FreeY(first);
  FreeY(second);
  EXPECT_EQ(first, nullptr);  // the caller's reference goes too
  Ytask* again = NewY<Ytask>(ytTask);
  EXPECT_EQ(again, freedSecond);
  EXPECT_EQ(NewY<Ytask>(ytTask), freedFirst);
  EXPECT_EQ(freedFirst->Description, QString());
  EXPECT_NE(NewY<Ytask>(ytTask), freedFirst);  // free list empty: a new one
}

TEST_F(PoolTest, EveryModelTypeCodeMakesItsClass) {
  const struct {
    int code;
    const char* imageType;
  } cases[] = {{ytAssignment, "a"}, {ytDependency, "d"}, {ytProject, "p"}, {ytResource, "r"},
               {ytShift, "h"},      {ytTask, "t"},       {ytTemplate, "l"}};
  for (const auto& c : cases) {
    auto* object = dynamic_cast<Ymodel*>(NewYObject(c.code));
    ASSERT_NE(object, nullptr) << c.code;
    EXPECT_EQ(object->Ytype(), c.code);
    EXPECT_EQ(object->ImageType(), QLatin1String(c.imageType));
  }
}

TEST_F(PoolTest, ABadTypeCodeIsAnAssertionAndChangesNothing) {
  for (int code : {0, 11, int(ytFile), int(ytSlice)}) {  // file and slice classes are not registered here
    prompter.Answer(praxel::AnswerIgnore);
    EXPECT_EQ(NewYObject(code), nullptr) << code;
  }
  ASSERT_EQ(prompter.Asked().size(), 4);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: Assertion failed"));
}

TEST_F(PoolTest, FreeingTwiceIsRefused) {
  Ydependency* dependency = NewY<Ydependency>(ytDependency);
  Ypooled* alias = dependency;
  FreeY(dependency);
  prompter.Answer(praxel::AnswerAbort);
  EXPECT_THROW(FreeYobject(alias), ErrTrap::CallChain);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 10000: Assertion failed"));
  // Handed out once only.
  Ypooled* a = NewYObject(ytDependency);
  Ypooled* b = NewYObject(ytDependency);
  EXPECT_NE(a, b);
}

TEST_F(PoolTest, FreeingAProjectFreesItsTasksAndTheirChildren) {
  Yproject* project = FindOrCreateProject(QStringLiteral("Build"));
  Ytask* task = project->FindOrCreateTask(1);
  auto* dependency = NewY<Ydependency>(ytDependency);
  dependency->SetTask(task);
  auto* assignment = NewY<Yassignment>(ytAssignment);
  assignment->SetTask(task);
  project->Delete();
  FreeY(project);
  EXPECT_TRUE(task->IsFree());
  EXPECT_TRUE(dependency->IsFree());
  EXPECT_TRUE(assignment->IsFree());
  EXPECT_EQ(NewYObject(ytAssignment), assignment);
  EXPECT_EQ(NewYObject(ytDependency), dependency);
  EXPECT_EQ(NewYObject(ytTask), task);
}

TEST_F(PoolTest, IdentitiesAreUniqueAmongLiveObjects) {
  auto* a = NewY<Ydependency>(ytDependency);
  auto* b = NewY<Ydependency>(ytDependency);
  EXPECT_NE(a->Key(), b->Key());
  const QString oldKey = a->Key();
  FreeY(a);
  EXPECT_NE(NewY<Ydependency>(ytDependency)->Key(), oldKey);
}

TEST_F(PoolTest, FindOrCreateMakesOnePlaceholderPerName) {
  EXPECT_EQ(FindOrCreateProject(QString()), nullptr);
  Yproject* project = FindOrCreateProject(QStringLiteral("Bridge"));
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(project->Description, QStringLiteral("<stub>"));
  EXPECT_EQ(Projects().Count(), 1);
  EXPECT_EQ(FindOrCreateProject(QStringLiteral("BRIDGE")), project);  // keys ignore case
  EXPECT_EQ(Projects().Count(), 1);

  Ytemplate* templ = FindOrCreateTemplate(QStringLiteral("Crew"));
  ASSERT_NE(templ, nullptr);
  EXPECT_EQ(templ->Path(), QStringLiteral("<stub>"));
  EXPECT_EQ(FindOrCreateTemplate(QStringLiteral("crew")), templ);
  EXPECT_EQ(FindOrCreateTemplate(QString()), nullptr);
}

TEST(FixNameConflict, StepsTheSuffix) {
  const struct {
    const char* name;
    const char* fixed;
  } cases[] = {{"ab", "ab(B)"},       {"X(Z)", "X([)"}, {"N(10)", "N(10)(B)"}, {"(A)", "(B)"},
               {"Plan(B)", "Plan(C)"}, {"a", "a(B)"},    {"", "(B)"},           {"x)", "x)(B)"}};
  for (const auto& c : cases) {
    QString name = QString::fromLatin1(c.name);
    FixNameConflict(name);
    EXPECT_EQ(name, QLatin1String(c.fixed)) << c.name;
  }
}

TEST_F(PoolTest, GuardsWarnWhenNothingIsActive) {
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(ThisProjectSolved());
  ASSERT_EQ(prompter.Asked().size(), 1);  // only the warning, no solve message
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("No Projects in Memory"));
  EXPECT_EQ(prompter.Asked()[0].text,
            QStringLiteral("There are no projects loaded in memory.\n\nPlease use the File menu to Open a file "
                           "containing one or more projects, or use the Project menu to create a New one."));
  EXPECT_EQ(prompter.Asked()[0].style, praxel::MsgExclamation);

  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(ThisTemplateSet());
  EXPECT_EQ(prompter.Asked()[1].title, QStringLiteral("No Templates in Memory"));
  EXPECT_TRUE(prompter.Asked()[1].text.endsWith(QStringLiteral("or use the Template menu to create a New one.")));
}

TEST_F(PoolTest, ThisProjectSolvedTellsWhyNot) {
  SetThisProject(FindOrCreateProject(QStringLiteral("P")));
  const struct {
    int mode;
    bool solved;
    const char* title;
  } cases[] = {{Solve::ModeIdle, true, nullptr},
               {Solve::ModeError, false, "Solve Error"},
               {Solve::ModeSolving, false, "Waiting For Solve To Complete"},
               {Solve::ModeRequested, false, "Waiting For Solve To Complete"},
               {Solve::ModeAnalysis, false, "Waiting For Solve To Complete"}};
  for (const auto& c : cases) {
    Solve::SetSolveMode(c.mode);
    const qsizetype asked = prompter.Asked().size();
    if (c.title != nullptr) prompter.Answer(praxel::AnswerOk);
    EXPECT_EQ(ThisProjectSolved(), c.solved) << c.mode;
    if (c.title != nullptr) {
      ASSERT_EQ(prompter.Asked().size(), asked + 1);
      EXPECT_EQ(prompter.Asked().last().title, QLatin1String(c.title));
    }
  }
  EXPECT_EQ(prompter.Asked()[0].text,
            QStringLiteral("The requested operation cannot be performed until the error in solve is corrected."));
  EXPECT_EQ(prompter.Asked()[1].text,
            QStringLiteral("The requested operation cannot be performed until the background solve is complete."));
}

// A task freed for good must not stay named by other tasks' dependencies: the pool would hand
// the object out again as some other task.
TEST_F(PoolTest, AFreedTaskIsForgottenByTheDependenciesThatNamedIt) {
  Yproject* project = FindOrCreateProject(QStringLiteral("P"));
  project->AddJournal(100.0);
  Ytask* required = project->FindOrCreateTask(1);
  Ytask* dependent = project->FindOrCreateTask(2);
  auto* dependency = NewY<Ydependency>(ytDependency);
  dependency->SetTask(dependent);
  dependency->SetTaskRequired(required);
  required->Delete();  // exists in the only journal: freed
  ASSERT_TRUE(required->IsFree());
  EXPECT_EQ(dependency->TaskRequired(), nullptr);  // now a date dependency

  Ytask* reused = NewY<Ytask>(ytTask);
  EXPECT_EQ(reused, required);
  EXPECT_EQ(dependency->TaskRequired(), nullptr);
}

TEST_F(PoolTest, FreedResourcesShiftsAndProjectsAreForgottenToo) {
  Ytemplate* templ = FindOrCreateTemplate(QStringLiteral("Crew"));
  Yshift* shift = templ->FindOrCreateShift(QStringLiteral("Day"));
  Yresource* resource = templ->FindOrCreateResource(7);
  EXPECT_EQ(resource->Shift(), shift);

  Yproject* parent = FindOrCreateProject(QStringLiteral("Parent"));
  Yproject* child = FindOrCreateProject(QStringLiteral("Child"));
  Ytask* standIn = parent->FindOrCreateTask(1);
  standIn->SetSubproject(child);
  parent->SetManager(resource);
  auto* assignment = NewY<Yassignment>(ytAssignment);
  assignment->SetTask(standIn);
  assignment->SetResourceRequired(resource);
  SetThisTemplate(templ);
  SetThisProject(child);

  templ->Delete();
  FreeY(templ);
  EXPECT_EQ(parent->Manager(), nullptr);
  EXPECT_EQ(assignment->ResourceRequired(), nullptr);
  EXPECT_EQ(ThisTemplate(), nullptr);

  child->Delete();
  FreeY(child);
  EXPECT_EQ(standIn->Subproject(), nullptr);
  EXPECT_EQ(ThisProject(), nullptr);
}

TEST_F(PoolTest, FreeAllMemoryDropsEverything) {
  Yproject* project = FindOrCreateProject(QStringLiteral("P"));
  project->FindOrCreateTask(3);
  FindOrCreateTemplate(QStringLiteral("T"))->FindOrCreateResource(1);
  SetThisProject(project);
  Solve::SolveError(QStringLiteral("Effort without resources"), project->TaskList.First());
  FreeAllMemory();
  EXPECT_EQ(Projects().Count(), 0);
  EXPECT_EQ(Templates().Count(), 0);
  EXPECT_EQ(ThisProject(), nullptr);
  EXPECT_EQ(Solve::SolveErrorObject(), nullptr);
  EXPECT_NE(NewYObject(ytProject), nullptr);  // the pool works on afterwards
}

}  // namespace
