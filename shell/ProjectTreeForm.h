#pragma once

#include "Forms.h"

#include <QWidget>

class QTreeWidgetItem;
class TreeView;
class Ymodel;
class Yproject;
class Ytask;

// The project tree window ("Project tree"): the active project with the chain of projects above
// it, its tasks, and below each task its dependencies and assignments; below a task that stands
// for a subproject, the subproject's tasks. Only the active project's own level is built at once;
// a task or subproject node carries a placeholder child until it is opened, and opening it (by
// the user or in code) builds its children in the placeholder's place.
//
// It stays loaded until the program ends; it rebuilds itself on a new active project and a new
// journal, and the entry dialogs and drop actions rebuild one task's or one project's nodes.
// A sub-tree rebuild keeps the selection on the same object. Its procedures trap their failures
// under "ProjectTree:<procedure>".
class ProjectTreeForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit ProjectTreeForm(QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderTree; }
  TreeView* Tree() const { return tree_; }

  // Asks for a font for the window (with an active project) and starts again when one is chosen.
  Q_INVOKABLE void ChangeFont();
  // Shows DragNode as the tree's selection, or none when it lies in the other tree.
  Q_INVOKABLE void NewDragNode();
  Q_INVOKABLE void NewJournal();
  Q_INVOKABLE void NewThisProject();
  // The node of a project: a top-level node, or the node of the task that stands for it under
  // its parent's node, with the whole chain above it added first.
  QTreeWidgetItem* RebuildProjectNode(Yproject* project);
  // Builds the included tasks of the project below its node; not expanding, one placeholder
  // stands for them (none when the project has no included task).
  void RebuildProjectSubTree(Yproject* project, QTreeWidgetItem* node, bool expand);
  // Refreshes a task's caption and builds its included dependencies and assignments below it;
  // not expanding, one placeholder stands for them.
  void RebuildTaskSubTree(Ytask* task, bool expand);
  void RebuildTree();
  // Clears the selection, applies the window's font, rebuilds the tree and shows the window.
  Q_INVOKABLE void Start();
  // Selects the node of a project-side object (the solve panel shows a failure's object so).
  Q_INVOKABLE void SelectNodeOf(Ymodel* Object);

 private:
  void RebuildTaskNode(Ytask* task, QTreeWidgetItem* node, bool expand);
  void Tree_Expand(QTreeWidgetItem* node);
  void Tree_KeyDown();

  TreeView* tree_;
};
