// The view commands: the Graphics entries open and close their windows behind their guards,
// Crash analysis needs crash data, the spreadsheet types replace one another, and Output > Copy
// and Print act on the active window.

#include "CaseName.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "OpenViews.h"
#include "ShellFixture.h"
#include "SolveState.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// A solved project Plant on the template Staff.
class ViewCommands : public ShellTest {
 protected:
  void StartSolved() { plant = StartWithSolvedPlant({1, 2}); }

  void Click(const QString& entry) { mainForm->Control(entry)->trigger(); }

  Yproject* plant = nullptr;
};

// A chart entry and its window.
struct ChartCase {
  const char* entry;
  const char* form;
  bool needsSolution;
};
void PrintTo(const ChartCase& chart, std::ostream* out) { *out << chart.form; }

class ChartEntries : public ViewCommands, public testing::WithParamInterface<ChartCase> {};

// The entry opens its window, which checks the entry; the entry again closes it. While a solve
// runs, a chart that needs a solution can be neither opened nor closed through its entry.
TEST_P(ChartEntries, OpenAndCloseTheirWindowBehindTheirGuard) {
  const ChartCase chart = GetParam();
  const QString entry = QString::fromLatin1(chart.entry);
  const QString form = QString::fromLatin1(chart.form);
  RegisterFake<FakeChart>(form, QSize(300, 200), entry);
  StartSolved();

  Click(entry);
  EXPECT_EQ(FormCalls(), QStringList{form + QStringLiteral(".Start")});
  EXPECT_TRUE(mainForm->Control(entry)->isChecked());

  Solve::SetSolveMode(Solve::ModeRequested);
  if (chart.needsSolution) prompter.Answer(praxel::AnswerOk);
  Click(entry);
  if (chart.needsSolution) {
    ASSERT_EQ(prompter.Asked().size(), 1);
    EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Waiting For Solve To Complete"));
    EXPECT_TRUE(mainForm->Control(entry)->isChecked());
    EXPECT_NE(Forms::Find(form), nullptr);
    Solve::SetSolveMode(Solve::ModeIdle);
    Click(entry);
  }
  EXPECT_FALSE(mainForm->Control(entry)->isChecked());
  EXPECT_EQ(Forms::Find(form), nullptr);
  Solve::SetSolveMode(Solve::ModeIdle);
}

INSTANTIATE_TEST_SUITE_P(Graphics, ChartEntries,
                         testing::Values(ChartCase{"GraphicsGanttMenu", "GanttForm", true},
                                         ChartCase{"GraphicsHistogramMenu", "HistogramForm", true},
                                         ChartCase{"GraphicsBudgetMenu", "BudgetForm", true},
                                         ChartCase{"GraphicsRiskAnalysisMenu", "RiskForm", false},
                                         ChartCase{"GraphicsWorkBreakdownMenu", "WorkBreakdownForm", false},
                                         ChartCase{"GraphicsPrecedenceMenu", "PrecedenceForm", true}),
                         [](const testing::TestParamInfo<ChartCase>& info) {
                           return testsupport::TestName(info.param.form);
                         });

TEST_F(ViewCommands, CrashAnalysisNeedsCrashDataOfTheActiveProject) {
  RegisterFake<FakeChart>(QStringLiteral("CrashForm"), QSize(300, 200), QStringLiteral("GraphicsCrashAnalysisMenu"));
  StartSolved();
  prompter.Answer(praxel::AnswerOk);
  Click(QStringLiteral("GraphicsCrashAnalysisMenu"));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Crash Data Unavailable"));
  EXPECT_EQ(prompter.Asked().at(0).text,
            QStringLiteral("Crash data is unavailable.  To create crash data, please perform an iterative crash solve."));

  Solve::SetTeamIncrement(0.5F);
  Solve::QuickCrashSolve();
  ASSERT_TRUE(SolveNow());
  Click(QStringLiteral("GraphicsCrashAnalysisMenu"));
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("CrashForm.Start")});
  Click(QStringLiteral("GraphicsCrashAnalysisMenu"));
  EXPECT_EQ(Forms::Find(QStringLiteral("CrashForm")), nullptr);

  // The steps belong to the project that was active.
  Common::SetThisProject(AddStaffedChain(QStringLiteral("Depot"), Common::ThisTemplate(), {1}));
  Common::BroadcastNewThisProject();
  EXPECT_EQ(Solve::CrashItems(), nullptr);
  prompter.Answer(praxel::AnswerOk);
  Click(QStringLiteral("GraphicsCrashAnalysisMenu"));
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Crash Data Unavailable"));
}

TEST_F(ViewCommands, ASpreadsheetTypeReplacesTheOtherAndChosenAgainCloses) {
  Register(QStringLiteral("SpreadsheetForm"), [this] {
    // The window shows the type chosen, and its unload clears the type and its mark.
    auto* sheet = new FakeChart(*mainForm);
    sheet->onUnload = [] {
      Common::CheckMenuEntry(QStringLiteral("SpreadsheetTypeMenu%1").arg(Common::SpreadsheetType()), false);
      Common::SetSpreadsheetType(0);
    };
    return sheet;
  });
  StartSolved();
  Click(QStringLiteral("SpreadsheetTypeMenu2"));
  EXPECT_EQ(Common::SpreadsheetType(), 2);
  EXPECT_TRUE(mainForm->Control(QStringLiteral("SpreadsheetTypeMenu2"))->isChecked());
  Click(QStringLiteral("SpreadsheetTypeMenu3"));
  EXPECT_EQ(Common::SpreadsheetType(), 3);
  EXPECT_FALSE(mainForm->Control(QStringLiteral("SpreadsheetTypeMenu2"))->isChecked());
  EXPECT_TRUE(mainForm->Control(QStringLiteral("SpreadsheetTypeMenu3"))->isChecked());
  EXPECT_EQ(FormCalls(), (QStringList{QStringLiteral("SpreadsheetForm.Start"), QStringLiteral("SpreadsheetForm.Unload"),
                                      QStringLiteral("SpreadsheetForm.Start")}));
  Click(QStringLiteral("SpreadsheetTypeMenu3"));
  EXPECT_EQ(Common::SpreadsheetType(), 0);
  EXPECT_EQ(Forms::Find(QStringLiteral("SpreadsheetForm")), nullptr);

  // Project update compares the current journal with the plan.
  prompter.Answer(praxel::AnswerOk);
  Click(QStringLiteral("SpreadsheetTypeMenu4"));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Plan Equals Current"));
  EXPECT_EQ(Common::SpreadsheetType(), 0);
}

TEST_F(ViewCommands, CopyAndPrintNeedAnActiveWindowWithAChart) {
  StartSolved();
  struct Case {
    const char* entry;
    const char* nothing;
    const char* unsupported;
    const char* title;
  };
  for (const Case& c : {Case{"OutputCopyMenu", "There is nothing to copy.", "The copy function is not supported for ",
                             "Copy Not Supported"},
                        Case{"OutputPrintMenu", "There is nothing to print.", "The print function is not supported for ",
                             "Print Not Supported"}}) {
    mainForm->MdiArea()->setActiveSubWindow(nullptr);
    prompter.Answer(praxel::AnswerOk);
    Click(QString::fromLatin1(c.entry));
    EXPECT_EQ(prompter.Asked().last().text, QString::fromLatin1(c.nothing));
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Not Applicable"));

    mainForm->MdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(Forms::FrameOf(Forms::Find(QStringLiteral("ProjectTreeForm")))));
    prompter.Answer(praxel::AnswerOk);
    Click(QString::fromLatin1(c.entry));
    EXPECT_EQ(prompter.Asked().last().text, QString::fromLatin1(c.unsupported) + QStringLiteral("ProjectTree."));
    EXPECT_EQ(prompter.Asked().last().title, QString::fromLatin1(c.title));
  }
}

TEST_F(ViewCommands, WindowsThatDoNotExistYetAreNotReady) {
  StartSolved();
  for (const char* entry : {"GraphicsStatusReportMenu", "CalendarMenu", "SpreadsheetTypeMenu1"}) {
    prompter.Answer(praxel::AnswerOk);
    Click(QString::fromLatin1(entry));
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Not Ready Yet")) << entry;
  }
  EXPECT_EQ(Common::SpreadsheetType(), 0);
}

}  // namespace
