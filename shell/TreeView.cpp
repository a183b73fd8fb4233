#include "TreeView.h"

#include "FormHost.h"
#include "Guard.h"
#include "TreeDragDrop.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A dragged node carries nothing but its kind of data: the node itself is DragNode.
bool CarriesNode(const QMimeData* data) { return data != nullptr && data->hasFormat(TreeView::NodeMimeType()); }

}  // namespace

QString TreeView::NodeMimeType() { return QStringLiteral("application/x-praxel-tree-node"); }

TreeView::TreeView(const QString& Module, TreeHost& Host, QWidget* parent)
    : QTreeWidget(parent), module_(Module), host_(Host) {
  setObjectName(QStringLiteral("Tree"));
  setHeaderHidden(true);
  setColumnCount(1);
  header()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setExpandsOnDoubleClick(false);
  setDragEnabled(false);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
  setAutoScroll(false);
  connect(this, &QTreeWidget::itemExpanded, this, &TreeView::NodeExpanded);
}

void TreeView::ApplyDisplaySettings() {
  const int size = host_.TreeImageSize();
  setIconSize(QSize(size, size));
  setIndentation(qRound(1.25 * size));
  setRootIsDecorated(true);
}

void TreeView::Handle(const char* handler, const QString& action, int Button, int X, int Y) {
  ErrTrap::Guarded(ErrTrap::Handler(module_ + QStringLiteral(":Tree_") + QLatin1String(handler)),
                   [&] { Common::TreeMouseAction(action, this, Button, X, Y); });
}

void TreeView::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  Handle("MouseDown", QStringLiteral("Down"), static_cast<int>(event->button()), at.x(), at.y());
}

void TreeView::mouseMoveEvent(QMouseEvent* event) {
  // The left button drags the selected node rather than moving the selection along.
  if (!(event->buttons() & Qt::LeftButton)) QTreeWidget::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  Handle("MouseMove", QStringLiteral("Move"), static_cast<int>(event->buttons()), at.x(), at.y());
}

void TreeView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  Handle("MouseUp", QStringLiteral("Up"), static_cast<int>(event->button()), at.x(), at.y());
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  Handle("DblClick", QStringLiteral("DblClick"), 0, 0, 0);
}

bool TreeView::HandleNodeDrag(QDropEvent* event, const char* handler, const QString& action) {
  if (!CarriesNode(event->mimeData())) {
    event->ignore();
    return false;
  }
  const QPoint at = event->position().toPoint();
  Handle(handler, action, 0, at.x(), at.y());
  return true;
}

void TreeView::dragEnterEvent(QDragEnterEvent* event) {
  if (HandleNodeDrag(event, "DragOver", QStringLiteral("Enter"))) event->acceptProposedAction();
}

void TreeView::dragMoveEvent(QDragMoveEvent* event) {
  if (!HandleNodeDrag(event, "DragOver", QStringLiteral("Over"))) return;
  // Over the dragged node itself the drag shows the no-drop picture.
  if (Common::DropNode() != nullptr && Common::DropNode() == Common::DragNode()) {
    event->ignore();
  } else {
    event->acceptProposedAction();
  }
}

void TreeView::dragLeaveEvent(QDragLeaveEvent* event) {
  const QPoint at = mapFromGlobal(QCursor::pos());
  Handle("DragOver", QStringLiteral("Leave"), 0, at.x(), at.y());
  event->accept();
}

void TreeView::dropEvent(QDropEvent* event) {
  if (HandleNodeDrag(event, "DragDrop", QStringLiteral("Drop"))) event->acceptProposedAction();
}

void TreeView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    emit HelpRequested();
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void TreeView::BeginDrag(QTreeWidgetItem* node) {
  // The node's drag image: its picture and caption.
  const QIcon icon = node->icon(0);
  const QFontMetrics metrics(font());
  const QString text = node->text(0);
  const QSize picture = iconSize();
  QPixmap image(picture.width() + 4 + metrics.horizontalAdvance(text) + 2, qMax(picture.height(), metrics.height()));
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(0, (image.height() - picture.height()) / 2), picture));
    painter.setFont(font());
    painter.drawText(QRect(picture.width() + 4, 0, image.width(), image.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     text);
  }
  auto* data = new QMimeData;
  data->setData(NodeMimeType(), QByteArray());
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->setPixmap(image);
  drag->setHotSpot(QPoint(picture.width() / 2, image.height() / 2));
  drag->setDragCursor(host_.TreeImage(QStringLiteral("n")).pixmap(picture), Qt::IgnoreAction);
  drag->exec(Qt::CopyAction);
}
