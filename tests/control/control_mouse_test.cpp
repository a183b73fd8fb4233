#include "GridModel.h"
#include "ScriptedPrompter.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>

namespace {

// Presses on the control's parts, and the events the host gets from them.
class ControlMouseTest : public testing::Test {
 protected:
  void SetUp() override {
    Ywindow::SetPrompter(&prompter);
    YwindowControl& control = host.Typed();
    QObject::connect(&control, &YwindowControl::CellClick, [this](int button, int row, int col) {
      heard.append(QStringLiteral("CellClick %1 %2 %3").arg(button).arg(row).arg(col));
    });
    QObject::connect(&control, &YwindowControl::DateClick, [this](double date) { dates.append(date); });
    QObject::connect(&control, &YwindowControl::ScrollGrid, [this] { heard.append(QStringLiteral("ScrollGrid")); });
    const auto record = [this](const char* name) {
      return [this, name](int button, int shift, float x, float y) {
        heard.append(QStringLiteral("%1 %2 %3 %4,%5").arg(QLatin1String(name)).arg(button).arg(shift).arg(x).arg(y));
      };
    };
    QObject::connect(&control, &YwindowControl::MouseDown, record("MouseDown"));
    QObject::connect(&control, &YwindowControl::MouseMove, record("MouseMove"));
    QObject::connect(&control, &YwindowControl::MouseUp, record("MouseUp"));
  }
  void TearDown() override {
    Ywindow::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  QWidget* Part(const char* name) const { return host.Control()->findChild<QWidget*>(QString::fromLatin1(name)); }
  QScrollBar* Bar(const char* name) const { return host.Control()->findChild<QScrollBar*>(QString::fromLatin1(name)); }
  const Ywindow::GridModel& Grid() const { return host.Typed().Grid(); }

  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
  }
  static void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Send(widget, QEvent::MouseButtonPress, at, button, button, modifiers);
    Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
  }

  // The grid's pixel at the middle of a cell, for a grid at the control's left edge that is not
  // scrolled.
  QPoint CellMiddle(int row, int col) const {
    return QPoint(2 + (Grid().ColPos(col) + Grid().ColPos(col + 1)) / 30, 2 + (Grid().RowPos(row) + Grid().RowPos(row + 1)) / 30);
  }

  // Where a chart point shows on the drawing surface, in the surface's pixels: the surface shows
  // the chart from the left column's edge and the top row's edge, two pixels in.
  QPoint SurfacePixel(double x, double y) const {
    const double left = Grid().ColPos(Grid().LeftCol()) + 30;
    const double top = Grid().RowPos(Grid().TopRow()) + 30;
    return QPoint(static_cast<int>(std::lround((x - left) / 15)), static_cast<int>(std::lround((y - top) / 15)));
  }
  QPoint ScreenPixel(double x, double y) const { return Part("ScrollPicture")->geometry().topLeft() + SurfacePixel(x, y); }

  // A text-only grid of three columns and three data rows.
  void LayOutTextGrid(int lockedCols = 0) {
    host.layout = {{QStringLiteral("Task"), QStringLiteral("Cost"), QStringLiteral("Note")}, false, 3, lockedCols, 0};
    host.Call("Style", Q_ARG(int, ywTextOnly));
    host.Ywindow_RedoLayout();
  }

  testsupport::ScriptedPrompter prompter;
  TestHost host;
  QStringList heard;
  QList<double> dates;
};

TEST_F(ControlMouseTest, APressOnACellIsACellClickAndOneBeyondTheCellsIsNothing) {
  LayOutTextGrid();
  QWidget* grid = Part("Grid");
  Press(grid, CellMiddle(2, 1));
  Press(grid, CellMiddle(3, 2), Qt::RightButton);
  Press(grid, CellMiddle(0, 0), Qt::MiddleButton);
  Press(grid, QPoint(CellMiddle(3, 0).x(), 2 + Grid().RowPos(4) / 15 + 5));  // below the last row
  Press(grid, QPoint(2 + Grid().ColPos(3) / 15 + 5, CellMiddle(1, 0).y()));  // right of the last column
  EXPECT_EQ(heard, (QStringList{"CellClick 1 2 1", "CellClick 2 3 2", "CellClick 4 0 0"}));
}

TEST_F(ControlMouseTest, ADoubleClickLocksTheFirstScrollingColumnAndUnlocksTheLastLockedOne) {
  LayOutTextGrid();
  QWidget* grid = Part("Grid");
  ASSERT_EQ(Grid().FixedCols(), 0);
  const auto doubleClick = [&](int col) {
    Press(grid, CellMiddle(1, col));
    Send(grid, QEvent::MouseButtonDblClick, CellMiddle(1, col), Qt::LeftButton, Qt::LeftButton);
  };
  doubleClick(0);
  EXPECT_EQ(Grid().FixedCols(), 1);
  doubleClick(1);
  EXPECT_EQ(Grid().FixedCols(), 2);
  doubleClick(1);  // now the last locked column
  EXPECT_EQ(Grid().FixedCols(), 1);
  doubleClick(2);  // neither
  EXPECT_EQ(Grid().FixedCols(), 1);

  // A date column is never locked.
  host.layout = TestHost::Layout();
  host.Call("Style", Q_ARG(int, ywDateGrid));
  host.Call("SetDateRange", Q_ARG(double, 45301.0), Q_ARG(double, 45305.0));
  ASSERT_EQ(Grid().FixedCols(), 1);
  const QPoint header(2 + (Grid().ColPos(1) + Grid().ColPos(2)) / 30, 2 + (Grid().RowPos(1) + Grid().RowPos(2)) / 30);
  Press(Part("Grid"), header);
  Send(Part("Grid"), QEvent::MouseButtonDblClick, header, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(Grid().FixedCols(), 1);
}

// The user drags a column's border in the header; the width watch sees the new width and the
// chart is drawn again at it.
TEST_F(ControlMouseTest, DraggingAColumnBorderChangesItsWidthAndTheChartFollows) {
  LayOutTextGrid();
  QWidget* grid = Part("Grid");
  const int oldWidth = Grid().ColWidth(0);
  const QPoint border(2 + Grid().ColPos(1) / 15, CellMiddle(0, 0).y());
  host.events.clear();
  Send(grid, QEvent::MouseButtonPress, border, Qt::LeftButton, Qt::LeftButton);
  Send(grid, QEvent::MouseMove, border + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
  Send(grid, QEvent::MouseButtonRelease, border + QPoint(20, 0), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Grid().ColWidth(0), oldWidth + 300);
  EXPECT_TRUE(heard.isEmpty());  // grabbing a border is no click on a cell

  QElapsedTimer clock;
  clock.start();
  while (host.events.isEmpty() && clock.elapsed() < 2000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_EQ(host.events, QStringList{"RedoGraphics depth 0"});
  EXPECT_EQ(Grid().WidthMemory(0), oldWidth + 300);
  // The second column's heading moved right with its column.
  const Ywindow::GrobList& grobs = host.Typed().Grobs();
  int cost = -1;
  for (int index = 0; index < grobs.Count(); ++index) {
    if (grobs.At(index).Text == QStringLiteral("Cost")) cost = index;
  }
  ASSERT_GE(cost, 0);
  EXPECT_GT(grobs.At(cost).X1, oldWidth + 300);
}

// A date chart at the day scale, forty days wide: wider than the control, so the grid scrolls by
// whole columns and the drawing with it.
class ScrolledDateChartTest : public ControlMouseTest {
 protected:
  void SetUp() override {
    ControlMouseTest::SetUp();
    host.drawing = [&] {
      int x1 = 0;
      int x2 = 0;
      host.Call("DateToX", Q_RETURN_ARG(int, x1), Q_ARG(double, Earliest() + 20));
      host.Call("DateToX", Q_RETURN_ARG(int, x2), Q_ARG(double, Earliest() + 22));
      host.Call("Box", Q_ARG(int, x1), Q_ARG(int, Grid().RowPos(3)), Q_ARG(int, x2), Q_ARG(int, Grid().RowPos(4)),
                Q_ARG(int, 0), Q_ARG(int, 0xFF));
    };
    host.Call("SetDateRange", Q_ARG(double, 45301.0), Q_ARG(double, 45341.0));
    host.Control()->findChild<QRadioButton*>(QStringLiteral("ScalingOption1"))->click();
    heard.clear();
  }

  double Earliest() const { return host.Typed().Axis().Earliest; }
  int X(double date) const { return host.Typed().DateToX(date); }
};

TEST_F(ScrolledDateChartTest, TheScrollBarMovesGridAndDrawingTogetherByWholeColumns) {
  QScrollBar* across = Bar("GridHScroll");
  ASSERT_FALSE(across->isHidden());
  ASSERT_EQ(Grid().LeftCol(), 1);
  across->setValue(11);
  EXPECT_EQ(Grid().LeftCol(), 11);
  EXPECT_EQ(heard, QStringList{"ScrollGrid"});

  // The bar's middle and a grid line between two days, where the drawing now shows them.
  const QImage picture = host.Window().grab().toImage();
  const int barMiddleY = (Grid().RowPos(3) + Grid().RowPos(4)) / 2;
  EXPECT_EQ(picture.pixelColor(ScreenPixel(X(Earliest() + 21), barMiddleY)), QColor(255, 0, 0));
  const int lineX = Grid().ColPos(14);  // the left edge of column 14, a day
  EXPECT_EQ(picture.pixelColor(ScreenPixel(lineX, barMiddleY)), QColor(2, 0, 0));  // thin, near-black
  EXPECT_EQ(picture.pixelColor(ScreenPixel(lineX + 150, barMiddleY)), QColor(255, 255, 255));
  // The last row's top edge is the chart's black edge line.
  EXPECT_EQ(picture.pixelColor(ScreenPixel(lineX + 150, Grid().RowPos(4))), QColor(0, 0, 0));
  // Scrolled out of view: what lies left of the left column is not on the drawing.
  EXPECT_LT(ScreenPixel(Grid().ColPos(10), barMiddleY).x(), Part("ScrollPicture")->x());
}

// The date reported for a press is the date under the pointer, however far the chart is
// scrolled: the inverse of DateToX.
TEST_F(ScrolledDateChartTest, DateClickReportsTheDateUnderThePointer) {
  const double perPixel = 15 / host.Typed().Axis().UnitsPerDay;
  Press(Part("ScrollPicture"), SurfacePixel(X(Earliest() + 3.5), 100));
  Bar("GridHScroll")->setValue(11);
  Press(Part("ScrollPicture"), SurfacePixel(X(Earliest() + 15.5), 100));
  Press(Part("ScrollPicture"), QPoint(0, 5));  // the drawing's left edge shows the left column's edge
  ASSERT_EQ(dates.size(), 3);
  EXPECT_NEAR(dates[0], Earliest() + 3.5, perPixel);
  EXPECT_NEAR(dates[1], Earliest() + 15.5, perPixel);
  const double leftEdge = Grid().ColPos(11) + 30 - Grid().ColPos(1);
  EXPECT_NEAR(dates[2], Earliest() + leftEdge / host.Typed().Axis().UnitsPerDay, perPixel / 2);
}

// A graphics-only chart larger than the control, scrolled both ways: the three mouse events
// report the point of the chart under the pointer, all in the same coordinates.
class ScrolledGraphicsChartTest : public ControlMouseTest {
 protected:
  void SetUp() override {
    ControlMouseTest::SetUp();
    host.Call("Style", Q_ARG(int, ywGraphicsOnly));
    host.drawing = [&] {
      host.Call("Box", Q_ARG(int, 0), Q_ARG(int, 0), Q_ARG(int, 40000), Q_ARG(int, 30000), Q_ARG(int, 0),
                Q_ARG(int, 0xFFFFFF));
    };
    host.Call("Reset");
    host.Call("LayoutComplete", Q_ARG(int, 0), Q_ARG(int, 0));
    Bar("GridHScroll")->setValue(5);
    Bar("GridVScroll")->setValue(7);
    heard.clear();
  }

  QString At(QPoint surface) const {
    return QStringLiteral("%1,%2")
        .arg(Grid().ColPos(Grid().LeftCol()) + 30 + 15 * surface.x())
        .arg(Grid().RowPos(Grid().TopRow()) + 30 + 15 * surface.y());
  }
};

TEST_F(ScrolledGraphicsChartTest, MouseEventsReportChartCoordinatesAllTheSameWay) {
  ASSERT_EQ(Grid().LeftCol(), 5);
  ASSERT_EQ(Grid().TopRow(), 7);
  QWidget* surface = Part("ScrollPicture");
  Send(surface, QEvent::MouseButtonPress, QPoint(20, 30), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  Send(surface, QEvent::MouseMove, QPoint(25, 35), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
  Send(surface, QEvent::MouseButtonRelease, QPoint(25, 35), Qt::LeftButton, Qt::RightButton, Qt::ControlModifier);
  EXPECT_EQ(heard, (QStringList{"MouseDown 1 1 " + At({20, 30}), "MouseMove 3 0 " + At({25, 35}),
                                "MouseUp 1 2 " + At({25, 35})}));
}

// While a button is down on the drawing, a redraw keeps the scroll position the press began
// with; after the release it does not.
TEST_F(ScrolledGraphicsChartTest, ARedrawDuringADragKeepsTheScrollPosition) {
  QWidget* surface = Part("ScrollPicture");
  Send(surface, QEvent::MouseButtonPress, QPoint(20, 30), Qt::LeftButton, Qt::LeftButton);
  Bar("GridHScroll")->setValue(2);
  host.Call("Refresh");
  EXPECT_EQ(Grid().LeftCol(), 5);
  EXPECT_EQ(Bar("GridHScroll")->value(), 5);

  Send(surface, QEvent::MouseButtonRelease, QPoint(20, 30), Qt::LeftButton, Qt::NoButton);
  Bar("GridHScroll")->setValue(2);
  host.Call("Refresh");
  EXPECT_EQ(Grid().LeftCol(), 2);
}

TEST_F(ControlMouseTest, ResizeContainerFitsTheHostsWindowToTheChart) {
  LayOutTextGrid();
  const int width = Grid().ColPos(Grid().Cols());
  QWidget form;
  host.Call("ResizeContainer", Q_ARG(QWidget*, &form), Q_ARG(int, 300));
  // Never lower than the scaling panel with its margins: 2772 twips.
  const int height = std::lround(2772 / 15.0) + 8;
  EXPECT_EQ(form.size(), QSize(std::lround((300.0 + width) / 15) + 8, height));

  // Inside a subwindow, the subwindow keeps its frame around the form.
  QMdiArea area;
  area.resize(1600, 1200);
  auto* inner = new QWidget;
  QMdiSubWindow* frame = area.addSubWindow(inner);
  area.show();
  const QSize overhead = frame->size() - inner->size();
  host.Call("ResizeContainer", Q_ARG(QWidget*, inner), Q_ARG(int, 0));
  EXPECT_EQ(frame->size(), overhead + QSize(std::lround(width / 15.0) + 8, height));
}

}  // namespace
