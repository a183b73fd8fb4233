#pragma once

#include <QString>

class QTreeWidgetItem;
class TreeView;
class Yproject;
class Ymodel;

// The nodes of the project tree and the template tree, shared by both windows.
//
// A node's kind is one letter: p project, s task standing for a subproject (or that subproject),
// t task, d dependency, a assignment (project tree); l template, h shift, g department, r
// resource (template tree); n the placeholder child of a collapsed node whose children are not
// built yet. The kind is the first letter of the node's tag and the key of its picture. An
// object's node takes its tag, caption and kind from the object (Tag, BuildNodeText, ImageType);
// its key is "O" and the object's identity, a department's "S" and the department name, so one
// object and one department name have at most one node per tree.
//
// Look-ups that cannot succeed raise error 10000 "Assertion failed" into the error trap under
// "Common:<procedure>".
namespace Common {

// The node fields.
QString NodeKey(const QTreeWidgetItem* node);
QString NodeTag(const QTreeWidgetItem* node);
QString NodeImage(const QTreeWidgetItem* node);
// The first letter of the node's tag; empty for none.
QString NodeKind(const QTreeWidgetItem* node);

// The tree control of the project tree window and of the template tree window; none while the
// window is not loaded (or is not a real tree window).
TreeView* ProjectTree();
TreeView* TemplateTree();

// Adds a node for a model object, a department name, or a placeholder, under parentNode (none:
// at the end of the top level) at its sorted place among the children: tasks and resources by
// the number their caption starts with, assignments by that number among the assignments,
// departments by caption among the departments, every other kind by caption, without regard to
// case. A node goes after the children that equal it.
QTreeWidgetItem* AddNode(TreeView* tree, QTreeWidgetItem* parentNode, const Ymodel* item);
QTreeWidgetItem* AddNode(TreeView* tree, QTreeWidgetItem* parentNode, const QString& department);
QTreeWidgetItem* AddPlaceholder(TreeView* tree, QTreeWidgetItem* parentNode);

QString MakeKey(const Ymodel* item);
QString MakeKey(const QString& department);

// The node with that key, or none (no error).
QTreeWidgetItem* FindNodeFromKey(TreeView* tree, const QString& key);
// The node that shows the object in the tree of its kind. A dependency's or assignment's task
// node is expanded first, which builds its children; a subproject is found as the node of the
// task that stands for it. When the user ignores a failed search, the tree is searched once more
// by tag; a second failure raises again and the result is none.
QTreeWidgetItem* FindNodeFromObject(const Ymodel* object);
// The model object of a node, found from its tag; a department node has none ("Assertion failed").
Ymodel* FindObjectFromNode(const QTreeWidgetItem* node);
// The project a p node stands for, or the subproject of an s node.
Yproject* FindProjectFromNode(const QTreeWidgetItem* node);
// The loaded project whose caption is exactly the text.
Yproject* FindProjectFromNodeText(const QString& text);
// The same, or none when no loaded project has that caption (no error).
Yproject* ProjectFromNodeText(const QString& text);

// Removes every node below the node and keeps the node.
void RemoveSubTree(TreeView* tree, QTreeWidgetItem* node);

}  // namespace Common
