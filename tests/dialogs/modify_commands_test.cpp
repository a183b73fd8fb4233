// The main window's Modify commands open the entry dialog of the selected node's kind: the trees'
// popup Modify and a double click on a node, and the Project and Template menus' Modify.

#include "DialogFixture.h"

#include "Common.h"
#include "EntryForm.h"
#include "Forms.h"
#include "Notifications.h"
#include "TreeView.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QComboBox>
#include <QHash>
#include <QLineEdit>

namespace {

using ModifyCommands = DialogTest;

// The popup Modify on each kind of node opens that kind's dialog in modify mode.
class PopupModify : public ModifyCommands, public testing::WithParamInterface<const char*> {};

TEST_P(PopupModify, OpensTheDialogOfTheNodesKind) {
  const QString kind = QString::fromLatin1(GetParam());
  const QHash<QString, std::pair<const Ymodel*, QString>> cases = {
      {QStringLiteral("Project"), {plant, QStringLiteral("ProjectEntryForm")}},
      {QStringLiteral("Subproject"), {fitOutTask, QStringLiteral("SubprojectEntryForm")}},
      {QStringLiteral("Task"), {build, QStringLiteral("TaskEntryForm")}},
      {QStringLiteral("Template"), {staff, QStringLiteral("TemplateEntryForm")}},
  };
  const auto [object, dialog] = cases.value(kind);
  Press(NodeOf(object));
  Modify();
  EntryForm* form = OpenDialog(dialog);
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(form->Adding());
  EXPECT_TRUE(prompter.Asked().isEmpty());
  PressCancel(form);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PopupModify, testing::Values("Project", "Subproject", "Task", "Template"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// With no node selected the popup's Modify does nothing.
TEST_F(ModifyCommands, WithoutASelectedNodeNothingOpens) {
  PressEmpty(ProjectTreeView());
  Modify();
  EXPECT_TRUE(prompter.Asked().isEmpty());
  for (const QWidget* form : Forms::Loaded()) EXPECT_EQ(qobject_cast<const EntryForm*>(form), nullptr);
}

// A department node, and a node whose dialog does not exist yet, answer "Not Ready Yet".
TEST_F(ModifyCommands, DepartmentsAndMissingDialogsAreNotReadyYet) {
  Press(DepartmentNode(QStringLiteral("Sales")));
  prompter.Answer(praxel::AnswerOk);
  Modify();
  Forms::Unregister(QStringLiteral("ResourceEntryForm"));
  Press(NodeOf(ann));
  prompter.Answer(praxel::AnswerOk);
  Modify();
  EXPECT_EQ(Messages(), QStringList(2, QStringLiteral("Not Ready Yet: This feature has not yet been implemented.")));
}

// A double click on a node opens its dialog as the popup Modify does.
TEST_F(ModifyCommands, ADoubleClickOpensTheNodesDialog) {
  DoubleClick(NodeOf(staff));
  EntryForm* form = OpenDialog(QStringLiteral("TemplateEntryForm"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Field<QLineEdit>(form, "TemplateNameText")->text(), QStringLiteral("Staff"));
  PressCancel(form);
}

// With the subproject Fit-out active, the tree shows Plant above it. Modify on Plant makes Plant
// the active project and opens the project dialog on it; Modify on Fit-out's own node (the active
// project shown as Plant's subproject) opens the project dialog on Fit-out, not the subproject
// dialog.
TEST_F(ModifyCommands, ProjectNodesAreEditedAsTheActiveProject) {
  Common::SetThisProject(fitOut);
  Common::BroadcastNewThisProject();

  ASSERT_NE(NodeOf(fitOutTask), nullptr);
  Press(NodeOf(fitOutTask));
  Modify();
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Field<QLineEdit>(form, "ProjectNameText")->text(), QStringLiteral("Fit-out"));
  EXPECT_EQ(Common::ThisProject(), fitOut);
  PressCancel(form);

  Press(NodeOf(plant));
  Modify();
  form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Common::ThisProject(), plant);
  EXPECT_EQ(Field<QLineEdit>(form, "ProjectNameText")->text(), QStringLiteral("Plant"));
  EXPECT_EQ(mainForm->ProjectCombo()->currentText().left(5), QStringLiteral("Plant"));
  PressCancel(form);
}

// Project > Modify edits the active project whatever node is selected.
TEST_F(ModifyCommands, TheProjectMenuEditsTheActiveProject) {
  Press(NodeOf(build));
  Click(QStringLiteral("ProjectModifyMenu"));
  EntryForm* form = OpenDialog(QStringLiteral("ProjectEntryForm"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Field<QLineEdit>(form, "ProjectNameText")->text(), QStringLiteral("Plant"));
  Fill(form, "DescriptionText", QStringLiteral("Pumps"));
  PressOk(form);
  EXPECT_EQ(plant->Description, QStringLiteral("Pumps"));
  EXPECT_EQ(build->Description, QStringLiteral("Build"));
}

}  // namespace
