#pragma once

#include "Forms.h"

#include <QWidget>

class TreeView;

// The template tree window ("Template tree"): the active template, its shifts, then its
// resources included in the template's current journal, grouped under one node per department
// (departments after the shifts, in alphabetical order). It is always built whole, with the
// template and every department open.
//
// It stays loaded until the program ends and rebuilds itself on a new active template and a new
// journal; a rebuild does not move the window. Its procedures trap their failures under
// "TemplateTree:<procedure>".
class TemplateTreeForm final : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  explicit TemplateTreeForm(QWidget* parent = nullptr);

  int BorderStyle() const { return Forms::BorderTree; }
  TreeView* Tree() const { return tree_; }

  // Asks for a font for the window (with an active template) and starts again when one is chosen.
  Q_INVOKABLE void ChangeFont();
  // Shows DragNode as the tree's selection, or none when it lies in the other tree.
  Q_INVOKABLE void NewDragNode();
  Q_INVOKABLE void NewJournal();
  Q_INVOKABLE void NewThisTemplate();
  // Clears the selection, applies the window's font, rebuilds the tree and shows the window where
  // it stands (placed beside the project tree when it was not on screen).
  Q_INVOKABLE void Start();

 private:
  void RebuildTree();
  // F1: the help page of the selected node's kind.
  void Tree_KeyDown();

  TreeView* tree_;
};
