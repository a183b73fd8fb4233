#include "TreeDragDrop.h"

#include "Check.h"
#include "Common.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Forms.h"
#include "Guard.h"
#include "Notifications.h"
#include "Pool.h"
#include "Prerequisites.h"
#include "ProjectTreeForm.h"
#include "Prompter.h"
#include "RuntimeError.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"

#include <QByteArray>
#include <QFontMetrics>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QScrollBar>
#include <QTreeWidgetItem>

namespace Common {

namespace {

// A node held across changes of its tree: it reads as none once the node has been removed.
class HeldNode {
 public:
  QTreeWidgetItem* Node() const {
    if (tree_.isNull() || !index_.isValid()) return nullptr;
    return tree_->NodeAt(index_);
  }
  void Hold(QTreeWidgetItem* node) {
    tree_ = node != nullptr ? qobject_cast<TreeView*>(node->treeWidget()) : nullptr;
    index_ = tree_.isNull() ? QPersistentModelIndex() : QPersistentModelIndex(tree_->IndexOf(node));
  }

 private:
  QPointer<TreeView> tree_;
  QPersistentModelIndex index_;
};

HeldNode& DragHeld() {
  static HeldNode held;
  return held;
}

HeldNode& DropHeld() {
  static HeldNode held;
  return held;
}

bool IsOneOf(const QString& kind, const char* kinds) {
  return kind.size() == 1 && QByteArray(kinds).contains(kind.at(0).toLatin1());
}

// While a node hovers over a band at the top or bottom of the tree, the host's timer
// scrolls the tree. A band is as high as the frame around the tree window (its title and
// borders), and at least one line.
void ScrollNearEdges(TreeView* tree, int Y) {
  QWidget* form = tree->parentWidget();
  const QString window = form != nullptr ? form->objectName() : QString();
  QString name;
  if (window == QLatin1String("ProjectTreeForm")) {
    name = QStringLiteral("ProjectTree");
  } else if (window == QLatin1String("TemplateTreeForm")) {
    name = QStringLiteral("TemplateTree");
  } else {
    TRAP_ASSERT(false, "only the project and template trees take drags");
  }
  const int frame = Forms::FrameOf(form)->height() - form->height();
  const int band = qMax(frame, QFontMetrics(tree->font()).height());
  const int inner = tree->viewport()->height();
  QString direction;
  if (Y >= 0 && Y <= band) {
    direction = QStringLiteral("Up");
  } else if (Y >= inner - band) {
    direction = QStringLiteral("Down");
  }
  if (!direction.isEmpty()) tree->Host().StartTreeScroll(name + direction);
}

// Marks a node as the would-be target in its tree; DragNode itself does not change.
void MarkSelected(QTreeWidgetItem* node) {
  if (node != nullptr && node->treeWidget() != nullptr) node->treeWidget()->setCurrentItem(node);
}

}  // namespace

QTreeWidgetItem* DragNode() { return DragHeld().Node(); }

void SetDragNode(QTreeWidgetItem* node) {
  ErrTrap::Guard guard(QStringLiteral("Common:DragNode [Property Set]"));
  if (node == DragNode()) return;
  guard([&] {
    DragHeld().Hold(node);
    MarkSelected(node);
  });
  guard([] { BroadcastNewDragNode(); });
}

void RestoreDragNode(QTreeWidgetItem* node) {
  DragHeld().Hold(node);
  MarkSelected(node);
}

QTreeWidgetItem* DropNode() { return DropHeld().Node(); }

Ymodel* DragObject() {
  Ymodel* object = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:DragObject [Property Get]"),
                   [&] { object = FindObjectFromNode(DragNode()); });
  return object;
}

Ymodel* DropObject() {
  Ymodel* object = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:DropObject [Property Get]"),
                   [&] { object = FindObjectFromNode(DropNode()); });
  return object;
}

TreeView* DragTree() {
  TreeView* tree = nullptr;
  ErrTrap::Guarded(QStringLiteral("Common:DragTree [Property Get]"), [&] {
    const QString kind = NodeKind(DragNode());
    if (IsOneOf(kind, "pstda")) {
      tree = ProjectTree();
    } else if (IsOneOf(kind, "lhgr")) {
      tree = TemplateTree();
    } else {
      TRAP_ASSERT(false, "a department or a placeholder is never dragged");
    }
  });
  return tree;
}

void ShowSelection(TreeView* tree) {
  if (tree == nullptr) return;
  QTreeWidgetItem* node = DragNode();
  if (node != nullptr && node->treeWidget() == tree) {
    tree->setCurrentItem(node);
  } else {
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
  }
}

void TreeMouseAction(const QString& action, TreeView* tree, int Button, int X, int Y) {
  ErrTrap::Guard guard(QStringLiteral("Common:TreeMouseAction"));
  // Any mouse action stops the scrolling; only hovering in a band starts it again.
  guard([&] { tree->Host().StopTreeScroll(); });
  if (action == QLatin1String("Down")) {
    guard([&] { SetDragNode(tree->HitTest(X, Y)); });
    guard([&] {
      // Clicking empty space leaves no selection behind.
      ShowSelection(tree);
      if (Button == Qt::RightButton) RightClick(tree);
    });
  } else if (action == QLatin1String("Move")) {
    guard([&] {
      if (Button == Qt::LeftButton && DragNode() != nullptr) {
        if (TreeView* dragTree = DragTree()) dragTree->BeginDrag(DragNode());
      }
    });
  } else if (action == QLatin1String("DblClick")) {
    guard([&] {
      if (DragNode() == nullptr) return;
      // The popup's Modify command, for the node double-clicked.
      tree->Host().PopupModify();
    });
    guard([&] {
      QTreeWidgetItem* selected = tree->currentItem();
      if (selected != nullptr && selected->childCount() > 0) selected->setExpanded(!selected->isExpanded());
    });
  } else if (action == QLatin1String("Enter")) {
    guard([&] { tree->setFocus(); });
  } else if (action == QLatin1String("Leave")) {
    // The would-be target is no longer marked.
    guard([&] { ShowSelection(tree); });
  } else if (action == QLatin1String("Over")) {
    guard([&] {
      QTreeWidgetItem* over = tree->HitTest(X, Y);
      DropHeld().Hold(over);
      if (over != nullptr) {
        MarkSelected(over);
      } else {
        ShowSelection(tree);
      }
    });
    guard([&] { ScrollNearEdges(tree, Y); });
  } else if (action == QLatin1String("Drop")) {
    bool onItself = false;
    guard([&] {
      DropHeld().Hold(tree->HitTest(X, Y));
      onItself = DropNode() == DragNode();
    });
    if (onItself) return;
    guard([&] { HandleDragDrop(); });
    // The selection is DragNode again in both trees.
    guard([&] {
      ShowSelection(ProjectTree());
      ShowSelection(TemplateTree());
    });
  }
}

void HandleDragDrop() {
  ErrTrap::Guarded(QStringLiteral("Common:HandleDragDrop"), [&] {
    if (DragNode() == nullptr || DropNode() == nullptr) return;
    const QString pair = NodeKind(DragNode()) + NodeKind(DropNode());
    if (pair == QLatin1String("rp") || pair == QLatin1String("rs")) {
      CopyProjectManager();
    } else if (pair == QLatin1String("rt") || pair == QLatin1String("rd")) {
      AssignResourceToTask();
    } else if (pair == QLatin1String("tt") || pair == QLatin1String("st")) {
      CreateTaskDependency();
    } else {
      NotReadyYet();
    }
  });
}

void CopyProjectManager() {
  ErrTrap::Guard guard(QStringLiteral("Common:CopyProjectManager"));
  Yresource* resource = nullptr;
  Yproject* project = nullptr;
  guard([&] {
    resource = dynamic_cast<Yresource*>(DragObject());
    project = FindProjectFromNode(DropNode());
    TRAP_ASSERT(resource != nullptr && project != nullptr, "a resource is dropped on a project");
  });
  if (resource == nullptr || project == nullptr) return;
  guard([&] { project->SetManager(resource); });
  // A new manager is a change of the project like any other: it is to be saved.
  guard([&] { project->SetDirty(true); });
  guard([&] {
    praxel::CurrentPrompter().MsgBox(
        resource->BuildNodeText() + QStringLiteral(" is now the project manager for ") + DropObject()->BuildNodeText(),
        praxel::MsgInformation, QStringLiteral("Project Manager Assigned"));
  });
}

void AssignResourceToTask() {
  ErrTrap::Guard guard(QStringLiteral("Common:AssignResourceToTask"));
  Yresource* resource = nullptr;
  Ytask* task = nullptr;
  guard([&] {
    // A resource dropped on a dependency is assigned to the dependency's task.
    if (NodeKind(DropNode()) == QLatin1String("d")) DropHeld().Hold(DropNode()->parent());
    resource = dynamic_cast<Yresource*>(DragObject());
    task = dynamic_cast<Ytask*>(DropObject());
    TRAP_ASSERT(resource != nullptr && task != nullptr, "a resource is dropped on a task");
  });
  if (resource == nullptr || task == nullptr) return;
  Yassignment* assignment = nullptr;
  guard([&] {
    if (assignment == nullptr) assignment = NewY<Yassignment>(ytAssignment);
    assignment->SetTask(task);
    assignment->SetResourceRequired(resource);
  });
  guard([&] { RebuildTaskInTree(task); });
  guard([&] {
    if (Yproject* project = task->Project()) project->SetDirty(true);
  });
}

void CreateTaskDependency() {
  ErrTrap::Guard guard(QStringLiteral("Common:CreateTaskDependency"));
  Ytask* required = nullptr;
  Ytask* task = nullptr;
  guard([&] {
    required = dynamic_cast<Ytask*>(DragObject());
    task = dynamic_cast<Ytask*>(DropObject());
    TRAP_ASSERT(required != nullptr && task != nullptr, "a task is dropped on a task");
  });
  if (required == nullptr || task == nullptr) return;
  // A task that waits for itself, directly or round a circle, could never be scheduled.
  bool refused = false;
  guard([&] {
    const QString refusal = PrerequisiteRefusal(*task, *required);
    if (refusal.isEmpty()) return;
    refused = true;
    praxel::CurrentPrompter().MsgBox(refusal, praxel::MsgExclamation, QLatin1String(kCircularDependencyTitle));
  });
  if (refused) return;
  Ydependency* dependency = nullptr;
  guard([&] {
    if (dependency == nullptr) dependency = NewY<Ydependency>(ytDependency);
    dependency->SetTask(task);
    dependency->SetTaskRequired(required);
  });
  guard([&] { RebuildTaskInTree(task); });
  guard([&] {
    if (Yproject* project = task->Project()) project->SetDirty(true);
  });
}

void RightClick(TreeView* tree) {
  ErrTrap::Guarded(QStringLiteral("Common:RightClick"), [&] {
    QTreeWidgetItem* node = DragNode();
    if (node == nullptr) return;
    // The popup's "Set as active project" compares the project a node stands for.
    const QString kind = NodeKind(node);
    const Ymodel* object = nullptr;
    if (kind == QLatin1String("p") || kind == QLatin1String("s")) {
      object = FindProjectFromNode(node);
    } else if (kind != QLatin1String("g")) {
      object = DragObject();
    }
    // Beside the node's caption, one letter's width on and one line down.
    const QRect place = tree->visualItemRect(node);
    const QFontMetrics metrics(tree->font());
    const QPoint at(
        place.left() + tree->iconSize().width() + metrics.horizontalAdvance(node->text(0) + QLatin1Char('X')),
        place.top() + metrics.height());
    tree->Host().ShowPopupMenu(NodeTag(node), object, tree->viewport()->mapToGlobal(at));
  });
}

void ScrollTree(TreeView* tree, bool up) {
  if (tree == nullptr) return;
  tree->verticalScrollBar()->triggerAction(up ? QAbstractSlider::SliderSingleStepSub
                                              : QAbstractSlider::SliderSingleStepAdd);
}

}  // namespace Common
