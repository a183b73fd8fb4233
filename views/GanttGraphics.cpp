// The Gantt chart's graphics pass: the today line, the key, the plan and current bars, the
// latest-time markers and the dependency arrows.

#include "GanttForm.h"

#include "ChartColors.h"
#include "Common.h"
#include "Grob.h"
#include "JournalSwitch.h"
#include "PaintBreaks.h"
#include "Rounding.h"
#include "Settings.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"
#include "YwindowControl.h"

#include <cmath>

using namespace ChartColors;

namespace {

constexpr double kMinutesPerDay = 1440.0;

int Round(double value) { return praxel::ToLong(value); }

// A float in whole minutes, halves to the even minute: dates are sums of day fractions, so two
// floats the schedule makes equal differ by a speck, never by a minute.
double WholeMinutes(double days) { return std::nearbyint(days * kMinutesPerDay); }

bool LeadersListed() { return Settings::SettingIsOn(QStringLiteral("ListTaskLeaderCheck")); }

}  // namespace

void GanttForm::RedoGraphics() {
  YwindowControl* chart = Chart();
  textHeight_ = TextHeight(QStringLiteral("X"));
  Yproject* project = Common::ThisProject();
  if (project != nullptr) {
    projectSlack_ = project->LateFinish() - project->EarlyFinish();
    chart->AddTodayLine(project->Journal(), kBlue);
  }
  BuildKey();
  criticalRows_.clear();
  if (Settings::SettingIsOn(QStringLiteral("CriticalPathRedCheck"))) {
    // Row 0 counts as critical, so that an arrow from a date between critical rows is red too.
    criticalRows_.fill(false, chart->Rows());
    if (!criticalRows_.isEmpty()) criticalRows_[0] = true;
  }
  const bool milestone = Settings::SettingIsOn(QStringLiteral("MilestoneOption"));
  for (Ytask* task : chartTasks_) {
    if (IncludeTask(task)) DrawTaskBar(task, milestone);
    Ywindow::KeepPainting();
  }
  if (Settings::SettingIsOn(QStringLiteral("ShowMarkersCheck"))) {
    for (const Ytask* task : chartTasks_) {
      // The latest times of the plan: each task on its own project's plan journal.
      Yproject* own = task->Project();
      const JournalSwitch plan(own, own->PlanIndex);
      if (IncludeTask(task)) DrawMarker(task);
      Ywindow::KeepPainting();
    }
  }
  const QString arrows = Settings::SettingLetter(QStringLiteral("DependencyArrowsCombo"));
  if (arrows == QLatin1String("C")) {
    for (const Ytask* task : chartTasks_) {
      if (IncludeTask(task)) DrawDependency(task->ControlDependency());
      Ywindow::KeepPainting();
    }
  } else if (arrows == QLatin1String("A")) {
    for (const Ytask* task : chartTasks_) {
      for (const Ydependency* dependency : task->DependencyList) {
        if (dependency->Include()) DrawDependency(dependency);
      }
      Ywindow::KeepPainting();
    }
  }
  chart->RemapColors(Settings::SettingIsOn(QStringLiteral("AdjustColorsCheck")));
  chart->Refresh();
  ClearStatus();
}

int GanttForm::GetY(int row, double offset) const {
  const double band = textHeight_ * (LeadersListed() ? 2.75 : 1.75);
  const double centre = (Chart()->RowPos(row) + Chart()->RowPos(row + 1)) / 2.0;
  return Round(centre + (offset - 4.5) * band / 9.0);
}

bool GanttForm::IsCritical(const Ytask* task) const {
  return WholeMinutes(task->LateFinish() - task->EarlyFinish()) == WholeMinutes(projectSlack_);
}

void GanttForm::DrawTaskBar(Ytask* task, bool milestone) {
  YwindowControl* chart = Chart();
  const int row = taskRows_.value(task, 0);
  int outline = kBlack;
  if (!criticalRows_.isEmpty() && IsCritical(task)) {
    outline = kRed;
    if (row < criticalRows_.size()) criticalRows_[row] = true;
  }
  // Two circles and the line between them, for a milestone or a bar without width; a finish
  // after the journal date has its own outline and fill.
  const auto circles = [&](int x1, int x2, int y1, int y2, int startFill, int finishOutline, int finishFill) {
    const int h = y2 - y1;
    chart->Oval(x1 - h / 2, y1, x1 + h / 2, y2, outline, startFill);
    if (x1 >= x2) return;
    chart->Oval(x2 - h / 2, y1, x2 + h / 2, y2, finishOutline, finishFill);
    const int a = Round(x1 + h / 2.0);
    const int b = Round(x2 - h / 2.0);
    if (a < b) chart->XLine(a, (y1 + y2) / 2, b, (y1 + y2) / 2);
  };
  Yproject* project = task->Project();
  {
    const JournalSwitch plan(project, project->PlanIndex);
    const int x1 = chart->DateToX(task->EarlyStart());
    const int x2 = chart->DateToX(task->EarlyFinish());
    const int y1 = GetY(row, 3);
    const int y2 = GetY(row, 6);
    if (!milestone && x1 < x2) {
      chart->Box(x1, y1, x2, y2, outline, kYellow);
    } else {
      circles(x1, x2, y1, y2, kYellow, outline, kYellow);
    }
  }
  if (project->PlanIndex == project->CurrentIndex) return;
  const int x1 = chart->DateToX(task->EarlyStart());
  const int x2 = chart->DateToX(task->EarlyFinish());
  const int xj = chart->DateToX(project->Journal());
  const int y1 = GetY(row, 4);
  const int y2 = GetY(row, 6);
  if (!milestone && x1 < x2) {
    if (x2 > xj && x1 < xj) {
      chart->Box(x1, y1, xj, y2, outline, kBlack);
      chart->Box(xj, y1, x2, y2, outline, kGreen);
    } else if (x2 > xj) {
      chart->Box(x1, y1, x2, y2, outline, kGreen);
    } else {
      chart->Box(x1, y1, x2, y2, outline, kBlack);
    }
    return;
  }
  const bool finishAhead = x2 > xj;
  circles(x1, x2, y1, y2, x1 > xj ? kGreen : kBlack, finishAhead ? kBlack : outline, finishAhead ? kGreen : kBlack);
}

void GanttForm::DrawMarker(const Ytask* task) {
  const double latest = task->LateFinish();
  if (latest < rangeStart_ || latest > rangeFinish_) return;
  const int row = taskRows_.value(task, 0);
  const int x = Chart()->DateToX(latest);
  const int y1 = GetY(row, 0);
  const int y2 = GetY(row, 3);
  const double h = y2 - y1;
  Chart()->Triangle(Round(x - h / 2), y1, Round(x + h / 2), y2, kRed, kRed, Ywindow::TriangleDown);
}

void GanttForm::DrawDependency(const Ydependency* dependency) {
  // A task standing for a subproject without an included task has no controlling dependency.
  if (dependency == nullptr) return;
  int fromRow = FindRow(dependency->TaskRequired());
  double fromDate = dependency->DepDate();
  int toRow = FindRow(dependency->Task());
  double toDate = dependency->DepDate() + dependency->Offset();
  if (fromRow == toRow) return;
  if (fromRow > toRow) {
    std::swap(fromRow, toRow);
    std::swap(fromDate, toDate);
  }
  if (fromRow < 1) {
    DrawDateDependency(fromRow, fromDate, toRow, toDate);
  } else {
    DrawArrowBetweenRows(fromRow, fromDate, toRow, toDate);
  }
}

void GanttForm::DrawArrowBetweenRows(int fromRow, double fromDate, int toRow, double toDate) {
  YwindowControl* chart = Chart();
  const bool critical = !criticalRows_.isEmpty() && criticalRows_.value(fromRow) && criticalRows_.value(toRow);
  const int color = critical ? kRed : kBlack;
  const int x1 = chart->DateToX(fromDate);
  const int x2 = chart->DateToX(toDate);
  const int yFrom = GetY(fromRow, 6);
  const int yTo = GetY(toRow, 3);
  const int yMiddle = GetY((fromRow + toRow) / 2, 8);
  chart->XLine(x1, yFrom, x1, yMiddle, color);
  chart->XLine(x1, yMiddle, x2, yMiddle, color);
  chart->XLine(x2, yMiddle, x2, yTo, color);
  int a = Round(x1 - textHeight_ / 7);
  chart->Triangle(a, yFrom, 2 * x1 - a, yFrom + (GetY(fromRow, 8) - GetY(fromRow, 6)), color, color, Ywindow::TriangleUp);
  a = Round(x2 - textHeight_ / 7);
  chart->Triangle(a, GetY(toRow, 1), 2 * x2 - a, yTo, color, color, Ywindow::TriangleDown);
}

void GanttForm::DrawDateDependency(int fromRow, double fromDate, int toRow, double toDate) {
  const QString style = Settings::SettingLetter(QStringLiteral("DateDependencyCombo"));
  if (style == QLatin1String("L")) {
    DrawArrowBetweenRows(fromRow, fromDate, toRow, toDate);
  } else if (style == QLatin1String("T")) {
    const int y1 = GetY(toRow, 1);
    const int y2 = GetY(toRow, 3);
    const int x = Chart()->DateToX(toDate);
    Chart()->Triangle(x, y1, x + (y2 - y1) / 2, y2, kBlack, kBlack, Ywindow::TriangleRight);
  }
}

void GanttForm::BuildKey() {
  YwindowControl* chart = Chart();
  const Yproject* project = Common::ThisProject();
  const bool milestone = Settings::SettingIsOn(QStringLiteral("MilestoneOption"));
  const bool markers = Settings::SettingIsOn(QStringLiteral("ShowMarkersCheck"));
  const bool notPlan = project != nullptr && project->PlanIndex != project->CurrentIndex;
  const double th = textHeight_;
  const int h = Round(th * (LeadersListed() ? 2.75 : 1.75));
  const int top = Round(chart->RowPos(chart->Rows() - 1) + 2 * th);
  const int xl = Round(h / 4.0);
  int xr = 2 * h;
  // A sample of the bar or milestone style, with its text after it.
  const auto sample = [&](int y1, int y2, int fill, const QString& text) {
    if (milestone) {
      chart->Oval(xl, y1, xr, y2, kBlack, fill);
    } else {
      chart->Box(xl, y1, xr, y2, kBlack, fill);
    }
    chart->DrawText(Round(xr + h / 4.0), Round(y2 - 0.8 * th), text);
  };
  {
    const int y1 = top;
    const int y2 = Round(top + h / 3.0);
    if (milestone) xr = xl + (y2 - y1);
    sample(y1, y2, kYellow, QStringLiteral("Plan"));
  }
  if (project != nullptr && project->CurrentIndex > 0) {
    const int y1 = Round(top + 0.75 * h + h / 9.0);
    sample(y1, Round(y1 + 2.0 * h / 9.0), kBlack, QStringLiteral("Actual"));
  }
  if (notPlan) {
    const int y1 = Round(top + 1.5 * h + h / 9.0);
    sample(y1, Round(y1 + 2.0 * h / 9.0), kGreen, QStringLiteral("Projected"));
  }
  const int xc = Round(xr + h / 4.0 + TextWidth(QStringLiteral("Projected XXX")));
  const int xText = Round(xc + h / 4.0);
  // A latest-time marker: "T" with a lowered "L" after it.
  const auto marker = [&](int y1, int fill, const QString& text) {
    const int y2 = Round(y1 + h / 3.0);
    const double half = (y2 - y1) / 2.0;
    chart->Triangle(Round(xc - half), y1, Round(xc + half), y2, kRed, fill, Ywindow::TriangleDown);
    chart->DrawText(xText, Round(y2 - 0.8 * th), QStringLiteral("T   ") + text);
    chart->DrawText(Round(xText + TextWidth(QStringLiteral("T"))), Round(y2 - 0.4 * th), QStringLiteral("L"));
  };
  if (markers) marker(top, kRed, QStringLiteral("plan"));
  if (markers && notPlan) marker(Round(top + 0.75 * h), kWhite, QStringLiteral("not in plan"));
  if (Settings::SettingLetter(QStringLiteral("DependencyArrowsCombo")) != QLatin1String("N")) {
    const int ya = Round(top + 1.25 * h);
    const int yb = Round(top + 2.25 * h);
    chart->XLine(xc, ya, xc, yb);
    const int a = Round(xc - th / 7);
    chart->Triangle(a, Round(ya + 2.0 * h / 9.0), 2 * xc - a, ya, kBlack, kBlack, Ywindow::TriangleDown);
    chart->Triangle(a, yb, 2 * xc - a, Round(yb - 2.0 * h / 9.0), kBlack, kBlack, Ywindow::TriangleUp);
    chart->DrawText(xText, Round(top + 11.0 * h / 6.0 - 0.8 * th), QStringLiteral("Dependencies"));
  }
}
