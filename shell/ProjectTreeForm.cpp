#include "ProjectTreeForm.h"

#include "Common.h"
#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "MainForm.h"
#include "RuntimeError.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TreeSelectionKeeper.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

// A node whose children are not built yet: its one child is the placeholder.
bool AwaitsChildren(const QTreeWidgetItem* node) {
  return node->childCount() == 1 && Common::NodeKind(node->child(0)) == QLatin1String("n");
}

}  // namespace

ProjectTreeForm::ProjectTreeForm(QWidget* parent)
    : QWidget(parent), tree_(new TreeView(QStringLiteral("ProjectTree"), this)) {
  setWindowTitle(QStringLiteral("Project tree"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  connect(tree_, &TreeView::NodeExpanded, this, &ProjectTreeForm::Tree_Expand);
  connect(tree_, &TreeView::HelpRequested, this, &ProjectTreeForm::Tree_KeyDown);
}

void ProjectTreeForm::ChangeFont() {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:ChangeFont"), [&] {
    if (!Common::ThisProjectSet()) return;
    if (Help::ShowFont(this)) Start();
  });
}

void ProjectTreeForm::NewDragNode() {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:NewDragNode"), [&] { Common::ShowSelection(tree_); });
}

void ProjectTreeForm::NewJournal() {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:NewJournal"), [&] { Start(); });
}

void ProjectTreeForm::NewThisProject() {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:NewThisProject"), [&] { Start(); });
}

QTreeWidgetItem* ProjectTreeForm::RebuildProjectNode(Yproject* project) {
  QTreeWidgetItem* node = nullptr;
  ErrTrap::Guarded(QStringLiteral("ProjectTree:RebuildProjectNode"), [&] {
    Yproject* parent = project->Parent();
    if (parent == nullptr) {
      node = Common::AddNode(tree_, nullptr, project);
      return;
    }
    QTreeWidgetItem* parentNode = RebuildProjectNode(parent);
    for (const Ytask* task : parent->TaskList) {
      if (task->Include() && task->Subproject() == project) {
        node = Common::AddNode(tree_, parentNode, task);
        return;
      }
    }
    // A subproject that no task of its parent stands for.
    praxel::RaiseAssertion();
  });
  return node;
}

void ProjectTreeForm::RebuildProjectSubTree(Yproject* project, QTreeWidgetItem* node, bool expand) {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildProjectSubTree"));
  const TreeSelectionKeeper selection(tree_, node);
  guard([&] { Common::RemoveSubTree(tree_, node); });
  guard([&] {
    for (Ytask* task : project->TaskList) {
      if (!task->Include()) continue;
      if (!expand) {
        Common::AddPlaceholder(tree_, node);
        return;
      }
      QTreeWidgetItem* child = Common::AddNode(tree_, node, task);
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
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildTaskSubTree"));
  const TreeSelectionKeeper selection(tree_, node);
  guard([&] {
    node->setText(0, task->BuildNodeText());
    Common::RemoveSubTree(tree_, node);
  });
  guard([&] {
    // Collapsed, one placeholder stands for the dependencies and assignments.
    for (const Ydependency* dependency : task->DependencyList) {
      if (!dependency->Include()) continue;
      if (!expand) {
        Common::AddPlaceholder(tree_, node);
        return;
      }
      Common::AddNode(tree_, node, dependency);
    }
    for (const Yassignment* assignment : task->AssignmentList) {
      if (!assignment->Include()) continue;
      if (!expand) {
        Common::AddPlaceholder(tree_, node);
        return;
      }
      Common::AddNode(tree_, node, assignment);
    }
  });
  // Opened once the children are in, so that opening finds nothing left to build.
  guard([&] { node->setExpanded(expand); });
  guard([&] { selection.Restore(); });
}

void ProjectTreeForm::RebuildTree() {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:RebuildTree"));
  guard([&] { tree_->clear(); });
  Yproject* project = Common::ThisProject();
  if (project == nullptr) return;
  guard([&] { tree_->ApplyDisplaySettings(); });
  QTreeWidgetItem* node = nullptr;
  guard([&] { node = RebuildProjectNode(project); });
  if (node == nullptr) return;
  guard([&] { RebuildProjectSubTree(project, node, true); });
  // The active project's node and the chain above it are open.
  guard([&] {
    for (QTreeWidgetItem* open = node; open != nullptr; open = open->parent()) open->setExpanded(true);
  });
}

void ProjectTreeForm::Start() {
  ErrTrap::Guard guard(QStringLiteral("ProjectTree:Start"));
  guard([] { Common::SetDragNode(nullptr); });
  guard([&] { Common::SetFormFont(this); });
  guard([&] { RebuildTree(); });
  guard([&] {
    if (MainForm* main = TheMainForm()) main->ShowForm(this);
  });
}

void ProjectTreeForm::SelectNodeOf(Ymodel* Object) {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:SelectNodeOf"), [&] {
    QTreeWidgetItem* node = Common::FindNodeFromObject(Object);
    if (node == nullptr) return;
    Common::SetDragNode(node);
    tree_->scrollToItem(node);
  });
}

void ProjectTreeForm::Tree_Expand(QTreeWidgetItem* node) {
  ErrTrap::Guarded(QStringLiteral("ProjectTree:Tree_Expand"), [&] {
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
  ErrTrap::Guarded(QStringLiteral("ProjectTree:Tree_KeyDown"),
                   [] { Forms::StartForm(QStringLiteral("HelpForm"), "ContextHelp"); });
}
