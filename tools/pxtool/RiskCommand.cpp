#include "AnalysisCommand.h"
#include "Command.h"
#include "ErrTrap.h"
#include "RiskAnalysis.h"
#include "Streams.h"
#include "ToolPrompter.h"
#include "Yfile.h"

#include <QTextStream>

namespace pxtool {

// pxtool risk FILE --iterations N [--quick|--detailed]: loads and solves the file, runs a risk
// analysis of its first project and prints one line per entry of the results: index, finish date,
// total cost. Entry 0 is the unsampled schedule, entries 1 to N the iterations by finish date.
int RunRisk(const QStringList& arguments) {
  AnalysisCall call;
  if (!ParseAnalysisCall(arguments, {QStringLiteral("--iterations")}, &call)) return kExitWrongCall;
  bool number = false;
  const int iterations = OptionValue(call, QStringLiteral("--iterations")).toInt(&number);
  if (!number || iterations < 1) {
    PrintError(QStringLiteral("--iterations needs a whole number above 0"));
    return kExitWrongCall;
  }
  const int loaded = LoadForAnalysis(call, QStringLiteral("Risk analysis"));
  if (loaded != kExitSuccess) return loaded;

  ToolPrompter prompter;
  Solve::SetRiskIterations(iterations);
  try {
    Solve::RunRiskAnalysis(call.quick);
  } catch (const ErrTrap::CallChain&) {
    PrintError(prompter.FirstMessage());
    return kExitSolveError;
  }
  QTextStream out(stdout);
  const std::vector<double>& finishes = Solve::RiskFinishDates();
  const std::vector<praxel::Currency>& costs = Solve::RiskCosts();
  for (std::size_t i = 0; i < finishes.size(); ++i) {
    out << i << '\t' << Yfile::FormatDate(finishes[i]) << '\t' << Yfile::FormatNumber(costs[i]) << '\n';
  }
  if (!FinishStandardOutput(out)) return kExitUnwritable;
  return FinishAnalysis();
}

}  // namespace pxtool
