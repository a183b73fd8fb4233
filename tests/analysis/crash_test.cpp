// The crash plot and the crash step list, from result rows made here: the money rows, the cost
// curve, the steps chosen for a clicked date and their order, the list's rows and its size.

#include "CaseName.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "CrashDataForm.h"
#include "CrashForm.h"
#include "Format.h"
#include "Forms.h"
#include "MainForm.h"
#include "Rounding.h"
#include "ShortDate.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QAction>
#include <QRadioButton>

namespace {

using praxel::Currency;

constexpr int kNavy = 0x800000;
constexpr double kFiveInTheAfternoon = 17 / 24.0;

class Crash : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2, 9, 10});
    Activate(staff, plant);
  }
  void TearDown() override {
    Solve::ClearCrashItems();
    ViewTest::TearDown();
  }

  Ytask* Task(int id) const { return plant->TaskList.Find(QString::number(id)); }
  // A step: the slice of the task from `from` %, its multiplier, the finish day and the cost.
  Ycrash Step(int id, int from, float multiplier, int day, double cost) const {
    Ycrash row;
    row.Task = id == 0 ? nullptr : Task(id);
    row.FromPercent = static_cast<std::uint8_t>(from);
    row.ToPercent = id == 0 ? 0 : 100;
    row.Multiplier = multiplier;
    row.EndDate = Day(day) + kFiveInTheAfternoon;
    row.TotalCost = Currency::FromDouble(cost);
    return row;
  }
  Ycrash Baseline(int day, double cost) const { return Step(0, 0, 0, day, cost); }

  void OpenPlot(const QList<Ycrash>& rows) {
    Solve::SetCrashItems(rows);
    ASSERT_TRUE(SolveNow());
    Solve::SetCrashItems(rows);  // a solve clears the rows of an analysis
    mainForm->Control(QStringLiteral("GraphicsCrashAnalysisMenu"))->trigger();
    ASSERT_NE(Plot(), nullptr);
  }
  static CrashForm* Plot() { return qobject_cast<CrashForm*>(Forms::Find(QStringLiteral("CrashForm"))); }
  static CrashDataForm* List() { return qobject_cast<CrashDataForm*>(Forms::Find(QStringLiteral("CrashDataForm"))); }

  // The labels of the value rows, top to bottom: the rows between the date header (its rows hold
  // the column's heading) and the key.
  static QStringList ValueLabels(YwindowControl* chart) {
    QStringList labels;
    for (int row = 0; row < chart->Rows() - 1; ++row) {
      if (chart->CellText(row, 0) != chart->CellText(0, 0)) labels.append(chart->CellText(row, 0));
    }
    return labels;
  }
  static QList<Ywindow::Grob> Lines(YwindowControl* chart, int color) {
    QList<Ywindow::Grob> found;
    for (int i = 0; i < chart->Grobs().Count(); ++i) {
      const Ywindow::Grob& grob = chart->Grobs().At(i);
      if (grob.Kind == Ywindow::GrobLine && grob.BorderColor == color) found.append(grob);
    }
    return found;
  }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
};

// The step for a clicked date: the last that still finishes on or after it, never before step 2.
TEST_F(Crash, AClickedDateChoosesTheStepsThatReachIt) {
  const QList<Ycrash> rows = {Baseline(100, 1000), Step(1, 0, 1.5f, 98, 1100), Step(2, 0, 1.25f, 95, 1200),
                              Step(9, 0, 2, 90, 1300), Step(10, 0, 1.75f, 85, 1400)};
  const struct {
    int clicked;
    int finish;
    QList<int> tasks;
  } cases[] = {{93, 95, {1, 2}}, {99, 98, {1}}, {80, 85, {9, 10, 1, 2}}};
  for (const auto& c : cases) {
    const CrashForm::StepsToDate chosen = CrashForm::CrashStepsTo(rows, Day(c.clicked));
    EXPECT_EQ(chosen.date, Day(c.finish) + kFiveInTheAfternoon) << c.clicked;
    QList<int> tasks;
    for (const Ycrash& step : chosen.steps) tasks.append(static_cast<int>(step.Task->TaskID()));
    EXPECT_EQ(tasks, c.tasks) << c.clicked;
  }

  const CrashForm::StepsToDate baselineOnly = CrashForm::CrashStepsTo({Baseline(100, 1000)}, Day(50));
  EXPECT_EQ(baselineOnly.date, Day(100) + kFiveInTheAfternoon);
  EXPECT_TRUE(baselineOnly.steps.isEmpty());
}

TEST_F(Crash, ASliceCrashedTwiceIsListedOnceWithItsLatestMultiplier) {
  const QList<Ycrash> rows = {Baseline(100, 1000), Step(1, 0, 1.25f, 98, 1100), Step(2, 0, 1.25f, 96, 1200),
                              Step(1, 0, 1.5f, 94, 1300)};
  const CrashForm::StepsToDate chosen = CrashForm::CrashStepsTo(rows, Day(90));
  ASSERT_EQ(chosen.steps.size(), 2);
  EXPECT_EQ(chosen.steps.at(0).Task, Task(1));
  EXPECT_EQ(chosen.steps.at(0).Multiplier, 1.5f);
  EXPECT_EQ(chosen.steps.at(1).Task, Task(2));
}

TEST_F(Crash, EqualMultipliersAreListedByProjectTaskNumberAndHigherPercentFirst) {
  Yproject* annex = AddStaffedChain(QStringLiteral("Annex"), staff, {3});
  Ycrash annexStep = Step(0, 0, 2, 97, 1100);
  annexStep.Task = annex->TaskList.Find(QStringLiteral("3"));
  const QList<Ycrash> rows = {Baseline(100, 1000), Step(10, 0, 2, 99, 1050), annexStep, Step(9, 0, 2, 96, 1150),
                              Step(9, 50, 2, 95, 1200)};
  const CrashForm::StepsToDate chosen = CrashForm::CrashStepsTo(rows, Day(90));
  QStringList order;
  for (const Ycrash& step : chosen.steps) {
    order.append(QStringLiteral("%1/%2/%3").arg(step.Task->Project()->ProjectName()).arg(step.Task->TaskID()).arg(step.FromPercent));
  }
  EXPECT_EQ(order, QStringList({"Annex/3/0", "Plant/9/50", "Plant/9/0", "Plant/10/0"}));
}

// Money rows of 1-2-5 steps from the top value down to 0, and the curve through every step.
TEST_F(Crash, ThePlotsRowsAndCurveUnderBothOptions) {
  const QList<Ycrash> rows = {Baseline(100, 10000), Step(1, 0, 1.5f, 98, 10600), Step(2, 0, 1.5f, 95, 11234)};
  OpenPlot(rows);
  EXPECT_EQ(Plot()->windowTitle(), QStringLiteral("Crash analysis for Plant"));
  EXPECT_EQ(Plot()->CostIncrement(), 200);
  const QStringList crashLabels = ValueLabels(Plot()->Chart());
  ASSERT_EQ(crashLabels.size(), 8);
  EXPECT_EQ(crashLabels.first(), Common::FormatCurrency(1400.0));
  EXPECT_EQ(crashLabels.last(), Common::FormatCurrency(0.0));

  // One navy line of thickness 2 from each step back to the one before.
  YwindowControl* chart = Plot()->Chart();
  const QList<Ywindow::Grob> curve = Lines(chart, kNavy);
  ASSERT_EQ(curve.size(), 2);
  EXPECT_EQ(curve.at(0).Thickness, 2);
  EXPECT_EQ(QPoint(curve.at(0).X1, curve.at(0).Y1),
            QPoint(chart->DateToX(Day(98) + kFiveInTheAfternoon),
                   praxel::ToLong(Plot()->CostToY(Currency::FromDouble(10600)))));
  EXPECT_EQ(QPoint(curve.at(0).X2, curve.at(0).Y2),
            QPoint(chart->DateToX(Day(100) + kFiveInTheAfternoon), chart->RowPos(chart->Rows() - 1)))
      << "the baseline on the bottom edge of the 0 row";

  Plot()->findChild<QRadioButton*>(QStringLiteral("TotalCostOption"))->click();
  EXPECT_EQ(Plot()->CostIncrement(), 2000);
  const QStringList totalLabels = ValueLabels(Plot()->Chart());
  EXPECT_EQ(totalLabels.first(), Common::FormatCurrency(12000.0));
  EXPECT_EQ(totalLabels.size(), 7);
}

// A last step cheaper than the baseline: the axis reaches down below 0, so the curve stays on it.
TEST_F(Crash, ANegativeCostRangeReachesBelowZero) {
  OpenPlot({Baseline(100, 10000), Step(1, 0, 1.5f, 98, 9997)});
  EXPECT_EQ(ValueLabels(Plot()->Chart()),
            QStringList({Common::FormatCurrency(0.0), Common::FormatCurrency(-1.0), Common::FormatCurrency(-2.0),
                         Common::FormatCurrency(-3.0)}));
  YwindowControl* chart = Plot()->Chart();
  const Ywindow::Grob line = Lines(chart, kNavy).first();
  EXPECT_EQ(line.Y1, chart->RowPos(chart->Rows() - 1)) << "the cheapest step on the bottom edge of the axis";
  EXPECT_EQ(line.Y2, chart->RowPos(chart->Rows() - 4)) << "the baseline on the bottom edge of the 0 row";
}

TEST_F(Crash, OnlyTheBaselineGivesOneRowAndNoCurve) {
  OpenPlot({Baseline(100, 10000)});
  EXPECT_EQ(ValueLabels(Plot()->Chart()), QStringList({Common::FormatCurrency(0.0)}));
  EXPECT_TRUE(Lines(Plot()->Chart(), kNavy).isEmpty());
}

// A click on a date lists the steps: project, task (with its percentages when a part), multiplier.
TEST_F(Crash, AClickListsTheStepsToThatDate) {
  OpenPlot({Baseline(100, 10000), Step(1, 50, 1.25f, 98, 10600), Step(2, 0, 2, 95, 11234)});
  emit Plot()->Chart()->DateClick(Day(96));
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(List()->windowTitle(), QStringLiteral("Crash to ") + praxel::DateTimeText(Day(98) + kFiveInTheAfternoon));
  YwindowControl* grid = List()->Chart();
  ASSERT_EQ(grid->Rows(), 2);
  EXPECT_EQ(grid->CellText(0, 2), QStringLiteral("Multiplier"));
  EXPECT_EQ(grid->CellText(1, 0), plant->BuildNodeText());
  EXPECT_EQ(grid->CellText(1, 1), QStringLiteral("50% to 100% of ") + Task(1)->BuildNodeText());
  EXPECT_EQ(grid->CellText(1, 2), QStringLiteral("1.25"));
  Forms::Unload(List());

  emit Plot()->Chart()->DateClick(Day(90));
  EXPECT_EQ(List()->Chart()->CellText(1, 1), Task(2)->BuildNodeText());
  EXPECT_EQ(List()->Chart()->CellText(1, 2), QStringLiteral("2"));
}

TEST_F(Crash, ALongStepListScrollsInsideTheMainWindow) {
  QList<Ycrash> rows = {Baseline(400, 10000)};
  for (int step = 1; step <= 150; ++step) {
    Ycrash row = Step(1 + step % 2, step % 100, 1.0f + step / 100.0f, 400 - step, 10000 + step);
    rows.append(row);
  }
  OpenPlot(rows);
  emit Plot()->Chart()->DateClick(Day(100));
  ASSERT_NE(List(), nullptr);
  const QSize client = mainForm->ClientSize();
  const QWidget* frame = Forms::FrameOf(List());
  EXPECT_LE(frame->width(), client.width());
  EXPECT_LE(frame->height(), client.height());
  EXPECT_GT(List()->Chart()->Rows(), 100);
}

TEST_F(Crash, TheMenuEntryWithoutResultsExplains) {
  ASSERT_TRUE(SolveNow());
  prompter.Answer(praxel::AnswerOk);
  mainForm->Control(QStringLiteral("GraphicsCrashAnalysisMenu"))->trigger();
  EXPECT_EQ(Plot(), nullptr);
  ASSERT_FALSE(prompter.Asked().isEmpty());
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Crash Data Unavailable"));
}

}  // namespace
