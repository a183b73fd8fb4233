// The precedence diagram's picture: the links first, then a white box per shown slice with its
// task and, unless the boxes are numbered, six cells of dates or elapsed times, duration and slack.

#include "PrecedenceForm.h"

#include "ChartColors.h"
#include "Rounding.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"
#include "YwindowControl.h"
#include "ZoomList.h"

#include <QComboBox>
#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace ChartColors;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// The minutes of each unit of the units list, by its text.
qint64 UnitMinutes(const QString& units) {
  if (units == QLatin1String("minutes")) return 1;
  if (units == QLatin1String("hours")) return 60;
  if (units == QLatin1String("weeks")) return 10080;
  if (units == QLatin1String("months")) return 43200;
  return 1440;
}

}  // namespace

void PrecedenceForm::RedoGraphics() {
  // Slices of an ordering that has passed are back in the solver's pool: nothing of them is drawn.
  if (!SlicesCurrent()) ForgetSlices();
  DrawLines();
  for (const Yslice* slice : includeList_) DrawBox(slice);
  Chart()->Refresh();
}

void PrecedenceForm::DrawLines() {
  // A link is met from both of its ends and drawn from each, on the same coordinates.
  for (const Yslice* slice : includeList_) {
    for (const Yslice* predecessor : slice->BackwardList) {
      if (predecessor->Count >= 1 && predecessor->Count < slice->Count) ConnectBoxes(predecessor, slice);
    }
    for (const Yslice* successor : slice->ForwardList) {
      if (successor->Count > slice->Count) ConnectBoxes(slice, successor);
    }
  }
}

void PrecedenceForm::ConnectBoxes(const Yslice* predecessor, const Yslice* successor) {
  Chart()->XLine(GetX(predecessor->Col) + boxWidth_, praxel::ToLong(GetY(predecessor->Row) + boxHeight_ / 2.0),
                 GetX(successor->Col), praxel::ToLong(GetY(successor->Row) + boxHeight_ / 2.0));
}

void PrecedenceForm::DrawBox(const Yslice* slice) {
  YwindowControl* chart = Chart();
  const int x = GetX(slice->Col);
  const int y = GetY(slice->Row);
  chart->Box(x, y, x + boxWidth_, y + boxHeight_, kBlack, kWhite);
  const BoxStyle style = Style();
  if (style == NumericIndex) {
    DrawBoxText(slice, QString::number(slice->Count), 0);
    return;
  }

  QString taskLine = slice->Task->BuildNodeText();
  if (slice->FromPercent != 0 || slice->ToPercent != 100) {
    taskLine += QStringLiteral(" (%1%-%2%)").arg(slice->FromPercent).arg(slice->ToPercent);
  }
  if (otherProjects_) {
    const Yproject* project = slice->Task->Project();
    DrawBoxText(slice, project != nullptr ? project->BuildNodeText() : QString(), 0);
    DrawBoxText(slice, taskLine, 1);
  } else {
    DrawBoxText(slice, taskLine, 0);
  }

  // Lines between the text lines, but not inside a cell value of two lines (date and time).
  for (int i = 1; i < boxLines_; ++i) {
    if (style == DateAndTime && ((boxLines_ == 5 && (i == 2 || i == 4)) || (boxLines_ == 6 && (i == 3 || i == 5)))) {
      continue;
    }
    const int yi = praxel::ToLong(y + static_cast<double>(i) * boxHeight_ / boxLines_);
    chart->XLine(x, yi, x + boxWidth_, yi);
  }
  const int cellTop = praxel::ToLong(y + (2.0 - boxLines_ % 2) * boxHeight_ / boxLines_);
  for (int i = 1; i <= 2; ++i) {
    const int xi = praxel::ToLong(x + static_cast<double>(boxWidth_) * i / boxColumns_);
    chart->XLine(xi, cellTop, xi, y + boxHeight_);
  }

  const QString units = unitsCombo_->currentText();
  const auto elapsed = [&](double days) { return FormatElapsed(days, units); };
  // Early start, duration, early finish above; late start, slack, late finish below.
  const bool dates = style != ElapsedTime;
  const auto point = [&](double date) { return dates ? FormatDate(date) : elapsed(date - originDate_); };
  DrawBoxText(slice, point(slice->EarlyStart), 2);
  DrawBoxText(slice, elapsed(slice->EarlyFinish - slice->EarlyStart), 3);
  DrawBoxText(slice, point(slice->EarlyFinish), 4);
  DrawBoxText(slice, point(slice->LateStart), 5);
  DrawBoxText(slice, elapsed(slice->LateStart - slice->EarlyStart), 6);
  DrawBoxText(slice, point(slice->LateFinish), 7);
}

void PrecedenceForm::DrawBoxText(const Yslice* slice, QString text, int position) {
  const int x = GetX(slice->Col);
  const int y = GetY(slice->Row);
  int x1 = x;
  int x2 = x + boxWidth_;
  int top = y;
  if (position == 1) {
    top = y + lineHeight_;
  } else if (position >= 2) {
    x1 = praxel::ToLong(x + static_cast<double>((position + 1) % 3) * boxWidth_ / boxColumns_);
    x2 = praxel::ToLong(x1 + static_cast<double>(boxWidth_) / boxColumns_);
    if (position <= 4) {
      top = praxel::ToLong(y + (2.0 - boxLines_ % 2) * boxHeight_ / boxLines_);
    } else {
      const int valueLines = Style() == DateAndTime ? 2 : 1;
      top = praxel::ToLong(y + static_cast<double>(boxHeight_) * (boxLines_ - valueLines) / boxLines_);
    }
  }
  // Each line of a date and time is shortened by itself, so that a narrow cell still shows the
  // start of the date and of the time.
  QStringList lines = text.split(kLineBreak);
  for (QString& line : lines) {
    while (!line.isEmpty() && Width(line) > x2 - x1) line.chop(1);
  }
  text = lines.join(kLineBreak);
  Chart()->DrawText(praxel::ToLong((x1 + x2 - Width(text)) / 2.0), praxel::ToLong(top + lineHeight_ / 8.0), text);
}

int PrecedenceForm::Width(const QString& text) const {
  // A value of two lines is as wide as its longer line.
  double widest = 0;
  for (const QString& line : text.split(kLineBreak)) widest = std::max(widest, TextWidth(line));
  return praxel::ToLong(widest);
}

QString PrecedenceForm::FormatElapsed(double days, const QString& units) {
  // Whole minutes, halves to the even minute.
  const double minutes = std::nearbyint(days * 1440.0);
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(minutes / static_cast<double>(UnitMinutes(units)), 'f', 1);
}

QString PrecedenceForm::FormatDate(double date) const {
  const QString day = praxel::ShortDateText(date);
  if (Style() != DateAndTime) return day;
  return day + kLineBreak + Common::LongTimeOfDay(date);
}
