#pragma once

#include "TreeForm.h"

class QTreeWidgetItem;
class TreeHost;
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
// A sub-tree rebuild keeps the selection on the same object. Its own procedures trap their
// failures under "ProjectTree:<procedure>".
class ProjectTreeForm final : public TreeForm {
  Q_OBJECT

 public:
  explicit ProjectTreeForm(TreeHost& Host, QWidget* parent = nullptr);

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
  void RebuildTree() override;
  // Selects the node of a project-side object (the solve panel shows a failure's object so).
  Q_INVOKABLE void SelectNodeOf(Ymodel* Object);

 private:
  bool SubjectSet() const override;
  void RebuildTaskNode(Ytask* task, QTreeWidgetItem* node, bool expand);
  void Tree_Expand(QTreeWidgetItem* node);
  void Tree_KeyDown() override;
};

namespace Common {

// Rebuilds a task's nodes in the project tree window, opened, when the window is loaded: the task
// shows a dependency or assignment just attached.
void RebuildTaskInTree(Ytask* task);
// Shows the tasks of a project anew, its node open: rebuilt in the project tree window when that
// is up; when the user has closed it, the window starts again, built with them.
void RebuildProjectInTree(Yproject* project);

}  // namespace Common
