#pragma once

#include <QString>
#include <QStringList>

namespace pxtool {

// What the analysis commands (crash, risk) share: their call, and the solved file they work on.
struct AnalysisCall {
  QString file;
  bool quick = false;  // --quick; --detailed (the default) books resources in every pass
  // The options other than --quick and --detailed, as given: option name, then its value.
  QStringList options;
};

// Reads "FILE [--quick|--detailed] [--name VALUE ...]", where every name of `valueOptions` takes
// a value. False (after printing why) for anything else.
bool ParseAnalysisCall(const QStringList& arguments, const QStringList& valueOptions, AnalysisCall* call);

// The value given for an option, or empty.
QString OptionValue(const AnalysisCall& call, const QString& name);

// Loads the file, makes its first project and template the active ones and solves it with no
// window. Answers kExitSuccess when the analysis named `analysis` may run; otherwise prints why
// and answers the exit code: unreadable file, or a solve that stopped on an error or that the
// analysis cannot work on (a solve rule that halts).
int LoadForAnalysis(const AnalysisCall& call, const QString& analysis);

// After an analysis: runs the normal solve it asked for, so the schedule is the unanalysed one
// again. Answers the exit code.
int FinishAnalysis();

}  // namespace pxtool
