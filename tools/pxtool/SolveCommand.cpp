#include "Bundle.h"
#include "Command.h"
#include "Common.h"
#include "ErrTrap.h"
#include "HeadlessSolve.h"
#include "ScheduleReport.h"
#include "SolveState.h"
#include "Streams.h"
#include "ToolPrompter.h"

#include <QTextStream>

#include <cstdio>

namespace pxtool {

// pxtool solve FILE: loads the file, solves it with no window and prints the solve message and
// the schedule. Exit 0 when the solve completed, 1 on a solve error, 2 when the file cannot be read.
int RunSolve(const QStringList& arguments) {
  if (arguments.size() != 1) return kExitWrongCall;
  ToolPrompter prompter;
  Bundle::FirstRecords first;
  bool read = false;
  try {
    read = Bundle::OpenBundle(arguments[0], &first);
  } catch (const ErrTrap::CallChain&) {
    read = false;
  }
  if (!read) {
    PrintError(prompter.FirstMessage().isEmpty() ? QStringLiteral("cannot read ") + arguments[0] : prompter.FirstMessage());
    return kExitUnreadable;
  }
  Common::SetThisTemplate(first.templ);
  Common::SetThisProject(first.project);
  const QString message = Solve::SolveHeadless();
  QTextStream out(stdout);
  PrintSchedule(out, message);
  return Solve::SolveMode() == Solve::ModeIdle ? kExitSuccess : kExitSolveError;
}

}  // namespace pxtool
