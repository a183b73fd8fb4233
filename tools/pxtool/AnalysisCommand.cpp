#include "AnalysisCommand.h"

#include "AnalysisRun.h"
#include "Command.h"
#include "HeadlessSolve.h"
#include "ProjectFile.h"
#include "SolveState.h"
#include "Streams.h"
#include "ToolPrompter.h"

namespace pxtool {

bool ParseAnalysisCall(const QStringList& arguments, const QStringList& valueOptions, AnalysisCall* call) {
  bool variantGiven = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    if (argument == QLatin1String("--quick") || argument == QLatin1String("--detailed")) {
      if (variantGiven) {
        PrintError(QStringLiteral("give --quick or --detailed once"));
        return false;
      }
      variantGiven = true;
      call->quick = argument == QLatin1String("--quick");
    } else if (valueOptions.contains(argument)) {
      if (i + 1 >= arguments.size() || !OptionValue(*call, argument).isEmpty()) {
        PrintError(argument + QStringLiteral(" takes one value"));
        return false;
      }
      call->options << argument << arguments.at(++i);
    } else if (argument.startsWith(QLatin1String("--")) || !call->file.isEmpty()) {
      PrintError(QStringLiteral("unexpected argument ") + argument);
      return false;
    } else {
      call->file = argument;
    }
  }
  if (call->file.isEmpty()) {
    PrintError(QStringLiteral("no project file given"));
    return false;
  }
  return true;
}

QString OptionValue(const AnalysisCall& call, const QString& name) {
  for (qsizetype i = 0; i + 1 < call.options.size(); i += 2) {
    if (call.options.at(i) == name) return call.options.at(i + 1);
  }
  return QString();
}

int LoadForAnalysis(const AnalysisCall& call, const QString& analysis) {
  ToolPrompter prompter;
  const int loaded = LoadProjectFile(call.file, prompter);
  if (loaded != kExitSuccess) return loaded;
  const QString message = Solve::SolveHeadless();
  if (Solve::SolveMode() != Solve::ModeIdle) {
    PrintError(message);
    return kExitSolveError;
  }
  const QString refusal = Solve::AnalysisRefusal(analysis);
  if (!refusal.isEmpty()) {
    PrintError(refusal);
    return kExitSolveError;
  }
  return kExitSuccess;
}

int FinishAnalysis() {
  const QString message = Solve::SolveHeadless();
  if (Solve::SolveMode() == Solve::ModeIdle) return kExitSuccess;
  PrintError(message);
  return kExitSolveError;
}

}  // namespace pxtool
