#include "CrashForm.h"

#include "ChartColors.h"
#include "CrashAnalysis.h"
#include "CrashDataForm.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "MoneyAxis.h"
#include "OptionFrame.h"
#include "RuntimeError.h"
#include "Rounding.h"
#include "ScaleSteps.h"
#include "Yproject.h"
#include "Ytask.h"
#include "YwindowControl.h"

#include <QRadioButton>

using praxel::Currency;

using namespace ChartColors;

namespace {

constexpr int kCurveThickness = 2;
constexpr int kBottomRight = 8;

enum { kTotalCostOption = 0, kCrashCostOption = 1 };

QString ProjectNameOf(const Ycrash& row) {
  const Yproject* project = row.Task != nullptr ? row.Task->Project() : nullptr;
  return project != nullptr ? project->ProjectName() : QString();
}

long long TaskIdOf(const Ycrash& row) { return row.Task != nullptr ? row.Task->TaskID() : 0; }

// -1 when a sorts before b, 1 when after, 0 when every key is equal.
int CompareSteps(const Ycrash& a, const Ycrash& b) {
  if (a.Multiplier != b.Multiplier) return a.Multiplier > b.Multiplier ? -1 : 1;
  if (const int names = QString::compare(ProjectNameOf(a), ProjectNameOf(b), Qt::CaseSensitive); names != 0) {
    return names < 0 ? -1 : 1;
  }
  if (TaskIdOf(a) != TaskIdOf(b)) return TaskIdOf(a) < TaskIdOf(b) ? -1 : 1;
  if (a.FromPercent != b.FromPercent) return a.FromPercent > b.FromPercent ? -1 : 1;
  return 0;
}

}  // namespace

CrashForm::CrashForm(QWidget* parent)
    : ChartView({QStringLiteral("Crash"), QStringLiteral("GraphicsCrashAnalysisMenu"), 20, ClosesOnNewProject,
                 QStringLiteral("crash plot")},
                parent) {
  setObjectName(QStringLiteral("CrashForm"));
  setWindowTitle(QStringLiteral("Crash Analysis"));
  setProperty("HelpKey", QStringLiteral("Crash analysis"));
  options_ = AddOptionFrame(this, QStringLiteral("Crash options"), QStringLiteral("Crash"),
                            {{"TotalCostOption", "Total cost"}, {"CrashCostOption", "Crash cost"}}, kCrashCostOption,
                            [this] { Start(); });
  SetOptionsFrame(options_.first()->parentWidget());
  connect(Chart(), &YwindowControl::DateClick, this, [this](double date) {
    ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_DateClick")), [&] { Ywindow_DateClick(date); });
  });
}

bool CrashForm::StartAllowed() {
  const QList<Ycrash>* items = Solve::CrashItems();
  if (items == nullptr || items->isEmpty()) return false;
  costBase_ = options_.at(kCrashCostOption)->isChecked() ? items->first().TotalCost : Currency();
  costRange_ = items->last().TotalCost - costBase_;
  costIncrement_ = Views::OneTwoFiveStep(costRange_.ToDouble());
  return true;
}

QString CrashForm::Caption() const { return QStringLiteral("Crash analysis for ") + Common::GetPageHeader(); }

void CrashForm::RequestLayout() {
  const QList<Ycrash>& items = *Solve::CrashItems();
  Chart()->SetDateRange(items.last().EndDate, items.first().EndDate);
}

void CrashForm::RedoLayout() {
  ShowBuilding();
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(QStringLiteral("Total cost"), kBottomRight);
  chart->AddDateGrid();
  Views::AddMoneyRows(chart, costRange_.ToDouble(), costIncrement_);
  chart->LayoutComplete(1, 2);
}

double CrashForm::CostToY(Currency cost) {
  return Views::MoneyToY(Chart(), (cost - costBase_).ToDouble(), costRange_.ToDouble(), costIncrement_);
}

void CrashForm::RedoGraphics() {
  PlotCost();
  Chart()->Refresh();
  ClearStatus();
}

void CrashForm::PlotCost() {
  const QList<Ycrash>* items = Solve::CrashItems();
  if (items == nullptr) return;
  YwindowControl* chart = Chart();
  int lastX = 0;
  int lastY = 0;
  for (qsizetype i = 0; i < items->size(); ++i) {
    const Ycrash& row = items->at(i);
    const int x = chart->DateToX(row.EndDate);
    const int y = praxel::ToLong(CostToY(row.TotalCost));
    if (i > 0) chart->XLine(x, y, lastX, lastY, kNavy, kCurveThickness);
    lastX = x;
    lastY = y;
  }
}

CrashForm::StepsToDate CrashForm::CrashStepsTo(const QList<Ycrash>& items, double date) {
  StepsToDate result;
  if (items.isEmpty()) return result;
  // Rows counted from 1 as the analysis wrote them: 1 is the baseline.
  qsizetype k = items.size();
  while (k > 2 && items.at(k - 1).EndDate < date) --k;
  result.date = items.at(k - 1).EndDate;
  for (qsizetype row = k; row >= 2; --row) {
    const Ycrash& step = items.at(row - 1);
    qsizetype place = 0;
    bool duplicate = false;
    for (; place < result.steps.size(); ++place) {
      const Ycrash& listed = result.steps.at(place);
      // The slice listed already comes from a later step, with its latest multiplier.
      if (listed.Task == step.Task && listed.FromPercent == step.FromPercent) {
        duplicate = true;
        break;
      }
      const int order = CompareSteps(listed, step);
      if (order == 0) throw praxel::RuntimeError(10000, QStringLiteral("Internal error"));
      if (order > 0) break;
    }
    if (!duplicate) result.steps.insert(place, step);
  }
  return result;
}

void CrashForm::Ywindow_DateClick(double date) {
  const QList<Ycrash>* items = Solve::CrashItems();
  if (items == nullptr) return;
  const StepsToDate chosen = CrashStepsTo(*items, date);
  if (auto* list = qobject_cast<CrashDataForm*>(Forms::Load(QStringLiteral("CrashDataForm")))) {
    list->Start(chosen.date, chosen.steps);
  }
}
