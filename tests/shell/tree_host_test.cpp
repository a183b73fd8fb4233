// The trees reach the main window only through the host they are handed: here a stand-in that
// records what it is asked, with no main window at all.

#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "ProjectTreeForm.h"
#include "TemplateTreeForm.h"
#include "TreeDragDrop.h"
#include "TreeFixture.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"

#include <QTest>
#include <QTreeWidgetItem>

namespace {

// Both trees over the small model, made with the stand-in host and started by the notifications.
class HostedTrees : public TreeTest {
 protected:
  void SetUp() override {
    TreeTest::SetUp();
    Register(QStringLiteral("ProjectTreeForm"), [this] { return new ProjectTreeForm(host); });
    Register(QStringLiteral("TemplateTreeForm"), [this] { return new TemplateTreeForm(host); });
    BuildModel();
    Common::SetThisProject(plant);
    Common::SetThisTemplate(staff);
    Common::BroadcastNewThisTemplate();
    Common::BroadcastNewThisProject();
  }

  void TearDown() override {
    // With no main window, nothing else unloads them.
    for (QWidget* form : Forms::Loaded()) delete form;
    TreeTest::TearDown();
  }

  FakeTreeHost host;
};

// Starting places a tree through its host. A rebuild places the project tree again; the template
// tree, already on screen, stays where it stands.
TEST_F(HostedTrees, TreesAreShownThroughTheirHost) {
  EXPECT_EQ(host.calls, (QStringList{QStringLiteral("ShowForm TemplateTreeForm"), QStringLiteral("ShowForm ProjectTreeForm")}));
  ASSERT_NE(NodeOf(build), nullptr);
  ASSERT_NE(NodeOf(ann), nullptr);

  host.calls.clear();
  Common::BroadcastNewJournal();
  EXPECT_EQ(host.calls, QStringList{QStringLiteral("ShowForm ProjectTreeForm")});
  EXPECT_NE(NodeOf(ann), nullptr);  // rebuilt all the same
}

// A double click selects the node, runs the host's Modify command for it and opens the node (a
// second one closes it again); on empty space there is nothing to modify.
TEST_F(HostedTrees, ADoubleClickRunsTheHostsModifyCommandForTheNode) {
  DoubleClick(NodeOf(build));
  EXPECT_EQ(Common::DragObject(), build);
  EXPECT_EQ(host.calls.last(), QStringLiteral("PopupModify t10"));
  EXPECT_TRUE(NodeOf(build)->isExpanded());
  EXPECT_NE(Common::FindNodeFromKey(ProjectTreeView(), Common::MakeKey(buildAfterSurvey)), nullptr);

  DoubleClick(NodeOf(build));
  EXPECT_FALSE(NodeOf(build)->isExpanded());

  host.calls.clear();
  PressEmpty(ProjectTreeView());
  QTest::mouseDClick(ProjectTreeView()->viewport(), Qt::LeftButton, {},
                     QPoint(5, ProjectTreeView()->viewport()->height() - 2));
  EXPECT_TRUE(host.calls.isEmpty());
}

// A right click hands the host the node's tag and object for its popup menu, opened beside the
// node: a subproject's node stands for the subproject, a department's for nothing.
TEST_F(HostedTrees, ARightClickHandsTheHostTheNodeAndItsObject) {
  struct Case {
    QTreeWidgetItem* node;
    QString tag;
    const Ymodel* object;
  };
  for (const Case& c : {Case{NodeOf(fitOutTask), QStringLiteral("s4"), fitOut},
                        Case{DepartmentNode(QStringLiteral("Sales")), QStringLiteral("g"), nullptr},
                        Case{NodeOf(ann), QStringLiteral("r7"), ann}}) {
    host.calls.clear();
    Press(c.node, Qt::RightButton);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("ShowPopupMenu ") + c.tag});
    EXPECT_EQ(host.popupObject, c.object) << c.tag.toStdString();
    const QRect place = c.node->treeWidget()->visualItemRect(c.node);
    const QPoint corner = c.node->treeWidget()->viewport()->mapFromGlobal(host.popupAt);
    EXPECT_GT(corner.x(), place.left()) << c.tag.toStdString();
    EXPECT_GT(corner.y(), place.top()) << c.tag.toStdString();
  }
}

}  // namespace
