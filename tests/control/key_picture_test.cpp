// The key over the last row: it meets the drawing surface without a seam, and it follows the key
// row as the grid scrolls. Checked at single pixels of a picture of the host window, where a pixel
// is 15 twips.

#include "GridModel.h"
#include "ScriptedPrompter.h"
#include "TestHost.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QScrollBar>

#include <cmath>

namespace {

constexpr int kBlue = 0xFF0000;
constexpr int kGreen = 0xFF00;

class KeyPictureTest : public testing::Test {
 protected:
  void SetUp() override { Ywindow::SetPrompter(&prompter); }
  void TearDown() override {
    Ywindow::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  const Ywindow::GridModel& Grid() const { return host.Typed().Grid(); }
  QWidget* Part(const char* name) const { return host.Control()->findChild<QWidget*>(QString::fromLatin1(name)); }
  int KeyTop() const { return Grid().RowPos(Grid().Rows() - 1); }

  // The window pixel where the drawing surface, scrolled back to its first column, draws a chart
  // point: the surface shows the chart from the first scrolling column's edge and the top row's
  // edge, two pixels in. The key must draw its part of the chart at the same pixels.
  QPoint SurfacePixel(int x, int y) const {
    const QRect surface = Part("ScrollPicture")->geometry();
    const int left = Grid().ColPos(Grid().FixedCols()) + 30;
    const int top = Grid().RowPos(Grid().TopRow()) + 30;
    return surface.topLeft() + QPoint(static_cast<int>(std::lround((x - left) / 15.0)),
                                      static_cast<int>(std::lround((y - top) / 15.0)));
  }
  QColor At(const QImage& picture, QPoint pixel) const { return picture.pixelColor(pixel); }
  QImage Picture() { return host.Window().grab().toImage(); }

  void Line(int x1, int y1, int x2, int y2) {
    host.Call("XLine", Q_ARG(int, x1), Q_ARG(int, y1), Q_ARG(int, x2), Q_ARG(int, y2), Q_ARG(int, kBlue),
              Q_ARG(int, 0));
  }

  testsupport::ScriptedPrompter prompter;
  TestHost host;
};

// A key that runs on past the locked column continues on the drawing: a line across the seam is
// unbroken, and lines on either side of it stand where the surface puts them.
TEST_F(KeyPictureTest, AKeyPastTheLockedColumnMeetsTheDrawingWithoutASeam) {
  host.layout.keySize = 3;
  const auto seam = [&] { return Grid().ColPos(1); };
  host.drawing = [&] {
    for (int x : {seam() - 75, seam() - 40, seam() - 20, seam() + 20, seam() + 75}) {
      Line(x, KeyTop() + 60, x, KeyTop() + 400);
    }
    for (int y : {KeyTop() + 100, KeyTop() + 255, KeyTop() + 410}) Line(150, y, seam() + 600, y);
  };
  host.Call("SetDateRange", Q_ARG(double, 45301.0), Q_ARG(double, 45305.0));
  ASSERT_TRUE(Part("KeyPicture")->isVisible());
  const QImage picture = Picture();

  for (int x : {seam() - 75, seam() - 40, seam() - 20, seam() + 20, seam() + 75}) {
    EXPECT_EQ(At(picture, SurfacePixel(x, KeyTop() + 330)), QColor(0, 0, 255)) << "upright at " << x - seam();
  }
  for (int y : {KeyTop() + 100, KeyTop() + 255, KeyTop() + 410}) {
    const QPoint from = SurfacePixel(150, y);
    const QPoint to = SurfacePixel(seam() + 600, y);
    for (int x = from.x() + 1; x < to.x(); ++x) {
      EXPECT_EQ(picture.pixelColor(x, from.y()), QColor(0, 0, 255)) << "across at pixel " << x << ", " << y - KeyTop();
    }
  }
  // The grid's bottom line runs on at the same height under the key and under the drawing.
  const QPoint bottom = SurfacePixel(0, Grid().RowPos(Grid().Rows()));
  const QRect key = Part("KeyPicture")->geometry();
  for (int y = bottom.y() - 3; y <= bottom.y() + 3; ++y) {
    EXPECT_EQ(picture.pixelColor(key.left() + 10, y), picture.pixelColor(key.right() + 10, y)) << "pixel row " << y;
  }
}

// A chart taller than its window: at every scroll position the key stands over the key row where
// it shows, from just below the row's top line down to the drawing's bottom, and the drawing ends
// with the chart; with the row out of view there is no key.
TEST_F(KeyPictureTest, TheKeyFollowsTheKeyRowAsTheGridScrolls) {
  host.layout.keySize = 3;
  host.layout.dataRows = 40;
  host.drawing = [&] {
    host.Call("Box", Q_ARG(int, 150), Q_ARG(int, KeyTop() + 90), Q_ARG(int, 600), Q_ARG(int, KeyTop() + 300),
              Q_ARG(int, 0), Q_ARG(int, kGreen));
  };
  host.Call("SetDateRange", Q_ARG(double, 45301.0), Q_ARG(double, 45305.0));
  auto* bar = host.Control()->findChild<QScrollBar*>(QStringLiteral("GridVScroll"));
  // Heights that leave the last rows more or less room below them.
  for (int height : {600, 589, 577, 566}) {
    host.Control()->resize(900, height);
    bar->setValue(bar->minimum());
    ASSERT_TRUE(bar->isVisible());
    EXPECT_FALSE(Part("KeyPicture")->isVisible());
    int seen = 0;
    for (int position = bar->maximum(); position >= bar->minimum(); --position) {
      bar->setValue(position);
      const QRect surface = Part("ScrollPicture")->geometry();
      // The drawing ends with the grid's bottom line, where the grid's grey begins.
      const int lastLine = SurfacePixel(0, Grid().RowPos(Grid().Rows())).y();
      EXPECT_LE(surface.bottom(), lastLine + 1) << height << " high, scrolled to row " << position;
      const QPoint rowTop = SurfacePixel(0, KeyTop());
      if (rowTop.y() + 3 > surface.bottom()) {
        EXPECT_EQ(Part("KeyPicture")->isVisible(), rowTop.y() + 1 <= surface.bottom())
            << height << " high, scrolled to row " << position;
        continue;
      }
      ++seen;
      ASSERT_TRUE(Part("KeyPicture")->isVisible()) << height << " high, scrolled to row " << position;
      const QRect key = Part("KeyPicture")->geometry();
      EXPECT_EQ(key.top(), rowTop.y() + 1) << height << " high, scrolled to row " << position;
      EXPECT_EQ(key.bottom(), surface.bottom()) << height << " high, scrolled to row " << position;
      const QImage picture = Picture();
      // Just below the row's top line, the locked cell is the key's, not the grid's grey.
      EXPECT_EQ(At(picture, QPoint(key.left() + 10, rowTop.y() + 3)), QColor(255, 255, 255))
          << height << " high, scrolled to row " << position;
      const QPoint sample = SurfacePixel(375, KeyTop() + 180);
      if (sample.y() < surface.bottom()) {
        EXPECT_EQ(At(picture, sample), QColor(0, 255, 0)) << height << " high, scrolled to row " << position;
      }
    }
    EXPECT_GE(seen, 2) << height << " high";  // the key shows at the end and one row before it
  }
}

}  // namespace
