#include "ColumnWidths.h"
#include "FontMeasure.h"
#include "GridDrawing.h"
#include "GridModel.h"
#include "GrobList.h"
#include "TestSupport.h"
#include "TextLines.h"
#include "YwindowEnums.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>

using Ywindow::GridModel;

namespace {

// The font's own metrics asked afresh for every text, as TextMeasure defines the widths: what the
// control's remembering measure must give to the last twip.
class FreshMeasure final : public Ywindow::TextMeasure {
 public:
  FreshMeasure(const QFont& font, const QPaintDevice* device)
      : metrics_(font, device),
        twipsPerPixelX_(1440.0 / device->logicalDpiX()),
        twipsPerPixelY_(1440.0 / device->logicalDpiY()),
        fontSize_(static_cast<float>(font.pointSizeF())) {}

  double TextWidth(const QString& text) const override {
    double widest = 0;
    for (const QString& line : Lines(text)) widest = std::max(widest, metrics_.horizontalAdvance(line));
    return widest * twipsPerPixelX_;
  }
  double TextHeight(const QString& text) const override {
    return Ywindow::LineCount(text) * metrics_.height() * twipsPerPixelY_;
  }
  float FontSize() const override { return fontSize_; }

 private:
  static QStringList Lines(const QString& text) {
    QStringList lines;
    QString rest = text;
    QString line;
    bool more = true;
    while (more) {
      more = Ywindow::SplitFirstLine(rest, &line, &rest);
      lines.append(line);
    }
    return lines;
  }

  QFontMetricsF metrics_;
  double twipsPerPixelX_;
  double twipsPerPixelY_;
  float fontSize_;
};

// A sheet's worth of awkward texts: repeats down a column, blanks around texts, pairs that kern,
// lines broken by CR and by CR LF, texts wider than the cap (shortened when drawn), empty cells,
// and cells that merge.
GridModel Sheet() {
  const QList<QStringList> rows = {
      {"Task", "Start", "Finish", "AVAVAV", "Note"},
      {"  To Wave  ", "01/02/2024", "01/02/2024", "Ty", "LTAV WAVY Yo\r\nT."},
      {"Alpha", "01/02/2024", "", "Ty", QString(60, QLatin1Char('W'))},
      {"Alpha", "02/03/2024", "", "", "fi fl ffi\r\nnext line\r\nlast"},
      {"Straße  ", "03/04/2024", "03/04/2024", "1,234.56", ""},
      {"", "", "", "", "Wide\rVAVAVAVAVAVAVAVAVAVAVAVAVAVAVAVAV"},
  };
  GridModel grid;
  grid.SetCols(static_cast<int>(rows.first().size()));
  grid.SetRows(static_cast<int>(rows.size()));
  for (int row = 0; row < grid.Rows(); ++row) {
    for (int col = 0; col < grid.Cols(); ++col) grid.SetText(row, col, rows[row][col]);
  }
  grid.SetColAlignment(1, Ywindow::kAlignCentreCentre);
  grid.SetColAlignment(3, Ywindow::kAlignRightCentre);
  grid.SetMergeCol(0, true);
  grid.SetMergeRow(1, true);
  return grid;
}

QStringList Describe(const GridModel& grid, const Ywindow::GrobList& grobs) {
  QStringList lines;
  for (int col = 0; col < grid.Cols(); ++col) lines.append(QStringLiteral("column %1").arg(grid.ColWidth(col)));
  for (int row = 0; row < grid.Rows(); ++row) lines.append(QStringLiteral("row %1").arg(grid.RowHeight(row)));
  for (int index = 0; index < grobs.Count(); ++index) {
    const Ywindow::Grob& grob = grobs.At(index);
    lines.append(QStringLiteral("%1 \"%2\" %3,%4 to %5,%6")
                     .arg(grob.Kind)
                     .arg(grob.Text)
                     .arg(grob.X1)
                     .arg(grob.Y1)
                     .arg(grob.X2)
                     .arg(grob.Y2));
  }
  return lines;
}

// The grid fitted, grown where a text no longer fits, and drawn, as the control does it.
QStringList FitAndDraw(const Ywindow::TextMeasure& measure, int style) {
  GridModel grid = Sheet();
  Ywindow::AutoFit(grid, measure, style, 1);
  // A column narrowed by hand, so that its texts are shortened and its rows grow.
  grid.SetColWidth(4, grid.ColWidth(4) / 3);
  grid.SetWidthMemory(4, grid.ColWidth(4));
  Ywindow::ExpandRowsIfNeeded(grid, measure);
  Ywindow::GrobList grobs;
  Ywindow::DrawGridText(grid, measure, grobs);
  Ywindow::DrawGridLines(grid, style, grobs);
  return Describe(grid, grobs);
}

class FontMeasureTest : public testing::TestWithParam<const char*> {};

// Widths are remembered for the font and the resolution, and shared by the measures made later:
// one size or resolution must never take the widths of another.
TEST_P(FontMeasureTest, FitsAndDrawsAGridExactlyAsTheFontsOwnMetrics) {
  const struct {
    int points;
    int dotsPerMeter;
  } looks[] = {{10, 3780}, {14, 3780}, {10, 5906}};
  for (const auto& look : looks) {
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(look.dotsPerMeter);
    device.setDotsPerMeterY(look.dotsPerMeter);
    QFont font(QString::fromLatin1(GetParam()));
    font.setPointSize(look.points);
    const FreshMeasure fresh(font, &device);
    const Ywindow::FontMeasure first(font, &device);
    for (const int style : {ywTextOnly, ywDateGrid}) {
      const QStringList expected = FitAndDraw(fresh, style);
      EXPECT_EQ(FitAndDraw(first, style), expected) << look.points << " points, style " << style;
      // Every width now comes from what was remembered.
      const Ywindow::FontMeasure later(font, &device);
      EXPECT_EQ(FitAndDraw(later, style), expected) << look.points << " points, style " << style << ", later";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontMeasureTest, testing::Values("Sans Serif", "Serif", "Monospace"));

}  // namespace
