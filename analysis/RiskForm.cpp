#include "RiskForm.h"

#include "ChartColors.h"
#include "Common.h"
#include "FormHelpers.h"
#include "Grob.h"
#include "MoneyAxis.h"
#include "OptionFrame.h"
#include "Prompter.h"
#include "RiskAnalysis.h"
#include "Rounding.h"
#include "ScaleSteps.h"
#include "YwindowControl.h"

#include <QFontInfo>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using praxel::Currency;

using namespace ChartColors;

namespace {

constexpr int kCurveThickness = 2;
constexpr int kBottomRight = 8;

enum { kProbabilityOption = 0, kTotalCostOption = 1 };

std::int32_t Iterations() { return static_cast<std::int32_t>(Solve::RiskFinishDates().size()) - 1; }

}  // namespace

RiskForm::RiskForm(QWidget* parent)
    : ChartView({QStringLiteral("Risk"), QStringLiteral("GraphicsRiskAnalysisMenu"), 20, ClosesOnNewProject,
                 QStringLiteral("risk plot")},
                parent) {
  setObjectName(QStringLiteral("RiskForm"));
  setWindowTitle(QStringLiteral("Risk Analysis"));
  setProperty("HelpKey", QStringLiteral("Risk analysis"));
  options_ = AddOptionFrame(this, QStringLiteral("Risk options"), QStringLiteral("Risk"),
                            {{"ProbabilityOption", "Probability"}, {"TotalCostOption", "Total cost"}},
                            kProbabilityOption, [this] { Start(); });
  SetOptionsFrame(options_.first()->parentWidget());
}

bool RiskForm::ProbabilityChosen() const { return options_.at(kProbabilityOption)->isChecked(); }

bool RiskForm::StartAllowed() {
  // Results of an analysis of another project, or of none, are no data for this one.
  const std::vector<double>& finishes = Solve::RiskFinishDates();
  if (finishes.size() < 2 || finishes.at(1) == 0 || Solve::RiskProject() == nullptr ||
      Solve::RiskProject() != Common::ThisProject()) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("Please perform iterative risk solve first."),
                                     praxel::MsgExclamation, QStringLiteral("No Risk Data"));
    return false;
  }
  const std::vector<Currency>& costs = Solve::RiskCosts();
  costRange_ = Currency();
  for (std::size_t i = 1; i < costs.size(); ++i) costRange_ = std::max(costRange_, costs.at(i));
  costIncrement_ = Views::OneTwoFiveStep(costRange_.ToDouble());
  return true;
}

QString RiskForm::Caption() const {
  return QString::number(Iterations()) + QStringLiteral(" iterations for ") + Common::GetPageHeader();
}

void RiskForm::RequestLayout() {
  const std::vector<double>& finishes = Solve::RiskFinishDates();
  Chart()->SetDateRange(finishes.at(1), finishes.back());
}

void RiskForm::RedoLayout() {
  ShowBuilding();
  YwindowControl* chart = Chart();
  chart->Reset();
  chart->AddColumn(ProbabilityChosen() ? QStringLiteral("Probability") : QStringLiteral("Total cost"), kBottomRight);
  chart->AddDateGrid();
  if (ProbabilityChosen()) {
    for (int percent = 100; percent >= 0; percent -= 10) {
      chart->AddRow();
      chart->CellText(chart->Rows() - 1, 0, QString::number(percent) + QLatin1Char('%'));
    }
  } else {
    Views::AddMoneyRows(chart, costRange_.ToDouble(), costIncrement_);
  }
  chart->LayoutComplete(1, 2);
}

void RiskForm::RedoGraphics() {
  if (ProbabilityChosen()) {
    PlotProbability();
  } else {
    PlotTotalCost();
  }
  Chart()->Refresh();
  ClearStatus();
}

double RiskForm::CostToY(Currency cost) {
  return Views::MoneyToY(Chart(), cost.ToDouble(), costRange_.ToDouble(), costIncrement_);
}

int RiskForm::IndexToY(int index) {
  YwindowControl* chart = Chart();
  const int key = chart->Rows() - 1;
  const int rowHeight = chart->RowPos(key) - chart->RowPos(key - 1);
  const float percent = static_cast<float>(index) * 100.0f / static_cast<float>(Iterations());
  return praxel::ToLong(chart->RowPos(key) - (percent / 10.0f) * rowHeight);
}

void RiskForm::PlotProbability() {
  YwindowControl* chart = Chart();
  const std::vector<double>& finishes = Solve::RiskFinishDates();
  const int iterations = Iterations();
  int x0 = chart->ColPos(0);
  int y0 = IndexToY(0);
  for (int i = 1; i <= iterations; ++i) {
    const int x1 = chart->DateToX(finishes.at(static_cast<std::size_t>(i)));
    const int y1 = IndexToY(i);
    // Points closer than 3 twips both ways merge into the next, except the last, which reaches 100%.
    if (std::abs(x1 - x0) < 3 && std::abs(y1 - y0) < 3 && i != iterations) continue;
    if (std::abs(x1 - x0) > 6) {
      chart->XLine(x0, y0, x1, y0, kDarkGreen, kCurveThickness);
      chart->XLine(x1, y0, x1, y1, kDarkGreen, kCurveThickness);
    } else {
      chart->XLine(x0, y0, x1, y1, kDarkGreen, kCurveThickness);
    }
    x0 = x1;
    y0 = y1;
  }
  chart->XLine(x0, y0, chart->ColPos(chart->Cols()), y0, kDarkGreen, kCurveThickness);

  // The most likely finish: a line from the top of the "100%" row into the key row, the caption
  // centred below it and a triangle on the caption.
  // The window's font size in points, taken as twips.
  const double fontTwips = QFontInfo(font()).pointSizeF();
  const int x = chart->DateToX(finishes.at(0));
  const int top = chart->RowPos(chart->Rows() - 12);
  const int bottom = praxel::ToLong(chart->RowPos(chart->Rows() - 1) + 20 * fontTwips);
  chart->XLine(x, top, x, bottom, kDarkRed, kCurveThickness);
  const QString caption = QStringLiteral("Most likely");
  chart->DrawText(praxel::ToLong(x - TextWidth(caption) / 2), bottom, caption, 0, kDarkRed);
  chart->Triangle(praxel::ToLong(x - 2 * fontTwips), praxel::ToLong(bottom - 10 * fontTwips),
                  praxel::ToLong(x + 2 * fontTwips), bottom, kDarkRed, kDarkRed, Ywindow::TriangleDown);
}

void RiskForm::PlotTotalCost() {
  YwindowControl* chart = Chart();
  const std::vector<double>& finishes = Solve::RiskFinishDates();
  const std::vector<Currency>& costs = Solve::RiskCosts();
  const int iterations = Iterations();
  int previousX = -1;
  int previousY = 0;
  long long currentDay = 0;
  int middayX = 0;
  Currency lowest, highest, sum;
  int count = 0;
  for (int i = 1; i <= iterations + 1; ++i) {
    const long long day = i <= iterations ? static_cast<long long>(std::floor(finishes.at(static_cast<std::size_t>(i)))) : 0;
    if (day == currentDay && i <= iterations) {
      const Currency cost = costs.at(static_cast<std::size_t>(i));
      lowest = std::min(lowest, cost);
      highest = std::max(highest, cost);
      sum += cost;
      ++count;
      continue;
    }
    if (currentDay != 0) {
      // The day closes: the line from the day before to its average, then its bar.
      const int averageY = praxel::ToLong(CostToY(Currency::FromDouble(sum.ToDouble() / count)));
      if (previousX >= 0) chart->XLine(previousX, previousY, middayX, averageY, kNavy, kCurveThickness);
      chart->XLine(middayX, praxel::ToLong(CostToY(highest)), middayX, praxel::ToLong(CostToY(lowest)), kNavy,
                   kCurveThickness);
      previousX = middayX;
      previousY = averageY;
    }
    if (i > iterations) break;
    currentDay = day;
    middayX = chart->DateToX(static_cast<double>(day) + 0.5);
    lowest = highest = sum = costs.at(static_cast<std::size_t>(i));
    count = 1;
  }
}
