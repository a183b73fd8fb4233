#pragma once

#include "GridDrawing.h"

#include <QFont>
#include <QHash>
#include <QPoint>
#include <QPointF>
#include <QWidget>

class QPainter;
class QScrollBar;

namespace Ywindow {

class GridModel;
class GrobList;

// The grid as the user sees it: the cells' back colours and the grid's own texts and lines (the
// first objects of the chart's list), with the fixed rows and columns in place and the rest
// scrolled to the grid's top row and left column. The cells start two pixels inside the edge.
//
// The grid's scroll bars scroll it by whole rows and columns; the user drags a column's right
// border in the fixed rows to change its width. Presses elsewhere are reported, in twips from the
// top left of the cells.
class GridView final : public QWidget {
  Q_OBJECT

 public:
  GridView(GridModel& grid, const GrobList& grobs, QWidget* parent);

  // The grid's own objects: how many lead the list, and the cell each text stands for.
  void SetGridObjects(int count, const QList<GridTextSource>& textSources);
  // The font of the cells' texts.
  void SetCellFont(const QFont& font);

  // Shows the scroll bars that the control found the grid needs and fits their ranges to the
  // cells; a grid scrolled further than its cells need scrolls back, without a report.
  void SetScrollBars(bool horizontal, bool vertical);
  // Moves the scroll bars to the grid's left column and top row.
  void FollowScrollPosition();
  // Scrolls as the wheel turns.
  void Wheel(QWheelEvent* event);

  // The width of the edge around the cells, in pixels.
  static constexpr int kBorder = 2;

 signals:
  // The user scrolled the grid.
  void Scrolled();
  // A mouse button went down on the cells (not on a column border being dragged).
  void Pressed(int Button, int Shift, QPointF twips);
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Paint(QPainter& painter);
  double PixelX() const;
  double PixelY() const;
  // The column whose right border lies under a point of the fixed rows, or -1.
  int BorderAt(QPoint point) const;
  void OnScrollBarMoved();

  GridModel& grid_;
  const GrobList& grobs_;
  int gridObjects_ = 0;
  QHash<int, QPoint> textCells_;  // object index to (column, row)
  QFont font_;
  QScrollBar* horizontalBar_;
  QScrollBar* verticalBar_;
  // The column whose width is being dragged, where the drag began and the width then.
  int resizing_ = -1;
  int resizeStartX_ = 0;
  int resizeStartWidth_ = 0;
};

}  // namespace Ywindow
