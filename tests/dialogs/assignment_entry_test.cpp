#include "DialogFixture.h"

#include "AssignmentEntryForm.h"
#include "Common.h"
#include "Forms.h"
#include "Pool.h"
#include "Prompter.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidgetItem>

#include <string>

namespace {

// The assignment dialog over the tree model: template Staff with resources 3 Bo, 5 Cy, 7 Ann and
// 8 Di (left out of the current journal), all on an eight-hour shift Monday to Friday; survey (2)
// has Ann, build (10) has Cy and Bo, commission (12) none.
class AssignmentEntry : public DialogTest {
 protected:
  // Opens the dialog on a new assignment of the task, through the toolbar button.
  AssignmentEntryForm* Add(Ytask* task) {
    Press(NodeOf(task));
    Click(QStringLiteral("Assignment"));
    return Open<AssignmentEntryForm>("AssignmentEntryForm");
  }
  // Opens the dialog on the assignment, through the popup's Modify.
  AssignmentEntryForm* ModifyAssignment(Yassignment* assignment) {
    NodeOf(assignment->Task())->setExpanded(true);
    Press(NodeOf(assignment));
    Modify();
    return Open<AssignmentEntryForm>("AssignmentEntryForm");
  }

  static QComboBox* List(QWidget* form, const char* name) { return Field<QComboBox>(form, name); }
  // The day kinds checked in the dialog, and those an assignment works.
  static QList<int> CheckedDays(QWidget* form) {
    QList<int> days;
    for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) {
      if (Field<QCheckBox>(form, ("WorkDayCheck" + std::to_string(kind)).c_str())->isChecked()) days.append(kind);
    }
    return days;
  }
  static QList<int> WorkDays(const Yassignment* assignment) {
    QList<int> days;
    for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) {
      if (assignment->WorkDay(kind)) days.append(kind);
    }
    return days;
  }
  static Yassignment* AssignmentOf(const Ytask* task, const Yresource* resource) {
    for (Yassignment* assignment : task->AssignmentList) {
      if (assignment->ResourceRequired() == resource) return assignment;
    }
    return nullptr;
  }

  const QList<int> kWeekdays{2, 3, 4, 5, 6};
};

TEST_F(AssignmentEntry, AddingNeedsATaskAProjectAndATemplate) {
  const auto expectRefused = [&](const char* what, const QString& message) {
    SCOPED_TRACE(what);
    prompter.Answer(praxel::AnswerOk);
    Forms::StartForm(QStringLiteral("AssignmentEntryForm"), "StartAdd");
    EXPECT_EQ(Open<AssignmentEntryForm>("AssignmentEntryForm"), nullptr);
    EXPECT_EQ(Messages().last(), message);
  };
  const QString noTask = QStringLiteral("Task Not Selected: You must click on a task before trying to add a new assignment.");
  expectRefused("no node", noTask);
  NodeOf(build)->setExpanded(true);
  Press(NodeOf(build->AssignmentList.Items().first()));
  expectRefused("an assignment's node", noTask);
  Press(NodeOf(ann));
  expectRefused("a resource's node", noTask);
  Common::SetThisTemplate(nullptr);
  expectRefused("no active template", QStringLiteral("No Templates in Memory: There are no templates loaded in "
                                                     "memory.\n\nPlease use the File menu to Open a file containing "
                                                     "one or more templates, or use the Template menu to create a "
                                                     "New one."));
  EXPECT_EQ(build->AssignmentList.Count(), 2);
}

TEST_F(AssignmentEntry, ANewAssignmentOpensOnTheActiveTemplate) {
  AssignmentEntryForm* form = Add(commission);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Assignment Data Entry"));
  EXPECT_EQ(List(form, "TemplateCombo")->currentText(), QStringLiteral("Staff"));
  // Di is left out of the current journal.
  EXPECT_EQ(Entries(List(form, "ResourceIdCombo")),
            QStringList({QStringLiteral("3: Bo"), QStringLiteral("5: Cy"), QStringLiteral("7: Ann")}));
  EXPECT_EQ(List(form, "ResourceIdCombo")->currentIndex(), -1);
  EXPECT_EQ(Field<QLineEdit>(form, "HoursText")->text(), QStringLiteral("0"));
  EXPECT_EQ(Field<QLineEdit>(form, "HoursText")->toolTip(), QStringLiteral("Press [F1] for help"));
  EXPECT_EQ(CheckedDays(form), kWeekdays);
}

// The resource proposes its hours and days; what Ok stores is what the user leaves, on the task
// that was selected, from the current journal on.
TEST_F(AssignmentEntry, OkAttachesTheAssignmentWithTheHoursAndDaysShown) {
  AssignmentEntryForm* form = Add(commission);
  ASSERT_NE(form, nullptr);
  Field<QLineEdit>(form, "HoursText")->setText(QStringLiteral("2"));
  Choose(List(form, "ResourceIdCombo"), QStringLiteral("3: Bo"));
  EXPECT_EQ(Field<QLineEdit>(form, "HoursText")->text(), QStringLiteral("8"));
  EXPECT_EQ(CheckedDays(form), kWeekdays);
  Fill(form, "HoursText", QStringLiteral("4.5"));
  Field<QCheckBox>(form, "WorkDayCheck7")->setChecked(true);
  PressOk(form);
  EXPECT_EQ(Open<AssignmentEntryForm>("AssignmentEntryForm"), nullptr);

  const Yassignment* added = AssignmentOf(commission, bo);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(commission->AssignmentList.Count(), 1);
  EXPECT_EQ(added->Hours(), 4.5);
  EXPECT_EQ(WorkDays(added), QList<int>({2, 3, 4, 5, 6, 7}));
  EXPECT_FALSE(added->IncludeField().In(0));
  EXPECT_TRUE(plant->Dirty());
  EXPECT_TRUE(SolveRequested());
  QTreeWidgetItem* node = NodeOf(added);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), QStringLiteral("3: Bo @4.5 MoTuWeThFrSa"));
}

TEST_F(AssignmentEntry, ModifyShowsTheAssignmentsOwnHoursAndDays) {
  Yassignment* assignment = AssignmentOf(survey, ann);
  assignment->SetHours(6);
  assignment->SetWorkDay(2, false);
  assignment->SetWorkDay(1, true);
  AssignmentEntryForm* form = ModifyAssignment(assignment);
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->Adding());
  EXPECT_EQ(List(form, "ResourceIdCombo")->currentText(), QStringLiteral("7: Ann"));
  EXPECT_EQ(Field<QLineEdit>(form, "HoursText")->text(), QStringLiteral("6"));
  EXPECT_EQ(CheckedDays(form), QList<int>({1, 3, 4, 5, 6}));
  // Choosing another resource stores it, with the hours and days shown.
  Choose(List(form, "ResourceIdCombo"), QStringLiteral("5: Cy"));
  Field<QCheckBox>(form, "WorkDayCheck0")->setChecked(true);
  PressOk(form);
  EXPECT_EQ(assignment->ResourceRequired(), cy);
  EXPECT_EQ(assignment->Hours(), 8.0);
  EXPECT_EQ(WorkDays(assignment), QList<int>({0, 2, 3, 4, 5, 6}));
  EXPECT_EQ(NodeOf(assignment)->text(0), QStringLiteral("5: Cy @8 HoMoTuWeThFr"));
  EXPECT_TRUE(plant->Dirty());
}

// An assignment whose resource belongs to another template makes that template the active one
// before the dialog shows; the template tree follows, and Ok renames the assignment's node, which
// the template change left unselected.
TEST_F(AssignmentEntry, ModifyingMakesTheResourcesTemplateActive) {
  Ytemplate* crew = AddTemplate(QStringLiteral("Crew"));
  Yresource* eve = crew->FindOrCreateResource(1);
  eve->Description = QStringLiteral("Eve");
  auto* assignment = Common::NewY<Yassignment>(ytAssignment);
  assignment->SetTask(commission);
  assignment->SetResourceRequired(eve);
  plant->SetDirty(false);

  // The dialog's template list is made when it opens.
  AssignmentEntryForm* form = ModifyAssignment(assignment);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Common::ThisTemplate(), crew);
  EXPECT_EQ(TemplateTreeView()->topLevelItem(0)->text(0), QStringLiteral("Crew"));
  EXPECT_EQ(List(form, "TemplateCombo")->currentText(), QStringLiteral("Crew"));
  EXPECT_EQ(Entries(List(form, "ResourceIdCombo")), QStringList({QStringLiteral("1: Eve")}));
  EXPECT_EQ(List(form, "ResourceIdCombo")->currentText(), QStringLiteral("1: Eve"));
  Fill(form, "HoursText", QStringLiteral("5"));
  PressOk(form);
  EXPECT_EQ(assignment->Hours(), 5.0);
  EXPECT_EQ(NodeOf(assignment)->text(0), QStringLiteral("1: Eve @5 MoTuWeThFr"));
  // Cancel would not have undone the template change either.
  EXPECT_EQ(Common::ThisTemplate(), crew);
}

// An assignment keeps its resource when the journal has left the resource out: the dialog still
// offers it, for this assignment only.
TEST_F(AssignmentEntry, AResourceLeftOutOfTheJournalIsOfferedOnlyToItsOwnAssignment) {
  auto* assignment = Common::NewY<Yassignment>(ytAssignment);
  assignment->SetTask(commission);
  assignment->SetResourceRequired(di);
  AssignmentEntryForm* form = ModifyAssignment(assignment);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(List(form, "ResourceIdCombo")->currentText(), QStringLiteral("8: Di"));
  PressOk(form);
  EXPECT_EQ(assignment->ResourceRequired(), di);

  form = Add(survey);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(List(form, "ResourceIdCombo")->findText(QStringLiteral("8: Di")), -1);
}

TEST_F(AssignmentEntry, ChoosingATemplateEmptiesTheResourceListAndOkAsksForOne) {
  Ytemplate* crew = AddTemplate(QStringLiteral("Crew"));
  crew->FindOrCreateResource(1)->Description = QStringLiteral("Eve");
  AssignmentEntryForm* form = Add(commission);
  ASSERT_NE(form, nullptr);
  Choose(List(form, "ResourceIdCombo"), QStringLiteral("7: Ann"));
  Choose(List(form, "TemplateCombo"), QStringLiteral("Crew"));
  EXPECT_EQ(Common::ThisTemplate(), crew);
  EXPECT_EQ(Entries(List(form, "ResourceIdCombo")), QStringList({QStringLiteral("1: Eve")}));
  EXPECT_EQ(List(form, "ResourceIdCombo")->currentIndex(), -1);

  prompter.Answer(praxel::AnswerOk);
  PressOk(form);
  EXPECT_EQ(Messages().last(), QStringLiteral("No Resource Selected: Please choose a resource from the Resource ID list."));
  EXPECT_EQ(Open<AssignmentEntryForm>("AssignmentEntryForm"), form);
  EXPECT_EQ(commission->AssignmentList.Count(), 0);
  EXPECT_FALSE(plant->Dirty());
  // The task chosen at the start still receives the assignment, though the tree lost its selection.
  Choose(List(form, "ResourceIdCombo"), QStringLiteral("1: Eve"));
  PressOk(form);
  ASSERT_EQ(commission->AssignmentList.Count(), 1);
  EXPECT_EQ(commission->AssignmentList.Items().first()->ResourceRequired()->Description, QStringLiteral("Eve"));
}

// Hours that are no number of hours in a day are refused before anything is stored: a new
// assignment stays unattached, an edited one keeps its values.
TEST_F(AssignmentEntry, HoursOutsideADayAreRefusedAndNothingChanges) {
  const QString refusal = QStringLiteral("Invalid Hours: The Hours must be a number from 0 to 24: the hours a day "
                                         "that the resource works on the task.");
  Yassignment* assignment = AssignmentOf(build, cy);
  for (const char* hours : {"eight", "-1", "24.5", ""}) {
    SCOPED_TRACE(hours);
    for (const bool adding : {true, false}) {
      AssignmentEntryForm* form = adding ? Add(commission) : ModifyAssignment(assignment);
      ASSERT_NE(form, nullptr);
      Choose(List(form, "ResourceIdCombo"), QStringLiteral("3: Bo"));
      Fill(form, "HoursText", QString::fromLatin1(hours));
      prompter.Answer(praxel::AnswerOk);
      PressOk(form);
      EXPECT_EQ(Messages().last(), refusal);
      EXPECT_EQ(Open<AssignmentEntryForm>("AssignmentEntryForm"), form);
      PressCancel(form);
    }
  }
  EXPECT_EQ(commission->AssignmentList.Count(), 0);
  EXPECT_EQ(assignment->ResourceRequired(), cy);
  EXPECT_EQ(assignment->Hours(), 8.0);
  EXPECT_FALSE(plant->Dirty());
  EXPECT_FALSE(SolveRequested());
}

TEST_F(AssignmentEntry, CancelLeavesNoTrace) {
  const QStringList before = Outline(ProjectTreeView());
  AssignmentEntryForm* form = Add(commission);
  ASSERT_NE(form, nullptr);
  Choose(List(form, "ResourceIdCombo"), QStringLiteral("3: Bo"));
  PressCancel(form);
  EXPECT_EQ(Open<AssignmentEntryForm>("AssignmentEntryForm"), nullptr);
  EXPECT_EQ(commission->AssignmentList.Count(), 0);
  EXPECT_EQ(Outline(ProjectTreeView()), before);
  EXPECT_FALSE(plant->Dirty());
}

TEST_F(AssignmentEntry, ADoubleClickOpensTheAssignment) {
  Yassignment* assignment = AssignmentOf(build, bo);
  NodeOf(build)->setExpanded(true);
  DoubleClick(NodeOf(assignment));
  auto* form = Open<AssignmentEntryForm>("AssignmentEntryForm");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(List(form, "ResourceIdCombo")->currentText(), QStringLiteral("3: Bo"));
  PressCancel(form);
}

}  // namespace
