#include "Command.h"
#include "HeadlessSolve.h"
#include "ProjectFile.h"
#include "ScheduleReport.h"
#include "SolveState.h"
#include "Streams.h"
#include "ToolPrompter.h"

#include <QTextStream>

namespace pxtool {

// pxtool solve FILE: loads the file, solves it with no window and prints the solve message and
// the schedule. Exit 0 when the solve completed, 1 on a solve error, 2 when the file cannot be read,
// 3 when the schedule cannot be written.
int RunSolve(const QStringList& arguments) {
  if (arguments.size() != 1) return kExitWrongCall;
  ToolPrompter prompter;
  const int loaded = LoadProjectFile(arguments[0], prompter);
  if (loaded != kExitSuccess) return loaded;
  const QString message = Solve::SolveHeadless();
  QTextStream out(stdout);
  PrintSchedule(out, message);
  if (!FinishStandardOutput(out)) return kExitUnwritable;
  return Solve::SolveMode() == Solve::ModeIdle ? kExitSuccess : kExitSolveError;
}

}  // namespace pxtool
