#include "MoneyAxis.h"

#include "Format.h"
#include "YwindowControl.h"

#include <algorithm>
#include <cmath>

namespace Views {

namespace {

// The lowest value row: 0, or the multiple of the increment that reaches down to a negative range.
double BottomValue(double range, double increment) { return std::floor(std::min(0.0, range) / increment) * increment; }

}  // namespace

void AddMoneyRows(YwindowControl* chart, double range, double increment) {
  const double top = std::ceil(std::max(0.0, range) / increment) * increment;
  const double bottom = BottomValue(range, increment);
  // Counted in rows, so that a long ladder does not gather the errors of repeated subtraction.
  const auto rows = static_cast<long long>(std::llround((top - bottom) / increment));
  for (long long row = 0; row <= rows; ++row) {
    chart->AddRow();
    chart->CellText(chart->Rows() - 1, 0, Common::FormatCurrency(top - static_cast<double>(row) * increment));
  }
}

double MoneyToY(YwindowControl* chart, double amount, double range, double increment) {
  const int key = chart->Rows() - 1;
  const int rowHeight = chart->RowPos(key) - chart->RowPos(key - 1);
  return chart->RowPos(key) - (amount - BottomValue(range, increment)) / increment * rowHeight;
}

}  // namespace Views
