// Dragging nodes between and within the trees: what each pairing does, what is refused, the
// no-drop picture and the scrolling near a tree's edges.

#include "Common.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "Prompter.h"
#include "SolveState.h"
#include "TreeDragDrop.h"
#include "TreeFixture.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QScrollBar>
#include <QTimer>
#include <QTreeWidgetItem>

namespace {

class DragDrop : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    StartWithModel();
    Solve::SetSolveMode(Solve::ModeIdle);
  }

  // The dependencies of a task on other tasks, by required task.
  static QList<const Ytask*> Required(const Ytask* task) {
    QList<const Ytask*> required;
    for (const Ydependency* dependency : task->DependencyList) {
      if (dependency->TaskRequired() != nullptr) required.append(dependency->TaskRequired());
    }
    return required;
  }
};

// A resource dropped on a task is assigned to it, once per drop; the task opens to show it, the
// project counts as changed and a new solve is asked for. The selection stays on the resource.
TEST_F(DragDrop, AResourceOnATaskIsAssignedToIt) {
  DragOnto(NodeOf(ann), NodeOf(build));

  ASSERT_EQ(build->AssignmentList.Count(), 3);
  const Yassignment* assignment = build->AssignmentList.Item(2);
  EXPECT_EQ(assignment->ResourceRequired(), ann);
  QTreeWidgetItem* taskNode = NodeOf(build);
  EXPECT_TRUE(taskNode->isExpanded());
  EXPECT_NE(NodeOf(assignment), nullptr);
  EXPECT_EQ(NodeOf(assignment)->parent(), taskNode);
  EXPECT_TRUE(plant->Dirty());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_EQ(Common::DragObject(), ann);
  EXPECT_EQ(TemplateTreeView()->currentItem(), NodeOf(ann));
  EXPECT_TRUE(ProjectTreeView()->selectedItems().isEmpty());

  DragOnto(NodeOf(ann), NodeOf(build));
  EXPECT_EQ(build->AssignmentList.Count(), 4);
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

TEST_F(DragDrop, AResourceOnADependencyIsAssignedToItsTask) {
  NodeOf(build)->setExpanded(true);
  DragOnto(NodeOf(cy), NodeOf(buildAfterSurvey));
  ASSERT_EQ(build->AssignmentList.Count(), 3);
  EXPECT_EQ(build->AssignmentList.Item(2)->ResourceRequired(), cy);
  EXPECT_EQ(Common::DropNode(), NodeOf(build));
}

// A resource dropped on a project, or on the task standing for a subproject, becomes that
// project's manager, which the user is told, and which counts as a change to be saved.
TEST_F(DragDrop, AResourceOnAProjectOrSubprojectBecomesItsManager) {
  struct Case {
    Ymodel* target;
    Yproject* project;
    Yresource* resource;
    QString text;
  };
  for (const Case& c :
       {Case{plant, plant, ann, QStringLiteral("7: Ann is now the project manager for Plant: Pump house")},
        Case{fitOutTask, fitOut, cy, QStringLiteral("5: Cy is now the project manager for 4: Fit-out")}}) {
    prompter.Answer(praxel::AnswerOk);
    DragOnto(NodeOf(c.resource), NodeOf(c.target));
    EXPECT_EQ(c.project->Manager(), c.resource);
    EXPECT_TRUE(c.project->Dirty()) << c.text.toStdString();
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Project Manager Assigned"));
    EXPECT_EQ(prompter.Asked().last().text, c.text);
    EXPECT_EQ(prompter.Asked().last().style, praxel::MsgInformation);
  }
  // The change is offered for saving when the program closes.
  prompter.Answer(praxel::AnswerCancel);
  EXPECT_FALSE(mainForm->close());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Save All Changes To Disk"));
}

// A task (or the task standing for a subproject) dropped on a task becomes its prerequisite,
// finish to start; the project counts as changed.
TEST_F(DragDrop, ATaskOnATaskBecomesItsPrerequisite) {
  DragOnto(NodeOf(survey), NodeOf(design));
  ASSERT_EQ(design->DependencyList.Count(), 2);
  const Ydependency* added = design->DependencyList.Item(1);
  EXPECT_EQ(added->TaskRequired(), survey);
  EXPECT_EQ(added->FromPercent(), 100);
  EXPECT_EQ(added->ToPercent(), 0);
  EXPECT_TRUE(NodeOf(design)->isExpanded());
  EXPECT_NE(NodeOf(added), nullptr);
  EXPECT_TRUE(plant->Dirty());

  DragOnto(NodeOf(fitOutTask), NodeOf(commission));
  EXPECT_EQ(Required(commission), QList<const Ytask*>{fitOutTask});
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

// A prerequisite that would make a task wait for itself is refused with a message and changes
// nothing: a task that already waits for the target, directly, through a subproject's tasks, or
// across projects.
TEST_F(DragDrop, APrerequisiteThatClosesACircleIsRefused) {
  struct Case {
    Ytask* dragged;
    Ytask* target;
    QString text;
  };
  const QList<Case> cases = {
      {build, survey,
       QStringLiteral("10: Build already depends on 2: Survey, directly or through other tasks.\n\nMaking 2: Survey "
                      "depend on 10: Build would close a circle of dependencies.")},
      {fitOutTask, design,
       QStringLiteral("4: Fit-out already depends on 9: Design, directly or through other tasks.\n\nMaking 9: Design "
                      "depend on 4: Fit-out would close a circle of dependencies.")},
      {paint, survey,
       QStringLiteral("(Fit-out) 2: Paint already depends on 2: Survey, directly or through other tasks.\n\nMaking 2: "
                      "Survey depend on (Fit-out) 2: Paint would close a circle of dependencies.")},
  };
  NodeOf(fitOutTask)->setExpanded(true);
  for (const Case& c : cases) {
    const QList<const Ytask*> before = Required(c.target);
    prompter.Answer(praxel::AnswerOk);
    DragOnto(NodeOf(c.dragged), NodeOf(c.target));
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Circular Dependency"));
    EXPECT_EQ(prompter.Asked().last().text, c.text);
    EXPECT_EQ(Required(c.target), before);
  }
  EXPECT_FALSE(plant->Dirty());
  EXPECT_FALSE(fitOut->Dirty());
}

// Over the dragged node itself the drag shows the no-drop picture and a drop there does nothing;
// if a drop on itself is carried out all the same, the task is not made to depend on itself.
TEST_F(DragDrop, ATaskCannotDependOnItself) {
  Press(NodeOf(build));
  EXPECT_FALSE(DragOver(NodeOf(build)));
  EXPECT_TRUE(DragOver(NodeOf(survey)));
  DragOver(NodeOf(build));
  Drop(NodeOf(build));
  EXPECT_TRUE(prompter.Asked().isEmpty());

  DragOver(NodeOf(build));
  ASSERT_EQ(Common::DropNode(), Common::DragNode());
  prompter.Answer(praxel::AnswerOk);
  Common::HandleDragDrop();
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("A task cannot depend on itself."));
  EXPECT_EQ(build->DependencyList.Count(), 2);
  EXPECT_FALSE(plant->Dirty());
}

// Pairs without an action answer "Not Ready Yet"; a drop on empty space does nothing.
TEST_F(DragDrop, OtherPairsAndEmptySpaceChangeNothing) {
  QTreeWidgetItem* dayShift = TemplateTreeView()->topLevelItem(0)->child(0);
  const QList<QPair<QTreeWidgetItem*, QTreeWidgetItem*>> pairs = {
      {dayShift, NodeOf(build)}, {NodeOf(build), NodeOf(ann)}, {NodeOf(plant), NodeOf(build)}};
  for (const auto& [from, to] : pairs) {
    prompter.Answer(praxel::AnswerOk);
    DragOnto(from, to);
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Not Ready Yet"));
  }
  Press(NodeOf(ann));
  DropAtPoint(ProjectTreeView(), QPoint(5, ProjectTreeView()->viewport()->height() - 2));
  EXPECT_EQ(prompter.Asked().size(), pairs.size());
  EXPECT_EQ(build->AssignmentList.Count(), 2);
  EXPECT_EQ(build->DependencyList.Count(), 2);
  EXPECT_FALSE(plant->Dirty());
}

// Hovering in a band at a tree's top or bottom edge turns on the main window's scroll timer for
// that tree and direction; each tick scrolls one line; any other mouse action stops it.
TEST_F(DragDrop, HoveringNearAnEdgeScrollsTheTree) {
  for (int id = 20; id < 80; ++id) plant->FindOrCreateTask(id)->Description = QStringLiteral("Filler");
  Common::BroadcastNewThisProject();
  TreeView* tree = ProjectTreeView();
  QTimer* timer = mainForm->ScrollTreeTimer();
  QScrollBar* bar = tree->verticalScrollBar();
  ASSERT_TRUE(RunUntil([&] { return bar->maximum() > 10; }));  // laid out
  Press(NodeOf(ann));
  bar->setValue(bar->maximum() / 2);
  const int middle = bar->value();

  DragOverPoint(tree, QPoint(5, 1));
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 50);
  EXPECT_EQ(timer->property("Tag").toString(), QStringLiteral("ProjectTreeUp"));
  ASSERT_TRUE(RunUntil([&] { return bar->value() < middle; }));
  EXPECT_EQ(bar->value(), middle - 1);

  DragOverPoint(tree, QPoint(5, tree->viewport()->height() / 2));
  EXPECT_FALSE(timer->isActive());
  DragOverPoint(tree, QPoint(5, tree->viewport()->height() - 1));
  EXPECT_EQ(timer->property("Tag").toString(), QStringLiteral("ProjectTreeDown"));
  DragOverPoint(TemplateTreeView(), QPoint(5, 1));
  EXPECT_EQ(timer->property("Tag").toString(), QStringLiteral("TemplateTreeUp"));

  Press(NodeOf(ann));
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(timer->property("Tag").toString(), QString());
  // A tick without a tree to scroll turns the timer off.
  timer->start();
  EXPECT_TRUE(RunUntil([&] { return !timer->isActive(); }));
}

}  // namespace
