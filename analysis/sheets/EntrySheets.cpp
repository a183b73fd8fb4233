// The sheets of the model's input: the resource entry and task entry sheets, and the date
// dependencies of every loaded project.

#include "Sheets.h"

#include "Common.h"
#include "Format.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QLocale>

namespace Sheets {

namespace {

constexpr int kLeft = 1;
constexpr int kCentre = 4;
constexpr int kRight = 7;
const QString kLineBreak = QStringLiteral("\r\n");

QString YorN(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("n"); }

// The three letters of a day's name, one to a line.
QString DownwardHeading(const char* letters) {
  const QString word = QString::fromLatin1(letters);
  QStringList lines;
  for (const QChar letter : word) lines.append(QString(letter));
  return lines.join(kLineBreak);
}

// A number in its shortest form with the user's decimal separator.
QString PlainNumber(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

SheetTable ResourceEntrySheet() {
  SheetTable sheet;
  sheet.title = QStringLiteral("Resource Entry Spreadsheet");
  for (const char* heading : {"Resource ID", "Description", "Department", "Title"}) {
    sheet.AddColumn(QString::fromLatin1(heading), kLeft);
  }
  for (const char* rate : {"Burdened", "Overtime", "Off day", "Holiday"}) {
    sheet.AddColumn(QString::fromLatin1(rate) + kLineBreak + QStringLiteral("rate"), kRight);
  }
  sheet.AddColumn(QStringLiteral("Shift"), kLeft);
  // Monday to Sunday, then the holiday and shutdown kinds, by their day kind numbers.
  const struct {
    const char* letters;
    int kind;
  } days[] = {{"Mon", 2}, {"Tue", 3}, {"Wed", 4}, {"Thu", 5}, {"Fri", 6},
              {"Sat", 7}, {"Sun", 1}, {"Hol", 0}, {"Shu", 8}};
  for (const auto& day : days) sheet.AddColumn(DownwardHeading(day.letters), kCentre);
  sheet.FixTop();
  sheet.lockedColumns = 1;

  const Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr) return sheet;
  for (const Yresource* resource : templ->ResourceList) {
    if (!resource->Include()) continue;
    const int row = sheet.AddRow();
    int col = 0;
    sheet.SetText(row, col++, QString::number(resource->ResourceID()));
    sheet.SetText(row, col++, resource->Description);
    sheet.SetText(row, col++, resource->Department());
    sheet.SetText(row, col++, resource->Title());
    for (const praxel::Currency rate :
         {resource->BurdenedRate(), resource->OvertimeRate(), resource->OffDayRate(), resource->HolidayRate()}) {
      sheet.SetText(row, col++, Common::FormatCurrency(rate));
    }
    // A resource without a shift shows an empty cell.
    const Yshift* shift = resource->Shift();
    sheet.SetText(row, col++, shift != nullptr ? shift->ShiftName() : QString());
    for (const auto& day : days) sheet.SetText(row, col++, YorN(resource->WorkDay(day.kind)));
  }
  return sheet;
}

SheetTable TaskEntrySheet() {
  SheetTable sheet;
  sheet.title = QStringLiteral("Task Entry Spreadsheet");
  const struct {
    const char* heading;
    int alignment;
  } columns[] = {{"Task ID", kLeft},    {"Description", kLeft},  {"Duration", kRight},  {"MaterialCost", kRight},
                 {"Efficiency", kRight}, {"Dependencies", kLeft}, {"Assignments", kLeft}};
  for (const auto& column : columns) sheet.AddColumn(QString::fromLatin1(column.heading), column.alignment);
  sheet.FixTop();
  sheet.lockedColumns = 1;

  const Yproject* project = Common::ThisProject();
  if (project == nullptr) return sheet;
  for (const Ytask* task : project->TaskList) {
    if (!task->Include()) continue;
    const int first = sheet.AddRow();
    // Dependencies and assignments side by side from the task's first row down.
    const auto list = [&](int col, const auto& items) {
      int row = first;
      for (const auto* item : items) {
        if (!item->Include()) continue;
        if (row >= sheet.Rows()) sheet.AddRow();
        sheet.SetText(row++, col, item->BuildNodeText());
      }
    };
    list(5, task->DependencyList);
    list(6, task->AssignmentList);
    for (int row = first; row < sheet.Rows(); ++row) {
      sheet.SetText(row, 0, QString::number(task->TaskID()));
      sheet.SetText(row, 3, Common::FormatCurrency(task->MaterialCost()));
      if (const Yproject* subproject = task->Subproject()) {
        sheet.SetText(row, 1, subproject->BuildNodeText());
        sheet.SetText(row, 2, QStringLiteral("<sub>"));
        sheet.SetText(row, 4, QStringLiteral("<n/a>"));
      } else {
        sheet.SetText(row, 1, task->Description);
        sheet.SetText(row, 2, Common::FormatEffort(*task, true));
        sheet.SetText(row, 4, PlainNumber(task->Efficiency()));
      }
    }
  }
  return sheet;
}

SheetTable DateDependencySheet() {
  SheetTable sheet;
  sheet.title = QStringLiteral("Date Dependency Spreadsheet for ");
  sheet.titleTakesPageHeader = true;
  sheet.AddColumn(QStringLiteral("Project"), kLeft);
  sheet.AddColumn(QStringLiteral("Task"), kLeft);
  sheet.AddColumn(QStringLiteral("Dependency"), kRight);
  sheet.FixTop();
  for (const Yproject* project : Common::Projects()) {
    for (const Ytask* task : project->TaskList) {
      if (!task->Include()) continue;
      for (const Ydependency* dependency : task->DependencyList) {
        if (!dependency->Include() || dependency->TaskRequired() != nullptr) continue;
        const int row = sheet.AddRow();
        sheet.SetText(row, 0, project->BuildNodeText());
        sheet.SetText(row, 1, task->BuildNodeText());
        sheet.SetText(row, 2, dependency->BuildNodeText());
      }
    }
  }
  return sheet;
}

}  // namespace Sheets
