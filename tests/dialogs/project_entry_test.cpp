#include "DialogFixture.h"

#include "CaseName.h"
#include "Common.h"
#include "EntryForm.h"
#include "Journals.h"
#include "Notifications.h"
#include "OleDate.h"
#include "Pool.h"
#include "ProjectEntryForm.h"
#include "ShortDate.h"
#include "SolveState.h"
#include "TreeView.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class ProjectEntry : public DialogTest {
 protected:
  ProjectEntryForm* OpenToAdd() {
    Click(QStringLiteral("Project"));
    return Open<ProjectEntryForm>("ProjectEntryForm");
  }
  // The project dialog on the active project, through Project > Modify.
  ProjectEntryForm* OpenToModify() {
    Click(QStringLiteral("ProjectModifyMenu"));
    return Open<ProjectEntryForm>("ProjectEntryForm");
  }
  static QComboBox* SolveRules(QWidget* form) { return Field<QComboBox>(form, "SolveRulesCombo"); }
  static QRadioButton* ApplyOption(QWidget* form, int index) {
    return Field<QRadioButton>(form, QStringLiteral("ApplyOption%1").arg(index).toLatin1().constData());
  }
  static QStringList ProjectNames() {
    QStringList names;
    for (const Yproject* project : Common::Projects()) names.append(project->ProjectName());
    return names;
  }
  static bool AnyProjectDirty() {
    for (const Yproject* project : Common::Projects()) {
      if (project->Dirty()) return true;
    }
    return false;
  }
};

// The toolbar's Project button opens an empty project proposing the active project's journal
// date; Ok enters the project with that one journal, makes it active, shows it in the tree, marks
// it changed and asks for a solve. The main window is usable again.
TEST_F(ProjectEntry, AddingMakesTheNewProjectActiveWithItsFirstJournal) {
  ProjectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Project Data Entry"));
  EXPECT_FALSE(Field<QGroupBox>(form, "ApplyFrame")->isVisible());
  EXPECT_EQ(Field<QLineEdit>(form, "InitialJournalText")->text(), praxel::DateTimeText(Day(7)));
  EXPECT_EQ(Field<QLineEdit>(form, "PriorityText")->text(), QStringLiteral("1"));
  EXPECT_EQ(SolveRules(form)->currentIndex(), 0);
  EXPECT_EQ(QApplication::focusWidget(), Field<QLineEdit>(form, "ProjectNameText"));
  EXPECT_FALSE(mainForm->Control(QStringLiteral("Task"))->isEnabled());

  Fill(form, "ProjectNameText", QStringLiteral(" Annex "));
  Fill(form, "DescriptionText", QStringLiteral("East wing"));
  Fill(form, "InitialJournalText", praxel::DateTimeText(Day(3)));
  Fill(form, "PriorityText", QStringLiteral("4"));
  SolveRules(form)->setCurrentIndex(5);
  PressOk(form);

  EXPECT_EQ(Open<ProjectEntryForm>("ProjectEntryForm"), nullptr);
  Yproject* annex = Common::Projects().Find(QStringLiteral(" Annex "));
  ASSERT_NE(annex, nullptr);  // the name as typed
  EXPECT_EQ(annex->Description, QStringLiteral("East wing"));
  EXPECT_EQ(annex->JournalDates, QList<double>{Day(3)});
  EXPECT_EQ(annex->Priority(), QStringLiteral("4"));
  EXPECT_EQ(annex->SolveRules(), 5);
  EXPECT_EQ(Common::ThisProject(), annex);
  EXPECT_TRUE(annex->Dirty());
  EXPECT_FALSE(plant->Dirty());
  EXPECT_TRUE(SolveRequested());
  EXPECT_TRUE(Outline(ProjectTreeView()).value(0).startsWith(QStringLiteral("p  Annex : East wing")));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

// With no project loaded the proposed journal date is today's.
TEST_F(ProjectEntry, WithoutAnActiveProjectTheFirstJournalIsToday) {
  Common::SetThisProject(nullptr);
  ProjectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Field<QLineEdit>(form, "InitialJournalText")->text(),
            praxel::DateTimeText(praxel::ToOleDate(QDate::currentDate())));
  PressCancel(form);
}

// Cancel leaves no trace: no project, no change, no solve, the tree as it was.
TEST_F(ProjectEntry, CancelAfterAddLeavesNoTrace) {
  const QStringList tree = Outline(ProjectTreeView());
  ProjectEntryForm* form = OpenToAdd();
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Annex"));
  PressCancel(form);
  EXPECT_EQ(Open<ProjectEntryForm>("ProjectEntryForm"), nullptr);
  EXPECT_EQ(ProjectNames(), (QStringList{QStringLiteral("Plant"), QStringLiteral("Fit-out")}));
  EXPECT_FALSE(AnyProjectDirty());
  EXPECT_FALSE(SolveRequested());
  EXPECT_EQ(Outline(ProjectTreeView()), tree);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("Task"))->isEnabled());
}

// A typed value that cannot be stored is refused with its message before anything is stored: the
// dialog stays open with the focus on the box, no project is added, renamed or changed, and no
// solve is asked for. That holds in both modes; the initial journal counts when adding only.
struct Refusal {
  const char* name;
  bool adding;
  const char* box;
  const char* typed;
  const char* message;  // "Title: text"
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class ProjectRefusals : public ProjectEntry, public testing::WithParamInterface<Refusal> {};

TEST_P(ProjectRefusals, ChangeNothing) {
  const Refusal refusal = GetParam();
  ProjectEntryForm* form = refusal.adding ? OpenToAdd() : OpenToModify();
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Plant 2"));
  Fill(form, "DescriptionText", QStringLiteral("changed"));
  Fill(form, "PriorityText", QStringLiteral("9"));
  Fill(form, refusal.box, QString::fromUtf8(refusal.typed));
  prompter.Answer(praxel::AnswerOk);
  PressOk(form);

  const QString today = praxel::DateTimeText(praxel::ToOleDate(QDate::currentDate()));
  EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(refusal.message).replace(QStringLiteral("TODAY"), today)});
  EXPECT_EQ(prompter.Asked().value(0).style, praxel::MsgExclamation);
  EXPECT_EQ(Open<ProjectEntryForm>("ProjectEntryForm"), form);
  EXPECT_EQ(QApplication::focusWidget(), Field<QLineEdit>(form, refusal.box));
  EXPECT_EQ(ProjectNames(), (QStringList{QStringLiteral("Plant"), QStringLiteral("Fit-out")}));
  EXPECT_EQ(plant->Description, QStringLiteral("Pump house"));
  EXPECT_EQ(plant->Priority(), QStringLiteral("1"));
  EXPECT_FALSE(AnyProjectDirty());
  EXPECT_FALSE(SolveRequested());
  PressCancel(form);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProjectRefusals,
    testing::Values(
        Refusal{"BlankNameWhenAdding", true, "ProjectNameText", "   ",
                "Project Name Is Blank: The Project name must be filled in."},
        Refusal{"BlankNameWhenModifying", false, "ProjectNameText", "",
                "Project Name Is Blank: The Project name must be filled in."},
        Refusal{"InitialJournalNotADate", true, "InitialJournalText", "13/45/2024",
                "Invalid Date: The Initial journal must be a date, such as TODAY."},
        Refusal{"InitialJournalEmpty", true, "InitialJournalText", "", "Invalid Date: The Initial journal must be a date, such as TODAY."},
        Refusal{"PriorityNotANumber", false, "PriorityText", "high",
                "Invalid Priority: The Priority must be a whole number from 0 to 255."},
        Refusal{"PriorityAbove255", true, "PriorityText", "255.5",
                "Invalid Priority: The Priority must be a whole number from 0 to 255."},
        Refusal{"PriorityBelowZero", false, "PriorityText", "-1",
                "Invalid Priority: The Priority must be a whole number from 0 to 255."}),
    testsupport::CaseName());

// A decimal priority is rounded to a whole number, a half to the even neighbour.
TEST_F(ProjectEntry, PriorityRoundsHalvesToEven) {
  for (const auto& [typed, stored] : {std::pair{"2.5", "2"}, std::pair{"3.5", "4"}, std::pair{" 0.4 ", "0"},
                                      std::pair{"254.5", "254"}}) {
    ProjectEntryForm* form = OpenToModify();
    ASSERT_NE(form, nullptr);
    Fill(form, "PriorityText", QString::fromLatin1(typed));
    PressOk(form);
    EXPECT_EQ(plant->Priority(), QString::fromLatin1(stored)) << typed;
  }
}

// Project > Modify opens the active project with the focus on the solve rule, the apply section
// showing "all projects in this master"; reopened after a save it shows what was saved.
TEST_F(ProjectEntry, ModifyShowsTheProjectAndReopensOnWhatWasSaved) {
  ProjectEntryForm* form = OpenToModify();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Field<QGroupBox>(form, "ApplyFrame")->isVisible());
  EXPECT_EQ(Field<QGroupBox>(form, "ApplyFrame")->title(), QStringLiteral("Apply changes in this section to:"));
  EXPECT_TRUE(ApplyOption(form, 2)->isChecked());
  EXPECT_EQ(ApplyOption(form, 0)->text(), QStringLiteral("this project only"));
  EXPECT_EQ(ApplyOption(form, 1)->text(), QStringLiteral("include subprojects"));
  EXPECT_EQ(ApplyOption(form, 2)->text(), QStringLiteral("all projects in this master"));
  EXPECT_EQ(Field<QLineEdit>(form, "ProjectNameText")->text(), QStringLiteral("Plant"));
  EXPECT_EQ(Field<QLineEdit>(form, "DescriptionText")->text(), QStringLiteral("Pump house"));
  EXPECT_TRUE(Field<QLineEdit>(form, "InitialJournalText")->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), SolveRules(form));
  EXPECT_EQ(SolveRules(form)->count(), 7);
  EXPECT_EQ(SolveRules(form)->itemText(6), QStringLiteral("Unlimited hours per day"));

  SolveRules(form)->setCurrentIndex(3);
  Fill(form, "DescriptionText", QStringLiteral("Pumps"));
  Fill(form, "InitialJournalText", QStringLiteral("not a date, and ignored"));
  PressOk(form);
  EXPECT_EQ(plant->SolveRules(), 3);
  EXPECT_EQ(plant->JournalDates, (QList<double>{Day(0), Day(7)}));
  // The rule is per journal: the earlier journal keeps its own.
  plant->CurrentIndex = 0;
  EXPECT_EQ(plant->SolveRules(), 0);
  plant->CurrentIndex = 1;
  EXPECT_TRUE(Outline(ProjectTreeView()).value(0).startsWith(QStringLiteral("p Plant: Pumps")));

  form = OpenToModify();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(SolveRules(form)->currentText(), QStringLiteral("Normal and overtime, extend if more needed"));
  EXPECT_TRUE(ApplyOption(form, 2)->isChecked());
  PressCancel(form);
}

// The section (priority, passwords, solve rule) goes to the projects of the chosen scope, each
// marked changed; the name and description to the edited project alone. Edited: Fit-out, below
// Plant, above Wiring; Office and its subproject Desks belong to another master.
struct Scope {
  const char* name;
  int option;
  QStringList receivers;
};

void PrintTo(const Scope& scope, std::ostream* out) { *out << scope.name; }

class ProjectScopes : public ProjectEntry, public testing::WithParamInterface<Scope> {};

TEST_P(ProjectScopes, ReachTheChosenFamily) {
  const Scope scope = GetParam();
  Yproject* wiring = AddProject(QStringLiteral("Wiring"));
  fitOut->FindOrCreateTask(3)->SetSubproject(wiring);
  Yproject* office = AddProject(QStringLiteral("Office"));
  office->FindOrCreateTask(1)->SetSubproject(AddProject(QStringLiteral("Desks")));
  for (Yproject* project : Common::Projects()) project->SetDirty(false);
  Solve::SetSolveMode(Solve::ModeIdle);
  Common::SetThisProject(fitOut);
  Common::BroadcastNewThisProject();

  ProjectEntryForm* form = OpenToModify();
  ASSERT_NE(form, nullptr);
  ApplyOption(form, scope.option)->click();
  Fill(form, "DescriptionText", QStringLiteral("Second fix"));
  Fill(form, "PriorityText", QStringLiteral("7"));
  Fill(form, "ViewPasswordText", QStringLiteral("look"));
  SolveRules(form)->setCurrentIndex(6);
  PressOk(form);

  QStringList receivers;
  for (const Yproject* project : Common::Projects()) {
    const bool section = project->Priority() == QLatin1String("7") && project->SolveRules() == 6 &&
                         project->ViewPassword == QLatin1String("look");
    EXPECT_EQ(section, project->Dirty()) << project->ProjectName().toStdString();
    if (section) receivers.append(project->ProjectName());
  }
  EXPECT_EQ(receivers, scope.receivers);
  EXPECT_EQ(fitOut->Description, QStringLiteral("Second fix"));
  EXPECT_EQ(plant->Description, QStringLiteral("Pump house"));
}

INSTANTIATE_TEST_SUITE_P(
    Options, ProjectScopes,
    testing::Values(Scope{"ThisProjectOnly", 0, {QStringLiteral("Fit-out")}},
                    Scope{"IncludeSubprojects", 1, {QStringLiteral("Fit-out"), QStringLiteral("Wiring")}},
                    Scope{"AllProjectsInThisMaster", 2,
                          {QStringLiteral("Plant"), QStringLiteral("Fit-out"), QStringLiteral("Wiring")}}),
    testsupport::CaseName());

// A name another loaded project has is changed by the model until it is free: both stay.
TEST_F(ProjectEntry, AnotherProjectsNameIsMadeFree) {
  ProjectEntryForm* form = OpenToModify();
  ASSERT_NE(form, nullptr);
  Fill(form, "ProjectNameText", QStringLiteral("Fit-out"));
  PressOk(form);
  EXPECT_EQ(ProjectNames(), (QStringList{QStringLiteral("Fit-out"), QStringLiteral("Fit-out(B)")}));
  EXPECT_EQ(plant->ProjectName(), QStringLiteral("Fit-out(B)"));
  EXPECT_EQ(Common::ThisProject(), plant);
}

}  // namespace
