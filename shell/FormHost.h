#pragma once

#include <QIcon>
#include <QString>

class QPoint;
class QWidget;
class Ymodel;

// What a window asks of the main window that hosts it: to be placed and shown by its border
// style, and, for a dialog, to hand back the lock on the main window when it unloads. The main
// window hands itself to the windows it makes; a test can hand a stand-in.
class FormHost {
 public:
  virtual void ShowForm(QWidget* frm) = 0;
  virtual void UnlockEntryForm(QWidget* frm) = 0;

 protected:
  ~FormHost() = default;
};

// What the project and template trees ask of it besides: the pictures of their nodes, the popup
// menu and its Modify command, and the scrolling of a tree while a node is dragged over its edge.
class TreeHost : public FormHost {
 public:
  // The node pictures by kind letter ("p" .. "r", and "n" for a refused drop), and their size.
  virtual QIcon TreeImage(const QString& Letter) const = 0;
  virtual int TreeImageSize() const = 0;

  // Prepares the popup menu for a node (its tag and its model object, none for a department)
  // and opens it at a point of the screen.
  virtual void ShowPopupMenu(const QString& NodeTag, const Ymodel* NodeObject, const QPoint& At) = 0;
  // The popup menu's Modify command, for DragNode: what a double click on a node runs.
  virtual void PopupModify() = 0;

  // Scrolls a tree one line a tick while a node hovers near its edge; Tag names the tree and the
  // direction: "ProjectTreeUp", "ProjectTreeDown", "TemplateTreeUp", "TemplateTreeDown".
  virtual void StartTreeScroll(const QString& Tag) = 0;
  virtual void StopTreeScroll() = 0;

 protected:
  ~TreeHost() = default;
};
