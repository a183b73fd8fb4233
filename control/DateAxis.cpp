#include "DateAxis.h"

#include "GridColumns.h"
#include "GridModel.h"
#include "Grob.h"
#include "GrobList.h"
#include "OleDate.h"
#include "Rounding.h"
#include "TextLines.h"
#include "TextMeasure.h"
#include "YwindowEnums.h"

#include <QDate>
#include <QLocale>

#include <cmath>

namespace Ywindow {

namespace {

QDate DateOf(double day) { return praxel::FromOleDate(day).date(); }
double DayOf(const QDate& date) { return praxel::ToOleDate(date); }

QString Abbreviated(const QString& name) { return name.left(3); }

// Appends one date column with its header texts (row 0 down) and its width pinned.
void AddDateColumn(GridModel& grid, const TextMeasure& measure, const QSet<int>& hiddenCols, const QStringList& labels,
                   int width) {
  AddColumn(grid, QString(), kAlignCentreCentre, hiddenCols, measure);
  const int col = grid.Cols() - 1;
  for (int row = 0; row < labels.size(); ++row) grid.SetText(row, col, TrimSpaces(labels[row]));
  grid.SetColWidth(col, width);
  grid.SetWidthMemory(col, -width);
}

}  // namespace

int RoundToNearestPixel(double Twips, double twipsPerPixel) {
  return praxel::ToLong(std::floor((Twips + twipsPerPixel / 2) / twipsPerPixel) * twipsPerPixel);
}

void DateAxis::ChooseScale(int selectedOption, double wedWidth, int printerWidth) {
  if (selectedOption == 1 || selectedOption == 7 || selectedOption == 30 || selectedOption == 90) {
    DaysPerColumn = selectedOption;
    return;
  }
  for (;;) {
    switch (DaysPerColumn) {
      case 0: DaysPerColumn = 1; break;
      case 1: DaysPerColumn = 7; break;
      case 7: DaysPerColumn = 30; break;
      default: DaysPerColumn = 90; return;
    }
    if ((Latest - Earliest) * static_cast<float>(wedWidth) / DaysPerColumn < printerWidth) return;
  }
}

void DateAxis::LabelColumns(GridModel& grid, const TextMeasure& measure, double twipsPerPixelX,
                            const QSet<int>& hiddenCols) {
  const QLocale locale;
  const int wed = praxel::ToLong(measure.TextWidth(QStringLiteral(" Wed ")));
  const QString blank = QStringLiteral(" ");
  switch (DaysPerColumn) {
    case 1: {
      grid.SetRows(3);
      Earliest = std::floor(Earliest) - 1;
      UnitsPerDay = static_cast<float>(praxel::ToLong(measure.TextWidth(QStringLiteral(" Wed ")) + 4 * twipsPerPixelX));
      const int width = RoundToNearestPixel(UnitsPerDay, twipsPerPixelX);
      for (double day = Earliest; day <= Latest + 1; day += 1) {
        const QDate date = DateOf(day);
        AddDateColumn(grid, measure, hiddenCols,
                      {locale.monthName(date.month()) + blank + QString::number(date.year()),
                       QString::number(date.day()), Abbreviated(locale.dayName(date.dayOfWeek()))},
                      width);
      }
      break;
    }
    case 7: {
      grid.SetRows(2);
      const double day = std::floor(Earliest);
      Earliest = day - (praxel::Weekday(day) - 1) - 7;
      UnitsPerDay = wed / 7.0f;
      const int width = RoundToNearestPixel(wed, twipsPerPixelX);
      for (double start = Earliest; start <= Latest + 7; start += 7) {
        const QDate date = DateOf(start);
        AddDateColumn(grid, measure, hiddenCols,
                      {Abbreviated(locale.monthName(date.month())) + blank + QString::number(date.year()),
                       QString::number(date.day())},
                      width);
        grid.SetCellAlignment(1, grid.Cols() - 1, kAlignLeftCentre);
      }
      break;
    }
    case 30: {
      grid.SetRows(2);
      const QDate earliest = DateOf(Earliest);
      QDate date = QDate(earliest.year(), earliest.month(), 1).addMonths(-1);
      Earliest = DayOf(date);
      UnitsPerDay = wed / 30.0f;
      while (DayOf(date) <= Latest + 30) {
        const QDate next = date.addMonths(1);
        const int days = static_cast<int>(date.daysTo(next));
        AddDateColumn(grid, measure, hiddenCols,
                      {QString::number(date.year()), Abbreviated(locale.monthName(date.month()))},
                      RoundToNearestPixel(praxel::ToLong(days * static_cast<double>(UnitsPerDay)), twipsPerPixelX));
        date = next;
      }
      break;
    }
    default: {
      grid.SetRows(2);
      const QDate earliest = DateOf(Earliest);
      const int firstMonthOfQuarter = (earliest.month() - 1) / 3 * 3 + 1;
      QDate date = QDate(earliest.year(), firstMonthOfQuarter, 1).addMonths(-3);
      Earliest = DayOf(date);
      UnitsPerDay = wed / 90.0f;
      while (DayOf(date) <= Latest + 90) {
        const QDate next = date.addMonths(3);
        const int days = static_cast<int>(date.daysTo(next));
        AddDateColumn(grid, measure, hiddenCols,
                      {QString::number(date.year()), QStringLiteral("Q") + QString::number(date.month() / 3 + 1)},
                      RoundToNearestPixel(praxel::ToLong(days * static_cast<double>(UnitsPerDay)), twipsPerPixelX));
        date = next;
      }
      break;
    }
  }
}

int DateAxis::DateToX(double TheDate, const GridModel& grid) const {
  return praxel::ToLong((TheDate - Earliest) * UnitsPerDay + grid.ColPos(grid.FixedCols()));
}

void DateAxis::AddTodayLine(GrobList& grobs, const GridModel& grid, const TextMeasure& measure, double TodayLine,
                            int Color) const {
  if (TodayLine < Earliest || TodayLine > Latest) return;
  const double size = measure.FontSize();
  const int x = DateToX(TodayLine, grid);
  const int top = grid.RowPos(FirstGraphicRow());
  const int bottom = praxel::ToLong(grid.RowPos(grid.Rows() - 1) + size * 20);
  grobs.XLine(x, top, x, bottom, Color, 1);
  grobs.DrawText(measure, x, bottom, QStringLiteral("Today"), 3, Color, 0);
  grobs.Triangle(praxel::ToLong(x - 3 * size), praxel::ToLong(bottom - 6 * size), praxel::ToLong(x + 3 * size), bottom,
                 Color, Color, TriangleDown);
}

}  // namespace Ywindow
