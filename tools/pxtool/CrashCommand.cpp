#include "AnalysisCommand.h"
#include "Command.h"
#include "CrashAnalysis.h"
#include "ErrTrap.h"
#include "Streams.h"
#include "ToolPrompter.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace pxtool {

namespace {

// The crashed task as the solver names it: "(project) task".
QString TaskCaption(const Ytask* task) {
  if (task == nullptr) return QString();
  return QLatin1Char('(') + task->Project()->BuildNodeText() + QStringLiteral(") ") + task->BuildNodeText();
}

void PrintCrashItems(QTextStream& out) {
  const QList<Ycrash>* items = Solve::CrashItems();
  if (items == nullptr) return;
  for (const Ycrash& row : *items) {
    out << TaskCaption(row.Task) << '\t' << int{row.FromPercent} << '\t' << int{row.ToPercent} << '\t'
        << Yfile::FormatNumber(row.Multiplier) << '\t' << Yfile::FormatDate(row.EndDate) << '\t'
        << Yfile::FormatNumber(row.TotalCost) << '\n';
  }
}

}  // namespace

// pxtool crash FILE [--quick|--detailed] [--increment X]: loads and solves the file, runs a crash
// analysis of its first project (team increment 0.25 unless given) and prints one line per row of
// the analysis, the baseline first: task, from %, to %, multiplier, end date, total cost.
int RunCrash(const QStringList& arguments) {
  AnalysisCall call;
  if (!ParseAnalysisCall(arguments, {QStringLiteral("--increment")}, &call)) return kExitWrongCall;
  float increment = 0.25f;
  const QString given = OptionValue(call, QStringLiteral("--increment"));
  if (!given.isEmpty()) {
    bool number = false;
    increment = given.toFloat(&number);
    if (!number || !std::isfinite(increment) || increment <= 0.0f) {
      PrintError(QStringLiteral("--increment needs a number above 0"));
      return kExitWrongCall;
    }
  }
  const int loaded = LoadForAnalysis(call, QStringLiteral("Crash"));
  if (loaded != kExitSuccess) return loaded;

  ToolPrompter prompter;
  Solve::SetTeamIncrement(increment);
  try {
    if (call.quick) {
      Solve::QuickCrashSolve();
    } else {
      Solve::DetailedCrashSolve();
    }
  } catch (const ErrTrap::CallChain&) {
    PrintError(prompter.FirstMessage());
    return kExitSolveError;
  }
  QTextStream out(stdout);
  PrintCrashItems(out);
  if (!FinishStandardOutput(out)) return kExitUnwritable;
  return FinishAnalysis();
}

}  // namespace pxtool
