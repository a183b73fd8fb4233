#include "TaskEstimates.h"

#include "FormHelpers.h"
#include "Format.h"
#include "Check.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct UnitRow {
  int effortMinutes;    // working time
  int calendarMinutes;  // calendar time
  const char* effortCaption;
  const char* calendarCaption;
};

constexpr std::array<UnitRow, TaskEstimates::kUnitCount> kUnits{{
    {1, 1, "minutes", "minutes"},
    {60, 60, "hours", "hours"},
    {480, 1440, "days (8 hours each)", "days (24 hours each)"},
    {2400, 10080, "weeks (5 days each)", "weeks (7 days each)"},
    {9600, 43200, "months (20 days each)", "months (30 days each)"},
}};

const UnitRow& UnitRowOf(int unit) {
  TRAP_ASSERT(unit >= 0 && unit < TaskEstimates::kUnitCount, "a display unit is one of the five");
  return kUnits[unit];
}

// Typed figures are kept within what a double holds exactly; anything that large is refused on OK.
constexpr double kLargestTyped = 9007199254740992.0;  // 2^53

bool FitsAnEstimate(std::int64_t minutes) {
  return minutes >= std::numeric_limits<std::int32_t>::min() && minutes <= std::numeric_limits<std::int32_t>::max();
}

// The typed text's leading number in minutes of the unit, to the nearest minute (a half to the even).
std::int64_t TypedMinutes(const QString& text, int unitMinutes) {
  const double minutes = Common::LeadingNumber(text, QLocale().decimalPoint().front()) * unitMinutes;
  return static_cast<std::int64_t>(std::nearbyint(std::clamp(minutes, -kLargestTyped, kLargestTyped)));
}

// Digits with an optional sign and one decimal separator, blanks around them: what the live
// reading of a cell reads whole.
bool IsPlainNumber(const QString& text) {
  const QString point = QRegularExpression::escape(QLocale().decimalPoint());
  const QRegularExpression plain(QStringLiteral("^\\s*[+-]?(\\d+(%1\\d*)?|%1\\d+)\\s*$").arg(point));
  return plain.match(text).hasMatch();
}

}  // namespace

int TaskEstimates::UnitMinutes(int unit, bool effortDriven) {
  const UnitRow& row = UnitRowOf(unit);
  return effortDriven ? row.effortMinutes : row.calendarMinutes;
}

int TaskEstimates::UnitOf(int effortUnits) {
  for (int unit = 0; unit < kUnitCount; ++unit) {
    if (effortUnits == -kUnits[unit].effortMinutes || effortUnits == kUnits[unit].calendarMinutes) return unit;
  }
  return Days;
}

QString TaskEstimates::UnitCaption(int unit, bool effortDriven) {
  const UnitRow& row = UnitRowOf(unit);
  return QString::fromLatin1(effortDriven ? row.effortCaption : row.calendarCaption);
}

bool TaskEstimates::ColumnEnabled(int column, bool threeEstimates) { return column == 1 || threeEstimates; }

bool TaskEstimates::RowEnabled(int row, bool otherJournal) { return row == 1 || otherJournal; }

bool TaskEstimates::CellEnabled(int cell, bool threeEstimates, bool otherJournal) {
  return ColumnEnabled(cell % 3, threeEstimates) && RowEnabled(cell / 3, otherJournal);
}

void TaskEstimates::Load(std::int64_t prior, std::int32_t optimistic, std::int32_t mostLikely,
                         std::int32_t pessimistic) {
  minutes_ = {prior, optimistic, mostLikely, pessimistic};
  typedCell_ = -1;
}

std::int64_t TaskEstimates::CellMinutes(int cell) const {
  TRAP_ASSERT(cell >= 0 && cell < kCells, "the grid has nine cells");
  const int column = cell % 3;
  switch (cell / 3) {
    case 0: return Prior();
    case 1: return Total(column) - Prior();
    default: return Total(column);
  }
}

QString TaskEstimates::CellText(int cell, int unitMinutes) const {
  return Common::FormatUnitFigure(CellMinutes(cell), unitMinutes);
}

void TaskEstimates::Type(int cell, const QString& text, int unitMinutes) {
  TRAP_ASSERT(cell >= 0 && cell < kCells, "the grid has nine cells");
  const std::int64_t minutes = TypedMinutes(text, unitMinutes);
  const int column = cell % 3;
  switch (cell / 3) {
    case 0: minutes_[0] = minutes; break;
    case 1: minutes_[1 + column] = minutes + Prior(); break;
    default: minutes_[1 + column] = minutes; break;
  }
  typedCell_ = cell;
}

std::optional<TaskEstimates::Refusal> TaskEstimates::Check(const QString& typedText, int unitMinutes,
                                                           bool threeEstimates) const {
  // A cell typed in a column that is not stored (one estimate) is not read.
  if (typedCell_ >= 0 && ColumnEnabled(typedCell_ % 3, threeEstimates)) {
    if (!IsPlainNumber(typedText)) return Refusal{typedCell_, Fault::NotANumber};
    if (!FitsAnEstimate(TypedMinutes(typedText, unitMinutes))) return Refusal{typedCell_, Fault::OutOfRange};
  }
  for (int column = 0; column < 3; ++column) {
    if (ColumnEnabled(column, threeEstimates) && !FitsAnEstimate(Total(column))) {
      return Refusal{6 + column, Fault::OutOfRange};
    }
  }
  return std::nullopt;
}

TaskEstimates::Estimates TaskEstimates::ToStore(bool threeEstimates) const {
  const auto total = [&](int column) { return static_cast<std::int32_t>(Total(threeEstimates ? column : 1)); };
  return {total(0), total(1), total(2)};
}
