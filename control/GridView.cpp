#include "GridView.h"

#include "Color.h"
#include "GridModel.h"
#include "GrobDrawing.h"
#include "GrobList.h"
#include "PainterCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Ywindow {

namespace {

// The colour of the area beyond the last row and column.
constexpr int kBeyondCellsColor = 0x808080;

// One of the four panes of the grid: fixed rows over fixed columns, fixed rows over scrolling
// columns, scrolling rows over fixed columns, and scrolling cells.
struct Pane {
  int firstRow = 0;
  int endRow = 0;
  int firstCol = 0;
  int endCol = 0;
  ViewWindow view;  // in the view's own twips
  bool fixed = false;
};

}  // namespace

GridView::GridView(const GridModel& grid, const GrobList& grobs, QWidget* parent)
    : QWidget(parent), grid_(grid), grobs_(grobs) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridView::SetGridObjects(int count, const QList<GridTextSource>& textSources) {
  gridObjects_ = count;
  textCells_.clear();
  for (const GridTextSource& source : textSources) textCells_.insert(source.index, QPoint(source.col, source.row));
  update();
}

void GridView::SetCellFont(const QFont& font) {
  font_ = font;
  update();
}

void GridView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  try {
    Paint(painter);
  } catch (...) {
    // Positions beyond a Long's range: the layout that made them has reported it; nothing can be
    // shown of such a grid, and a paint must never fail.
  }
}

void GridView::Paint(QPainter& painter) {
  painter.fillRect(rect(), praxel::ColorFromLong(kBeyondCellsColor));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(rect().adjusted(1, 1, -2, -2));

  const double pixelX = 1440.0 / logicalDpiX();
  const double pixelY = 1440.0 / logicalDpiY();
  const QList<int> colPos = grid_.ColPositions();
  const QList<int> rowPos = grid_.RowPositions();
  const int fixedWidth = colPos[grid_.FixedCols()];
  const int fixedHeight = rowPos[grid_.FixedRows()];
  const int border = static_cast<int>(std::lround(kBorder * pixelX));
  const int borderY = static_cast<int>(std::lround(kBorder * pixelY));
  const int viewWidth = static_cast<int>(std::lround(width() * pixelX));
  const int viewHeight = static_cast<int>(std::lround(height() * pixelY));

  // Across: the fixed columns from chart x 0, the scrolling ones from the left column's edge.
  struct Span {
    int first, end, chartStart, at, size;
  };
  const Span across[2] = {
      {0, grid_.FixedCols(), 0, border, fixedWidth},
      {grid_.LeftCol(), grid_.Cols(), colPos[grid_.LeftCol()], border + fixedWidth, viewWidth - border - fixedWidth}};
  const Span down[2] = {{0, grid_.FixedRows(), 0, borderY, fixedHeight},
                        {grid_.TopRow(), grid_.Rows(), rowPos[grid_.TopRow()], borderY + fixedHeight,
                         viewHeight - borderY - fixedHeight}};

  painter.setFont(font_);
  PainterCanvas canvas(painter, pixelX, pixelY);
  const auto toPixels = [&](double x, double y) {
    return QPoint(static_cast<int>(std::lround(x / pixelX)), static_cast<int>(std::lround(y / pixelY)));
  };
  for (int h = 0; h < 2; ++h) {
    for (int v = 0; v < 2; ++v) {
      const Span& cols = across[h];
      const Span& rows = down[v];
      if (cols.size <= 0 || rows.size <= 0 || cols.first >= cols.end || rows.first >= rows.end) continue;
      const QRect paneRect(toPixels(cols.at, rows.at), toPixels(cols.at + cols.size, rows.at + rows.size));
      painter.setClipRect(paneRect);

      // The cells' back colours.
      for (int r = rows.first; r < rows.end && rowPos[r] - rows.chartStart < rows.size; ++r) {
        for (int c = cols.first; c < cols.end && colPos[c] - cols.chartStart < cols.size; ++c) {
          int color = grid_.CellBackColor(r, c);
          if (color == 0) color = h == 0 || v == 0 ? grid_.BackColorFixed() : grid_.BackColor();
          const QPoint topLeft = toPixels(cols.at + colPos[c] - cols.chartStart, rows.at + rowPos[r] - rows.chartStart);
          const QPoint end =
              toPixels(cols.at + colPos[c + 1] - cols.chartStart, rows.at + rowPos[r + 1] - rows.chartStart);
          painter.fillRect(QRect(topLeft, end - QPoint(1, 1)), praxel::ColorFromLong(color));
        }
      }

      // The grid's texts and lines, each text in its cell's font.
      ViewWindow view;
      view.ViewX1 = cols.chartStart;
      view.ViewX2 = cols.chartStart + cols.size;
      view.ViewY1 = rows.chartStart;
      view.ViewY2 = rows.chartStart + rows.size;
      view.CanvasLeft = cols.at;
      view.CanvasTop = rows.at;
      RedrawAllGrobs(grobs_, canvas, view, false, 0, gridObjects_, [&](int index) {
        const auto cell = textCells_.constFind(index);
        QFont font = font_;
        if (cell != textCells_.constEnd() && cell->y() < grid_.Rows() && cell->x() < grid_.Cols()) {
          font.setBold(font_.bold() || grid_.CellBold(cell->y(), cell->x()));
          font.setItalic(font_.italic() || grid_.CellItalic(cell->y(), cell->x()));
        }
        painter.setFont(font);
      });
    }
  }
}

}  // namespace Ywindow
