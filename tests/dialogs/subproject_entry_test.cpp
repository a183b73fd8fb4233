#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "EntryForm.h"
#include "Notifications.h"
#include "SubprojectEntryForm.h"
#include "TreeView.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace {

// Besides Plant (active) and its subproject Fit-out: Office at the top level with its own
// subproject Desks.
class SubprojectEntry : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    office = AddProject(QStringLiteral("Office"));
    desks = AddProject(QStringLiteral("Desks"));
    office->FindOrCreateTask(1)->SetSubproject(desks);
    office->SetDirty(false);
  }

  SubprojectEntryForm* OpenToAdd() {
    Click(QStringLiteral("Subproject"));
    return Open<SubprojectEntryForm>("SubprojectEntryForm");
  }
  static QStringList Entries(QWidget* form) {
    QStringList entries;
    auto* list = Field<QComboBox>(form, "ProjectCombo");
    for (int index = 0; index < list->count(); ++index) entries.append(list->itemText(index));
    return entries;
  }
  static void Choose(QWidget* form, const QString& project) {
    auto* list = Field<QComboBox>(form, "ProjectCombo");
    list->setCurrentIndex(list->findText(project));
  }
  static QStringList TaskIds(const Yproject* project) {
    QStringList ids;
    for (const Ytask* task : project->TaskList) ids.append(task->Key());
    return ids;
  }

  Yproject* office = nullptr;
  Yproject* desks = nullptr;
};

// Adding offers the top-level projects other than the active one, after the prompt, and proposes
// the ID after the highest (Plant's highest is 12, whatever lies free below it).
TEST_F(SubprojectEntry, AddingOffersOtherTopLevelProjectsAndTheNextId) {
  SubprojectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Subproject Entry (link to project)"));
  EXPECT_EQ(Entries(form), (QStringList{QStringLiteral("<choose one of the following projects>"), QStringLiteral("Office")}));
  EXPECT_EQ(Field<QComboBox>(form, "ProjectCombo")->currentIndex(), 0);
  EXPECT_FALSE(Field<QComboBox>(form, "ProjectCombo")->isEditable());
  EXPECT_EQ(Field<QLineEdit>(form, "TaskIdText")->text(), QStringLiteral("13"));
  EXPECT_EQ(Field<QLineEdit>(form, "TaskIdText")->toolTip(), QStringLiteral("Press [F1] for help"));
  PressCancel(form);
}

// With a subproject active, the project it descends from is not offered: linking it would close
// the chain of parents into a loop.
TEST_F(SubprojectEntry, TheProjectsAboveTheActiveOneAreNotOffered) {
  Common::SetThisProject(fitOut);
  Common::BroadcastNewThisProject();
  SubprojectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Entries(form), (QStringList{QStringLiteral("<choose one of the following projects>"), QStringLiteral("Office")}));
  EXPECT_EQ(Field<QLineEdit>(form, "TaskIdText")->text(), QStringLiteral("3"));
  PressCancel(form);
}

// Ok links the chosen project under a new task of the active project: the project's parent is
// the active project, which is marked changed; the tree shows the task and the dialog closes.
TEST_F(SubprojectEntry, OkLinksTheChosenProject) {
  SubprojectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  Choose(form, QStringLiteral("Office"));
  PressOk(form);
  EXPECT_EQ(Open<SubprojectEntryForm>("SubprojectEntryForm"), nullptr);
  Ytask* task = plant->TaskList.Find(QStringLiteral("13"));
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->Subproject(), office);
  EXPECT_EQ(office->Parent(), plant);
  EXPECT_EQ(desks->Master(), plant);
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_NE(NodeOf(task), nullptr);
  EXPECT_EQ(NodeOf(task)->text(0), QStringLiteral("13: Office"));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Subproject"))->isEnabled());
}

// What Ok refuses, before anything is stored: no task is added or renumbered, no project is
// linked or changed, no solve is asked for, and the dialog stays open.
struct Refusal {
  const char* name;
  const char* taskId;
  bool choose;
  const char* message;
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class SubprojectRefusals : public SubprojectEntry, public testing::WithParamInterface<Refusal> {};

TEST_P(SubprojectRefusals, StoreNothing) {
  const Refusal refusal = GetParam();
  SubprojectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  Fill(form, "TaskIdText", QString::fromUtf8(refusal.taskId));
  if (refusal.choose) Choose(form, QStringLiteral("Office"));
  prompter.Answer(praxel::AnswerOk);
  PressOk(form);

  EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(refusal.message)});
  EXPECT_EQ(Open<SubprojectEntryForm>("SubprojectEntryForm"), form);
  EXPECT_EQ(TaskIds(plant), (QStringList{QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("9"),
                                         QStringLiteral("10"), QStringLiteral("12")}));
  EXPECT_EQ(office->Parent(), nullptr);
  EXPECT_FALSE(plant->Dirty());
  EXPECT_FALSE(office->Dirty());
  EXPECT_FALSE(SolveRequested());
  PressCancel(form);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SubprojectRefusals,
    testing::Values(
        Refusal{"NoProjectChosen", "13", false, "No Project Selected: Please select a parent project, or click [Cancel]."},
        Refusal{"IdNotANumber", "x1", true,
                "Invalid Task ID: The Task ID must be a whole number from 1 to 2147483647."},
        Refusal{"IdZero", "0", true, "Invalid Task ID: The Task ID must be a whole number from 1 to 2147483647."},
        Refusal{"IdTooLarge", "2147483648", true,
                "Invalid Task ID: The Task ID must be a whole number from 1 to 2147483647."},
        Refusal{"IdInUse", "9", true, "Task ID In Use: This TaskID is already in use"}),
    testsupport::CaseName());

// With no active project the button warns and opens nothing.
TEST_F(SubprojectEntry, NeedsAnActiveProject) {
  Common::SetThisProject(nullptr);
  prompter.Answer(praxel::AnswerOk);
  Click(QStringLiteral("Subproject"));
  EXPECT_EQ(Messages().value(0).left(26), QStringLiteral("No Projects in Memory: The"));
  EXPECT_EQ(Forms::Find(QStringLiteral("SubprojectEntryForm")), nullptr);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Subproject"))->isEnabled());
}

// Modifying shows the linked project by its name alone and changes only the task's ID; the
// link stays.
TEST_F(SubprojectEntry, ModifyingChangesTheIdAndKeepsTheLink) {
  fitOut->Description = QStringLiteral("Interior");
  Press(NodeOf(fitOutTask));
  Modify();
  SubprojectEntryForm* form = Open<SubprojectEntryForm>("SubprojectEntryForm");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Entries(form), QStringList{QStringLiteral("Fit-out")});
  EXPECT_EQ(Field<QComboBox>(form, "ProjectCombo")->currentText(), QStringLiteral("Fit-out"));
  EXPECT_EQ(Field<QLineEdit>(form, "TaskIdText")->text(), QStringLiteral("4"));
  EXPECT_EQ(QApplication::focusWidget(), Field<QLineEdit>(form, "TaskIdText"));
  Fill(form, "TaskIdText", QStringLiteral("20"));
  PressOk(form);
  EXPECT_EQ(Open<SubprojectEntryForm>("SubprojectEntryForm"), nullptr);
  EXPECT_EQ(fitOutTask->TaskID(), 20);
  EXPECT_EQ(fitOutTask->Subproject(), fitOut);
  EXPECT_EQ(fitOut->Parent(), plant);
  EXPECT_EQ(TaskIds(plant).last(), QStringLiteral("20"));
  EXPECT_TRUE(plant->Dirty());
}

}  // namespace
