#pragma once

#include "GridDrawing.h"

#include <QFont>
#include <QHash>
#include <QPoint>
#include <QWidget>

class QPainter;

namespace Ywindow {

class GridModel;
class GrobList;

// The grid as the user sees it: the cells' back colours and the grid's own texts and lines (the
// first objects of the chart's list), with the fixed rows and columns in place and the rest
// scrolled to the grid's top row and left column. The cells start two pixels inside the edge.
class GridView final : public QWidget {
 public:
  GridView(const GridModel& grid, const GrobList& grobs, QWidget* parent);

  // The grid's own objects: how many lead the list, and the cell each text stands for.
  void SetGridObjects(int count, const QList<GridTextSource>& textSources);
  // The font of the cells' texts.
  void SetCellFont(const QFont& font);

  // The width of the edge around the cells, in pixels.
  static constexpr int kBorder = 2;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Paint(QPainter& painter);

  const GridModel& grid_;
  const GrobList& grobs_;
  int gridObjects_ = 0;
  QHash<int, QPoint> textCells_;  // object index to (column, row)
  QFont font_;
};

}  // namespace Ywindow
