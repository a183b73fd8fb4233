// The sheets of the active project's solved schedule: the project summary (the current journal)
// and the project update (the plan journal beside the current one), with their cost totals.

#include "Sheets.h"

#include "Common.h"
#include "Format.h"
#include "JournalSwitch.h"
#include "Journals.h"
#include "RuntimeError.h"
#include "ShortDate.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QHash>
#include <QLocale>

#include <array>
#include <cstdint>

namespace Sheets {

namespace {

using praxel::Currency;

constexpr int kLeft = 1;
constexpr int kRight = 7;
constexpr int kFirstCostColumn = 10;

// The material, labor and total cost of one row.
using Costs = std::array<Currency, 3>;

// The texts of one kind of figure in one sheet, each written once and shared by the cells that
// show it: the tasks of a project start and finish on far fewer days than they are many, and
// most of their costs are alike (nothing, above all), while writing a date or a sum of money
// out in the locale's form is dear.
template <typename Key>
class SharedTexts {
 public:
  explicit SharedTexts(QString (*write)(Key)) : write_(write) {}

  const QString& Of(Key key) {
    auto known = texts_.find(key);
    if (known == texts_.end()) known = texts_.insert(key, write_(key));
    return known.value();
  }

 private:
  QString (*write_)(Key);
  QHash<Key, QString> texts_;
};

// The dates and the sums of money of one sheet.
struct FigureTexts {
  SharedTexts<double> dates{praxel::DateTimeText};
  SharedTexts<std::int64_t> money{[](std::int64_t ticks) { return Common::FormatCurrency(Currency::FromTicks(ticks)); }};
};

// The figures of a task from column 2 on, in the journal now current: effort, the four dates,
// duration, slack, time left as of the journal's date, and the three costs.
Costs FillTaskFigures(SheetTable& sheet, int row, const Yproject& project, const Ytask& task, FigureTexts& texts) {
  sheet.SetText(row, 2, task.Subproject() != nullptr ? QString() : Common::FormatEffort(task, true));
  sheet.SetText(row, 3, texts.dates.Of(task.EarlyStart()));
  sheet.SetText(row, 4, texts.dates.Of(task.EarlyFinish()));
  sheet.SetText(row, 5, texts.dates.Of(task.LateStart()));
  sheet.SetText(row, 6, texts.dates.Of(task.LateFinish()));
  sheet.SetText(row, 7, Common::FormatDuration(task.EarlyFinish() - task.EarlyStart(), true));
  sheet.SetText(row, 8, Common::FormatDuration(task.LateFinish() - task.EarlyFinish(), true));
  sheet.SetText(row, 9,
                task.EarlyFinish() < project.Journal() ? QStringLiteral("done")
                                                       : Common::FormatDuration(task.EarlyFinish() - project.Journal(), true));
  const Costs costs = {task.MaterialCost(), task.LaborCost(), task.LaborCost() + task.MaterialCost()};
  for (int kind = 0; kind < 3; ++kind) sheet.SetText(row, kFirstCostColumn + kind, texts.money.Of(costs[kind].Ticks()));
  return costs;
}

// The columns of a sheet of task figures: the task, a second column of the sheet's own, and the
// figures of FillTaskFigures.
SheetTable TaskFigureSheet(const QString& title, const QString& second, int secondAlignment, int lockedColumns) {
  SheetTable sheet;
  sheet.title = title;
  sheet.titleTakesPageHeader = true;
  sheet.AddColumn(QStringLiteral("Task"), kLeft);
  sheet.AddColumn(second, secondAlignment);
  sheet.AddColumn(QStringLiteral("Effort"), kRight);
  for (const char* heading : {"Early start", "Early finish", "Late start", "Late finish", "Duration", "Slack",
                              "Time left", "Material cost", "Labor cost", "Total cost"}) {
    sheet.AddColumn(QString::fromLatin1(heading), kRight);
  }
  sheet.FixTop();
  sheet.lockedColumns = lockedColumns;
  return sheet;
}

// The sum of the costs of the rows as their cells show them (to the cent), kind by kind, so that
// each total is the sum of the figures above it; a sum beyond the money range is none.
std::array<std::optional<Currency>, 3> Totals(const QList<Costs>& rows) {
  std::array<std::optional<Currency>, 3> totals;
  for (int kind = 0; kind < 3; ++kind) {
    try {
      Currency sum;
      for (const Costs& costs : rows) sum += Common::ShownCurrency(costs[kind]);
      totals[kind] = sum;
    } catch (const praxel::RuntimeError&) {
      totals[kind].reset();
    }
  }
  return totals;
}

QString TotalText(const std::optional<Currency>& total, bool asMoney) {
  if (!total) return QStringLiteral("Overflow");
  if (asMoney) return Common::FormatCurrency(*total);
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(total->ToDouble(), 'g', QLocale::FloatingPointShortest);
}

}  // namespace

SheetTable ProjectSummarySheet() {
  SheetTable sheet = TaskFigureSheet(QStringLiteral("Project Summary Spreadsheet for "),
                                     QStringLiteral("Control dependency"), kLeft, 1);

  QList<Costs> costs;
  FigureTexts texts;
  if (const Yproject* project = Common::ThisProject()) {
    for (const Ytask* task : project->TaskList) {
      if (!task->Include()) continue;
      const int row = sheet.AddRow();
      sheet.SetText(row, 0, task->BuildNodeText());
      // A task without a controlling dependency (edited since the solve) shows an empty cell.
      const Ydependency* control = task->ControlDependency();
      sheet.SetText(row, 1, control != nullptr ? control->BuildNodeText() : QString());
      costs.append(FillTaskFigures(sheet, row, *project, *task, texts));
    }
  }
  // The totals are summed from the costs as shown, never read back from the texts. Without a
  // task row they are plain numbers, as under a heading.
  const int row = sheet.AddRow();
  sheet.SetText(row, 0, QStringLiteral("Total"));
  const auto totals = Totals(costs);
  for (int kind = 0; kind < 3; ++kind) sheet.SetText(row, kFirstCostColumn + kind, TotalText(totals[kind], !costs.isEmpty()));
  return sheet;
}

SheetTable ProjectUpdateSheet() {
  SheetTable sheet = TaskFigureSheet(QStringLiteral("Project Update Spreadsheet for "), QStringLiteral("Journal"), kRight, 2);

  QList<Costs> planCosts;
  QList<Costs> currentCosts;
  FigureTexts texts;
  if (Yproject* project = Common::ThisProject()) {
    for (const Ytask* task : project->TaskList) {
      const auto addRow = [&](const char* journal, QList<Costs>& costs) {
        if (!task->Include()) return;
        const int row = sheet.AddRow();
        sheet.SetText(row, 0, task->BuildNodeText());
        sheet.SetText(row, 1, QString::fromLatin1(journal));
        costs.append(FillTaskFigures(sheet, row, *project, *task, texts));
      };
      {
        const JournalSwitch plan(project, project->PlanIndex);
        addRow("Plan", planCosts);
      }
      addRow("Current", currentCosts);
    }
  }
  const auto plan = Totals(planCosts);
  const auto current = Totals(currentCosts);
  const int first = sheet.Rows();
  for (const char* journal : {"Plan", "Current", "Difference"}) {
    const int row = sheet.AddRow();
    sheet.SetText(row, 0, QStringLiteral("Total"));
    sheet.SetText(row, 1, QString::fromLatin1(journal));
  }
  for (int kind = 0; kind < 3; ++kind) {
    const int col = kFirstCostColumn + kind;
    sheet.SetText(first, col, TotalText(plan[kind], true));
    sheet.SetText(first + 1, col, TotalText(current[kind], true));
    std::optional<Currency> difference;
    if (plan[kind] && current[kind]) {
      try {
        difference = *plan[kind] - *current[kind];
      } catch (const praxel::RuntimeError&) {
      }
    }
    sheet.SetText(first + 2, col, TotalText(difference, true));
  }
  return sheet;
}

}  // namespace Sheets
