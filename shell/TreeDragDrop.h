#pragma once

#include <QString>

class QTreeWidgetItem;
class TreeView;
class Ymodel;

// The selection of the trees and what the mouse does on them.
//
// DragNode is the one selection of the program: the node selected in either tree, and the node
// being dragged during a drag. Menus, double clicks and the entry dialogs act on it and on its
// object. A held node reads as none once its node is removed from its tree.
//
// Both tree windows hand every mouse and drag event of their tree to TreeMouseAction, which keeps
// the selection, runs the popup menu's Modify command on a double click and opens the popup menu
// on a right click (both the tree's host's, TreeView::Host), drags a node with the tree scrolling near its top and bottom edges, and on a drop does what the
// pair of kinds calls for: a resource dropped on a project or subproject becomes its manager, on a
// task (or one of its dependencies) is assigned to the task, and a task dropped on a task becomes
// its prerequisite.
namespace Common {

QTreeWidgetItem* DragNode();
// Holds the node (none clears the selection), shows it selected in its tree and tells every
// window (NewDragNode); holding the node already held does nothing.
void SetDragNode(QTreeWidgetItem* node);
// After a rebuild of the nodes below the held node's parent: holds the new node of the object
// DragNode held. Nobody is told, since the selection is still the same object.
void RestoreDragNode(QTreeWidgetItem* node);
// The node under the mouse during a drag, then the node dropped on.
QTreeWidgetItem* DropNode();
// The model objects of the two nodes ("Assertion failed" for a department node).
Ymodel* DragObject();
Ymodel* DropObject();
// The tree that holds DragNode, by its kind ("Assertion failed" for another kind or none).
TreeView* DragTree();

// Makes a tree show DragNode as its selection, or nothing when DragNode is in the other tree.
void ShowSelection(TreeView* tree);

// One mouse or drag event of a tree: "Down", "Move", "Up", "DblClick", "Enter", "Leave", "Over"
// or "Drop", with the mouse buttons (1 left, 2 right; 0 for the drag events and the double click)
// and the position in the tree's viewport.
void TreeMouseAction(const QString& action, TreeView* tree, int Button, int X, int Y);

// Carries out the drop of DragNode on DropNode, by the pair of their kinds.
void HandleDragDrop();
// The three drop actions.
void CopyProjectManager();
void AssignResourceToTask();
void CreateTaskDependency();

// Shows the tree's host's popup menu beside DragNode, prepared for it.
void RightClick(TreeView* tree);

// Scrolls a tree one line up or down, as the main window's scroll timer does while a node is
// dragged over a tree's edge.
void ScrollTree(TreeView* tree, bool up);

}  // namespace Common
