// The Iterative menu: the crash and risk analyses ask for their figure, refuse what no analysis
// can use, ask to change a solve rule that halts, and run with the busy message while the window
// keeps painting.

#include "Common.h"
#include "CrashAnalysis.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "Poll.h"
#include "RiskAnalysis.h"
#include "ShellFixture.h"
#include "SolveState.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>
#include <QTimer>

namespace {

class AnalysisCommands : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    RegisterFake<FakeChart>(QStringLiteral("CrashForm"));
    RegisterFake<FakeChart>(QStringLiteral("RiskForm"));
    RegisterFake<FakeDialog>(QStringLiteral("ProjectEntryForm"));
    plant = StartWithSolvedPlant({1, 2, 3});
    staff = Common::ThisTemplate();
  }

  // Runs an Iterative entry with these texts typed into its input box.
  void Run(const char* entry, const QString& typed) {
    prompter.Type(typed);
    mainForm->Control(QString::fromLatin1(entry))->trigger();
  }

  QString LastProposal() const { return prompter.Asked().last().defaultText; }

  Ytemplate* staff = nullptr;
  Yproject* plant = nullptr;
};

TEST_F(AnalysisCommands, CrashAsksForTheTeamIncrementAndRunsOnlyOnANumberAboveZero) {
  for (const char* typed : {"", "0", "abc"}) {
    Run("IterativeQuickCrashSolveMenu", QString::fromLatin1(typed));
    EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Enter Team Increment"));
    EXPECT_EQ(LastProposal(), QStringLiteral("0.25")) << typed;
    EXPECT_EQ(Solve::CrashItems(), nullptr) << typed;
  }
  EXPECT_TRUE(FormCalls().isEmpty());

  Run("IterativeDetailedCrashSolveMenu", QStringLiteral("0.5 people"));
  ASSERT_NE(Solve::CrashItems(), nullptr);
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("CrashForm.Start")});
  ASSERT_TRUE(SolveNow());  // the analysis ends by asking for a normal solve
  Run("IterativeQuickCrashSolveMenu", QString());
  EXPECT_EQ(LastProposal(), QStringLiteral("0.5"));
}

TEST_F(AnalysisCommands, RiskAsksForTheIterationsAndRunsOnlyOnAWholeNumberAboveZero) {
  Run("IterativeQuickRiskSolveMenu", QStringLiteral("0.4"));
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Enter Number of Iterations"));
  EXPECT_EQ(LastProposal(), QStringLiteral("100"));
  EXPECT_TRUE(Solve::RiskFinishDates().empty());

  Run("IterativeQuickRiskSolveMenu", QStringLiteral("20.5"));
  EXPECT_EQ(Solve::RiskIterations(), 20);  // halves go to the even neighbour
  EXPECT_EQ(Solve::RiskFinishDates().size(), 21U);
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("RiskForm.Start")});
  EXPECT_EQ(mainForm->StatusMessageText(), QString());
  ASSERT_TRUE(SolveNow());
  Run("IterativeQuickRiskSolveMenu", QString());
  EXPECT_EQ(LastProposal(), QStringLiteral("20"));
}

// Neither analysis can use a negative figure: it is refused with a message, and the last figure
// stays the proposal.
TEST_F(AnalysisCommands, NegativeFiguresAreRefused) {
  struct Case {
    const char* entry;
    const char* typed;
    const char* title;
  };
  for (const Case& c : {Case{"IterativeQuickCrashSolveMenu", "-0.25", "Invalid Team Increment"},
                        Case{"IterativeDetailedRiskSolveMenu", "-5", "Invalid Number of Iterations"},
                        Case{"IterativeDetailedRiskSolveMenu", "3000000000", "Invalid Number of Iterations"}}) {
    prompter.Answer(praxel::AnswerOk);
    Run(c.entry, QString::fromLatin1(c.typed));
    EXPECT_EQ(prompter.Asked().last().title, QString::fromLatin1(c.title)) << c.typed;
  }
  EXPECT_EQ(Solve::CrashItems(), nullptr);
  EXPECT_TRUE(Solve::RiskFinishDates().empty());
  EXPECT_FLOAT_EQ(Solve::TeamIncrement(), 0.25F);
  EXPECT_EQ(Solve::RiskIterations(), 100);
  EXPECT_TRUE(FormCalls().isEmpty());
}

// Only the first project whose rule halts is named; Yes opens it in the project dialog, and no
// analysis runs either way.
TEST_F(AnalysisCommands, AHaltingSolveRuleIsNamedAndOpenedInsteadOfTheAnalysis) {
  Yproject* depot = AddStaffedChain(QStringLiteral("Depot"), staff, {1});
  depot->SetSolveRules(2);
  AddStaffedChain(QStringLiteral("Yard"), staff, {1})->SetSolveRules(4);
  ASSERT_TRUE(SolveNow());
  prompter.Answer(praxel::AnswerYes);
  mainForm->Control(QStringLiteral("IterativeQuickCrashSolveMenu"))->trigger();
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked().at(0).title, QStringLiteral("Halt Rule Must Be Changed"));
  EXPECT_EQ(prompter.Asked().at(0).text,
            QStringLiteral("The project Depot has a solve rule that halts on an error.  Crash requires that the rule be "
                           "changed so that it will continue (extend) and not halt.\n\nDo you want to change the solve "
                           "rule?"));
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("ProjectEntryForm.StartModify")});
  EXPECT_EQ(FakeDialog::modified, depot);
  Forms::Unload(Forms::Find(QStringLiteral("ProjectEntryForm")));

  prompter.Answer(praxel::AnswerNo);
  mainForm->Control(QStringLiteral("IterativeDetailedRiskSolveMenu"))->trigger();
  EXPECT_EQ(prompter.Asked().last().title, QStringLiteral("Halt Rule Must Be Changed"));
  EXPECT_TRUE(prompter.Asked().last().text.contains(QStringLiteral("Risk analysis requires")));
  EXPECT_EQ(Solve::CrashItems(), nullptr);
  EXPECT_TRUE(Solve::RiskFinishDates().empty());
}

// A detailed risk analysis of the sample project, started from the menu: while it runs the window
// paints and its timers tick, with the busy message shown; the user's input waits, so nothing can
// change the model under the analysis.
TEST_F(AnalysisCommands, RiskOfTheSampleRunsWhileTheWindowKeepsAnswering) {
  Common::FreeAllMemory();
  Common::BroadcastNewThisProject();
  dialogs.OpenAnswer(QStringLiteral(PRAXEL_SAMPLE));
  mainForm->Control(QStringLiteral("FileOpenMenu"))->trigger();
  ASSERT_NE(Common::ThisProject(), nullptr);
  ASSERT_TRUE(SolveNow());
  Solve::SetPumpInterval(0);
  int ticksDuringRun = 0;
  QString busyText;
  QTimer ticker;
  ticker.setInterval(0);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (Solve::SolveMode() != Solve::ModeAnalysis) return;
    ++ticksDuringRun;
    busyText = mainForm->StatusMessageText();
  });
  ticker.start();
  Run("IterativeDetailedRiskSolveMenu", QStringLiteral("20"));
  ticker.stop();
  EXPECT_GT(ticksDuringRun, 0);
  EXPECT_EQ(busyText, QStringLiteral("Risk solve in progress ..."));
  EXPECT_EQ(Solve::RiskFinishDates().size(), 21U);
  EXPECT_EQ(FormCalls(), QStringList{QStringLiteral("RiskForm.Start")});
  EXPECT_TRUE(SolveNow());
}

}  // namespace
