#include "BudgetForm.h"

#include "Common.h"
#include "Format.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "JournalSwitch.h"
#include "MoneyAxis.h"
#include "Rounding.h"
#include "ScaleSteps.h"
#include "Yproject.h"
#include "Ytask.h"
#include "YwindowControl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using praxel::Currency;

namespace {

enum CostKind { kMaterial = 0, kLabor = 1, kTotal = 2 };
const char* const kKindNames[] = {"Material", "Labor", "Total"};

constexpr int Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

Currency CostOf(const Ytask& task, int kind) {
  switch (kind) {
    case kMaterial: return task.MaterialCost();
    case kLabor: return task.LaborCost();
    default: return task.MaterialCost() + task.LaborCost();
  }
}

}  // namespace

BudgetForm::BudgetForm(QWidget* parent)
    : ChartView({QStringLiteral("Budget"), QStringLiteral("GraphicsBudgetMenu"), 20,
                 RestartsOnNewJournal | RestartsOnNewSolution | ClosesOnNewProject, QStringLiteral("budget plot")},
                parent) {
  setObjectName(QStringLiteral("BudgetForm"));
  setWindowTitle(QStringLiteral("Budget"));
  setProperty("HelpKey", QStringLiteral("Budget"));
  auto* options = new QGroupBox(QStringLiteral("Budget options"), this);
  options->setObjectName(QStringLiteral("BudgetOptionsFrame"));
  auto* layout = new QVBoxLayout(options);
  const auto box = [&](const char* name, const char* caption, bool checked) {
    auto* check = new QCheckBox(QString::fromLatin1(caption), options);
    check->setObjectName(QString::fromLatin1(name));
    check->setChecked(checked);
    layout->addWidget(check);
    connect(check, &QCheckBox::clicked, this, [this, check, name] {
      ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Budget:") + QLatin1String(name) + QStringLiteral("_Click")),
                       [&] {
                         clicked_ = check;
                         Start();
                         clicked_ = nullptr;
                       });
    });
    return check;
  };
  plan_ = box("PlanCheck", "Plan", true);
  current_ = box("CurrentCheck", "Current", true);
  earnedValue_ = box("EarnedValueCheck", "Earned value", false);
  layout->addSpacing(6);
  material_ = box("MaterialCostCheck", "Material cost", true);
  labor_ = box("LaborCostCheck", "Labor cost", true);
  total_ = box("TotalCostCheck", "Total cost", true);
  pastToday_ = box("ProjectPastTodayCheck", "Project past today line", false);
  SetOptionsFrame(options);
}

bool BudgetForm::StartAllowed() {
  if (Common::ThisProject() == nullptr) return false;
  ReconcileChecks();
  return true;
}

void BudgetForm::ReconcileChecks() {
  // Changing a box here raises no click: only the user's clicks start the plot again.
  const Yproject* project = Common::ThisProject();
  if (project->PlanIndex == project->CurrentIndex && current_->isChecked()) current_->setChecked(false);
  if (!material_->isChecked() && !labor_->isChecked() && !total_->isChecked()) total_->setChecked(true);
  if (!plan_->isChecked() && !current_->isChecked() && !earnedValue_->isChecked()) plan_->setChecked(true);
  if (earnedValue_->isChecked() && (plan_->isChecked() || current_->isChecked())) {
    if (clicked_ == plan_ || clicked_ == current_) {
      earnedValue_->setChecked(false);
    } else {
      plan_->setChecked(false);
      current_->setChecked(false);
    }
  }
  const int costs = (material_->isChecked() ? 1 : 0) + (labor_->isChecked() ? 1 : 0) + (total_->isChecked() ? 1 : 0);
  if (earnedValue_->isChecked() && costs >= 2) {
    QCheckBox* only = clicked_ == material_ || clicked_ == labor_ ? clicked_ : total_;
    for (QCheckBox* cost : {material_, labor_, total_}) cost->setChecked(cost == only);
  }
}

QString BudgetForm::Caption() const {
  QString caption;
  if (earnedValue_->isChecked()) {
    caption = QStringLiteral("Earned value");
  } else if (plan_->isChecked() && current_->isChecked()) {
    caption = QStringLiteral("Plan and current");
  } else if (plan_->isChecked()) {
    caption = QStringLiteral("Plan");
  } else {
    caption = QStringLiteral("Current");
  }
  return caption + QStringLiteral(" for ") + Common::GetPageHeader();
}

void BudgetForm::RequestLayout() {
  double start = 0;
  double finish = 0;
  Common::GetDateRange(start, finish, true);
  Chart()->SetDateRange(start, finish);
}

void BudgetForm::ComputeMaxCost() {
  Yproject* project = Common::ThisProject();
  {
    const JournalSwitch plan(project, project->PlanIndex);
    maxCost_ = project->MaterialCost() + project->LaborCost();
  }
  maxCost_ = std::max(maxCost_, project->MaterialCost() + project->LaborCost());
}

void BudgetForm::RedoLayout() {
  ShowBuilding();
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(QStringLiteral("Dollars"), 8);
  chart->AddDateGrid();
  ComputeMaxCost();
  increment_ = Views::OneTwoFiveStep(maxCost_.ToDouble());
  Views::AddMoneyRows(chart, maxCost_.ToDouble(), increment_);
  const int costs = (material_->isChecked() ? 1 : 0) + (labor_->isChecked() ? 1 : 0) + (total_->isChecked() ? 1 : 0);
  layoutCurves_ = earnedValue_->isChecked() ? 3 : costs * (plan_->isChecked() && current_->isChecked() ? 2 : 1);
  chart->LayoutComplete(1, layoutCurves_ + 1);
}

void BudgetForm::RedoGraphics() {
  // Every pass draws every curve, also one the control asks for without a new layout.
  curveCount_ = layoutCurves_;
  const QCheckBox* kinds[] = {material_, labor_, total_};
  for (int kind = kMaterial; kind <= kTotal; ++kind) {
    if (!kinds[kind]->isChecked()) continue;
    if (earnedValue_->isChecked()) {
      for (const char* which : {"Budget", "Earned", "Actual"}) PlotEarnedValue(QString::fromLatin1(which), kind);
    } else {
      if (plan_->isChecked()) PlotPlanOrCurrent(true, kind);
      if (current_->isChecked()) PlotPlanOrCurrent(false, kind);
    }
  }
  if (const Yproject* project = Common::ThisProject()) Chart()->AddTodayLine(project->Journal(), 0);
  Chart()->Refresh();
  ClearStatus();
}

double BudgetForm::CostToY(Currency cost) {
  YwindowControl* chart = Chart();
  return chart->RowPos(chart->Rows() - 1) - (cost.ToDouble() / increment_) * TextHeight(QStringLiteral("X")) * 1.75;
}

void BudgetForm::ClearDayCosts() {
  double start = 0;
  double finish = 0;
  Common::GetDateRange(start, finish, false);
  firstDay_ = static_cast<int>(std::floor(start));
  const int lastDay = static_cast<int>(std::floor(finish));
  dayCosts_ = QList<Currency>(std::max(1, lastDay - firstDay_ + 1));
}

void BudgetForm::SpreadTaskCost(QList<Currency>& DayCosts, int FirstDay, double Start, double Finish, Currency Cost) {
  if (DayCosts.isEmpty()) return;
  const auto at = [&](int day) -> Currency& {
    return DayCosts[std::clamp(day - FirstDay, 0, static_cast<int>(DayCosts.size()) - 1)];
  };
  const int first = static_cast<int>(std::floor(Start));
  const int days = static_cast<int>(std::ceil(Finish)) - first;
  if (days <= 0) {
    at(first) += Cost;
    return;
  }
  const Currency share = Currency::FromDouble(Cost.ToDouble() / days);
  for (int day = first; day < Finish; ++day) at(day) += share;
}

void BudgetForm::PlotPlanOrCurrent(bool plan, int costKind) {
  Yproject* project = Common::ThisProject();
  {
    const JournalSwitch journal(project, plan ? project->PlanIndex : project->CurrentIndex);
    ClearDayCosts();
    for (const Ytask* task : project->TaskList) {
      if (task->Include()) SpreadTaskCost(dayCosts_, firstDay_, task->EarlyStart(), task->EarlyFinish(), CostOf(*task, costKind));
    }
  }
  static const int planColors[] = {Rgb(255, 100, 100), Rgb(100, 255, 100), Rgb(100, 100, 255)};
  static const int currentColors[] = {Rgb(200, 0, 0), Rgb(0, 200, 0), Rgb(0, 0, 200)};
  PlotCurve((plan ? QStringLiteral("Plan ") : QStringLiteral("Current ")) + QLatin1String(kKindNames[costKind]),
            plan ? planColors[costKind] : currentColors[costKind], 2, plan || pastToday_->isChecked());
}

void BudgetForm::PlotEarnedValue(const QString& which, int costKind) {
  Yproject* project = Common::ThisProject();
  const int current = project->CurrentIndex;
  const bool budget = which == QLatin1String("Budget");
  const bool earned = which == QLatin1String("Earned");
  {
    const JournalSwitch journal(project, budget ? project->PlanIndex : current);
    ClearDayCosts();
    for (const Ytask* task : project->TaskList) {
      Currency cost;
      if (earned) {
        const JournalSwitch plan(project, project->PlanIndex);
        if (!task->Include()) continue;
        cost = CostOf(*task, costKind);
      } else {
        if (!task->Include()) continue;
        cost = CostOf(*task, costKind);
      }
      const double finish = task->EarlyFinish();
      SpreadTaskCost(dayCosts_, firstDay_, std::floor(finish), std::floor(finish), cost);
    }
  }
  const int color = budget ? Rgb(0, 0, 128) : earned ? Rgb(0, 128, 0) : Rgb(128, 0, 0);
  const QString label = budget ? QStringLiteral("BCWS") : earned ? QStringLiteral("BCWP") : QStringLiteral("ACWP");
  PlotCurve(label, color, 2, budget || pastToday_->isChecked());
}

void BudgetForm::PlotCurve(const QString& label, int color, int thickness, bool pastToday) {
  YwindowControl* chart = Chart();
  const double journal = Common::ThisProject()->Journal();
  int x0 = chart->DateToX(firstDay_);
  int y0 = praxel::ToLong(CostToY(Currency()));
  int x1 = x0;
  int y1 = y0;
  Currency sum;
  bool leftOut = false;
  for (int index = 0; index < dayCosts_.size(); ++index) {
    const int day = firstDay_ + index;
    sum += dayCosts_.at(index);
    x1 = chart->DateToX(day + 1);
    y1 = praxel::ToLong(CostToY(sum));
    if (day < journal || pastToday) {
      chart->XLine(x0, y0, x1, y1, color, thickness);
    } else {
      leftOut = true;
    }
    x0 = x1;
    y0 = y1;
  }
  if (leftOut) {
    // Where the curve's total lands, although the curve stops at today.
    const int px = praxel::ToLong(TwipsPerPixelX());
    const int py = praxel::ToLong(TwipsPerPixelY());
    chart->XLine(x1 - px, y1 - py, x1 + px, y1 + py, color, thickness);
  }
  const double th = TextHeight(QStringLiteral("X"));
  const double tw = TextWidth(QStringLiteral("X"));
  const int y = praxel::ToLong(chart->RowPos(chart->Rows()) - (curveCount_ - 0.5) * th * 1.25);
  const int sampleEnd = praxel::ToLong(tw + TextWidth(QStringLiteral("XXXXX")));
  chart->XLine(praxel::ToLong(tw), y, sampleEnd, y, color, thickness);
  chart->DrawText(praxel::ToLong(sampleEnd + tw), praxel::ToLong(y - 0.5 * th), label, 0, color);
  --curveCount_;
}
