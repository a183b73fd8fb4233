#pragma once

#include "TreeDragDrop.h"
#include "TreeNodes.h"

#include <QString>
#include <QTreeWidgetItem>

// Keeps the selection on the same object while the nodes below a node are rebuilt: when
// DragNode lies below the node, its key is noted on construction and Restore holds the new node
// with that key.
class TreeSelectionKeeper {
 public:
  TreeSelectionKeeper(TreeView* tree, const QTreeWidgetItem* node) : tree_(tree) {
    for (const QTreeWidgetItem* held = Common::DragNode(); held != nullptr; held = held->parent()) {
      if (held->parent() == node) {
        key_ = Common::NodeKey(Common::DragNode());
        break;
      }
    }
  }

  void Restore() const {
    if (key_.isEmpty()) return;
    if (QTreeWidgetItem* node = Common::FindNodeFromKey(tree_, key_)) Common::RestoreDragNode(node);
  }

 private:
  TreeView* tree_;
  QString key_;
};
