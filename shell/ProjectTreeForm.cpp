#include "ProjectTreeForm.h"

#include "Check.h"
#include "Common.h"
#include "Forms.h"
#include "Guard.h"
#include "RuntimeError.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TreeSelectionKeeper.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QList>
#include <QTreeWidgetItem>

namespace {

// A node whose children are not built yet: its one child is the placeholder.
bool AwaitsChildren(const QTreeWidgetItem* node) {
  return node->childCount() == 1 && Common::NodeKind(node->child(0)) == QLatin1String("n");
}

}  // namespace

ProjectTreeForm::ProjectTreeForm(TreeHost& Host, QWidget* parent)
    : TreeForm(QStringLiteral("ProjectTree"), QStringLiteral("Project tree"), Host, parent) {
  connect(Tree(), &TreeView::NodeExpanded, this, &ProjectTreeForm::Tree_Expand);
}

bool ProjectTreeForm::SubjectSet() const { return Common::ThisProjectSet(); }

void ProjectTreeForm::NewThisProject() {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:NewThisProject"), [&] { Start(); });
}

QTreeWidgetItem* ProjectTreeForm::RebuildProjectNode(Yproject* project) {
  QTreeWidgetItem* node = nullptr;
  ErrTrap::Guarded(QStringLiteral("ProjectTree:RebuildProjectNode"), [&] {
    Yproject* parent = project->Parent();
    if (parent == nullptr) {
      node = Common::AddNode(Tree(), nullptr, project);
      return;
    }
    QTreeWidgetItem* parentNode = RebuildProjectNode(parent);
    for (const Ytask* task : parent->TaskList) {
      if (task->Include() && task->Subproject() == project) {
        node = Common::AddNode(Tree(), parentNode, task);
        return;
      }
    }
    TRAP_ASSERT(false, "a subproject has a task of its parent that stands for it");
  });
  return node;
}

void ProjectTreeForm::RebuildProjectSubTree(Yproject* project, QTreeWidgetItem* node, bool expand) {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildProjectSubTree"));
  const TreeSelectionKeeper selection(Tree(), node);
  guard([&] { Common::RemoveSubTree(Tree(), node); });
  guard([&] {
    for (Ytask* task : project->TaskList) {
      if (!task->Include()) continue;
      if (!expand) {
        Common::AddPlaceholder(Tree(), node);
        return;
      }
      QTreeWidgetItem* child = Common::AddNode(Tree(), node, task);
      if (Yproject* subproject = task->Subproject()) {
        RebuildProjectSubTree(subproject, child, false);
      } else {
        RebuildTaskNode(task, child, false);
      }
    }
  });
  guard([&] { selection.Restore(); });
}

void ProjectTreeForm::RebuildTaskSubTree(Ytask* task, bool expand) {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildTaskSubTree"));
  QTreeWidgetItem* node = nullptr;
  guard([&] { node = Common::FindNodeFromObject(task); });
  if (node != nullptr) guard([&] { RebuildTaskNode(task, node, expand); });
}

void ProjectTreeForm::RebuildTaskNode(Ytask* task, QTreeWidgetItem* node, bool expand) {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildTaskNode"));
  const TreeSelectionKeeper selection(Tree(), node);
  guard([&] {
    node->setText(0, task->BuildNodeText());
    Common::RemoveSubTree(Tree(), node);
  });
  guard([&] {
    QList<const Ymodel*> children;
    for (const Ydependency* dependency : task->DependencyList) {
      if (dependency->Include()) children.append(dependency);
    }
    for (const Yassignment* assignment : task->AssignmentList) {
      if (assignment->Include()) children.append(assignment);
    }
    if (children.isEmpty()) return;
    // Collapsed, one placeholder stands for the dependencies and assignments.
    if (!expand) {
      Common::AddPlaceholder(Tree(), node);
      return;
    }
    for (const Ymodel* child : children) Common::AddNode(Tree(), node, child);
  });
  // Opened once the children are in, so that opening finds nothing left to build.
  guard([&] { node->setExpanded(expand); });
  guard([&] { selection.Restore(); });
}

void ProjectTreeForm::RebuildTree() {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildTree"));
  guard([&] { Tree()->clear(); });
  Yproject* project = Common::ThisProject();
  if (project == nullptr) return;
  guard([&] { Tree()->ApplyDisplaySettings(); });
  QTreeWidgetItem* node = nullptr;
  guard([&] { node = RebuildProjectNode(project); });
  if (node == nullptr) return;
  guard([&] {
    // The project's nodes are built while its node is out of the tree: a tree told of each of
    // thousands of new nodes on its own spends far longer on that than on the nodes.
    QTreeWidgetItem* parent = node->parent();
    const int index = parent != nullptr ? parent->indexOfChild(node) : Tree()->indexOfTopLevelItem(node);
    if (parent != nullptr) {
      parent->takeChild(index);
    } else {
      Tree()->takeTopLevelItem(index);
    }
    struct PutBack {
      TreeView* tree;
      QTreeWidgetItem* parent;
      int index;
      QTreeWidgetItem* node;
      ~PutBack() {
        if (parent != nullptr) {
          parent->insertChild(index, node);
        } else {
          tree->insertTopLevelItem(index, node);
        }
      }
    } putBack{Tree(), parent, index, node};
    RebuildProjectSubTree(project, node, true);
  });
  // The active project's node and the chain above it are open.
  guard([&] {
    for (QTreeWidgetItem* open = node; open != nullptr; open = open->parent()) open->setExpanded(true);
  });
}

void ProjectTreeForm::SelectNodeOf(Ymodel* Object) {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:SelectNodeOf"), [&] {
    QTreeWidgetItem* node = Common::FindNodeFromObject(Object);
    if (node == nullptr) return;
    Common::SetDragNode(node);
    Tree()->scrollToItem(node);
  });
}

void ProjectTreeForm::Tree_Expand(QTreeWidgetItem* node) {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("ProjectTree:Tree_Expand")), [&] {
    // Children already built stay as they are; every change of a task rebuilds its node.
    if (!AwaitsChildren(node)) return;
    const QString image = Common::NodeImage(node);
    if (image == QLatin1String("t")) {
      if (auto* task = dynamic_cast<Ytask*>(Common::FindObjectFromNode(node))) RebuildTaskNode(task, node, true);
    } else if (image == QLatin1String("s")) {
      if (Yproject* subproject = Common::FindProjectFromNode(node)) RebuildProjectSubTree(subproject, node, true);
    }
  });
}

void ProjectTreeForm::Tree_KeyDown() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("ProjectTree:Tree_KeyDown")),
                   [] { Forms::StartForm(QStringLiteral("HelpForm"), "ContextHelp"); });
}

namespace Common {

void RebuildTaskInTree(Ytask* task) {
  auto* tree = qobject_cast<ProjectTreeForm*>(Forms::Find(QStringLiteral("ProjectTreeForm")));
  if (tree != nullptr) tree->RebuildTaskSubTree(task, true);
}

void RebuildProjectInTree(Yproject* project) {
  auto* tree = qobject_cast<ProjectTreeForm*>(Forms::Find(QStringLiteral("ProjectTreeForm")));
  if (tree == nullptr || !Forms::FrameOf(tree)->isVisible()) {
    Forms::StartIfHidden(QStringLiteral("ProjectTreeForm"));
    return;
  }
  tree->RebuildProjectSubTree(project, Common::FindNodeFromObject(project), true);
}

}  // namespace Common
