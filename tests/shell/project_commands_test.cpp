// The Project and Template menus' Select and Delete, and the trees' popup: Delete, Expand all,
// Contract all and Set as active project.

#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "SolveState.h"
#include "TreeDragDrop.h"
#include "TreeFixture.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Prerequisites.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAction>
#include <QComboBox>
#include <QTreeWidgetItemIterator>

namespace {

class ProjectCommands : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    StartWithModel();
    Solve::SetSolveMode(Solve::ModeIdle);
  }

  void Click(const char* entry) { mainForm->Control(QString::fromLatin1(entry))->trigger(); }

  // Selects the node and prepares the popup for it, as a right click does.
  void SelectForPopup(QTreeWidgetItem* node) {
    Press(node);
    mainForm->UpdatePopupMenu(Common::NodeTag(node), Common::NodeKind(node) == QLatin1String("g")
                                                         ? nullptr
                                                         : Common::FindObjectFromNode(node));
  }

  // The popup's Delete on the node, answered with Yes or No.
  void PopupDelete(QTreeWidgetItem* node, int answer) {
    SelectForPopup(node);
    prompter.Answer(answer);
    Click("PopupDeleteMenu");
  }

  static QStringList ProjectNames() {
    QStringList names;
    for (const Yproject* project : Common::Projects()) names.append(project->ProjectName());
    return names;
  }
};

// A project goes with every project under its master, without a question when nothing changed;
// the first project left becomes active and a new solve is asked for.
TEST_F(ProjectCommands, DeleteTakesTheWholeGroupOfTheActiveProject) {
  Yproject* depot = AddProject(QStringLiteral("Depot"));
  Common::SetThisProject(fitOut);  // a subproject is active: its master's group goes
  Common::BroadcastNewThisProject();
  plant->SetDirty(false);
  fitOut->SetDirty(false);
  Click("ProjectDeleteMenu");
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_EQ(ProjectNames(), QStringList{QStringLiteral("Depot")});
  EXPECT_EQ(Common::ThisProject(), depot);
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("Depot"));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);

  Click("ProjectDeleteMenu");
  EXPECT_TRUE(Common::Projects().IsEmpty());
  EXPECT_EQ(Common::ThisProject(), nullptr);
}

TEST_F(ProjectCommands, DeleteWithUnsavedChangesAsksAndACancelledSaveKeepsEverything) {
  plant->SetDirty(true);
  prompter.Answer(praxel::AnswerYes);
  dialogs.SaveAnswer(QString());
  Click("ProjectDeleteMenu");
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Save All Changes To Disk"));
  EXPECT_TRUE(prompter.Asked().at(0).text.startsWith(QStringLiteral("Changes have been made to project Plant.")));
  EXPECT_EQ(ProjectNames().size(), 2);
  EXPECT_EQ(Common::ThisProject(), plant);

  prompter.Answer(praxel::AnswerNo);
  Click("ProjectDeleteMenu");
  EXPECT_TRUE(Common::Projects().IsEmpty());
}

// Its resources go with a template: refused while a project still uses one, in any journal.
TEST_F(ProjectCommands, ATemplateInUseIsNotDeleted) {
  staff->SetDirty(false);
  prompter.Answer(praxel::AnswerOk);
  Click("TemplateDeleteMenu");
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Template In Use"));
  EXPECT_TRUE(prompter.Asked().at(0).text.contains(QStringLiteral("Staff cannot be deleted")));
  EXPECT_EQ(Common::ThisTemplate(), staff);
  EXPECT_EQ(survey->AssignmentList.Item(0)->ResourceRequired(), ann);
}

TEST_F(ProjectCommands, DeletingTheLastUnusedTemplateLeavesNoneActive) {
  Common::FreeYlist(Common::Projects());
  Common::SetThisProject(nullptr);
  Common::BroadcastNewThisProject();
  staff->SetDirty(false);
  Click("TemplateDeleteMenu");
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_TRUE(Common::Templates().IsEmpty());
  EXPECT_EQ(Common::ThisTemplate(), nullptr);
  EXPECT_EQ(mainForm->TemplateCombo()->currentText(), QStringLiteral("<no templates>"));
}

// The popup's Delete asks by the node's kind; No changes nothing; Yes deletes the object, takes
// its node out of the tree, marks its owner changed and asks for a new solve.
TEST_F(ProjectCommands, PopupDeleteOfATaskAsksThenRemovesItAndMarksItsProjectChanged) {
  plant->SetDirty(false);
  PopupDelete(NodeOf(commission), praxel::AnswerNo);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Are you sure you want to delete this task?"));
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Confirm Delete task"));
  EXPECT_NE(NodeOf(commission), nullptr);
  EXPECT_FALSE(plant->Dirty());

  // The task leaves the current journal (and the pool, when no journal keeps it).
  PopupDelete(NodeOf(commission), praxel::AnswerYes);
  EXPECT_EQ(NodeOf(commission), nullptr);
  const Ytask* left = plant->TaskList.Find(QStringLiteral("12"));
  EXPECT_TRUE(left == nullptr || !left->Include());
  EXPECT_TRUE(plant->Dirty());
  EXPECT_EQ(Common::DragNode(), nullptr);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
}

// A task that others wait for takes their dependencies on it along, from the current journal on
// as it goes itself: the question names the waiting tasks (as seen from the task's project), No
// keeps everything, and after Yes no task waits for it and the tree shows it nowhere, not even
// as a dependency of the tasks that waited.
class DeletingAWaitedForTask : public ProjectCommands {
 protected:
  // Deletes the task that `later` waits for by `dependency`, once with No and once with Yes. The
  // nodes in `open` are opened first, top down, so that the dependency shows. Neither the task
  // nor the dependency is read after Yes: the pool takes back what no journal keeps.
  void DeleteAndCheck(Ytask* task, Ytask* later, Ydependency* dependency, const QList<const Ymodel*>& open,
                      const QString& waiting) {
    const QString caption = task->BuildNodeText();
    const QString dependencyKey = Common::MakeKey(dependency);
    for (const Ymodel* object : open) NodeOf(object)->setExpanded(true);
    ASSERT_NE(NodeOf(dependency), nullptr);
    const QString question = QStringLiteral(
                                 "Are you sure you want to delete this task?\n\nTasks that wait for it, whose "
                                 "dependencies on it will be deleted with it:\n") +
                             waiting;
    later->Project()->SetDirty(false);

    PopupDelete(NodeOf(task), praxel::AnswerNo);
    ASSERT_EQ(prompter.Asked().size(), 1);
    EXPECT_EQ(prompter.Asked().at(0).text, question);
    EXPECT_TRUE(dependency->Include());
    EXPECT_NE(NodeOf(dependency), nullptr);

    PopupDelete(NodeOf(task), praxel::AnswerYes);
    ASSERT_EQ(prompter.Asked().size(), 2);
    EXPECT_EQ(prompter.Asked().at(1).text, question);
    for (const Ydependency* left : later->DependencyList) {
      EXPECT_FALSE(left->Include() && left->TaskRequired() == task) << "a task still waits for the deleted one";
    }
    EXPECT_EQ(Common::FindNodeFromKey(ProjectTreeView(), dependencyKey), nullptr);
    for (const QString& line : Outline(ProjectTreeView())) {
      EXPECT_FALSE(line.contains(caption)) << line.toStdString();
    }
    EXPECT_TRUE(later->Project()->Dirty()) << "the waiting task's project has changed";
    SaveScreenshot(QStringLiteral("deleted-%1.png").arg(later->Description.toLower()));
    EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  }
};

// Design's dependency on Survey, already left out of this journal, is not named; Build's other
// dependency stays.
TEST_F(DeletingAWaitedForTask, WithinItsProject) {
  DeleteAndCheck(survey, build, buildAfterSurvey, {build}, QStringLiteral("10: Build"));
  EXPECT_TRUE(buildAfterDesign->Include());
  EXPECT_NE(NodeOf(buildAfterDesign), nullptr);
}

// Wire, in the subproject Fit-out, waits for Plant's Build.
TEST_F(DeletingAWaitedForTask, FromASubproject) {
  ASSERT_EQ(wire->DependencyList.Items().size(), 1);
  DeleteAndCheck(build, wire, wire->DependencyList.Items().front(), {fitOutTask, wire},
                 QStringLiteral("(Fit-out) 1: Wire"));
}

TEST_F(ProjectCommands, PopupDeleteOfAResourceMarksItsTemplateChanged) {
  staff->SetDirty(false);
  PopupDelete(NodeOf(bo), praxel::AnswerYes);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Confirm Delete resource"));
  EXPECT_EQ(NodeOf(bo), nullptr);
  EXPECT_FALSE(bo->Include());
  EXPECT_TRUE(staff->Dirty());
}

// A project node is deleted as the Project menu deletes it: the group leaves the model and the
// active project follows, instead of a nameless project staying active.
TEST_F(ProjectCommands, PopupDeleteOfAProjectDeletesItsGroupThroughTheMenu) {
  Yproject* depot = AddProject(QStringLiteral("Depot"));
  plant->SetDirty(false);
  fitOut->SetDirty(false);
  PopupDelete(NodeOf(plant), praxel::AnswerYes);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Confirm Delete project"));
  EXPECT_EQ(ProjectNames(), QStringList{QStringLiteral("Depot")});
  EXPECT_EQ(Common::ThisProject(), depot);
}

TEST_F(ProjectCommands, ContractAllClosesEveryNodeBelowTheRootsAndExpandAllOpensOneMoreLevel) {
  NodeOf(build)->setExpanded(true);
  SelectForPopup(NodeOf(survey));
  Click("PopupContractMenu");
  for (QTreeWidgetItemIterator it(ProjectTreeView()); *it != nullptr; ++it) {
    EXPECT_EQ((*it)->isExpanded(), (*it)->parent() == nullptr) << (*it)->text(0).toStdString();
  }
  EXPECT_TRUE(NodeOf(plant)->isExpanded());

  Click("PopupExpandMenu");
  EXPECT_TRUE(NodeOf(build)->isExpanded());
  EXPECT_TRUE(NodeOf(fitOutTask)->isExpanded());
  ASSERT_NE(NodeOf(wire), nullptr);  // the subproject's tasks are built now, still closed
  EXPECT_FALSE(NodeOf(wire)->isExpanded());

  Click("PopupExpandMenu");
  EXPECT_TRUE(NodeOf(wire)->isExpanded());
}

TEST_F(ProjectCommands, SetAsActiveProjectTakesTheProjectOfTheNode) {
  SelectForPopup(NodeOf(fitOutTask));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("PopupSetActiveMenu"))->isEnabled());
  Click("PopupSetActiveMenu");
  EXPECT_EQ(Common::ThisProject(), fitOut);
  EXPECT_EQ(mainForm->ProjectCombo()->currentText(), QStringLiteral("Fit-out"));
}

TEST_F(ProjectCommands, SelectOpensItsHelpPage) {
  RegisterFake<FakeHelp>(QStringLiteral("HelpForm"));
  Click("ProjectSelectMenu");
  Click("TemplateSelectMenu");
  EXPECT_EQ(FormCalls(), (QStringList{QStringLiteral("HelpForm.DisplayHelpPage Project Select"),
                                      QStringLiteral("HelpForm.DisplayHelpPage Template Select")}));
}

}  // namespace
