// The sheets read from the resource calendars of the active template: the loading summary by
// resource or by project, the loading by the day of one month, and the overtime and overload
// stretches.

#include "Sheets.h"

#include "Common.h"
#include "Format.h"
#include "Journals.h"
#include "OleDate.h"
#include "ResourceCalendar.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslot.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDate>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace Sheets {

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 7;

constexpr int kCyan = 0xFFFF00;
constexpr int kDarkCyan = 0xC0C000;
constexpr int kLightRed = 0x8080FF;

// Every booked slot of the included resources of the active template that have a calendar, day
// by day and in chain order within a day, from day `first` to day `last` (the calendar's own
// bounds when none are given).
template <class Visit>
void ForEachBookedSlot(Visit visit, double first = 0, double last = -1) {
  const Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr) return;
  for (const Yresource* resource : templ->ResourceList) {
    if (!resource->Include()) continue;
    const Solve::ResourceCalendar* calendar = Solve::FindCalendar(*resource);
    if (calendar == nullptr || calendar->IsEmpty()) continue;
    const int from = last < first ? calendar->LowerBound() : static_cast<int>(first);
    const int to = last < first ? calendar->UpperBound() : static_cast<int>(last);
    for (int day = from; day <= to; ++day) {
      for (const Yslot* slot = calendar->FindSlot(day); slot != nullptr; slot = slot->NextSlot) {
        if (const Ytask* task = slot->TaskRequired()) visit(*resource, *slot, *task);
      }
    }
  }
}

// Whole minutes between the slot's ends: the hours of a slot are counted from them.
std::int64_t SlotMinutes(const Yslot& slot) { return std::llround((slot.EndTime - slot.StartTime) * 1440.0); }

float Hours(std::int64_t minutes) { return static_cast<float>(static_cast<double>(minutes) / 60.0); }

// The value a day cell shows: hours written with one decimal, read back.
float Shown(float hours) { return Common::FormatHours(hours, false).toFloat(); }

QString ProjectCaption(const Ytask& task) { return task.Project() != nullptr ? task.Project()->BuildNodeText() : QString(); }
QString ProjectName(const Ytask& task) { return task.Project() != nullptr ? task.Project()->ProjectName() : QString(); }

}  // namespace

SheetTable LoadingSummarySheet(bool byResource) {
  SheetTable sheet;
  sheet.title = QStringLiteral("Loading summary");
  const QStringList names = byResource ? QStringList{"Resource", "Project", "Task"} : QStringList{"Project", "Task", "Resource"};
  for (const QString& name : names) sheet.AddColumn(name, kLeft);
  for (const char* heading : {"From", "Until", "Normal", "Off day", "Overtime", "Overload", "Total"}) {
    sheet.AddColumn(QString::fromLatin1(heading), kRight);
  }
  sheet.FixTop();
  sheet.lockedColumns = 1;

  // One line per resource and task, in the order of the sheet: by resource number, project name
  // (by character code) and task number, or by project name, task number and resource number.
  // The hours are kept in whole minutes.
  struct Key {
    int resource;
    QString project;
    int task;
  };
  const auto before = [byResource](const Key& a, const Key& b) {
    return byResource ? std::tie(a.resource, a.project, a.task) < std::tie(b.resource, b.project, b.task)
                      : std::tie(a.project, a.task, a.resource) < std::tie(b.project, b.task, b.resource);
  };
  struct Summary {
    const Yresource* resource;
    const Ytask* task;
    double start;
    double end;
    std::int64_t minutes[4] = {0, 0, 0, 0};  // normal, off day, overtime, overload
  };
  std::map<Key, Summary, decltype(before)> lines(before);
  ForEachBookedSlot([&](const Yresource& resource, const Yslot& slot, const Ytask& task) {
    auto [line, added] = lines.try_emplace(Key{resource.ResourceID(), ProjectName(task), task.TaskID()},
                                           Summary{&resource, &task, slot.StartTime, slot.EndTime});
    Summary& summary = line->second;
    if (!added) {
      summary.start = std::min(summary.start, slot.StartTime);
      summary.end = std::max(summary.end, slot.EndTime);
    }
    switch (slot.SlotType) {
      case Yslot::Normal: summary.minutes[0] += SlotMinutes(slot); break;
      case Yslot::OffDay: summary.minutes[1] += SlotMinutes(slot); break;
      case Yslot::Overtime: summary.minutes[2] += SlotMinutes(slot); break;
      case Yslot::Overload: summary.minutes[3] += SlotMinutes(slot); break;
      default: break;  // a holiday booking marks the stretch but adds no hours
    }
  });

  for (const auto& [key, summary] : lines) {
    const int row = sheet.AddRow();
    const QString resource = summary.resource->BuildNodeText();
    const QString project = ProjectCaption(*summary.task);
    const QString task = summary.task->BuildNodeText();
    const QStringList first = byResource ? QStringList{resource, project, task} : QStringList{project, task, resource};
    for (int col = 0; col < 3; ++col) sheet.SetText(row, col, first.at(col));
    sheet.SetText(row, 3, praxel::DateTimeText(summary.start));
    sheet.SetText(row, 4, praxel::DateTimeText(summary.end));
    std::int64_t total = 0;
    for (int kind = 0; kind < 4; ++kind) {
      sheet.SetText(row, 5 + kind, Common::FormatHours(Hours(summary.minutes[kind]), true));
      total += summary.minutes[kind];
    }
    sheet.SetText(row, 9, Common::FormatHours(Hours(total), false));
  }
  return sheet;
}

namespace {

// The first day of the month of a day.
double FirstOfMonth(double day) {
  const QDate date = praxel::FromOleDate(std::floor(day)).date();
  return praxel::ToOleDate(QDate(date.year(), date.month(), 1));
}

}  // namespace

SheetTable LoadingByDaySheet(double& byDayStart) {
  SheetTable sheet;
  sheet.title = QStringLiteral("Loading by the day");
  // Without a month chosen: the active project's start, or this month when there is no project.
  if (byDayStart == 0) {
    const Yproject* project = Common::ThisProject();
    byDayStart = project != nullptr ? project->EarlyStart() : praxel::ToOleDate(QDate::currentDate());
  }
  byDayStart = FirstOfMonth(byDayStart);
  const QDate month = praxel::FromOleDate(byDayStart).date();
  const int days = month.daysInMonth();
  const double last = byDayStart + days - 1;

  sheet.AddColumn(QStringLiteral("Resource"), kLeft);
  sheet.AddColumn(QStringLiteral("Project/Task"), kLeft);
  const QString monthHeading = QLocale().toString(month, QStringLiteral("MMMM yyyy"));
  for (int day = 1; day <= days; ++day) sheet.AddColumn(monthHeading, SheetTable::kDateGridColumn);
  const int dayRow = sheet.AddRow();
  for (int col = 2; col < sheet.Cols(); ++col) sheet.SetText(dayRow, col, QString::number(col - 1));
  sheet.FixTop(true);
  sheet.lockedColumns = 2;

  // Per resource (in the template's order), its projects by caption and their tasks by number,
  // with the hours of each day; and the highest kind of time other than normal on each day.
  struct TaskLine {
    const Ytask* task;
    QList<float> hours;
  };
  struct Block {
    const Yresource* resource;
    std::map<QString, std::map<int, TaskLine>> projects;
    QList<int> kinds;
  };
  QList<Block> blocks;
  ForEachBookedSlot(
      [&](const Yresource& resource, const Yslot& slot, const Ytask& task) {
        if (blocks.isEmpty() || blocks.last().resource != &resource) blocks.append({&resource, {}, QList<int>(days, 0)});
        Block& block = blocks.last();
        TaskLine& line = block.projects[ProjectCaption(task)].try_emplace(task.TaskID(), TaskLine{&task, QList<float>(days, 0)})
                             .first->second;
        const int day = static_cast<int>(std::floor(slot.StartTime) - byDayStart);
        // Each addition is shown with one decimal, and the next one adds to what is shown.
        line.hours[day] = Shown(line.hours[day] + static_cast<float>((slot.EndTime - slot.StartTime) * 24.0));
        if (slot.SlotType != Yslot::Normal) block.kinds[day] = std::max(block.kinds[day], slot.SlotType);
      },
      byDayStart, last);

  for (const Block& block : blocks) {
    const QString resource = block.resource->BuildNodeText();
    QList<float> totals(days, 0);
    for (const auto& [caption, tasks] : block.projects) {
      const int projectRow = sheet.AddRow();
      sheet.SetText(projectRow, 0, resource);
      sheet.SetText(projectRow, 1, caption);
      for (const auto& [id, line] : tasks) {
        const int row = sheet.AddRow();
        sheet.SetText(row, 0, resource);
        sheet.SetText(row, 1, QStringLiteral("- ") + line.task->BuildNodeText());
        for (int day = 0; day < days; ++day) {
          if (line.hours.at(day) == 0) continue;
          sheet.SetText(row, 2 + day, Common::FormatHours(line.hours.at(day), false));
          if (line.hours.at(day) > 0) totals[day] = Shown(totals.at(day) + line.hours.at(day));
        }
      }
    }
    const int totalRow = sheet.AddRow();
    sheet.SetText(totalRow, 0, resource);
    sheet.SetText(totalRow, 1, QStringLiteral("Total"));
    for (int day = 0; day < days; ++day) {
      if (totals.at(day) > 0) sheet.SetText(totalRow, 2 + day, Common::FormatHours(totals.at(day), false));
      int color = 0;
      switch (block.kinds.at(day)) {
        case Yslot::OffDay: color = kCyan; break;
        case Yslot::Overtime: color = kDarkCyan; break;
        case Yslot::Overload: color = kLightRed; break;
        default: break;  // none, or a holiday
      }
      if (color == 0) continue;
      SheetTable::Cell& cell = sheet.At(totalRow, 2 + day);
      cell.backColor = color;
      cell.bold = true;
      cell.italic = true;
    }
  }
  sheet.toolTip = QStringLiteral("left-click for previous month or right-click for next month");
  return sheet;
}

SheetTable OverageSheet(bool overtimeToo) {
  SheetTable sheet;
  sheet.title = (overtimeToo ? QStringLiteral("Overtime and overload") : QStringLiteral("Overload")) +
                QStringLiteral(" spreadsheet for ");
  sheet.titleTakesPageHeader = true;
  for (const char* heading : {"Resource", "Project", "Task"}) sheet.AddColumn(QString::fromLatin1(heading), kLeft);
  sheet.AddColumn(QStringLiteral("From"), kRight);
  sheet.AddColumn(QStringLiteral("Until"), kRight);
  sheet.FixTop();

  // One entry per resource and task, in the order their first stretch was met.
  struct Entry {
    const Yresource* resource;
    const Ytask* task;
    double start;
    double end;
  };
  QList<Entry> entries;
  QHash<std::pair<const Yresource*, const Ytask*>, qsizetype> index;
  ForEachBookedSlot([&](const Yresource& resource, const Yslot& slot, const Ytask& task) {
    if (slot.SlotType != Yslot::Overload && !(overtimeToo && slot.SlotType == Yslot::Overtime)) return;
    const auto key = std::pair(&resource, &task);
    const auto found = index.constFind(key);
    if (found == index.constEnd()) {
      index.insert(key, entries.size());
      entries.append({&resource, &task, slot.StartTime, slot.EndTime});
      return;
    }
    Entry& entry = entries[found.value()];
    if (slot.StartTime < entry.start) {
      entry.start = slot.StartTime;
    } else if (slot.EndTime > entry.end) {
      entry.end = slot.EndTime;
    }
  });
  for (const Entry& entry : entries) {
    const int row = sheet.AddRow();
    sheet.SetText(row, 0, entry.resource->BuildNodeText());
    sheet.SetText(row, 1, ProjectCaption(*entry.task));
    sheet.SetText(row, 2, entry.task->BuildNodeText());
    sheet.SetText(row, 3, praxel::DateTimeText(entry.start));
    sheet.SetText(row, 4, praxel::DateTimeText(entry.end));
  }
  return sheet;
}

}  // namespace Sheets
