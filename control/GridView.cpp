#include "GridView.h"

#include "Color.h"
#include "ControlGeometry.h"
#include "GridModel.h"
#include "GrobDrawing.h"
#include "GrobList.h"
#include "MouseCodes.h"
#include "PaintBreaks.h"
#include "PainterCanvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace Ywindow {

namespace {

// The colour of the area beyond the last row and column.
constexpr int kBeyondCellsColor = 0x808080;
// How near a column's border, in pixels, a press grabs it.
constexpr double kBorderGrip = 3;

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

GridView::GridView(GridModel& grid, const GrobList& grobs, QWidget* parent)
    : QWidget(parent),
      grid_(grid),
      grobs_(grobs),
      horizontalBar_(new QScrollBar(Qt::Horizontal, this)),
      verticalBar_(new QScrollBar(Qt::Vertical, this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The pointer shows where a column border can be dragged.
  setMouseTracking(true);
  horizontalBar_->setObjectName(QStringLiteral("GridHScroll"));
  verticalBar_->setObjectName(QStringLiteral("GridVScroll"));
  horizontalBar_->hide();
  verticalBar_->hide();
  connect(horizontalBar_, &QScrollBar::valueChanged, this, [this] { OnScrollBarMoved(); });
  connect(verticalBar_, &QScrollBar::valueChanged, this, [this] { OnScrollBarMoved(); });
}

double GridView::PixelX() const { return 1440.0 / logicalDpiX(); }
double GridView::PixelY() const { return 1440.0 / logicalDpiY(); }

void GridView::SetScrollBars(bool horizontal, bool vertical) {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int innerWidth = width() - 2 * kBorder - (vertical ? extent : 0);
  const int innerHeight = height() - 2 * kBorder - (horizontal ? extent : 0);
  horizontalBar_->setGeometry(kBorder, height() - kBorder - extent, std::max(innerWidth, 0), extent);
  verticalBar_->setGeometry(width() - kBorder - extent, kBorder, extent, std::max(innerHeight, 0));

  // The room the scrolling cells have, and from which column and row on all the rest fit it.
  const QList<int> colPos = grid_.ColPositions();
  const QList<int> rowPos = grid_.RowPositions();
  const double scrollingWidth = innerWidth * PixelX() - colPos[grid_.FixedCols()];
  const double scrollingHeight = innerHeight * PixelY() - rowPos[grid_.FixedRows()];
  const int lastLeft = LastLeftCol(grid_, scrollingWidth);
  const int lastTop = LastTopRow(grid_, scrollingHeight);
  if (grid_.LeftCol() > lastLeft) grid_.SetLeftCol(lastLeft);
  if (grid_.TopRow() > lastTop) grid_.SetTopRow(lastTop);

  // A page is as many columns (rows) as fit from the first scrolling one.
  const auto fitting = [](const QList<int>& positions, int first, double room) {
    int end = first + 1;
    while (end + 1 < positions.size() && positions[end + 1] - positions[first] <= room) ++end;
    return std::max(1, end - first);
  };
  {
    const QSignalBlocker blockHorizontal(horizontalBar_);
    const QSignalBlocker blockVertical(verticalBar_);
    horizontalBar_->setRange(grid_.FixedCols(), lastLeft);
    horizontalBar_->setPageStep(fitting(colPos, grid_.FixedCols(), scrollingWidth));
    verticalBar_->setRange(grid_.FixedRows(), lastTop);
    verticalBar_->setPageStep(fitting(rowPos, grid_.FixedRows(), scrollingHeight));
  }
  FollowScrollPosition();
  horizontalBar_->setVisible(horizontal);
  verticalBar_->setVisible(vertical);
  update();
}

void GridView::FollowScrollPosition() {
  const QSignalBlocker blockHorizontal(horizontalBar_);
  const QSignalBlocker blockVertical(verticalBar_);
  horizontalBar_->setValue(grid_.LeftCol());
  verticalBar_->setValue(grid_.TopRow());
}

void GridView::OnScrollBarMoved() {
  const int left = horizontalBar_->value();
  const int top = verticalBar_->value();
  if (left == grid_.LeftCol() && top == grid_.TopRow()) return;
  try {
    grid_.SetLeftCol(left);
    grid_.SetTopRow(top);
  } catch (...) {
    // The bars' ranges come from the grid: a value outside it leaves the grid where it was.
    FollowScrollPosition();
    return;
  }
  update();
  emit Scrolled();
}

void GridView::Wheel(QWheelEvent* event) {
  QScrollBar* bar = !verticalBar_->isHidden() ? verticalBar_ : horizontalBar_;
  if (!bar->isHidden()) QApplication::sendEvent(bar, event);
}

void GridView::wheelEvent(QWheelEvent* event) { Wheel(event); }

int GridView::BorderAt(QPoint point) const {
  try {
    const QList<int> colPos = grid_.ColPositions();
    const QList<int> rowPos = grid_.RowPositions();
    const int fixed = grid_.FixedCols();
    if (point.y() < kBorder || point.y() >= kBorder + rowPos[grid_.FixedRows()] / PixelY()) return -1;
    int nearest = -1;
    double nearestDistance = kBorderGrip + 0.5;
    for (int col = 0; col < grid_.Cols(); ++col) {
      // Hidden columns stay hidden, and columns scrolled out of view have no border to grab.
      if (grid_.ColWidth(col) <= 0 || (col >= fixed && col < grid_.LeftCol())) continue;
      const double right = col < fixed ? colPos[col + 1] : colPos[fixed] + colPos[col + 1] - colPos[grid_.LeftCol()];
      const double distance = std::abs(point.x() - (kBorder + right / PixelX()));
      if (distance < nearestDistance) {
        nearest = col;
        nearestDistance = distance;
      }
    }
    return nearest;
  } catch (...) {
    return -1;  // positions beyond a Long's range: nothing to grab
  }
}

void GridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const int border = BorderAt(event->position().toPoint());
    if (border >= 0) {
      resizing_ = border;
      resizeStartX_ = event->position().toPoint().x();
      resizeStartWidth_ = grid_.ColWidth(border);
      return;
    }
  }
  emit Pressed(ButtonCode(event->button()), ShiftCode(event->modifiers()),
               QPointF((event->position().x() - kBorder) * PixelX(), (event->position().y() - kBorder) * PixelY()));
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (resizing_ < 0) {
    if (BorderAt(point) >= 0) {
      setCursor(Qt::SplitHCursor);
    } else {
      unsetCursor();
    }
    return;
  }
  // The width follows the pointer; the control's width watch takes it from here.
  const double width = resizeStartWidth_ + (point.x() - resizeStartX_) * PixelX();
  if (resizing_ < grid_.Cols()) grid_.SetColWidth(resizing_, static_cast<int>(std::lround(std::clamp(width, 0.0, 2e9))));
  update();
}

void GridView::mouseReleaseEvent(QMouseEvent*) { resizing_ = -1; }

void GridView::mouseDoubleClickEvent(QMouseEvent*) { emit DoubleClicked(); }

void GridView::SetGridObjects(int count, const QList<GridTextSource>& textSources) {
  gridObjects_ = count;
  textCells_.clear();
  for (const GridTextSource& source : textSources) {
    textCells_.insert(source.index, QPoint(source.col, source.row));
    Ywindow::KeepPainting();
  }
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
