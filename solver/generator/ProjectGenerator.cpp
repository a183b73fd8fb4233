#include "ProjectGenerator.h"

#include "Common.h"
#include "Currency.h"
#include "OleDate.h"
#include "Pool.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDate>
#include <QSet>

#include <algorithm>

namespace generator {

namespace {

// A small generator of our own, so that a seed gives the same set on every platform.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // A whole number from low to high, both included.
  int Between(int low, int high) { return low + static_cast<int>(Next() % std::uint32_t(high - low + 1)); }
  // True with the given chance in percent.
  bool Chance(int percent) { return Between(1, 100) <= percent; }

 private:
  std::uint32_t state_;
};

Ydependency* AddDependency(Ytask* task, Ytask* required, int fromPercent, int toPercent) {
  auto* dependency = Common::NewY<Ydependency>(ytDependency);
  dependency->SetTask(task);
  dependency->SetTaskRequired(required);
  dependency->SetFromPercent(fromPercent);
  dependency->SetToPercent(toPercent);
  return dependency;
}

}  // namespace

Workload GenerateWorkload(const WorkloadSize& size) {
  Workload workload;
  Random random(size.seed);
  const double start = praxel::ToOleDate(QDate(2024, 1, 1));  // a Monday

  Ytemplate* templ = Common::NewY<Ytemplate>(ytTemplate);
  templ->SetTemplateName(QStringLiteral("Staff"));
  templ->AddJournal(start);
  templ->FindOrCreateShift(QStringLiteral("Day"));  // the standard day
  QList<Yresource*> resources;
  for (int id = 1; id <= size.resources; ++id) {
    Yresource* resource = templ->FindOrCreateResource(id);
    resource->Description = QStringLiteral("Resource %1").arg(id);
    const double rate = random.Between(30, 90);
    resource->SetBurdenedRate(praxel::Currency::FromDouble(rate));
    resource->SetOvertimeRate(praxel::Currency::FromDouble(rate * 1.5));
    resource->SetOffDayRate(praxel::Currency::FromDouble(rate * 2));
    resource->SetHolidayRate(praxel::Currency::FromDouble(rate * 3));
    resources.append(resource);
  }
  workload.templ = templ;

  const int projectCount = std::max(1, (size.tasks + size.tasksPerProject - 1) / std::max(1, size.tasksPerProject));
  // Each project draws on a window of the resources; neighbouring projects share some.
  const int poolSize = std::min<int>(resources.size(), std::max(5, int(resources.size()) * 3 / projectCount));
  QList<Ytask*> previousTasks;
  int tasksLeft = size.tasks;
  for (int p = 0; p < projectCount; ++p) {
    auto* project = Common::NewY<Yproject>(ytProject);
    project->SetProjectName(QStringLiteral("Project %1").arg(p + 1, 2, 10, QLatin1Char('0')));
    project->Description = QStringLiteral("Generated");
    project->AddJournal(start);
    project->SetPriority(QString::number(random.Between(1, 3)));
    project->SetSolveRules(random.Chance(70) ? 1 : 3);
    workload.projects.append(project);

    const int poolStart = resources.isEmpty() ? 0 : (p * int(resources.size()) / projectCount);
    const int count = std::min(tasksLeft, size.tasksPerProject);
    tasksLeft -= count;
    QList<Ytask*> tasks;
    QSet<const Ytask*> awaited;  // tasks whose finish some task of this project waits for
    for (int i = 0; i < count; ++i) {
      Ytask* task = project->FindOrCreateTask(i + 1);
      task->Description = QStringLiteral("Task %1").arg(i + 1);
      const int kind = random.Between(1, 100);
      if (kind <= 86) {
        task->SetEffortUnits(random.Chance(70) ? -60 : -480);
        task->SetMostLikely(60 * random.Between(4, 40));
      } else if (kind <= 96) {
        task->SetEffortUnits(1440);  // calendar time: a cure, a delivery
        task->SetMostLikely(1440 * random.Between(1, 3));
      } else {
        task->SetEffortUnits(0);  // dates from its dependencies alone
      }
      task->SetOptimistic(task->MostLikely() * 8 / 10);
      task->SetPessimistic(task->MostLikely() * 15 / 10);
      task->SetMaterialCost(praxel::Currency::FromDouble(random.Between(0, 20) * 50));

      if (i == 0) {
        auto* begin = Common::NewY<Ydependency>(ytDependency);
        begin->SetTask(task);
        begin->SetDepDate(start);
        ++workload.dependencies;
      } else {
        // Chains and fan-outs: a predecessor among the last few tasks; sometimes a second one.
        const int links = random.Chance(25) ? 2 : 1;
        QSet<Ytask*> chosen;
        for (int link = 0; link < links; ++link) {
          Ytask* required = tasks.at(std::max(0, i - random.Between(1, 12)));
          if (chosen.contains(required)) continue;
          chosen.insert(required);
          const int shape = random.Between(1, 100);
          Ydependency* dependency = nullptr;
          if (shape <= 85) {
            dependency = AddDependency(task, required, 100, 0);  // finish to start
            awaited.insert(required);
          } else if (shape <= 95) {
            dependency = AddDependency(task, required, 50, 0);  // halfway through, then start
          } else {
            dependency = AddDependency(task, required, 0, 0);  // start to start
          }
          if (random.Chance(5)) dependency->SetOffset(1.0);
          ++workload.dependencies;
        }
        // A few links across projects, always to the project before and to a task a little
        // earlier in its plan, so they make no cycle and no project waits on the whole chain.
        if (!previousTasks.isEmpty() && random.Chance(1)) {
          const int last = std::min(i, int(previousTasks.size())) - 1;
          AddDependency(task, previousTasks.at(std::max(0, last - random.Between(0, 40))), 100, 0);
          ++workload.dependencies;
        }
      }

      if (task->EffortUnits() < 0 && !resources.isEmpty()) {
        const int staff = random.Between(1, 3);
        QSet<Yresource*> assigned;
        for (int n = 0; n < staff; ++n) {
          Yresource* resource = resources.at((poolStart + random.Between(0, poolSize - 1)) % resources.size());
          if (assigned.contains(resource)) continue;
          assigned.insert(resource);
          auto* assignment = Common::NewY<Yassignment>(ytAssignment);
          assignment->SetTask(task);
          assignment->SetResourceRequired(resource);
          const int hours = random.Between(1, 10);
          assignment->SetHours(hours <= 7 ? 8.0 : hours <= 9 ? 4.0 : 6.0);
          ++workload.assignments;
        }
      }
      tasks.append(task);
    }

    // One end per project: a finish that waits for every task nothing in the project waits for.
    Ytask* finish = project->FindOrCreateTask(count + 1);
    finish->Description = QStringLiteral("Finish");
    finish->SetMostLikely(0);
    for (Ytask* task : tasks) {
      if (!awaited.contains(task)) {
        AddDependency(finish, task, 100, 0);
        ++workload.dependencies;
      }
    }
    if (tasks.isEmpty()) {
      auto* begin = Common::NewY<Ydependency>(ytDependency);
      begin->SetTask(finish);
      begin->SetDepDate(start);
      ++workload.dependencies;
    }
    workload.tasks += count + 1;
    previousTasks = tasks;
  }

  Common::SetThisProject(workload.projects.isEmpty() ? nullptr : workload.projects.first());
  Common::SetThisTemplate(templ);
  return workload;
}

}  // namespace generator
