#include "Command.h"
#include "Common.h"
#include "HeadlessSolve.h"
#include "OleDate.h"
#include "ProjectFile.h"
#include "Sheets.h"
#include "SolveState.h"
#include "Streams.h"
#include "ToolPrompter.h"
#include "Yproject.h"

#include <QDate>
#include <QTextStream>

namespace pxtool {

namespace {

// "mm/yyyy": the first day of that month, within the years the program's dates reach (100 to 9999).
std::optional<double> ParseMonth(const QString& text) {
  const QDate month = QDate::fromString(text, QStringLiteral("MM/yyyy"));
  if (!month.isValid() || month.year() < 100) return std::nullopt;
  return praxel::ToOleDate(month);
}

// Why the sheet cannot be made for the file's first project and template, or nothing.
QString Refusal(int type) {
  switch (Sheets::NeedsOf(type)) {
    case Sheets::Needs::Template:
      if (Common::ThisTemplate() == nullptr) return QStringLiteral("the file holds no template");
      break;
    case Sheets::Needs::Project:
      if (Common::ThisProject() == nullptr) return QStringLiteral("the file holds no project");
      break;
    case Sheets::Needs::SolvedProject:
      if (Common::ThisProject() == nullptr) return QStringLiteral("the file holds no project");
      break;
  }
  const Yproject* project = Common::ThisProject();
  if (type == Sheets::ProjectUpdate && project->PlanIndex == project->CurrentIndex) {
    return QStringLiteral("This spreadsheet requires the current journal to be different from the plan journal.");
  }
  return QString();
}

}  // namespace

// pxtool sheet FILE TYPE [--month mm/yyyy]: loads and solves the file and prints spreadsheet TYPE
// (1 to 10, as the Spreadsheet menu lists them) of its first project and template as the grid
// copies it: a line per row, the cells separated by tabs, a line break inside a cell as a blank.
// Exit codes as for solve; a sheet that needs a solved project is not made after a solve error.
int RunSheet(const QStringList& arguments) {
  QStringList rest = arguments;
  double byDayStart = 0;
  if (const qsizetype at = rest.indexOf(QStringLiteral("--month")); at >= 0) {
    const std::optional<double> month = at + 1 < rest.size() ? ParseMonth(rest.at(at + 1)) : std::nullopt;
    if (!month) {
      PrintError(QStringLiteral("--month takes a month as mm/yyyy, in the years 0100 to 9999"));
      return kExitWrongCall;
    }
    byDayStart = *month;
    rest.remove(at, 2);
  }
  if (rest.size() != 2) return kExitWrongCall;
  bool isNumber = false;
  const int type = rest.at(1).toInt(&isNumber);
  if (!isNumber || type < 1 || type > 10) {
    PrintError(QStringLiteral("the spreadsheet type is a number from 1 to 10, not ") + rest.at(1));
    return kExitWrongCall;
  }

  ToolPrompter prompter;
  const int loaded = LoadProjectFile(rest.at(0), prompter);
  if (loaded != kExitSuccess) return loaded;
  const QString message = Solve::SolveHeadless();
  const bool solved = Solve::SolveMode() == Solve::ModeIdle;
  if (!solved && Sheets::NeedsOf(type) == Sheets::Needs::SolvedProject) {
    PrintError(message);
    return kExitSolveError;
  }
  if (const QString refusal = Refusal(type); !refusal.isEmpty()) {
    PrintError(refusal);
    return kExitSolveError;
  }
  const SheetTable sheet = Sheets::Build(type, byDayStart);
  QTextStream out(stdout);
  out << sheet.CopiedText(QStringLiteral("\n"), QStringLiteral(" "));
  if (!FinishStandardOutput(out)) return kExitUnwritable;
  if (solved) return kExitSuccess;
  // The sheet did not need the solve, but its dates and figures are not a schedule: say why.
  PrintError(message);
  return kExitSolveError;
}

}  // namespace pxtool
