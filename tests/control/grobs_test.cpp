#include "CaseName.h"
#include "ErrorNumber.h"
#include "FixedWidthMeasure.h"
#include "GrobDrawing.h"
#include "GrobList.h"
#include "PainterCanvas.h"
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using Ywindow::Grob;
using Ywindow::GrobList;

namespace {

TEST(GrobList, GrowsByHalfItsSizeAndStartsAfreshAfterAClearing) {
  GrobList grobs;
  const QList<std::pair<int, int>> growth = {{1, 100},   {101, 100}, {102, 150}, {151, 150}, {152, 225},
                                             {226, 225}, {227, 338}, {339, 338}, {340, 507}};
  int added = 0;
  for (const auto& [count, upperBound] : growth) {
    while (added < count) {
      grobs.XLine(added, 0, added, 0);
      ++added;
    }
    EXPECT_EQ(grobs.UpperBound(), upperBound) << count << " objects";
  }
  EXPECT_EQ(grobs.At(338).X1, 338);

  grobs.Clear();
  EXPECT_EQ(grobs.Count(), 0);
  EXPECT_EQ(grobs.UpperBound(), 507);  // kept until the next object
  grobs.XLine(1, 1, 2, 2);
  EXPECT_EQ(grobs.UpperBound(), 100);
  EXPECT_EQ(ErrorNumber([&] { grobs.At(1); }), praxel::errSubscript);
}

// A big chart's list spans many blocks of storage; every object stays where it was put, also
// when a clearing lets the next chart reuse the blocks.
TEST(GrobList, KeepsEveryObjectOfABigChartAcrossClearings) {
  GrobList grobs;
  for (int i = 0; i < 10000; ++i) grobs.XLine(i, 0, i, 1);
  for (const int index : {0, 4095, 4096, 8191, 8192, 9999}) EXPECT_EQ(grobs.At(index).X1, index);

  grobs.Clear();
  for (int i = 0; i < 5000; ++i) grobs.Box(0, i, 1, i);
  EXPECT_EQ(grobs.Count(), 5000);
  EXPECT_EQ(grobs.At(4096).Kind, Ywindow::GrobBox);
  EXPECT_EQ(grobs.At(4999).Y1, 4999);
  EXPECT_EQ(ErrorNumber([&] { grobs.At(5000); }), praxel::errSubscript);
}

TEST(GrobList, TheExtentCountsOnlyTheSecondCorners) {
  GrobList grobs;
  grobs.XLine(500, 700, 100, 300);  // drawn leftwards and upwards
  EXPECT_EQ(grobs.Xpixels(), 101);
  EXPECT_EQ(grobs.Ypixels(), 301);
  grobs.Box(0, 0, 400, 900);
  EXPECT_EQ(grobs.Xpixels(), 401);
  EXPECT_EQ(grobs.Ypixels(), 901);
  grobs.Clear();
  EXPECT_EQ(grobs.Xpixels(), 0);
  EXPECT_EQ(grobs.Ypixels(), 0);
}

TEST(GrobList, OmittedThicknessAndFillStyleAreStoredAsOne) {
  GrobList grobs;
  grobs.XLine(0, 0, 10, 10);
  grobs.Box(0, 0, 10, 10, 0xFF);
  EXPECT_EQ(grobs.At(0).Thickness, 1);
  EXPECT_EQ(grobs.At(0).BorderColor, 0);
  EXPECT_EQ(grobs.At(1).FillStyle, Ywindow::kFillSolid);
  EXPECT_EQ(grobs.At(1).FillColor, 0);
}

// A triangle that cannot be drawn is refused when it is added, once, and not at every repaint.
TEST(GrobList, ATriangleWithAnUnknownDirectionIsRefusedWhenAdded) {
  GrobList grobs;
  for (int direction : {1, 3, 5, 7}) grobs.Triangle(0, 0, 10, 10, 0, 0, direction);
  EXPECT_EQ(grobs.Count(), 4);
  for (int direction : {0, 2, 8, -1}) {
    EXPECT_EQ(ErrorNumber([&] { grobs.Triangle(0, 0, 10, 10, 0, 0, direction); }), praxel::errInvalidCall);
  }
  EXPECT_EQ(grobs.Count(), 4);
}

struct TextCase {
  const char* name;
  const char* text;
  int maxWidth;
  QStringList lines;
};

void PrintTo(const TextCase& row, std::ostream* out) { *out << row.name; }

class DrawTextLines : public testing::TestWithParam<TextCase> {};

// Characters 100 twips wide, lines 200 high.
TEST_P(DrawTextLines, AddsOneObjectPerLineEachBelowTheOneBefore) {
  const TextCase& c = GetParam();
  GrobList grobs;
  grobs.DrawText(FixedWidthMeasure(), 1000, 500, QString::fromUtf8(c.text), 4, 0xFF, c.maxWidth);

  ASSERT_EQ(grobs.Count(), c.lines.size());
  for (int index = 0; index < grobs.Count(); ++index) {
    const Grob& grob = grobs.At(index);
    EXPECT_EQ(grob.Kind, Ywindow::GrobText);
    EXPECT_EQ(grob.Text, c.lines[index]);
    EXPECT_EQ(grob.X1, 1000);
    EXPECT_EQ(grob.Y1, 500 + 200 * index);
    EXPECT_EQ(grob.X2, 1000 + 100 * (Ywindow::TrimSpaces(c.lines[index]).size() + 2));
    EXPECT_EQ(grob.Y2, grob.Y1 + 200);
    EXPECT_EQ(grob.Direction, 4);
    EXPECT_EQ(grob.FillColor, 0xFF);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, DrawTextLines,
                         testing::Values(TextCase{"OneLine", "Plain", 0, {"Plain"}},
                                         TextCase{"CrLfJoined", "First\r\nSecond", 0, {"First", "Second"}},
                                         TextCase{"CrAlone", "First\rSecond", 0, {"First", "Second"}},
                                         TextCase{"ALoneLineFeedIsText", "First\nSecond", 0, {"First\nSecond"}},
                                         TextCase{"TrailingBreak", "Last\r\n", 0, {"Last", ""}},
                                         TextCase{"Empty", "", 0, {""}},
                                         TextCase{"ShortenedToFit", "Shortened", 450, {"Shor"}},
                                         TextCase{"NarrowerThanOneCharacter", "Gone", 50, {""}}),
                         testsupport::CaseName());

// The window 1000 to 2000 both ways, drawn at the canvas's origin at full size.
class RedrawTest : public testing::Test {
 protected:
  RedrawTest() {
    view.ViewX1 = 1000;
    view.ViewY1 = 1000;
    view.ViewX2 = 2000;
    view.ViewY2 = 2000;
  }
  QStringList Drawn(bool onPrinter = false, bool remap = false) {
    RecordingCanvas canvas(onPrinter);
    Ywindow::RedrawAllGrobs(grobs, canvas, view, remap);
    return canvas.calls;
  }

  GrobList grobs;
  Ywindow::ViewWindow view;
};

TEST_F(RedrawTest, DrawsWhatOverlapsTheWindowAndLinesOnItsEdge) {
  grobs.XLine(1200, 1000, 1500, 1000, 1);  // on the top edge
  grobs.XLine(2000, 1200, 2000, 1500, 2);  // on the right edge
  grobs.Box(500, 1200, 1000, 1500, 3, 3);  // only touches the left edge
  grobs.XLine(2100, 1200, 2500, 1200, 4);  // outside
  grobs.Box(1100, 1100, 1200, 1200, 5, 6, 7);
  EXPECT_EQ(Drawn(), (QStringList{"line 200,0 500,0 color 1 width 1", "line 1000,200 1000,500 color 2 width 1",
                                  "box 100,100 200,200 border 5 fill 6 style 7"}));
}

TEST_F(RedrawTest, LinesAndBoxesAreClippedToTheWindowEachCoordinateByItself) {
  grobs.XLine(1500, 1500, 2500, 3000, 0, 2);
  grobs.Box(800, 1900, 1200, 2600, 0, 0xFF);
  EXPECT_EQ(Drawn(),
            (QStringList{"line 500,500 1000,1000 color 0 width 2", "box 0,900 200,1000 border 0 fill 255 style 1"}));
}

// A line drawn leftwards out of the window is drawn like its twin drawn rightwards.
TEST_F(RedrawTest, ALineDrawnLeftwardsAcrossTheEdgeIsDrawnToTheEdge) {
  grobs.XLine(1500, 1200, 500, 1200);
  grobs.XLine(1500, 2500, 1500, 1500);  // upwards from below the window
  EXPECT_EQ(Drawn(), (QStringList{"line 500,200 0,200 color 0 width 1", "line 500,1000 500,500 color 0 width 1"}));
}

TEST_F(RedrawTest, OvalsTrianglesAndTextsThatOverlapAreDrawnWhole) {
  grobs.Oval(1800, 1800, 2200, 2000, 1, 2);  // wider than tall: fills its box
  grobs.Oval(1100, 1100, 1200, 1500, 1, 2);  // taller than wide: as tall as it is wide
  grobs.Triangle(1900, 1900, 2100, 2101, 3, 4, 7);
  grobs.DrawText(FixedWidthMeasure(), 900, 1100, QStringLiteral("Hello"), 4, 5);  // reaches into the window
  grobs.DrawText(FixedWidthMeasure(), 2000, 1100, QStringLiteral("Out"));         // starts at its edge
  EXPECT_EQ(Drawn(), (QStringList{"ellipse 1000,900 200x100 border 1 fill 2", "ellipse 150,300 12.5x50 border 1 fill 2",
                                  "triangle 1100,1000 900,900 900,1100 border 3 fill 4",
                                  "text -100,100 \"Hello\" color 5 placement 1"}));
}

// An oval without width cannot be drawn; painting draws nothing for it and never fails.
TEST_F(RedrawTest, AnOvalWithoutWidthDrawsNothing) {
  grobs.Oval(1500, 1100, 1500, 1400, 0, 0xFF);
  grobs.Oval(1100, 1500, 1400, 1500, 0, 0xFF);  // without height it is a flat line
  EXPECT_EQ(Drawn(), (QStringList{"ellipse 250,500 150x0 border 0 fill 255"}));
}

TEST_F(RedrawTest, MapsOntoTheCanvasAtItsMagnificationAndPlace) {
  view = {0, 0, 1000, 1000, 100, 50, 0.5f};
  grobs.XLine(101, 200, 300, 403);
  // Halves round to even: 0.5 * 101 + 100 = 150.5 gives 150, 0.5 * 403 + 50 = 251.5 gives 252.
  EXPECT_EQ(Drawn(), (QStringList{"line 150,150 250,252 color 0 width 1"}));
}

TEST_F(RedrawTest, PureRedAndGreenPrintBlackAndWhiteWhenRemapped) {
  grobs.Box(1100, 1100, 1200, 1200, 0xFF00, 0xFF);
  grobs.XLine(1100, 1100, 1200, 1200, 0xFE);
  EXPECT_EQ(Drawn(true, true), (QStringList{"box 100,100 200,200 border 16777215 fill 0 style 1",
                                            "line 100,100 200,200 color 254 width 1"}));
  // On the screen, or without remapping, colours stay.
  EXPECT_EQ(Drawn(false, true).first(), QStringLiteral("box 100,100 200,200 border 65280 fill 255 style 1"));
  EXPECT_EQ(Drawn(true, false).first(), QStringLiteral("box 100,100 200,200 border 65280 fill 255 style 1"));
}

TEST_F(RedrawTest, DrawsAPartOfTheListInOrder) {
  for (int index = 0; index < 4; ++index) grobs.XLine(1100 + index, 1100, 1100 + index, 1200, index);
  RecordingCanvas canvas;
  QList<int> prepared;
  Ywindow::RedrawAllGrobs(grobs, canvas, view, false, 1, 3, [&](int index) { prepared.append(index); });
  EXPECT_EQ(canvas.calls,
            (QStringList{"line 101,100 101,200 color 1 width 1", "line 102,100 102,200 color 2 width 1"}));
  EXPECT_EQ(prepared, (QList<int>{1, 2}));
}

struct Corners {
  const char* name;
  int x1, y1, x2, y2, direction;
  std::array<int, 6> xy;  // the point, then the base
};

void PrintTo(const Corners& row, std::ostream* out) { *out << row.name; }

class TriangleCorners : public testing::TestWithParam<Corners> {};

// The base is made symmetric about the point; the middle rounds toward zero.
TEST_P(TriangleCorners, PutThePointOnTheFacingSide) {
  const Corners& c = GetParam();
  Ywindow::TriangleCorners corners;
  ASSERT_TRUE(Ywindow::DoTriangle(c.x1, c.y1, c.x2, c.y2, c.direction, &corners));
  EXPECT_EQ(corners.xy, c.xy);
}

INSTANTIATE_TEST_SUITE_P(Directions, TriangleCorners,
                         testing::Values(Corners{"Left", 0, 0, 10, 21, 1, {0, 10, 10, 0, 10, 20}},
                                         Corners{"Up", 0, 0, 11, 10, 3, {5, 0, 0, 10, 10, 10}},
                                         Corners{"Down", 0, 0, 11, 10, 5, {5, 10, 0, 0, 10, 0}},
                                         Corners{"Right", 0, 0, 10, 21, 7, {10, 10, 0, 0, 0, 20}},
                                         Corners{"UpLeftOfTheOrigin", -11, 0, 0, 10, 3, {-5, 0, -11, 10, 1, 10}}),
                         testsupport::CaseName());

TEST(DoTriangle, AnUnknownDirectionHasNoCorners) {
  Ywindow::TriangleCorners corners;
  EXPECT_FALSE(Ywindow::DoTriangle(0, 0, 10, 10, 2, &corners));
}

// The hatch of a box is black, whatever colour the shapes drawn before it were filled with.
TEST(PainterCanvas, HatchesBoxesInBlack) {
  QImage image(60, 60, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    Ywindow::PainterCanvas canvas(painter, 1, 1);
    canvas.Ellipse(30, 30, 5, 5, 0xFF00, 0xFF00);
    canvas.Rectangle(0, 0, 59, 59, 0xFF, 0xFFFFFF, 6);  // a cross hatch
  }
  int black = 0;
  int green = 0;
  for (int y = 1; y < 59; ++y) {
    for (int x = 1; x < 59; ++x) {
      black += image.pixel(x, y) == qRgb(0, 0, 0);
      green += image.pixel(x, y) == qRgb(0, 255, 0);
    }
  }
  EXPECT_GT(black, 100);
  EXPECT_EQ(green, 0);                             // the box's fill covers the oval
  EXPECT_EQ(image.pixel(0, 30), qRgb(255, 0, 0));  // the outline
}

}  // namespace
