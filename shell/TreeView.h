#pragma once

#include <QModelIndex>
#include <QString>
#include <QTreeWidget>

class QTreeWidgetItem;
class TreeHost;

// The tree control "Tree" of the project and template tree windows. Its nodes carry the node
// fields of the trees (TreeNodes.h) in item data: the key, the tag and the image letter.
//
// It hands every mouse and drag event to the trees' one mouse routine, Common::TreeMouseAction
// (TreeDragDrop.h), under its window's handler locations ("ProjectTree:Tree_MouseDown", ...),
// and raises HelpRequested on F1 and NodeExpanded when a node opens, by the user or in code.
// Label editing is refused; the control's own drag and drop and its own scrolling while dragging
// are off, since the trees do both themselves. It reaches the main window through the host its
// window hands it: for the node pictures, and for the trees' mouse routine.
class TreeView final : public QTreeWidget {
  Q_OBJECT

 public:
  enum NodeRole : int { KeyRole = Qt::UserRole, TagRole, ImageRole };

  // Module is the window's module name for handler locations: "ProjectTree", "TemplateTree".
  TreeView(const QString& Module, TreeHost& Host, QWidget* parent);

  const QString& Module() const { return module_; }
  TreeHost& Host() const { return host_; }

  // The kind of data a dragged node carries; the trees take drops of it only.
  static QString NodeMimeType();

  // The host's pictures at its tree picture size, and an indentation of 1.25 pictures.
  void ApplyDisplaySettings();

  // The node of a model index and back (public forms of the control's own look-ups).
  QTreeWidgetItem* NodeAt(const QModelIndex& index) const { return itemFromIndex(index); }
  QModelIndex IndexOf(const QTreeWidgetItem* node) const { return indexFromItem(node); }
  // The node under a point of the viewport, or none.
  QTreeWidgetItem* HitTest(int X, int Y) const { return itemAt(X, Y); }

  // Drags the node: the node's own picture while over a place that takes it, the no-drop
  // picture elsewhere. Returns when the drag ends (dropped or given up).
  void BeginDrag(QTreeWidgetItem* node);

 signals:
  void HelpRequested();
  void NodeExpanded(QTreeWidgetItem* node);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Runs TreeMouseAction as the handler of this window's tree event.
  void Handle(const char* handler, const QString& action, int Button, int X, int Y);
  // Hands a drag event at its position to Handle when it carries a node, and answers whether it
  // did; any other drag is refused.
  bool HandleNodeDrag(QDropEvent* event, const char* handler, const QString& action);

  QString module_;
  TreeHost& host_;
};
