// The project and template trees: what they show, how they open, their keys and look-ups, the
// selection and the popup menu.

#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "ProjectTreeForm.h"
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

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

const QString kPlaceholder = QStringLiteral("n no dependencies/assignments");

QString Indented(int depth, const QString& line) { return QString(2 * depth, QLatin1Char(' ')) + line; }

using Trees = TreeTest;

// Only the active project's level is built: a task or subproject with children to show carries
// one placeholder until it opens; a task whose only dependency is left out of the journal has none.
TEST_F(Trees, TheProjectTreeShowsTheActiveProjectOneLevelDeep) {
  StartWithModel();
  EXPECT_EQ(Outline(ProjectTreeView()),
            (QStringList{QStringLiteral("p Plant: Pump house +"), Indented(1, QStringLiteral("t 2: Survey")),
                         Indented(2, kPlaceholder), Indented(1, QStringLiteral("s 4: Fit-out")),
                         Indented(2, kPlaceholder), Indented(1, QStringLiteral("t 9: Design")),
                         Indented(1, QStringLiteral("t 10: Build")), Indented(2, kPlaceholder),
                         Indented(1, QStringLiteral("t 12: Commission")), Indented(2, kPlaceholder)}));
  EXPECT_EQ(ProjectTreeView()->parentWidget()->windowTitle(), QStringLiteral("Project tree"));
}

// Opening a task builds its dependencies (by caption), then its assignments by resource number.
TEST_F(Trees, OpeningATaskShowsItsDependenciesThenItsAssignments) {
  StartWithModel();
  QTreeWidgetItem* node = NodeOf(build);
  node->setExpanded(true);
  QStringList dependencies{QStringLiteral("d ") + buildAfterSurvey->BuildNodeText(),
                           QStringLiteral("d ") + buildAfterDesign->BuildNodeText()};
  dependencies.sort(Qt::CaseInsensitive);
  QStringList expected{QStringLiteral("t 10: Build +")};
  for (const QString& dependency : dependencies) expected.append(Indented(1, dependency));
  expected.append(Indented(1, QStringLiteral("a ") + build->AssignmentList.Item(1)->BuildNodeText()));  // 3: Bo
  expected.append(Indented(1, QStringLiteral("a ") + build->AssignmentList.Item(0)->BuildNodeText()));  // 5: Cy
  QStringList shown;
  for (const QString& line : Outline(ProjectTreeView())) {
    if (line.startsWith(QLatin1String("  t 10")) || line.startsWith(QLatin1String("    "))) shown.append(line.mid(2));
  }
  shown.removeAll(QStringLiteral("  ") + kPlaceholder);
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(shown.at(3).startsWith(QStringLiteral("  a 3: Bo")));
}

TEST_F(Trees, OpeningASubprojectListsItsTasksClosed) {
  StartWithModel();
  NodeOf(fitOutTask)->setExpanded(true);
  const QStringList outline = Outline(ProjectTreeView());
  const qsizetype at = outline.indexOf(Indented(1, QStringLiteral("s 4: Fit-out +")));
  ASSERT_GE(at, 0);
  EXPECT_EQ(outline.mid(at + 1, 4),
            (QStringList{Indented(2, QStringLiteral("t 1: Wire")), Indented(3, kPlaceholder),
                         Indented(2, QStringLiteral("t 2: Paint")), Indented(3, kPlaceholder)}));
}

// An active subproject shows the project above it and the task that stands for it, both open.
TEST_F(Trees, AnActiveSubprojectShowsTheChainAboveIt) {
  StartWithModel();
  Common::SetThisProject(fitOut);
  Common::BroadcastNewThisProject();
  EXPECT_EQ(Outline(ProjectTreeView()),
            (QStringList{QStringLiteral("p Plant: Pump house +"), Indented(1, QStringLiteral("s 4: Fit-out +")),
                         Indented(2, QStringLiteral("t 1: Wire")), Indented(3, kPlaceholder),
                         Indented(2, QStringLiteral("t 2: Paint")), Indented(3, kPlaceholder)}));
}

// Shifts first by name, then one open node per department of included resources, in name order,
// the resources by number; a department whose only resource is left out gets no node.
TEST_F(Trees, TheTemplateTreeGroupsIncludedResourcesByDepartment) {
  StartWithModel();
  EXPECT_EQ(Outline(TemplateTreeView()),
            (QStringList{QStringLiteral("l Staff +"), Indented(1, QStringLiteral("h Day")),
                         Indented(1, QStringLiteral("h Late")), Indented(1, QStringLiteral("g None +")),
                         Indented(2, QStringLiteral("r 3: Bo")), Indented(1, QStringLiteral("g Sales +")),
                         Indented(2, QStringLiteral("r 5: Cy")), Indented(2, QStringLiteral("r 7: Ann"))}));
  EXPECT_EQ(TemplateTreeView()->parentWidget()->windowTitle(), QStringLiteral("Template tree"));
}

// Another journal rebuilds both trees from what that journal holds: here nothing but the
// template, its shifts and the project, since everything else joined in the second journal.
TEST_F(Trees, AnotherJournalRebuildsBothTrees) {
  StartWithModel();
  plant->CurrentIndex = 0;
  staff->CurrentIndex = 0;
  Common::BroadcastNewJournal();
  EXPECT_EQ(Outline(ProjectTreeView()), QStringList{QStringLiteral("p Plant: Pump house +")});
  EXPECT_EQ(Outline(TemplateTreeView()), (QStringList{QStringLiteral("l Staff +"), Indented(1, QStringLiteral("h Day")),
                                                      Indented(1, QStringLiteral("h Late"))}));
}

TEST_F(Trees, NodesCarryTagKeyAndPictureOfTheirObject) {
  StartWithModel();
  struct Case {
    QTreeWidgetItem* node;
    QString tag;
    QString key;
    QString image;
  };
  const QList<Case> cases = {
      {NodeOf(plant), QStringLiteral("pPlant"), Common::MakeKey(plant), QStringLiteral("p")},
      {NodeOf(fitOutTask), QStringLiteral("s4"), Common::MakeKey(fitOutTask), QStringLiteral("s")},
      {NodeOf(build), QStringLiteral("t10"), Common::MakeKey(build), QStringLiteral("t")},
      {DepartmentNode(QStringLiteral("Sales")), QStringLiteral("g"), QStringLiteral("SSales"), QStringLiteral("g")},
      {NodeOf(ann), QStringLiteral("r7"), QStringLiteral("O") + QString::number(ann->Identity()), QStringLiteral("r")},
      {NodeOf(survey)->child(0), QStringLiteral("n"), QString(), QStringLiteral("n")},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.node, nullptr) << c.tag.toStdString();
    EXPECT_EQ(Common::NodeTag(c.node), c.tag);
    EXPECT_EQ(Common::NodeKey(c.node), c.key) << c.tag.toStdString();
    EXPECT_EQ(Common::NodeImage(c.node), c.image) << c.tag.toStdString();
    EXPECT_EQ(c.node->icon(0).cacheKey(), mainForm->TreeImage(c.image).cacheKey()) << c.tag.toStdString();
  }
}

// Looking a dependency up opens its task first; a subproject is found as the task standing for
// it; every node leads back to its object; a department has no object.
TEST_F(Trees, LookUpsBetweenNodesAndObjects) {
  StartWithModel();
  QTreeWidgetItem* dependencyNode = Common::FindNodeFromObject(buildAfterDesign);
  ASSERT_NE(dependencyNode, nullptr);
  EXPECT_TRUE(NodeOf(build)->isExpanded());
  EXPECT_EQ(Common::FindObjectFromNode(dependencyNode), buildAfterDesign);
  EXPECT_EQ(Common::FindNodeFromObject(fitOut), NodeOf(fitOutTask));
  EXPECT_EQ(Common::FindProjectFromNode(NodeOf(fitOutTask)), fitOut);
  EXPECT_EQ(Common::FindObjectFromNode(NodeOf(build)->child(3)), build->AssignmentList.Item(0));
  EXPECT_EQ(Common::FindObjectFromNode(NodeOf(cy)), cy);
  EXPECT_EQ(Common::FindObjectFromNode(TemplateTreeView()->topLevelItem(0)->child(0)), staff->ShiftList.Find("Day"));
  EXPECT_EQ(Common::FindProjectFromNodeText(QStringLiteral("Plant: Pump house")), plant);
  EXPECT_EQ(Common::FindNodeFromKey(ProjectTreeView(), QStringLiteral("O0")), nullptr);  // no question

  prompter.Answer(praxel::AnswerIgnore);
  EXPECT_EQ(Common::FindObjectFromNode(DepartmentNode(QStringLiteral("Sales"))), nullptr);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).text, QStringLiteral("Internal error 10000: Assertion failed"));
}

// A click selects the node (the one selection of both trees); empty space clears it.
TEST_F(Trees, AClickSelectsAndEmptySpaceClears) {
  StartWithModel();
  Press(NodeOf(ann));
  EXPECT_EQ(Common::DragNode(), NodeOf(ann));
  EXPECT_EQ(Common::DragObject(), ann);
  EXPECT_EQ(TemplateTreeView()->currentItem(), NodeOf(ann));

  Press(NodeOf(build));
  EXPECT_EQ(Common::DragObject(), build);
  EXPECT_TRUE(TemplateTreeView()->selectedItems().isEmpty());  // the other tree shows none
  EXPECT_EQ(Common::DragTree(), ProjectTreeView());

  PressEmpty(ProjectTreeView());
  EXPECT_EQ(Common::DragNode(), nullptr);
  EXPECT_TRUE(ProjectTreeView()->selectedItems().isEmpty());
}

// Rebuilding a task's nodes after an edit shows the edit and keeps the selection on the same
// object, although its node is a new one.
TEST_F(Trees, RebuildingATaskAfterAnEditKeepsTheSelection) {
  StartWithModel();
  NodeOf(build)->setExpanded(true);
  QTreeWidgetItem* oldNode = Common::FindNodeFromObject(buildAfterSurvey);
  Press(oldNode);
  ASSERT_EQ(Common::DragObject(), buildAfterSurvey);

  auto* added = Common::NewY<Ydependency>(ytDependency);
  added->SetTask(build);
  added->SetTaskRequired(commission);
  build->Description = QStringLiteral("Build it");
  auto* tree = qobject_cast<ProjectTreeForm*>(Forms::Find(QStringLiteral("ProjectTreeForm")));
  tree->RebuildTaskSubTree(build, true);

  EXPECT_EQ(NodeOf(build)->text(0), QStringLiteral("10: Build it"));
  EXPECT_NE(NodeOf(added), nullptr);
  EXPECT_EQ(NodeOf(build)->childCount(), 5);
  EXPECT_EQ(Common::DragObject(), buildAfterSurvey);
  EXPECT_EQ(ProjectTreeView()->currentItem(), Common::DragNode());
}

// The solve panel shows a failure's object through the tree by name: a dependency's task opens and
// the dependency becomes the selection.
TEST_F(Trees, SelectNodeOfShowsAnObjectInTheTree) {
  StartWithModel();
  QWidget* form = Forms::Find(QStringLiteral("ProjectTreeForm"));
  ASSERT_TRUE(QMetaObject::invokeMethod(form, "SelectNodeOf", Qt::DirectConnection,
                                        Q_ARG(Ymodel*, static_cast<Ymodel*>(buildAfterDesign))));
  EXPECT_EQ(Common::DragObject(), buildAfterDesign);
  EXPECT_TRUE(NodeOf(build)->isExpanded());
  EXPECT_EQ(ProjectTreeView()->currentItem(), NodeOf(buildAfterDesign));
}

// A right click selects the node and opens the popup menu beside it, prepared for its kind.
TEST_F(Trees, ARightClickOpensThePopupForTheNode) {
  StartWithModel();
  QMenu* popup = mainForm->PopupMenu();
  struct Case {
    QTreeWidgetItem* node;
    QString word;
    bool setActive;
  };
  for (const Case& c :
       {Case{NodeOf(cy), QStringLiteral("resource"), false}, Case{NodeOf(plant), QStringLiteral("project"), false},
        Case{NodeOf(fitOutTask), QStringLiteral("subproject"), true}}) {
    Press(c.node, Qt::RightButton);
    EXPECT_EQ(Common::DragNode(), c.node);
    ASSERT_TRUE(popup->isVisible()) << c.word.toStdString();
    EXPECT_EQ(mainForm->Control(QStringLiteral("PopupModifyMenu"))->text(), QStringLiteral("Modify this ") + c.word);
    EXPECT_EQ(mainForm->Control(QStringLiteral("PopupSetActiveMenu"))->isEnabled(), c.setActive)
        << c.word.toStdString();
    const QRect place = c.node->treeWidget()->visualItemRect(c.node);
    const QPoint corner = c.node->treeWidget()->viewport()->mapFromGlobal(popup->pos());
    EXPECT_GT(corner.x(), place.left());
    EXPECT_GT(corner.y(), place.top());
    popup->hide();
  }
  PressEmpty(TemplateTreeView());
  EXPECT_FALSE(popup->isVisible());
}

// Setup > Font with a tree in front: the chosen font applies to the tree, which starts again.
TEST_F(Trees, SetupFontChangesTheTreeInFront) {
  StartWithModel();
  Press(NodeOf(build));
  mainForm->MdiArea()->setActiveSubWindow(
      qobject_cast<QMdiSubWindow*>(Forms::FrameOf(ProjectTreeView()->parentWidget())));
  dialogs.ChooseFontAnswer({QStringLiteral("DejaVu Sans"), 14, true, false});
  mainForm->Control(QStringLiteral("SetupFontMenu"))->trigger();
  EXPECT_EQ(ProjectTreeView()->font().family(), QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(ProjectTreeView()->font().bold());
  EXPECT_EQ(Common::DragNode(), nullptr);  // started again
}

}  // namespace
