#pragma once

#include "TreeForm.h"

class TreeHost;

// The template tree window ("Template tree"): the active template, its shifts, then its
// resources included in the template's current journal, grouped under one node per department
// (departments after the shifts, in alphabetical order). It is always built whole, with the
// template and every department open.
//
// It stays loaded until the program ends and rebuilds itself on a new active template and a new
// journal; a rebuild does not move the window. Its own procedures trap their failures under
// "TemplateTree:<procedure>".
class TemplateTreeForm final : public TreeForm {
  Q_OBJECT

 public:
  explicit TemplateTreeForm(TreeHost& Host, QWidget* parent = nullptr);

  Q_INVOKABLE void NewThisTemplate();

 private:
  bool SubjectSet() const override;
  void RebuildTree() override;
  // Shows the window where it stands; only a window not on screen is placed (beside the project
  // tree).
  void ShowTree() override;
  // F1: the help page of the selected node's kind.
  void Tree_KeyDown() override;
};
