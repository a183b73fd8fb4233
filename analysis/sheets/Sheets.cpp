#include "Sheets.h"

#include "RuntimeError.h"

namespace Sheets {

Needs NeedsOf(int type) {
  switch (type) {
    case ResourceEntry:
    case LoadingByResource:
    case LoadingByProject:
    case LoadingByDay: return Needs::Template;
    case TaskEntry:
    case DateDependency: return Needs::Project;
    default: return Needs::SolvedProject;
  }
}

SheetTable Build(int type, double& byDayStart) {
  switch (type) {
    case ResourceEntry: return ResourceEntrySheet();
    case TaskEntry: return TaskEntrySheet();
    case ProjectSummary: return ProjectSummarySheet();
    case ProjectUpdate: return ProjectUpdateSheet();
    case LoadingByResource: return LoadingSummarySheet(true);
    case LoadingByProject: return LoadingSummarySheet(false);
    case LoadingByDay: return LoadingByDaySheet(byDayStart);
    case OvertimeAndOverload: return OverageSheet(true);
    case Overload: return OverageSheet(false);
    case DateDependency: return DateDependencySheet();
    default: throw praxel::RuntimeError(10000, QStringLiteral("Assertion failed"));
  }
}

bool IsEmpty(const SheetTable& sheet) { return sheet.Rows() < 2; }

}  // namespace Sheets
