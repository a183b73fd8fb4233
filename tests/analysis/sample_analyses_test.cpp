// Both analyses run on the sample project of the run command, through their Iterative entries:
// each plot opens, draws its curve and, with PRAXEL_SCREENSHOTS set, is saved there to be looked at.

#include "CrashAnalysis.h"
#include "CrashDataForm.h"
#include "CrashForm.h"
#include "Forms.h"
#include "MainForm.h"
#include "RiskAnalysis.h"
#include "RiskForm.h"
#include "SpreadsheetForm.h"
#include "ViewFixture.h"
#include "YwindowControl.h"

#include <QAction>
#include <QRadioButton>

namespace {

class SampleAnalyses : public ViewTest {
 protected:
  void TearDown() override {
    Solve::ClearCrashItems();
    Solve::ClearRiskResults();
    ViewTest::TearDown();
  }
  void Run(const char* entry, const QString& typed) {
    prompter.Type(typed);
    mainForm->Control(QString::fromLatin1(entry))->trigger();
  }
};

TEST_F(SampleAnalyses, CrashPlotStepListAndRiskPlotOfTheSample) {
  OpenSample();
  ASSERT_TRUE(SolveNow());
  Run("IterativeQuickCrashSolveMenu", QStringLiteral("0.5"));
  ASSERT_NE(Solve::CrashItems(), nullptr);
  auto* crash = qobject_cast<CrashForm*>(Forms::Find(QStringLiteral("CrashForm")));
  ASSERT_NE(crash, nullptr);
  EXPECT_GT(crash->Chart()->Grobs().Count(), 0);
  SaveScreenshot("sample-crash.png");

  emit crash->Chart()->DateClick(Solve::CrashItems()->last().EndDate);
  auto* steps = qobject_cast<CrashDataForm*>(Forms::Find(QStringLiteral("CrashDataForm")));
  ASSERT_NE(steps, nullptr);
  EXPECT_EQ(steps->Chart()->Rows() > 1, Solve::CrashItems()->size() > 1);
  SaveScreenshot("sample-crash-steps.png");
  Forms::Unload(steps);

  ASSERT_TRUE(SolveNow());
  Run("IterativeQuickRiskSolveMenu", QStringLiteral("200"));
  auto* risk = qobject_cast<RiskForm*>(Forms::Find(QStringLiteral("RiskForm")));
  ASSERT_NE(risk, nullptr);
  EXPECT_EQ(risk->windowTitle().section(QLatin1Char(' '), 0, 1), QStringLiteral("200 iterations"));
  SaveScreenshot("sample-risk-probability.png");
  risk->findChild<QRadioButton*>(QStringLiteral("TotalCostOption"))->click();
  SaveScreenshot("sample-risk-cost.png");
}

TEST_F(SampleAnalyses, ProjectSummaryAndLoadingByDayOfTheSample) {
  OpenSample();
  ASSERT_TRUE(SolveNow());
  mainForm->Control(QStringLiteral("SpreadsheetTypeMenu3"))->trigger();
  auto* sheet = qobject_cast<SpreadsheetForm*>(Forms::Find(QStringLiteral("SpreadsheetForm")));
  ASSERT_NE(sheet, nullptr);
  EXPECT_GT(sheet->Chart()->Rows(), 10);
  SaveScreenshot("sample-sheet-project-summary.png");
  mainForm->Control(QStringLiteral("SpreadsheetTypeMenu7"))->trigger();
  sheet = qobject_cast<SpreadsheetForm*>(Forms::Find(QStringLiteral("SpreadsheetForm")));
  ASSERT_NE(sheet, nullptr);
  EXPECT_GT(sheet->Chart()->Rows(), 2);
  SaveScreenshot("sample-sheet-loading-by-day.png");
}

}  // namespace
