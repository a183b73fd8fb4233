#include "ImportChecks.h"

#include "Currency.h"
#include "MspdiDocument.h"
#include "TransferState.h"

#include <cmath>
#include <limits>

namespace Transfer {

namespace {

constexpr double kLargestLong = std::numeric_limits<std::int32_t>::max();

QString Caption(const MSProject::Task& task) { return QStringLiteral("task %1 \"%2\"").arg(task.id).arg(task.name.trimmed()); }

QString Caption(const MSProject::Resource& resource) {
  return QStringLiteral("resource %1 \"%2\"").arg(resource.id).arg(resource.name.trimmed());
}

QString Number(double value) { return MSProject::FormatNumber(value); }

QString TaskRefusal(const MSProject::Task& task) {
  // A summary task becomes a subproject: only its name and description are imported.
  if (!task.ChildTasks().isEmpty()) return QString();
  if (!(std::fabs(task.fixedCost) <= praxel::Currency::kLargestWhole)) {
    return Caption(task) + QStringLiteral(": the fixed cost %1 is past the largest amount, %2")
                               .arg(Number(task.fixedCost), Number(praxel::Currency::kLargestWhole));
  }
  if (!(std::fabs(task.effortUnitNumber) <= kLargestLong)) {
    return Caption(task) + QStringLiteral(": the effort unit number %1 is past the largest whole number, %2")
                               .arg(Number(task.effortUnitNumber), Number(kLargestLong));
  }
  const double estimates[] = {task.duration.value_or(0.0), task.optimistic, task.mostLikely, task.pessimistic};
  for (const double minutes : estimates) {
    if (minutes < 0) return Caption(task) + QStringLiteral(": a duration of %1 minutes is below 0").arg(Number(minutes));
  }
  for (const MSProject::Link& link : task.links) {
    if (!(std::fabs(link.lagTenths) <= MSProject::kLongestLagTenths)) {
      return Caption(task) + QStringLiteral(": the lag of its link to the task with UID %1, %2 tenths of a minute, is "
                                            "longer than a link can hold (%3)")
                                 .arg(link.predecessorUid)
                                 .arg(Number(link.lagTenths), Number(MSProject::kLongestLagTenths));
    }
  }
  for (const MSProject::Assignment* assignment : task.Assignments()) {
    if (!(assignment->units >= 0)) {
      return Caption(task) + QStringLiteral(": the assignment of resource %1 has %2 units, below 0")
                                 .arg(assignment->ResourceID(*task.document))
                                 .arg(Number(assignment->units));
    }
  }
  // The import multiplies the minutes by the summed units into whole effort minutes.
  const double perMinute = EffortPerDurationMinute(task);
  for (const double minutes : estimates) {
    if (!(perMinute * minutes <= kLargestLong)) {
      return Caption(task) + QStringLiteral(": %1 minutes at %2 units make more effort minutes than %3")
                                 .arg(Number(minutes), QString::number(perMinute, 'g', 7), Number(kLargestLong));
    }
  }
  return QString();
}

QString ResourceRefusal(const MSProject::Resource& resource) {
  for (const auto& [what, rate] : {std::pair{"standard", resource.standardRate}, {"overtime", resource.overtimeRate}}) {
    if (!(rate >= 0 && rate <= praxel::Currency::kLargestWhole)) {
      return Caption(resource) + QStringLiteral(": the %1 rate %2 is not an amount from 0 to %3")
                                     .arg(QLatin1String(what), Number(rate), Number(praxel::Currency::kLargestWhole));
    }
  }
  return QString();
}

}  // namespace

QString ImportRefusal(const MSProject::Document& document) {
  for (const MSProject::Resource* resource : document.Resources()) {
    const QString refusal = ResourceRefusal(*resource);
    if (!refusal.isEmpty()) return refusal;
  }
  for (const auto& task : document.tasks) {
    if (task->isNull) continue;
    const QString refusal = TaskRefusal(*task);
    if (!refusal.isEmpty()) return refusal;
  }
  return QString();
}

}  // namespace Transfer
