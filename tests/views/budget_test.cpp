// The budget plot: the money ladder, the spreading of costs over days, the curves and their key,
// the rules that keep the check boxes drawable, and a redraw on every new solution.

#include "BudgetForm.h"
#include "Common.h"
#include "Format.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "SolveState.h"
#include "ViewFixture.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"

#include <QAction>
#include <QCheckBox>

namespace {

using praxel::Currency;

Currency Money(double value) { return Currency::FromDouble(value); }

TEST(BudgetSpread, ATasksCostIsSpreadEvenlyOverTheDaysItTouches) {
  QList<Currency> days(5);  // days 10 to 14
  BudgetForm::SpreadTaskCost(days, 10, 10 + 9.0 / 24, 12 + 17.0 / 24, Money(300));
  EXPECT_EQ(days, (QList<Currency>{Money(100), Money(100), Money(100), Currency(), Currency()}));
}

// A task starting and finishing on one midnight puts its whole cost on that day, so that the
// curve reaches the total it is scaled for; a day outside the span falls on its nearest end.
TEST(BudgetSpread, AnInstantTasksWholeCostFallsOnItsDayAndOutsideDaysOnTheEnds) {
  QList<Currency> days(3);  // days 10 to 12
  BudgetForm::SpreadTaskCost(days, 10, 11, 11, Money(50));
  BudgetForm::SpreadTaskCost(days, 10, 20, 20, Money(7));
  BudgetForm::SpreadTaskCost(days, 10, 2, 2, Money(3));
  EXPECT_EQ(days, (QList<Currency>{Money(3), Money(50), Money(7)}));
}

// Plant: tasks 1 to 3 in a chain from Day(0), a day each; task 1 costs 12,345 in material.
class Budget : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    staff = AddTemplate(QStringLiteral("Staff"));
    plant = AddStaffedChain(QStringLiteral("Plant"), staff, {1, 2, 3});
    plant->TaskList.First()->SetMaterialCost(Money(12345));
    plant->SetDirty(false);
    Activate(staff, plant);
  }

  void OpenBudget() { OpenView("GraphicsBudgetMenu", "BudgetForm"); }
  static BudgetForm* Form() { return qobject_cast<BudgetForm*>(Forms::Find(QStringLiteral("BudgetForm"))); }
  static QCheckBox* Box(const char* name) { return Form()->findChild<QCheckBox*>(QString::fromLatin1(name)); }
  static QStringList Checked() {
    QStringList names;
    for (const char* name : {"PlanCheck", "CurrentCheck", "EarnedValueCheck", "MaterialCostCheck", "LaborCostCheck",
                             "TotalCostCheck"}) {
      if (Box(name)->isChecked()) names.append(QString::fromLatin1(name));
    }
    return names;
  }
  // The texts the plot drew, and the lines of a colour.
  static QStringList Texts() {
    QStringList texts;
    const Ywindow::GrobList& grobs = Form()->Chart()->Grobs();
    for (int i = 0; i < grobs.Count(); ++i) {
      if (grobs.At(i).Kind == Ywindow::GrobText) texts.append(grobs.At(i).Text);
    }
    return texts;
  }
  static QList<Ywindow::Grob> Lines(int color) {
    QList<Ywindow::Grob> lines;
    const Ywindow::GrobList& grobs = Form()->Chart()->Grobs();
    for (int i = 0; i < grobs.Count(); ++i) {
      if (grobs.At(i).Kind == Ywindow::GrobLine && grobs.At(i).BorderColor == color) lines.append(grobs.At(i));
    }
    return lines;
  }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
};

constexpr int kPlanTotal = 100 | (100 << 8) | (255 << 16);

TEST_F(Budget, TheLadderStepsOneTwoFiveUpToTheLargestCost) {
  OpenBudget();
  EXPECT_EQ(Form()->MaxCost(), Money(12345));
  EXPECT_EQ(Form()->Increment(), 2000);
  YwindowControl* chart = Form()->Chart();
  QStringList labels;
  for (int row = 0; row < chart->Rows(); ++row) labels.append(chart->CellText(row, 0));
  EXPECT_TRUE(labels.contains(Common::FormatCurrency(14000.0)));
  EXPECT_EQ(chart->CellText(chart->Rows() - 2, 0), Common::FormatCurrency(0.0));
}

// On its plan journal the project shows the plan only: one curve and key line per cost kind, the
// total curve rising from 0 to the whole cost over the project's days.
TEST_F(Budget, PlanCurvesRiseDayByDayToTheTotal) {
  OpenBudget();
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Plan for Plant"));
  EXPECT_EQ(Checked(), (QStringList{"PlanCheck", "MaterialCostCheck", "LaborCostCheck", "TotalCostCheck"}));
  const QStringList texts = Texts();
  for (const char* label : {"Plan Material", "Plan Labor", "Plan Total"}) EXPECT_TRUE(texts.contains(QLatin1String(label)));
  const QList<Ywindow::Grob> total = Lines(kPlanTotal);
  ASSERT_GE(total.size(), 2);  // the days of the curve, and its key line
  const int bottom = Form()->Chart()->RowPos(Form()->Chart()->Rows() - 1);
  EXPECT_EQ(total.first().Y1, bottom);  // from 0
  EXPECT_LT(total.at(total.size() - 2).Y2, bottom);
}

TEST_F(Budget, TheCheckBoxesStayDrawable) {
  for (JournalHolder* holder : std::initializer_list<JournalHolder*>{plant, staff}) holder->AddJournal(Day(1));
  OpenBudget();
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Plan and current for Plant"));
  Box("EarnedValueCheck")->click();
  EXPECT_EQ(Checked(), (QStringList{"EarnedValueCheck", "TotalCostCheck"}));
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Earned value for Plant"));
  for (const char* label : {"BCWS", "BCWP", "ACWP"}) EXPECT_TRUE(Texts().contains(QLatin1String(label)));
  Box("LaborCostCheck")->click();
  EXPECT_EQ(Checked(), (QStringList{"EarnedValueCheck", "LaborCostCheck"}));
  Box("PlanCheck")->click();
  EXPECT_EQ(Checked(), (QStringList{"PlanCheck", "LaborCostCheck"}));
  Box("LaborCostCheck")->click();  // the last cost kind: total comes back
  EXPECT_EQ(Checked(), (QStringList{"PlanCheck", "TotalCostCheck"}));
}

// A new solution draws the plot again; a redraw without a new layout keeps the key in place.
TEST_F(Budget, ANewSolutionRedrawsItAndEveryPassDrawsTheWholeKey) {
  OpenBudget();
  plant->TaskList.First()->SetMaterialCost(Money(30000));
  plant->SetDirty(true);
  ASSERT_TRUE(SolveNow());
  EXPECT_EQ(Form()->MaxCost(), Money(30000));
  const int keyLines = Lines(kPlanTotal).size();
  emit Form()->Chart()->RedoGraphics();
  const QList<Ywindow::Grob> lines = Lines(kPlanTotal);
  ASSERT_EQ(lines.size(), 2 * keyLines);
  EXPECT_EQ(lines.at(keyLines - 1).Y1, lines.last().Y1);  // the key line at the same height
}

TEST_F(Budget, TheSampleProjectsBudget) {
  OpenSample();
  OpenBudget();
  EXPECT_GT(Form()->MaxCost(), Currency());
  SaveScreenshot("budget.png");
}

// The sample's earned value: three curves and the whole of their three labels in the key.
TEST_F(Budget, TheSampleProjectsEarnedValue) {
  OpenSample();
  OpenBudget();
  Box("EarnedValueCheck")->click();
  const QStringList texts = Texts();
  for (const char* label : {"BCWS", "BCWP", "ACWP"}) EXPECT_TRUE(texts.contains(QLatin1String(label))) << label;
  SaveScreenshot("budget-earned-value.png");
}

}  // namespace
