#include "TransferState.h"

#include "FileProgress.h"
#include "Guard.h"
#include "Rounding.h"
#include "Transfer.h"
#include "Yresource.h"

#include <QDir>

#include <algorithm>

namespace Transfer {

State& TransferState() {
  static State state;
  return state;
}

void StatusMessage(const QString& text) { CurrentFileProgress().StatusMessage(text); }

float EffortPerDurationMinute(const MSProject::Task& task) {
  float units = 0.0f;
  for (const MSProject::Assignment* assignment : task.Assignments()) units += static_cast<float>(assignment->units);
  return units != 0.0f ? units : 7.0f / 5.0f * 24.0f / 8.0f;
}

namespace {

int DayCount(const std::array<bool, 9>& days) { return static_cast<int>(std::count(days.begin(), days.end(), true)); }

std::array<bool, 9> DaysOf(const Yresource& resource) {
  std::array<bool, 9> days{};
  for (int kind = 0; kind < Yresource::kDayKinds; ++kind) days[kind] = resource.WorkDay(kind);
  return days;
}

}  // namespace

double HoursOfUnits(double units, const Yresource& resource, const std::array<bool, 9>* days) {
  const double hours = static_cast<double>(resource.NormalHours()) * units;
  if (days == nullptr || DayCount(*days) == 0) return hours;
  return hours * DayCount(DaysOf(resource)) / DayCount(*days);
}

double UnitsOfHours(double hours, const Yresource& resource, const std::array<bool, 9>& days) {
  const double normalHours = resource.NormalHours();
  if (normalHours <= 0.0) return 0.0;
  if (DayCount(days) == 0) return hours / normalHours;
  const int resourceDays = DayCount(DaysOf(resource));
  return resourceDays > 0 ? hours * DayCount(days) / (normalHours * resourceDays) : 0.0;
}

void StartPass(const QString& text) {
  State& state = TransferState();
  state.ProgressText = text;
  state.ProgressCount = 0;
}

void IncrementCount() {
  ErrTrap::Guarded(QStringLiteral("Transfer:IncrementCount"), [] {
    State& state = TransferState();
    ++state.ProgressCount;
    if (state.ProgressTotal <= 0) return;
    const long percent = praxel::ToLong(static_cast<double>(state.ProgressCount) * 100.0 / state.ProgressTotal);
    if (percent == state.LastPercent) return;
    StatusMessage(state.ProgressText + QStringLiteral(" %1%").arg(percent));
    state.LastPercent = percent;
  });
}

bool IsMSProjectXml(const QString& path) { return path.right(4).toLower() == QLatin1String(".xml"); }

bool IsBinaryMSProject(const QString& path) { return path.right(4).toLower() == QLatin1String(".mpp"); }

void BinaryFileMessage(const QString& path) {
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
          QStringLiteral("\" is a Microsoft Project file in its binary form, which PRAXEL cannot read or write.\n\n"
                         "Please save the project from Microsoft Project as \"XML Format (*.xml)\" and use that "
                         "file instead."),
      praxel::MsgExclamation, QStringLiteral("Microsoft Project XML Needed"));
}

bool MSProjectInstalled() { return true; }

}  // namespace Transfer
