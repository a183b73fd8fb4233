// pxtool: the headless companion of Praxel. The first argument names the command; the rest are
// its arguments.

#include "Command.h"
#include "ErrTrap.h"
#include "GuardedRun.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

using pxtool::Command;

const Command kCommands[] = {
    {"pack", "IN OUT", "pack a text file into a packed file", pxtool::RunPack},
    {"unpack", "IN OUT", "unpack a packed file into its text", pxtool::RunUnpack},
    {"solve", "FILE", "load a project file, solve it and print the schedule", pxtool::RunSolve},
    {"crash", "FILE [--quick|--detailed] [--increment X]",
     "solve a project file and print the steps of a crash analysis of its first project", pxtool::RunCrash},
    {"risk", "FILE --iterations N [--quick|--detailed]",
     "solve a project file and print the results of a risk analysis of its first project", pxtool::RunRisk},
    {"sheet", "FILE TYPE [--month mm/yyyy]",
     "solve a project file and print spreadsheet TYPE (1 to 10) of its first project and template", pxtool::RunSheet},
    {"resave", "IN OUT", "load a .pxa, .pxb or Microsoft Project .xml file and save it again (the kind by the extension)", pxtool::RunResave},
};

void PrintUsage() {
  std::fputs("usage: pxtool COMMAND ARGUMENTS\n", stderr);
  for (const Command& command : kCommands) {
    const QString call = QStringLiteral("%1 %2").arg(QLatin1String(command.name), QLatin1String(command.arguments));
    // A long call gets its help on a line of its own, in the same column.
    const char* gap = call.size() > 18 ? "\n                     " : " ";
    std::fprintf(stderr, "  %-18s%s%s\n", call.toLocal8Bit().constData(), gap, command.help);
  }
  std::fputs("A file named \"-\" stands for standard input or output.\n", stderr);
}

}  // namespace

int main(int argc, char** argv) {
  // A file that cannot be read is told to the user on standard error; it is not a failure of
  // the program, and the error log stays for those.
  ErrTrap::SetInputErrorsPlain(true);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));

  if (!arguments.isEmpty()) {
    const QString name = arguments.takeFirst();
    for (const Command& command : kCommands) {
      if (name != QLatin1String(command.name)) continue;
      const int exitCode = pxtool::RunGuarded(command, arguments);
      if (exitCode == pxtool::kExitWrongCall) PrintUsage();
      return exitCode;
    }
  }
  PrintUsage();
  return pxtool::kExitWrongCall;
}
