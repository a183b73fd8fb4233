// Where AddNode puts a node among its siblings, and the small node helpers, on a bare tree.

#include "Common.h"
#include "FakeForms.h"
#include "MainForm.h"
#include "Pool.h"
#include "ShellFixture.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QTreeWidgetItem>

namespace {

class TreeNodes : public ShellTest {
 protected:
  static QStringList Children(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int index = 0; index < node->childCount(); ++index) texts.append(node->child(index)->text(0));
    return texts;
  }

  FakeTreeHost host;
  TreeView tree{QStringLiteral("ProjectTree"), host, nullptr};
};

// Tasks by the number their caption starts with, not as text; equal numbers keep their order.
TEST_F(TreeNodes, TasksGoInNumberOrderAndEqualsKeepTheirOrder) {
  Yproject* plant = AddProject(QStringLiteral("Plant"));
  Yproject* other = AddProject(QStringLiteral("Other"));
  QTreeWidgetItem* top = Common::AddNode(&tree, nullptr, plant);
  for (const int id : {2, 10, 9}) {
    Ytask* task = plant->FindOrCreateTask(id);
    task->Description.clear();  // the caption is the number alone
    Common::AddNode(&tree, top, task);
  }
  other->FindOrCreateTask(9)->Description = QStringLiteral("Later");
  Common::AddNode(&tree, top, other->FindOrCreateTask(9));
  EXPECT_EQ(Children(top),
            (QStringList{QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("9: Later"), QStringLiteral("10")}));
  EXPECT_EQ(tree.topLevelItem(0), top);
}

// Departments by name among the departments only, after the shifts; one greater than all goes to
// the very end. Shifts go by name among all children.
TEST_F(TreeNodes, DepartmentsAfterShiftsInNameOrder) {
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  QTreeWidgetItem* top = Common::AddNode(&tree, nullptr, staff);
  Common::AddNode(&tree, top, staff->FindOrCreateShift(QStringLiteral("Late")));
  Common::AddNode(&tree, top, staff->FindOrCreateShift(QStringLiteral("Day")));
  for (const char* department : {"Alpha", "Gamma", "beta", "Zed"}) {
    Common::AddNode(&tree, top, QString::fromLatin1(department));
  }
  EXPECT_EQ(Children(top), (QStringList{QStringLiteral("Day"), QStringLiteral("Late"), QStringLiteral("Alpha"),
                                        QStringLiteral("beta"), QStringLiteral("Gamma"), QStringLiteral("Zed")}));
  QTreeWidgetItem* beta = top->child(3);
  EXPECT_EQ(Common::NodeTag(beta), QStringLiteral("g"));
  EXPECT_EQ(Common::NodeKey(beta), QStringLiteral("Sbeta"));
  EXPECT_EQ(Common::FindNodeFromKey(&tree, Common::MakeKey(QStringLiteral("beta"))), beta);
  EXPECT_EQ(Common::FindNodeFromKey(&tree, Common::MakeKey(QStringLiteral("Delta"))), nullptr);
}

// Under a task: a dependency by caption among all the children, an assignment by resource number
// among the assignments (after the dependencies when none is greater).
TEST_F(TreeNodes, DependenciesByCaptionAssignmentsByResource) {
  Ytemplate* staff = AddTemplate(QStringLiteral("Staff"));
  Yproject* plant = AddProject(QStringLiteral("Plant"));
  Ytask* task = plant->FindOrCreateTask(1);
  QTreeWidgetItem* node = Common::AddNode(&tree, nullptr, task);
  const auto assign = [&](int id) {
    Yresource* resource = staff->FindOrCreateResource(id);
    resource->Description = QStringLiteral("R");
    auto* assignment = Common::NewY<Yassignment>(ytAssignment);
    assignment->SetTask(task);
    assignment->SetResourceRequired(resource);
    return Common::AddNode(&tree, node, assignment);
  };
  // A plain dependency's caption is the required task's.
  const auto depend = [&](int id, const QString& name) {
    Ytask* required = plant->FindOrCreateTask(id);
    required->Description = name;
    auto* dependency = Common::NewY<Ydependency>(ytDependency);
    dependency->SetTask(task);
    dependency->SetTaskRequired(required);
    return Common::AddNode(&tree, node, dependency);
  };
  assign(5);
  const QTreeWidgetItem* zed = depend(8, QStringLiteral("zed"));
  depend(2, QStringLiteral("alpha"));
  assign(3);
  assign(7);
  const QStringList children = Children(node);
  ASSERT_EQ(children.size(), 5);
  EXPECT_EQ(children.at(0), QStringLiteral("2: alpha"));
  EXPECT_TRUE(children.at(1).startsWith(QStringLiteral("3: R"))) << children.at(1).toStdString();
  EXPECT_TRUE(children.at(2).startsWith(QStringLiteral("5: R")));
  EXPECT_EQ(children.at(3), QStringLiteral("8: zed"));
  EXPECT_TRUE(children.at(4).startsWith(QStringLiteral("7: R")));
  EXPECT_EQ(Common::NodeTag(zed), QStringLiteral("d") + task->DependencyList.Item(0)->Key());
  EXPECT_EQ(Common::NodeImage(zed), QStringLiteral("d"));
}

TEST_F(TreeNodes, PlaceholdersAndRemovingSubTrees) {
  Yproject* plant = AddProject(QStringLiteral("Plant"));
  QTreeWidgetItem* top = Common::AddNode(&tree, nullptr, plant);
  QTreeWidgetItem* task = Common::AddNode(&tree, top, plant->FindOrCreateTask(1));
  const QTreeWidgetItem* placeholder = Common::AddPlaceholder(&tree, task);
  EXPECT_EQ(placeholder->text(0), QStringLiteral("no dependencies/assignments"));
  EXPECT_EQ(Common::NodeTag(placeholder), QStringLiteral("n"));
  EXPECT_EQ(Common::NodeKey(placeholder), QString());

  Common::RemoveSubTree(&tree, top->child(0)->child(0));  // a leaf: nothing happens
  EXPECT_EQ(task->childCount(), 1);
  Common::RemoveSubTree(&tree, top);
  EXPECT_EQ(top->childCount(), 0);
  EXPECT_EQ(tree.topLevelItemCount(), 1);
}

}  // namespace
