#pragma once

#include "Forms.h"

#include <QString>
#include <QWidget>

class TreeHost;
class TreeView;

// What the project tree and the template tree windows share: the window filled by its tree
// control "Tree", the host (the main window) handed in when the window is made, starting, the
// font command, and the notifications both answer alike.
//
// Each window builds its own tree (RebuildTree), says whether it has anything to show
// (SubjectSet), answers F1 its own way (Tree_KeyDown) and may show itself other than through its
// host (ShowTree). The procedures here trap their failures under "TreeForm:<procedure>".
class TreeForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int BorderStyle READ BorderStyle CONSTANT)

 public:
  int BorderStyle() const { return Forms::BorderTree; }
  TreeView* Tree() const { return tree_; }

  // Asks for a font for the window (when it has something to show) and starts again when one is
  // chosen.
  Q_INVOKABLE void ChangeFont();
  // Shows DragNode as the tree's selection, or none when it lies in the other tree.
  Q_INVOKABLE void NewDragNode();
  Q_INVOKABLE void NewJournal();
  // Clears the selection, applies the window's font, rebuilds the tree and shows the window.
  Q_INVOKABLE void Start();

 protected:
  // Module: the window's name in its handler locations ("ProjectTree"); Caption: its title.
  TreeForm(const QString& Module, const QString& Caption, TreeHost& Host, QWidget* parent);

  TreeHost& Host() const;

  // Whether there is an active project (template) to show; tells the user when there is none.
  virtual bool SubjectSet() const = 0;
  virtual void RebuildTree() = 0;
  // Shows the window once it is rebuilt: by default through the host, which places it.
  virtual void ShowTree();
  // F1 on the tree.
  virtual void Tree_KeyDown() = 0;

 private:
  TreeView* tree_;
};
