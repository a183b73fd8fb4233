// The risk plot, from result arrays made here: the probability curve and its most likely marker,
// the daily cost bars and their average line, and results that belong to another project.

#include "Common.h"
#include "Format.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "RiskAnalysis.h"
#include "RiskForm.h"
#include "RiskResults.h"
#include "Rounding.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytemplate.h"
#include "GridModel.h"
#include "YwindowControl.h"

#include <QAction>
#include <QRadioButton>

namespace {

using praxel::Currency;

constexpr int kGreen = 0x008000;
constexpr int kNavy = 0x800000;
constexpr int kDarkRed = 0x000080;

class Risk : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2});
    Activate(staff, plant);
    ASSERT_TRUE(SolveNow());
  }
  void TearDown() override {
    Solve::ClearRiskResults();
    ViewTest::TearDown();
  }

  // Results of the plant: the unsampled finish and cost, then each iteration's.
  void Keep(double mostLikely, const QList<std::pair<double, double>>& iterations, const Yproject* of = nullptr) const {
    Solve::RiskResults results;
    results.Clear(static_cast<std::int32_t>(iterations.size()));
    results.RecordUnsampled(mostLikely, Currency::FromDouble(1000));
    for (const auto& [finish, cost] : iterations) results.RecordSampled(finish, Currency::FromDouble(cost));
    Solve::SetRiskResults(of != nullptr ? of : plant, results);
  }
  void Open() const { mainForm->Control(QStringLiteral("GraphicsRiskAnalysisMenu"))->trigger(); }
  static RiskForm* Plot() { return qobject_cast<RiskForm*>(Forms::Find(QStringLiteral("RiskForm"))); }
  static QList<Ywindow::Grob> Objects(int kind, int color) {
    QList<Ywindow::Grob> found;
    const Ywindow::GrobList& grobs = Plot()->Chart()->Grobs();
    for (int i = 0; i < grobs.Count(); ++i) {
      const Ywindow::Grob& grob = grobs.At(i);
      const int objectColor = kind == Ywindow::GrobText ? grob.FillColor : grob.BorderColor;
      if (grob.Kind == kind && objectColor == color) found.append(grob);
    }
    return found;
  }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
};

TEST_F(Risk, ProbabilityRowsAndTheShareOfIterationsByHeight) {
  QList<std::pair<double, double>> iterations;
  for (int i = 0; i < 100; ++i) iterations.append({Day(10) + i * 0.1, 1000});
  Keep(Day(12), iterations);
  Open();
  ASSERT_NE(Plot(), nullptr);
  EXPECT_EQ(Plot()->windowTitle(), QStringLiteral("100 iterations for Plant"));
  YwindowControl* chart = Plot()->Chart();
  EXPECT_EQ(chart->CellText(chart->Rows() - 12, 0), QStringLiteral("100%"));
  EXPECT_EQ(chart->CellText(chart->Rows() - 2, 0), QStringLiteral("0%"));
  const int zero = chart->RowPos(chart->Rows() - 1);
  const int hundred = chart->RowPos(chart->Rows() - 11);
  EXPECT_EQ(Plot()->IndexToY(0), zero);
  EXPECT_EQ(Plot()->IndexToY(100), hundred);
  EXPECT_EQ(Plot()->IndexToY(37), praxel::ToLong(zero - 0.37 * (zero - hundred)));
}

// One iteration: from the label column at 0% to its finish, up to 100%, on to the right edge;
// the most likely finish marked by a line into the key row, its caption and a triangle.
TEST_F(Risk, ASingleIterationAndTheMostLikelyMarker) {
  Keep(Day(11), {{Day(12) + 0.7, 1500}});
  Open();
  YwindowControl* chart = Plot()->Chart();
  const QList<Ywindow::Grob> curve = Objects(Ywindow::GrobLine, kGreen);
  ASSERT_EQ(curve.size(), 3);
  const int x = chart->DateToX(Day(12) + 0.7);
  const int zero = Plot()->IndexToY(0);
  const int full = Plot()->IndexToY(1);
  EXPECT_EQ(QLine(curve.at(0).X1, curve.at(0).Y1, curve.at(0).X2, curve.at(0).Y2), QLine(chart->ColPos(0), zero, x, zero));
  EXPECT_EQ(QLine(curve.at(1).X1, curve.at(1).Y1, curve.at(1).X2, curve.at(1).Y2), QLine(x, zero, x, full));
  EXPECT_EQ(QLine(curve.at(2).X1, curve.at(2).Y1, curve.at(2).X2, curve.at(2).Y2),
            QLine(x, full, chart->ColPos(chart->Cols()), full));

  const QList<Ywindow::Grob> marker = Objects(Ywindow::GrobLine, kDarkRed);
  ASSERT_EQ(marker.size(), 1);
  EXPECT_EQ(marker.first().X1, chart->DateToX(Day(11)));
  EXPECT_EQ(marker.first().Y1, chart->RowPos(chart->Rows() - 12));
  EXPECT_GT(marker.first().Y2, chart->RowPos(chart->Rows() - 1)) << "into the key row";
  const QList<Ywindow::Grob> caption = Objects(Ywindow::GrobText, kDarkRed);
  ASSERT_EQ(caption.size(), 1);
  EXPECT_EQ(caption.first().Text, QStringLiteral("Most likely"));
  EXPECT_EQ(caption.first().Y1, marker.first().Y2);
  EXPECT_EQ(Objects(Ywindow::GrobTriangle, kDarkRed).size(), 1);
}

// Iterations that barely raise the curve merge into one point; the last is always drawn.
TEST_F(Risk, NearPointsMergeAndTheCurveReachesTheTop) {
  constexpr int kIterations = 5000;
  QList<std::pair<double, double>> iterations;
  for (int i = 0; i < kIterations; ++i) iterations.append({Day(12) + 0.7, 1000});
  Keep(Day(12), iterations);
  Open();
  YwindowControl* chart = Plot()->Chart();
  const QList<Ywindow::Grob> curve = Objects(Ywindow::GrobLine, kGreen);
  EXPECT_LT(curve.size(), kIterations / 2);
  EXPECT_EQ(curve.last().Y1, Plot()->IndexToY(kIterations));
  EXPECT_EQ(curve.last().X2, chart->ColPos(chart->Cols()));
}

TEST_F(Risk, TotalCostBarsPerDayAndTheirAverageLine) {
  Keep(Day(11), {{Day(12) + 0.2, 1000}, {Day(12) + 0.6, 3000}, {Day(14) + 0.5, 4000}});
  Open();
  Plot()->findChild<QRadioButton*>(QStringLiteral("TotalCostOption"))->click();
  YwindowControl* chart = Plot()->Chart();
  EXPECT_EQ(Plot()->CostIncrement(), 500);
  EXPECT_EQ(chart->CellText(chart->Grid().FixedRows(), 0), Common::FormatCurrency(4000.0));
  const QList<Ywindow::Grob> lines = Objects(Ywindow::GrobLine, kNavy);
  ASSERT_EQ(lines.size(), 3);
  const int noon12 = chart->DateToX(Day(12) + 0.5);
  const int noon14 = chart->DateToX(Day(14) + 0.5);
  const auto y = [&](double cost) { return praxel::ToLong(Plot()->CostToY(Currency::FromDouble(cost))); };
  EXPECT_EQ(QLine(lines.at(0).X1, lines.at(0).Y1, lines.at(0).X2, lines.at(0).Y2), QLine(noon12, y(3000), noon12, y(1000)))
      << "the first day's bar";
  EXPECT_EQ(QLine(lines.at(1).X1, lines.at(1).Y1, lines.at(1).X2, lines.at(1).Y2), QLine(noon12, y(2000), noon14, y(4000)))
      << "from the first day's average to the second's";
  EXPECT_EQ(QLine(lines.at(2).X1, lines.at(2).Y1, lines.at(2).X2, lines.at(2).Y2), QLine(noon14, y(4000), noon14, y(4000)));

  // And back: the same results, the probability rows again.
  Plot()->findChild<QRadioButton*>(QStringLiteral("ProbabilityOption"))->click();
  EXPECT_EQ(chart->CellText(chart->Rows() - 12, 0), QStringLiteral("100%"));
}

// The results belong to the project they were made for: under another project there is no risk
// data, and the results go with their project.
TEST_F(Risk, ResultsOfAnotherProjectAreNoRiskData) {
  Yproject* annex = AddStaffedChain(QStringLiteral("Annex"), staff, {1});
  Keep(Day(11), {{Day(12) + 0.7, 1500}}, annex);
  prompter.Answer(praxel::AnswerOk);
  Open();
  EXPECT_EQ(Plot(), nullptr);
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("No Risk Data"));
  EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Please perform iterative risk solve first."));

  // Project > Delete: out of the model, back to the pool.
  annex->Delete();
  Common::FreeYobjects({annex});
  EXPECT_EQ(Solve::RiskProject(), nullptr);
  EXPECT_TRUE(Solve::RiskFinishDates().empty());
}

}  // namespace
