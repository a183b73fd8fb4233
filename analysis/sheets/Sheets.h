#pragma once

#include "SheetTable.h"

// The ten spreadsheets, by their type numbers as the Spreadsheet menu lists them. Each builds its
// sheet from the model and the solver's calendars as they are now, for the active project and
// template (for the loading-by-day sheet, the month of `byDayStart`).
namespace Sheets {

enum Type {
  ResourceEntry = 1,
  TaskEntry = 2,
  ProjectSummary = 3,
  ProjectUpdate = 4,
  LoadingByResource = 5,
  LoadingByProject = 6,
  LoadingByDay = 7,
  OvertimeAndOverload = 8,
  Overload = 9,
  DateDependency = 10,
};

// What a type needs before it opens: a template, a project, or a solved project (the project
// update sheet also a plan journal other than the current one, which the menu asks apart).
enum class Needs { Template, Project, SolvedProject };
Needs NeedsOf(int type);

// The sheet of a type from 1 to 10. The loading-by-day sheet starts from `byDayStart` (a day of
// the month to show; 0 for the active project's start) and leaves it on the first of the month it
// shows. Error 10000 "Assertion failed" for any other type.
SheetTable Build(int type, double& byDayStart);

SheetTable ResourceEntrySheet();
SheetTable TaskEntrySheet();
SheetTable DateDependencySheet();
SheetTable LoadingSummarySheet(bool byResource);
SheetTable LoadingByDaySheet(double& byDayStart);
SheetTable OverageSheet(bool overtimeToo);
SheetTable ProjectSummarySheet();
SheetTable ProjectUpdateSheet();

// A sheet with no row below its heading row is empty; the two header rows of the loading-by-day
// sheet never are.
bool IsEmpty(const SheetTable& sheet);

}  // namespace Sheets
