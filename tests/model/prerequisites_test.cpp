#include "Common.h"
#include "OleDate.h"
#include "Pool.h"
#include "Prerequisites.h"
#include "ScriptedPrompter.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <QDate>
#include <QList>

#include <functional>
#include <ostream>
#include <string>

namespace {

// One way of linking the tasks, and whether `task` may then wait for `required`.
struct PrerequisiteCase {
  const char* name;
  std::function<void(class PrerequisiteTest&)> links;
  const char* task;
  const char* required;
  QString refusal;  // empty: allowed
};
void PrintTo(const PrerequisiteCase& row, std::ostream* out) { *out << row.name; }

// Project Main with tasks 1 Dig, 2 Pour and 3 Frame, and task 4 standing for the subproject Fit
// with its task 1 Wire; no dependencies until the case makes its own.
class PrerequisiteTest : public testing::TestWithParam<PrerequisiteCase> {
 public:
  void SetUp() override {
    Common::FreeAllMemory();
    main = NewProject(QStringLiteral("Main"));
    NewTask(main, 1, QStringLiteral("Dig"));
    NewTask(main, 2, QStringLiteral("Pour"));
    NewTask(main, 3, QStringLiteral("Frame"));
    fit = NewProject(QStringLiteral("Fit"));
    NewTask(fit, 1, QStringLiteral("Wire"));
    main->FindOrCreateTask(4)->SetSubproject(fit);
  }
  void TearDown() override { Common::FreeAllMemory(); }

  // A task by its caption as seen from Main ("2: Pour", "(Fit) 1: Wire").
  Ytask* Task(const char* caption) const {
    for (const Yproject* project : {main, fit}) {
      for (Ytask* task : project->TaskList) {
        if (Common::PrerequisiteCaption(*task, main) == QLatin1String(caption)) return task;
      }
    }
    ADD_FAILURE() << "no task " << caption;
    return nullptr;
  }
  // The dependency of the task with the first caption on the task with the second.
  Ydependency* Wait(const char* task, const char* required) const {
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(Task(task));
    dependency->SetTaskRequired(Task(required));
    return dependency;
  }

  static Yproject* NewProject(const QString& name) {
    auto* project = Common::NewY<Yproject>(ytProject);
    project->SetProjectName(name);
    // Two journals, the second current, so that a dependency can be left out of it.
    project->AddJournal(praxel::ToOleDate(QDate(2024, 3, 1)));
    project->AddJournal(praxel::ToOleDate(QDate(2024, 4, 1)));
    return project;
  }
  static void NewTask(Yproject* project, int id, const QString& description) {
    project->FindOrCreateTask(id)->Description = description;
  }

  testsupport::ScriptedPrompter prompter;
  Yproject* main = nullptr;
  Yproject* fit = nullptr;
};

QString Circle(const QString& later, const QString& earlier) {
  return later + QStringLiteral(" already depends on ") + earlier +
         QStringLiteral(", directly or through other tasks.\n\nMaking ") + earlier + QStringLiteral(" depend on ") +
         later + QStringLiteral(" would close a circle of dependencies.");
}

TEST_P(PrerequisiteTest, RefusesATaskWaitingForItselfDirectlyOrRoundACircle) {
  const PrerequisiteCase& row = GetParam();
  row.links(*this);
  EXPECT_EQ(Common::PrerequisiteRefusal(*Task(row.task), *Task(row.required)), row.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Links, PrerequisiteTest,
    testing::Values(
        PrerequisiteCase{"OnItself", [](PrerequisiteTest&) {}, "3: Frame", "3: Frame",
                         QStringLiteral("A task cannot depend on itself.")},
        PrerequisiteCase{"BackOnItsOwnPrerequisite", [](PrerequisiteTest& t) { t.Wait("2: Pour", "1: Dig"); },
                         "1: Dig", "2: Pour", Circle(QStringLiteral("2: Pour"), QStringLiteral("1: Dig"))},
        PrerequisiteCase{"RoundAChainOfThree",
                         [](PrerequisiteTest& t) {
                           t.Wait("2: Pour", "1: Dig");
                           t.Wait("3: Frame", "2: Pour");
                         },
                         "1: Dig", "3: Frame", Circle(QStringLiteral("3: Frame"), QStringLiteral("1: Dig"))},
        PrerequisiteCase{"ThroughTheTasksOfASubproject",
                         [](PrerequisiteTest& t) { t.Wait("(Fit) 1: Wire", "1: Dig"); }, "1: Dig", "4: Fit",
                         Circle(QStringLiteral("4: Fit"), QStringLiteral("1: Dig"))},
        PrerequisiteCase{"AcrossProjectsNamedWithTheirProject",
                         [](PrerequisiteTest& t) { t.Wait("(Fit) 1: Wire", "1: Dig"); }, "1: Dig", "(Fit) 1: Wire",
                         Circle(QStringLiteral("(Fit) 1: Wire"), QStringLiteral("1: Dig"))},
        PrerequisiteCase{"AlongAnExistingChain", [](PrerequisiteTest& t) { t.Wait("2: Pour", "1: Dig"); },
                         "3: Frame", "2: Pour", QString()},
        PrerequisiteCase{"ASecondTimeOnTheSamePrerequisite",
                         [](PrerequisiteTest& t) { t.Wait("2: Pour", "1: Dig"); }, "2: Pour", "1: Dig", QString()},
        PrerequisiteCase{"BackRoundADependencyLeftOutOfTheJournal",
                         [](PrerequisiteTest& t) { t.Wait("2: Pour", "1: Dig")->SetInclude(false); }, "1: Dig",
                         "2: Pour", QString()},
        PrerequisiteCase{"BackRoundADateDependency",
                         [](PrerequisiteTest& t) { t.Wait("2: Pour", "1: Dig")->SetTaskRequired(nullptr); },
                         "1: Dig", "2: Pour", QString()}),
    testsupport::CaseName());

}  // namespace
