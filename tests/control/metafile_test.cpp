#include "ChartClipboard.h"
#include "FixedWidthMeasure.h"
#include "Grob.h"
#include "GrobList.h"
#include "MetaFileDrawing.h"
#include "MetaFileHex.h"
#include "ScriptedPrompter.h"
#include "TestHost.h"
#include "OfficeProbe.h"
#include "TestSupport.h"
#include "WmfCanvas.h"
#include "WmfReader.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using Ywindow::GrobList;
using Ywindow::WmfCanvas;

namespace {

constexpr Ywindow::PixelSize kPixel{15, 15};

QFont TenPoint() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(10);
  return font;
}

// The metafile the control makes of these objects: the window, the font, then every object.
WmfPicture MetaFileOf(const GrobList& grobs, bool remapColors = false, const QFont& font = TenPoint()) {
  const FixedWidthMeasure measure;
  WmfCanvas canvas(kPixel, measure);
  canvas.SetWindow(grobs.Xpixels(), grobs.Ypixels());
  canvas.SelectFont(font);
  for (int index = 0; index < grobs.Count(); ++index) Ywindow::DrawGrobToMetaFile(grobs.At(index), canvas, remapColors);
  const WmfPicture picture = ReadWmf(canvas.Bytes());
  EXPECT_TRUE(picture.valid) << picture.error.toStdString();
  return picture;
}

// The records after the set-up of window and font.
QStringList DrawingNames(const WmfPicture& picture) { return picture.Names().mid(6); }

QList<int> Signed(const WmfRecord& record) {
  QList<int> values;
  for (int i = 0; i < record.words.size(); ++i) values.append(record.Signed(i));
  return values;
}

// A pen's or brush's colour, from its two words.
int ColorAt(const WmfRecord& record, int index) { return record.words[index] | record.words[index + 1] << 16; }

TEST(MetaFile, AChartWithoutObjectsIsItsWindowAndFontAlone) {
  const WmfPicture picture = MetaFileOf(GrobList());
  EXPECT_EQ(picture.type, 1);  // a memory metafile
  EXPECT_EQ(picture.version, 0x0300);
  EXPECT_EQ(picture.objects, 1);
  EXPECT_FALSE(picture.placeable);
  EXPECT_EQ(picture.Names(), (QStringList{"SetMapMode", "SetWindowExt", "SetWindowOrg", "CreateFont", "SelectObject",
                                          "SetTextAlign"}));
  EXPECT_EQ(Signed(picture.records[0]), QList<int>{8});            // anisotropic
  EXPECT_EQ(Signed(picture.records[1]), (QList<int>{30, 30}));     // two pixels square, y first
  EXPECT_EQ(Signed(picture.records[2]), (QList<int>{-15, -15}));   // one pixel of margin
  EXPECT_EQ(Signed(picture.records[5]), QList<int>{0});            // left and top

  const WmfRecord& font = picture.records[3];
  EXPECT_EQ(font.Signed(0), -200);  // a character height of ten points in twips
  EXPECT_EQ(font.Signed(4), 400);
  EXPECT_EQ(font.Bytes(5, 1), QByteArray(1, '\0'));  // not italic
  EXPECT_EQ(font.Bytes(9, 12), QByteArray("DejaVu Sans\0", 12));

  QFont boldItalic = TenPoint();
  boldItalic.setBold(true);
  boldItalic.setItalic(true);
  const WmfRecord strong = MetaFileOf(GrobList(), false, boldItalic).records[3];
  EXPECT_EQ(strong.Signed(4), 700);
  EXPECT_EQ(strong.Bytes(5, 1), QByteArray(1, '\1'));
}

TEST(MetaFile, PensAreReusedWhileUnchangedAndBrushesMadeOncePerColour) {
  GrobList grobs;
  grobs.Box(0, 0, 100, 100, 0, 0xFF);
  grobs.Box(200, 0, 300, 100, 0, 0xFF);
  grobs.XLine(0, 200, 300, 200, 0, 1);
  grobs.XLine(0, 300, 300, 300, 0, 2);
  const WmfPicture picture = MetaFileOf(grobs);

  EXPECT_EQ(DrawingNames(picture),
            (QStringList{"CreatePen", "SelectObject", "CreateBrush", "SelectObject", "Rectangle",  // first box
                         "SelectObject", "Rectangle",                                              // the same brush
                         "MoveTo", "LineTo",                                                       // the same pen
                         "CreatePen", "SelectObject", "MoveTo", "LineTo"}));                        // twice as wide
  const QList<WmfRecord> pens = picture.Of(Ywindow::WmfCreatePenIndirect);
  EXPECT_EQ(pens[0].Signed(1), 15);  // one pixel, in twips
  EXPECT_EQ(pens[1].Signed(1), 30);
  EXPECT_EQ(ColorAt(picture.Of(Ywindow::WmfCreateBrushIndirect)[0], 1), 0xFF);
  // A rectangle reaches one pixel further, as the platform leaves its right and bottom edge out;
  // stored bottom, right, top, left.
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfRectangle)[1]), (QList<int>{115, 315, 0, 200}));
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfSelectObject)[3]), QList<int>{2});  // the brush's slot again
  EXPECT_EQ(picture.objects, 4);  // the font, two pens, one brush
}

TEST(MetaFile, AHatchedBoxIsDrawnAgainInABlackHatchOnATransparentBackground) {
  GrobList grobs;
  grobs.Box(0, 0, 100, 100, 0, 0xFF00, 6);
  grobs.Box(200, 0, 300, 100, 0, 0xFF00, 1);
  const WmfPicture picture = MetaFileOf(grobs);
  EXPECT_EQ(DrawingNames(picture),
            (QStringList{"CreatePen", "SelectObject", "CreateBrush", "SelectObject", "Rectangle", "CreateBrush",
                         "SelectObject", "SetBkMode", "Rectangle",  // the hatch
                         "SelectObject", "Rectangle"}));            // the plain box: one rectangle
  const WmfRecord hatch = picture.Of(Ywindow::WmfCreateBrushIndirect)[1];
  EXPECT_EQ(hatch.words[0], Ywindow::kBrushHatched);
  EXPECT_EQ(ColorAt(hatch, 1), 0);
  EXPECT_EQ(hatch.words[3], 4);  // cross
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfSetBkMode)[0]), QList<int>{Ywindow::kBkTransparent});
}

TEST(MetaFile, RemappedColoursAreThePrintersForEveryKind) {
  GrobList grobs;
  grobs.Triangle(0, 0, 100, 100, 0xFF, 0xFF00, Ywindow::TriangleUp);
  const WmfRecord pen = MetaFileOf(grobs, true).Of(Ywindow::WmfCreatePenIndirect)[0];
  const WmfRecord brush = MetaFileOf(grobs, true).Of(Ywindow::WmfCreateBrushIndirect)[0];
  EXPECT_EQ(ColorAt(pen, 3), 0);          // red prints black
  EXPECT_EQ(ColorAt(brush, 1), 0xFFFFFF);  // green white
  EXPECT_EQ(ColorAt(MetaFileOf(grobs, false).Of(Ywindow::WmfCreateBrushIndirect)[0], 1), 0xFF00);
}

TEST(MetaFile, TrianglesTakeTheirPointsByDirectionWithMiddlesRoundedHalfToEven) {
  const struct {
    int direction;
    QList<QPoint> points;
  } cases[] = {
      {Ywindow::TriangleLeft, {{10, 20}, {15, 10}, {15, 30}}},   // (10 + 30) / 2 = 20
      {Ywindow::TriangleUp, {{10, 30}, {12, 10}, {15, 30}}},     // 12.5 rounds to 12
      {Ywindow::TriangleDown, {{10, 10}, {12, 30}, {15, 10}}},
      {Ywindow::TriangleRight, {{10, 10}, {15, 20}, {10, 30}}},
      {2, {{0, 0}, {0, 0}, {0, 0}}},  // no direction: three points at the origin
  };
  for (const auto& c : cases) {
    Ywindow::Grob grob;
    grob.Kind = Ywindow::GrobTriangle;
    grob.X1 = 10;
    grob.Y1 = 10;
    grob.X2 = 15;
    grob.Y2 = 30;
    grob.Direction = c.direction;
    EXPECT_EQ(Ywindow::MetaTrianglePoints(grob), c.points) << "direction " << c.direction;
  }
  Ywindow::Grob odd;
  odd.X1 = 10;
  odd.X2 = 17;
  odd.Y2 = 5;
  odd.Direction = Ywindow::TriangleUp;
  EXPECT_EQ(Ywindow::MetaTrianglePoints(odd)[1].x(), 14);  // 13.5 rounds to 14

  // The degenerate triangle is drawn without an error.
  const FixedWidthMeasure measure;
  WmfCanvas canvas(kPixel, measure);
  Ywindow::Grob sideways;
  sideways.Kind = Ywindow::GrobTriangle;
  sideways.X2 = 100;
  sideways.Y2 = 100;
  sideways.Direction = 2;
  Ywindow::DrawMetaTriangle(sideways, canvas, false);
  const WmfPicture picture = ReadWmf(canvas.Bytes());
  ASSERT_EQ(picture.Of(Ywindow::WmfPolygon).size(), 1);
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfPolygon)[0]), (QList<int>{3, 0, 0, 0, 0, 0, 0}));
}

TEST(MetaFile, OvalsFillTheirBoxAndTextsTakeTheirAlignment) {
  const FixedWidthMeasure measure;
  GrobList grobs;
  grobs.Oval(100, 200, 400, 300, 0, 0xFF);
  grobs.DrawText(measure, 1000, 500, QStringLiteral("Left"), 0);
  grobs.DrawText(measure, 1000, 700, QStringLiteral("Mid"), 4);
  grobs.DrawText(measure, 1000, 900, QStringLiteral("Right"), 8);
  grobs.DrawText(measure, 1000, 1100, QStringLiteral("Odd"), 9);  // keeps the alignment in force
  const WmfPicture picture = MetaFileOf(grobs);

  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfEllipse)[0]), (QList<int>{315, 415, 200, 100}));
  QList<int> alignments;
  for (const WmfRecord& record : picture.Of(Ywindow::WmfSetTextAlign)) alignments.append(record.Signed(0));
  EXPECT_EQ(alignments, (QList<int>{0, 0, 6, 2}));  // the set-up's, then one a text
  const QList<WmfRecord> texts = picture.Of(Ywindow::WmfTextOut);
  ASSERT_EQ(texts.size(), 4);
  EXPECT_EQ(texts[1].Signed(0), 3);
  EXPECT_EQ(texts[1].Bytes(1, 3), QByteArray("Mid"));
  EXPECT_EQ(texts[1].Signed(3), 700);   // y, after the text padded to whole words
  EXPECT_EQ(texts[1].Signed(4), 1000);  // x
  // No text colour is set: texts keep the metafile's black.
  EXPECT_FALSE(picture.Names().contains(QStringLiteral("0x0209")));
}

// Coordinates are 16-bit in a metafile: a chart wider than 32767 twips is written in units of
// two twips, so that its right edge lands at the right and not, wrapped around, far to the left.
TEST(MetaFile, AChartTooLargeForSixteenBitsIsScaledDownRatherThanWrappedAround) {
  GrobList grobs;
  grobs.Box(0, 0, 60000, 1000, 0, 0xFF);
  grobs.XLine(59000, 0, 59000, 1000);
  const WmfPicture picture = MetaFileOf(grobs);
  EXPECT_EQ(Signed(picture.records[1]), (QList<int>{516, 30016}));  // (1001 + 30) / 2, (60001 + 30) / 2, to even
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfRectangle)[0]), (QList<int>{508, 30008, 0, 0}));
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfMoveTo)[0]), (QList<int>{0, 29500}));
  EXPECT_EQ(picture.records[3].Signed(0), -100);  // the font, in the same units

  const FixedWidthMeasure measure;
  WmfCanvas canvas(kPixel, measure);
  canvas.SetWindow(grobs.Xpixels(), grobs.Ypixels());
  EXPECT_EQ(canvas.UnitsPerInch(), 720);
  EXPECT_EQ(canvas.Window(), QRect(-8, -8, 30016, 516));  // -7.5 rounds to even
}

TEST(MetaFile, TextIsWrittenInTheAnsiCodePage) {
  EXPECT_EQ(Ywindow::AnsiText(QStringLiteral("Caf\u00E9 \u20AC5")), QByteArray("Caf\xE9 \x80" "5"));
  EXPECT_EQ(Ywindow::AnsiText(QStringLiteral("\u015Dx\U0001F600")), QByteArray("?x?"));  // not in the code page
}

TEST(MetaFile, HexTextHasThirtyTwoBytesALine) {
  const struct {
    int size;
    QList<int> lineLengths;
    bool endsWithLineEnd;
  } cases[] = {{0, {0}, false}, {1, {2}, false}, {32, {64, 0}, true}, {100, {64, 64, 64, 8}, false}};
  for (const auto& c : cases) {
    QByteArray bytes(c.size, '\0');
    for (int i = 0; i < c.size; ++i) bytes[i] = static_cast<char>(i * 7 + 0xA0);
    const QString text = Ywindow::HexLines(bytes);
    QList<int> lengths;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) lengths.append(static_cast<int>(line.size()));
    EXPECT_EQ(lengths, c.lineLengths) << c.size << " bytes";
    EXPECT_EQ(text.endsWith(QStringLiteral("\r\n")), c.endsWithLineEnd) << c.size << " bytes";
    EXPECT_EQ(QByteArray::fromHex(text.toLatin1()), bytes);
  }
  EXPECT_EQ(Ywindow::HexLines(QByteArray("\x0A\xFF", 2)), QStringLiteral("0AFF"));
}

// The control's own road: the chart of a host, as hex text and on the clipboard.
class ControlMetaFileTest : public testing::Test {
 protected:
  void SetUp() override { Ywindow::SetPrompter(&prompter); }
  void TearDown() override {
    Ywindow::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  const QMimeData& Clipboard() const { return *QApplication::clipboard()->mimeData(); }

  testsupport::ScriptedPrompter prompter;
  TestHost host;
};

TEST_F(ControlMetaFileTest, TheHexTextIsTheWholeChartAndEveryCallMakesItAfresh) {
  host.DrawDateChart();
  QString hex;
  host.Call("GetMetaFileInHex", Q_RETURN_ARG(QString, hex));
  const QStringList lines = hex.split(QStringLiteral("\r\n"));
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) ASSERT_EQ(lines[i].size(), 64) << "line " << i;
  EXPECT_EQ(hex, hex.toUpper());

  const WmfPicture picture = ReadWmf(QByteArray::fromHex(hex.toLatin1()));
  ASSERT_TRUE(picture.valid) << picture.error.toStdString();
  const GrobList& grobs = host.Typed().Grobs();
  int texts = 0;
  int lines_ = 0;
  for (int index = 0; index < grobs.Count(); ++index) {
    texts += grobs.At(index).Kind == Ywindow::GrobText;
    lines_ += grobs.At(index).Kind == Ywindow::GrobLine;
  }
  EXPECT_EQ(picture.Of(Ywindow::WmfTextOut).size(), texts);  // the grid's texts
  EXPECT_EQ(picture.Of(Ywindow::WmfLineTo).size(), lines_);  // and lines
  ASSERT_EQ(picture.Of(Ywindow::WmfRectangle).size(), 1);    // the bar
  EXPECT_EQ(Signed(picture.records[1]), (QList<int>{grobs.Ypixels() + 30, grobs.Xpixels() + 30}));

  QString again;
  host.Call("GetMetaFileInHex", Q_RETURN_ARG(QString, again));
  EXPECT_EQ(again, hex);
}

TEST_F(ControlMetaFileTest, TheClipboardCarriesTheChartAsMetafileSvgAndPng) {
  host.DrawDateChart();
  QApplication::clipboard()->setText(QStringLiteral("earlier"));
  host.Call("CopyToClipboard");

  const WmfPicture picture = ReadWmf(Clipboard().data(QString::fromLatin1(Ywindow::kWmfMimeType)));
  ASSERT_TRUE(picture.valid) << picture.error.toStdString();
  EXPECT_TRUE(picture.placeable);
  const GrobList& grobs = host.Typed().Grobs();
  EXPECT_EQ(QList<int>(std::begin(picture.bounds), std::end(picture.bounds)),
            (QList<int>{-15, -15, grobs.Xpixels() + 15, grobs.Ypixels() + 15}));
  EXPECT_EQ(picture.unitsPerInch, 1440);
  EXPECT_TRUE(Clipboard().data(QStringLiteral("image/svg+xml")).contains("<svg"));
  EXPECT_FALSE(Clipboard().hasText());  // only a text-only chart brings its text

  // The PNG shows the bar, one pixel in from the picture's edge.
  const QImage image = QImage::fromData(Clipboard().data(QStringLiteral("image/png")), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), (grobs.Xpixels() + 14) / 15 + 2);
  int bar = 0;
  for (int index = 0; index < grobs.Count(); ++index) {
    if (grobs.At(index).Kind == Ywindow::GrobBox) bar = index;
  }
  const Ywindow::Grob& box = grobs.At(bar);
  EXPECT_EQ(image.pixelColor(1 + (box.X1 + box.X2) / 30, 1 + (box.Y1 + box.Y2) / 30), QColor(255, 0, 0));
}

TEST_F(ControlMetaFileTest, ATextOnlyGridAlsoGoesAsTabSeparatedTextWithoutItsHiddenColumns) {
  host.Call("Style", Q_ARG(int, ywTextOnly));
  host.Call("Reset");
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("Task")), Q_ARG(int, 1));
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("Cost")), Q_ARG(int, 7));
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("Secret")), Q_ARG(int, AlignHidden));
  host.Call("AddColumn", Q_ARG(QString, QStringLiteral("Note")), Q_ARG(int, 1));
  host.Call("FixTop");
  const QStringList row = {"Dig", "12.50", "x", "first"};
  host.Call("AddRow");
  for (int col = 0; col < row.size(); ++col) host.Call("CellText", Q_ARG(int, 1), Q_ARG(int, col), Q_ARG(QString, row[col]));
  host.Call("LayoutComplete", Q_ARG(int, 0), Q_ARG(int, 0));

  host.Call("CopyToClipboard");
  EXPECT_EQ(Clipboard().text(), QStringLiteral("Task\tCost\tNote\nDig\t12.50\tfirst\n"));
  EXPECT_TRUE(ReadWmf(Clipboard().data(QString::fromLatin1(Ywindow::kWmfMimeType))).valid);
}

TEST(GridClipboardText, ARowWithoutVisibleColumnsKeepsItsLine) {
  Ywindow::GridModel grid;
  grid.SetRows(2);
  grid.SetCols(1);
  grid.SetColWidth(0, 0);
  EXPECT_EQ(Ywindow::GridClipboardText(grid), QStringLiteral("\n\n"));
}

// A cell of several lines stays in its row: pasted, every row of the grid is one row.
TEST(GridClipboardText, ACellOfSeveralLinesStaysInItsRow) {
  Ywindow::GridModel grid;
  grid.SetRows(2);
  grid.SetCols(2);
  grid.SetColWidth(0, 10);
  grid.SetColWidth(1, 10);
  grid.SetText(0, 0, QStringLiteral("1: Dig\r\n  Ann"));
  grid.SetText(0, 1, QStringLiteral("Cost\rper day\n"));
  grid.SetText(1, 0, QStringLiteral("2: Pour"));
  EXPECT_EQ(Ywindow::GridClipboardText(grid), QStringLiteral("1: Dig Ann\tCost per day\n2: Pour\t\n"));
}

// A host draws its own metafile: it starts one, sets pens and brushes, draws triangles of the
// chart and hands the picture over. Drawing after the hand-over draws nothing.
TEST_F(ControlMetaFileTest, AHostDrawsItsOwnMetafileThroughTheMembers) {
  host.Call("Style", Q_ARG(int, ywGraphicsOnly));
  host.drawing = [&] {
    host.Call("Triangle", Q_ARG(int, 100), Q_ARG(int, 100), Q_ARG(int, 500), Q_ARG(int, 500), Q_ARG(int, 0),
              Q_ARG(int, 0xFF0000), Q_ARG(int, 7));
  };
  host.Call("Reset");
  host.Call("LayoutComplete", Q_ARG(int, 0), Q_ARG(int, 0));

  bool started = false;
  host.Call("StartMetaFile", Q_RETURN_ARG(bool, started));
  ASSERT_TRUE(started);
  host.Call("SetPen", Q_ARG(int, 0xFF), Q_ARG(int, 3));
  host.Call("SetPen", Q_ARG(int, 0xFF), Q_ARG(int, 3));  // unchanged: no new pen
  host.Call("SetBrush", Q_ARG(int, 0x00FF00), Q_ARG(int, 3));
  host.Call("MetaTriangle", Q_ARG(int, 0));
  host.Call("FinishCopyToClipboard");
  const WmfPicture picture = ReadWmf(Clipboard().data(QString::fromLatin1(Ywindow::kWmfMimeType)));
  ASSERT_TRUE(picture.valid) << picture.error.toStdString();
  EXPECT_EQ(DrawingNames(picture), (QStringList{"CreatePen", "SelectObject", "CreateBrush", "SelectObject",
                                                "CreatePen", "SelectObject", "CreateBrush", "SelectObject",
                                                "Polygon"}));
  EXPECT_EQ(picture.Of(Ywindow::WmfCreateBrushIndirect)[0].words[3], 1);  // pattern 3: vertical hatch
  EXPECT_EQ(Signed(picture.Of(Ywindow::WmfPolygon)[0]), (QList<int>{3, 100, 100, 500, 300, 100, 500}));

  const QByteArray onClipboard = Clipboard().data(QString::fromLatin1(Ywindow::kWmfMimeType));
  host.Call("SetPen", Q_ARG(int, 0), Q_ARG(int, 1));
  host.Call("MetaTriangle", Q_ARG(int, 0));
  host.Call("FinishCopyToClipboard");
  EXPECT_EQ(Clipboard().data(QString::fromLatin1(Ywindow::kWmfMimeType)), onClipboard);
}

// An outside program reads the metafile: LibreOffice turns it into a PNG that shows the bar red.
// Skipped only where LibreOffice cannot read a metafile; where it can, a failed conversion fails.
TEST_F(ControlMetaFileTest, AnOutsideRendererDrawsTheMetafile) {
  const testsupport::OfficeProbe probe = testsupport::FindOfficeWith(QStringLiteral("draw"));
  if (probe.program.isEmpty()) GTEST_SKIP() << probe.whyNot.toStdString();
  const QString& office = probe.program;
  host.DrawDateChart();
  host.Call("CopyToClipboard");
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString wmf = folder.filePath(QStringLiteral("chart.wmf"));
  testsupport::WriteFileBytes(wmf, Clipboard().data(QString::fromLatin1(Ywindow::kWmfMimeType)));

  QProcess convert;
  convert.setWorkingDirectory(folder.path());
  convert.start(office, {QStringLiteral("-env:UserInstallation=file://") + folder.filePath(QStringLiteral("profile")),
                         QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("png"),
                         QStringLiteral("--outdir"), folder.path(), wmf});
  ASSERT_TRUE(convert.waitForFinished(120000)) << "libreoffice did not finish";
  const QImage png(folder.filePath(QStringLiteral("chart.png")));
  ASSERT_FALSE(png.isNull()) << convert.readAllStandardError().toStdString();

  // The renderer places the picture on a page of its own: find the drawing by its ink, and the
  // bar's middle in proportion to it.
  QRect ink;
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) {
      if (png.pixelColor(x, y).lightness() < 250) ink |= QRect(x, y, 1, 1);
    }
  }
  ASSERT_FALSE(ink.isEmpty());
  const GrobList& grobs = host.Typed().Grobs();
  const Ywindow::Grob* bar = nullptr;
  for (int index = 0; index < grobs.Count(); ++index) {
    if (grobs.At(index).Kind == Ywindow::GrobBox) bar = &grobs.At(index);
  }
  ASSERT_NE(bar, nullptr);
  const double across = (bar->X1 + bar->X2) / 2.0 / grobs.Xpixels();
  const double down = (bar->Y1 + bar->Y2) / 2.0 / grobs.Ypixels();
  const QColor middle = png.pixelColor(ink.left() + static_cast<int>(across * ink.width()),
                                       ink.top() + static_cast<int>(down * ink.height()));
  EXPECT_GT(middle.red(), 200);
  EXPECT_LT(middle.green(), 60);
  EXPECT_LT(middle.blue(), 60);
}

}  // namespace
