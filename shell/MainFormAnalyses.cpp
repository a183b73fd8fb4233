// The Iterative menu: the quick and detailed crash and risk analyses. Each asks for its one figure
// (the team increment, the number of iterations), proposing the last one accepted, and shows its
// results in its chart window. An analysis needs the active project solved and no loaded project
// on a solve rule that halts; it runs with the busy message, and the window keeps painting
// while the user's input waits for the end.

#include "MainForm.h"

#include "AnalysisRun.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "Prompter.h"
#include "RiskAnalysis.h"
#include "Rounding.h"
#include "Yproject.h"

#include <QMetaObject>

#include <cmath>
#include <limits>

namespace {

constexpr float kFirstTeamIncrement = 0.25F;
constexpr std::int32_t kFirstRiskIterations = 100;
constexpr std::int32_t kMostRiskIterations = std::numeric_limits<std::int32_t>::max();

}  // namespace

void MainForm::BuildAnalysisCommands() {
  commands_.insert(QStringLiteral("IterativeQuickCrashSolveMenu"), [this] { CrashSolve(true); });
  commands_.insert(QStringLiteral("IterativeDetailedCrashSolveMenu"), [this] { CrashSolve(false); });
  commands_.insert(QStringLiteral("IterativeQuickRiskSolveMenu"), [this] { RiskSolve(true); });
  commands_.insert(QStringLiteral("IterativeDetailedRiskSolveMenu"), [this] { RiskSolve(false); });
}

bool MainForm::NoHaltingProject(const QString& Analysis) {
  Yproject* halting = Solve::FirstHaltingProject();
  if (halting == nullptr) return true;
  const int answer = praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The project ") + halting->BuildNodeText() +
          QStringLiteral(" has a solve rule that halts on an error.  ") + Analysis +
          QStringLiteral(" requires that the rule be changed so that it will continue (extend) and not halt.\n\n"
                         "Do you want to change the solve rule?"),
      praxel::MsgYesNo | praxel::MsgQuestion, QStringLiteral("Halt Rule Must Be Changed"));
  if (answer == praxel::AnswerYes) {
    QWidget* dialog = Forms::Load(QStringLiteral("ProjectEntryForm"));
    if (dialog == nullptr) {
      Common::NotReadyYet();
    } else {
      QMetaObject::invokeMethod(dialog, "StartModify", Qt::DirectConnection, Q_ARG(Yproject*, halting));
    }
  }
  return false;
}

void MainForm::CrashSolve(bool Quick) {
  ErrTrap::Guarded(QStringLiteral("Main:CrashSolve"), [&] {
    if (!Common::ThisProjectSolved() || !NoHaltingProject(QStringLiteral("Crash"))) return;
    if (Solve::TeamIncrement() == 0) Solve::SetTeamIncrement(kFirstTeamIncrement);
    const QString answer = praxel::CurrentPrompter().InputBox(
        QStringLiteral("Enter the team increment:"), QStringLiteral("Enter Team Increment"),
        QString::number(Solve::TeamIncrement(), 'g', 7));
    const auto increment = static_cast<float>(Common::LeadingNumber(answer));
    if (increment == 0) return;
    // A team grows by a positive step; a smaller team is no crash.
    if (increment < 0) {
      praxel::CurrentPrompter().MsgBox(QStringLiteral("The team increment must be a number above 0."),
                                       praxel::MsgExclamation, QStringLiteral("Invalid Team Increment"));
      return;
    }
    Solve::SetTeamIncrement(increment);
    if (Quick) {
      Solve::QuickCrashSolve();
    } else {
      Solve::DetailedCrashSolve();
    }
    Forms::StartForm(QStringLiteral("CrashForm"), "Start");
  });
}

void MainForm::RiskSolve(bool Quick) {
  ErrTrap::Guarded(QStringLiteral("Main:RiskSolve"), [&] {
    if (!Common::ThisProjectSolved() || !NoHaltingProject(QStringLiteral("Risk analysis"))) return;
    if (Solve::RiskIterations() == 0) Solve::SetRiskIterations(kFirstRiskIterations);
    const QString answer = praxel::CurrentPrompter().InputBox(QStringLiteral("Enter the number of iterations to perform:"),
                                                              QStringLiteral("Enter Number of Iterations"),
                                                              QString::number(Solve::RiskIterations()));
    const double typed = Common::LeadingNumber(answer);
    if (std::abs(typed) <= 0.5) return;
    // The results are kept one per iteration: a count below one is no analysis.
    if (typed < 0 || typed >= kMostRiskIterations + 0.5) {
      praxel::CurrentPrompter().MsgBox(QStringLiteral("The number of iterations must be a whole number from 1 to %1.")
                                           .arg(kMostRiskIterations),
                                       praxel::MsgExclamation, QStringLiteral("Invalid Number of Iterations"));
      return;
    }
    Solve::SetRiskIterations(praxel::ToLong(typed));
    Solve::RunRiskAnalysis(Quick);
    Forms::StartForm(QStringLiteral("RiskForm"), "Start");
  });
}
