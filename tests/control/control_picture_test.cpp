#include "ScriptedPrompter.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

namespace {

// What the control shows, checked at single pixels of a picture of the host window. On the
// offscreen screen a pixel is 15 twips; the grid's cells start two pixels inside its edge, and
// the drawing surface over the scrolling cells shows chart twips at the same places.
class ControlPictureTest : public testing::Test {
 protected:
  void SetUp() override { Ywindow::SetPrompter(&prompter); }
  void TearDown() override {
    Ywindow::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  // The colour shown at a point of the chart (twips), with the grid starting gridLeft pixels in.
  QColor At(const QImage& picture, int x, int y, int gridLeft = 0) const {
    return picture.pixelColor(gridLeft + 2 + x / 15, 2 + y / 15);
  }

  void LayOut() {
    host.Call("Reset");
    host.Call("LayoutComplete", Q_ARG(int, 0), Q_ARG(int, 0));
  }

  testsupport::ScriptedPrompter prompter;
  TestHost host;
};

TEST_F(ControlPictureTest, TheDrawingShowsTheHostsObjectsWhereTheyBelong) {
  host.Call("Style", Q_ARG(int, ywGraphicsOnly));
  host.drawing = [&] {
    host.Call("Box", Q_ARG(int, 300), Q_ARG(int, 300), Q_ARG(int, 900), Q_ARG(int, 900), Q_ARG(int, 0),
              Q_ARG(int, 0xFF));
    host.Call("Oval", Q_ARG(int, 1200), Q_ARG(int, 300), Q_ARG(int, 1800), Q_ARG(int, 900), Q_ARG(int, 0),
              Q_ARG(int, 0xFF00));
    host.Call("Triangle", Q_ARG(int, 300), Q_ARG(int, 1200), Q_ARG(int, 900), Q_ARG(int, 1800), Q_ARG(int, 0),
              Q_ARG(int, 0xFF0000), Q_ARG(int, 3));
    host.Call("XLine", Q_ARG(int, 1200), Q_ARG(int, 1500), Q_ARG(int, 1800), Q_ARG(int, 1500), Q_ARG(int, 0xFF00FF),
              Q_ARG(int, 3));
  };
  LayOut();
  const QImage picture = host.Window().grab().toImage();

  EXPECT_EQ(At(picture, 600, 600), QColor(255, 0, 0));       // inside the box
  EXPECT_EQ(At(picture, 1500, 600), QColor(0, 255, 0));      // the oval's middle
  EXPECT_EQ(At(picture, 600, 1700), QColor(0, 0, 255));      // near the triangle's base
  EXPECT_EQ(At(picture, 350, 1250), QColor(255, 255, 255));  // beside its point
  EXPECT_EQ(At(picture, 1500, 1500), QColor(255, 0, 255));   // on the line
  EXPECT_EQ(At(picture, 1050, 1050), QColor(255, 255, 255));
}

// A date chart with a key row two lines tall: the host's bar lies over its day in the first data
// row, its key over the key row's locked cell.
TEST_F(ControlPictureTest, ADateChartShowsItsBarsOverTheirDaysAndItsKeyOverTheLastRow) {
  const Ywindow::GridModel& grid = host.Typed().Grid();
  host.layout.keySize = 2;
  host.drawing = [&] {
    int x1 = 0;
    int x2 = 0;
    double earliest = 0;
    double latest = 0;
    host.Call("GetDateRange", Q_ARG(double&, earliest), Q_ARG(double&, latest));
    host.Call("DateToX", Q_RETURN_ARG(int, x1), Q_ARG(double, earliest + 2));
    host.Call("DateToX", Q_RETURN_ARG(int, x2), Q_ARG(double, earliest + 3));
    host.Call("Box", Q_ARG(int, x1), Q_ARG(int, grid.RowPos(3)), Q_ARG(int, x2), Q_ARG(int, grid.RowPos(4)),
              Q_ARG(int, 0), Q_ARG(int, 0xFF0000));
    const int keyTop = grid.RowPos(grid.Rows() - 1);
    host.Call("Box", Q_ARG(int, 150), Q_ARG(int, keyTop + 60), Q_ARG(int, 600), Q_ARG(int, keyTop + 300), Q_ARG(int, 0),
              Q_ARG(int, 0xFF00));
  };
  host.Call("SetDateRange", Q_ARG(double, 45301.0), Q_ARG(double, 45305.0));
  const QImage picture = host.Window().grab().toImage();

  // The grid starts right of the scaling panel: 1932 twips, 129 pixels.
  const int x = host.Typed().DateToX(host.Typed().Axis().Earliest + 2.5);
  EXPECT_EQ(At(picture, x, (grid.RowPos(3) + grid.RowPos(4)) / 2, 129), QColor(0, 0, 255));
  EXPECT_EQ(At(picture, x, (grid.RowPos(4) + grid.RowPos(5)) / 2, 129), QColor(255, 255, 255));  // the next row
  EXPECT_EQ(At(picture, 375, grid.RowPos(grid.Rows() - 1) + 180, 129), QColor(0, 255, 0));
}

TEST_F(ControlPictureTest, TheTextOnlyGridShowsItsBands) {
  host.layout = {{QStringLiteral("Key"), QStringLiteral("Value")}, false, 0, 0, 0};
  host.Call("Style", Q_ARG(int, ywTextOnly));
  host.Call("Reset");
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("Key")), Q_ARG(int, 1));
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("Value")), Q_ARG(int, 1));
  host.Call("FixTop");
  const QStringList keys = {"A", "A", "B"};
  for (int row = 1; row <= keys.size(); ++row) {
    host.Call("AddRow");
    host.Call("CellText", Q_ARG(int, row), Q_ARG(int, 0), Q_ARG(QString, keys[row - 1]));
    host.Call("CellText", Q_ARG(int, row), Q_ARG(int, 1), Q_ARG(QString, QString::number(row)));
  }
  host.Call("LayoutComplete", Q_ARG(int, 0), Q_ARG(int, 0));
  const QImage picture = host.Window().grab().toImage();

  // Just inside the right edge of the value column, halfway down each row.
  const Ywindow::GridModel& grid = host.Typed().Grid();
  const auto cell = [&](int row) {
    return At(picture, grid.ColPos(2) - 45, (grid.RowPos(row) + grid.RowPos(row + 1)) / 2);
  };
  EXPECT_EQ(cell(1), QColor(255, 255, 255));
  EXPECT_EQ(cell(2), QColor(255, 255, 255));
  EXPECT_EQ(cell(3), QColor(0xD0, 0xFF, 0xD0));
}

// Until a host lays it out, the control shows a grid that looks like a chart.
TEST_F(ControlPictureTest, ANewControlShowsThePlaceholderInEveryStyle) {
  const struct {
    int style;
    int fixedRows;
    int fixedCols;
  } styles[] = {{ywTextOnly, 1, 2}, {ywGraphicsOnly, 0, 0}, {ywDateGrid, 1, 2}};
  for (const auto& style : styles) {
    TestHost fresh;
    fresh.Call("Style", Q_ARG(int, style.style));
    QString first;
    fresh.Call("CellText", Q_RETURN_ARG(QString, first), Q_ARG(int, 0), Q_ARG(int, 0));
    EXPECT_EQ(first, QStringLiteral("Ywindow")) << "style " << style.style;
    const Ywindow::GridModel& grid = fresh.Typed().Grid();
    EXPECT_EQ(grid.FixedRows(), style.fixedRows) << "style " << style.style;
    EXPECT_EQ(grid.FixedCols(), style.fixedCols) << "style " << style.style;
    EXPECT_GT(grid.Rows(), 1);
    EXPECT_GE(grid.ColPos(grid.Cols()), 900 * 15 - (style.style == ywDateGrid ? 1932 : 0));  // fills the grid's width
  }
}

}  // namespace
