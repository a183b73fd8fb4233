#pragma once

#include "ShellFixture.h"

#include <QPoint>
#include <QStringList>

class QTreeWidgetItem;
class TreeView;
class Yassignment;
class Ydependency;
class Ymodel;
class Yproject;
class Yresource;
class Ytask;
class Ytemplate;

// The real main window with both trees over a small model, both on their second journal:
//
//   template Staff: shifts Late and Day (made in that order); resources 7 Ann and 5 Cy (Sales),
//   3 Bo (no department: "None"), 8 Di (Design, left out of the current journal)
//   project Plant: task 2 Survey (a start date, Ann assigned); task 10 Build (after 2, after half
//   of 9, Cy and Bo assigned); task 9 Design (its one dependency, on 2, left out of the current
//   journal); task 12 Commission (a start date); task 4 standing for the subproject Fit-out, whose
//   task 1 Wire waits for Plant's task 10 and whose task 2 Paint waits for Wire
//
// The mouse goes through the trees' own handlers: a press is a real mouse event on the tree, a
// drag is the tree's drag-enter, drag-move and drop events (a real drag needs an event loop of
// its own).
class TreeTest : public ShellTest {
 protected:
  // Starts the program, makes the model, and makes Plant and Staff active, which builds both trees.
  void StartWithModel();
  void BuildModel();

  static TreeView* ProjectTreeView();
  static TreeView* TemplateTreeView();

  // Every node of a tree, depth first: two blanks per level, the image letter, the caption, and
  // " +" when the node is open.
  static QStringList Outline(const TreeView* tree);
  // The node of an object (or a department name) in its tree, found by key; none when absent.
  static QTreeWidgetItem* NodeOf(const Ymodel* object);
  static QTreeWidgetItem* DepartmentNode(const QString& name);

  // A click on a node (or on the empty space below the last node).
  static void Press(QTreeWidgetItem* node, int button = 1);
  static void DoubleClick(QTreeWidgetItem* node);
  static void PressEmpty(TreeView* tree);
  // The node under the mouse during a drag: answers whether the tree takes the drop there.
  static bool DragOver(QTreeWidgetItem* node);
  static bool DragOverPoint(TreeView* tree, QPoint at);
  static void Drop(QTreeWidgetItem* node);
  static void DropAtPoint(TreeView* tree, QPoint at);
  // Press on one node, drag over the other and drop there.
  static void DragOnto(QTreeWidgetItem* from, QTreeWidgetItem* to);

  Ytemplate* staff = nullptr;
  Yresource* ann = nullptr;
  Yresource* bo = nullptr;
  Yresource* cy = nullptr;
  Yresource* di = nullptr;
  Yproject* plant = nullptr;
  Yproject* fitOut = nullptr;
  Ytask* survey = nullptr;
  Ytask* build = nullptr;
  Ytask* design = nullptr;
  Ytask* commission = nullptr;
  Ytask* fitOutTask = nullptr;
  Ytask* wire = nullptr;
  Ytask* paint = nullptr;
  Ydependency* buildAfterSurvey = nullptr;
  Ydependency* buildAfterDesign = nullptr;
  Ydependency* designAfterSurvey = nullptr;
};
