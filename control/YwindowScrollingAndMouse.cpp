// The control's scrolling and mouse handling, and the sizing of its host's window.

#include "ControlGeometry.h"
#include "GridView.h"
#include "Guard.h"
#include "PictureBox.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "YwindowControl.h"

#include <QMdiSubWindow>

#include <algorithm>

using ErrTrap::Guard;
using ErrTrap::Guarded;
using ErrTrap::Handler;

namespace {

// The scaling panel's top edge and height, in twips: a chart's window is never lower than the
// panel with its margins.
constexpr int kPanelTop = 120;
constexpr int kPanelHeight = 2532;

}  // namespace

void YwindowControl::UpdateGridScrollBars() {
  const Ywindow::GridScrollBars shown = Ywindow::ScrollBarsShown(grid_, GridRect(), Pixels(), ScrollBars());
  gridView_->SetScrollBars(shown.horizontal, shown.vertical);
}

void YwindowControl::KeepScrollDuringDrag() {
  // While a button is down on the drawing, a redraw keeps the scroll position it started with,
  // as near as the grid now allows.
  if (!dragLeftCol_ || !dragTopRow_) return;
  const int left = std::clamp(*dragLeftCol_, grid_.FixedCols(), std::max(grid_.FixedCols(), grid_.Cols() - 1));
  const int top = std::clamp(*dragTopRow_, grid_.FixedRows(), std::max(grid_.FixedRows(), grid_.Rows() - 1));
  if (left == grid_.LeftCol() && top == grid_.TopRow()) return;
  grid_.SetLeftCol(left);
  grid_.SetTopRow(top);
  gridView_->FollowScrollPosition();
  Grid_Scroll();
}

void YwindowControl::wheelEvent(QWheelEvent* event) {
  // The wheel over the drawing scrolls the grid under it.
  gridView_->Wheel(event);
}

void YwindowControl::Grid_Scroll() {
  // The drawing's window follows the grid's left column and top row, and the drawing ends where
  // the last cell now ends; the key goes with the key row: it comes into view with the row, and
  // leaves with it. A picture hidden while the chart is being rebuilt stays hidden.
  Guard guard(Handler(QStringLiteral("YwindowControl:Grid_Scroll")));
  const bool shown = !scrollPicture_->isHidden();
  guard([&] {
    if (!shown) return;
    RepositionScrollPicture();
    PaintScrollPicture();
  });
  guard([&] {
    if (style_ != ywDateGrid || !shown) return;
    RepositionKeyPicture();
    PaintKeyPicture();
  });
  guard([&] { emit ScrollGrid(); });
}

void YwindowControl::Grid_MouseDown(int Button, int, float X, float Y) {
  Guard guard(Handler(QStringLiteral("YwindowControl:Grid_MouseDown")));
  guard([&] { clickCol_ = Ywindow::ColumnAt(grid_, X); });
  guard([&] { clickRow_ = Ywindow::RowAt(grid_, Y); });
  // A press beyond the last row or column raises nothing.
  guard([&] {
    if (clickRow_ < grid_.Rows() && clickCol_ < grid_.Cols()) emit CellClick(Button, clickRow_, clickCol_);
  });
}

void YwindowControl::Grid_DblClick() {
  // A double-click on the first scrolling column locks it; one on the last locked column unlocks
  // it. Date columns are never locked this way.
  Guard guard(Handler(QStringLiteral("YwindowControl:Grid_DblClick")));
  if (style_ == ywGraphicsOnly) return;
  guard([&] {
    const int fixed = grid_.FixedCols();
    if (clickCol_ == fixed && clickCol_ < grid_.Cols() && grid_.WidthMemory(clickCol_) >= 0) {
      grid_.SetFixedCols(fixed + 1);
      ++lockedCols_;
      Refresh();
    } else if (clickCol_ == fixed - 1) {
      grid_.SetFixedCols(fixed - 1);
      --lockedCols_;
      Refresh();
    }
  });
}

QPointF YwindowControl::ChartPoint(float X, float Y) const {
  // The drawing shows the chart's window from (ViewX1, ViewY1) on, one twip to a twip.
  return QPointF(scrollView_.ViewX1 + X / scrollView_.Magnification, scrollView_.ViewY1 + Y / scrollView_.Magnification);
}

void YwindowControl::ScrollPicture_MouseDown(int Button, int Shift, float X, float Y) {
  Guard guard(Handler(QStringLiteral("YwindowControl:ScrollPicture_MouseDown")));
  if (style_ == ywGraphicsOnly) {
    guard([&] {
      dragLeftCol_ = grid_.LeftCol();
      dragTopRow_ = grid_.TopRow();
    });
    guard([&] {
      const QPointF chart = ChartPoint(X, Y);
      emit MouseDown(Button, Shift, static_cast<float>(chart.x()), static_cast<float>(chart.y()));
    });
  } else if (style_ == ywDateGrid) {
    // The date under the pointer: the inverse of DateToX. Without a date axis there is none.
    guard([&] {
      if (axis_.UnitsPerDay == 0) return;
      const double x = ChartPoint(X, Y).x();
      emit DateClick(axis_.Earliest + (x - grid_.ColPos(grid_.FixedCols())) / axis_.UnitsPerDay);
    });
  }
}

void YwindowControl::ScrollPicture_MouseMove(int Button, int Shift, float X, float Y) {
  Guarded(Handler(QStringLiteral("YwindowControl:ScrollPicture_MouseMove")), [&] {
    if (style_ != ywGraphicsOnly) return;
    const QPointF chart = ChartPoint(X, Y);
    emit MouseMove(Button, Shift, static_cast<float>(chart.x()), static_cast<float>(chart.y()));
  });
}

void YwindowControl::ScrollPicture_MouseUp(int Button, int Shift, float X, float Y) {
  Guard guard(Handler(QStringLiteral("YwindowControl:ScrollPicture_MouseUp")));
  if (style_ != ywGraphicsOnly) return;
  guard([&] {
    const QPointF chart = ChartPoint(X, Y);
    emit MouseUp(Button, Shift, static_cast<float>(chart.x()), static_cast<float>(chart.y()));
  });
  guard([&] {
    dragLeftCol_.reset();
    dragTopRow_.reset();
  });
}

void YwindowControl::ResizeContainer(QWidget* TheForm, int Left) {
  Guard guard(QStringLiteral("YwindowControl:ResizeContainer"));
  int contentWidth = 0;
  int contentHeight = 0;
  guard([&] {
    contentWidth = praxel::ToLong(gridLeft_ + grid_.ColPos(grid_.Cols()));
    contentHeight = praxel::ToLong(std::max(gridTop_ + grid_.RowPos(grid_.Rows()), 2.0 * kPanelTop + kPanelHeight));
  });
  guard([&] {
    if (TheForm == nullptr) {
      throw praxel::RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
    }
    const Ywindow::PixelSize pixel = Pixels();
    const QSize inner(praxel::ToLong((static_cast<double>(Left) + contentWidth) / pixel.x) + 8,
                      praxel::ToLong(contentHeight / pixel.y) + 8);
    // A form inside a subwindow: the subwindow keeps its frame around the form's new size.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(TheForm->parentWidget())) {
      frame->resize(frame->size() - TheForm->size() + inner);
    } else {
      TheForm->resize(inner);
    }
  });
}
