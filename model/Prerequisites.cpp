#include "Prerequisites.h"

#include "Common.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QList>
#include <QSet>

namespace Common {

QString PrerequisiteCaption(const Ytask& required, const Yproject* seenFrom) {
  const Yproject* project = required.Project();
  if (project == nullptr || project == seenFrom) return required.BuildNodeText();
  return QLatin1Char('(') + project->ProjectName() + QStringLiteral(") ") + required.BuildNodeText();
}

bool WaitsFor(const Ytask& later, const Ytask& earlier) {
  QSet<const Ytask*> seen{&later};
  QList<const Ytask*> pending{&later};
  while (!pending.isEmpty()) {
    const Ytask* task = pending.takeLast();
    QList<const Ytask*> predecessors;
    if (const Yproject* subproject = task->Subproject()) {
      for (const Ytask* member : subproject->TaskList) {
        if (member->Include()) predecessors.append(member);
      }
    } else {
      for (const Ydependency* dependency : task->DependencyList) {
        if (dependency->Include() && dependency->TaskRequired() != nullptr) {
          predecessors.append(dependency->TaskRequired());
        }
      }
    }
    for (const Ytask* predecessor : predecessors) {
      if (predecessor == &earlier) return true;
      if (!seen.contains(predecessor)) {
        seen.insert(predecessor);
        pending.append(predecessor);
      }
    }
  }
  return false;
}

QString PrerequisiteRefusal(const Ytask& task, const Ytask& required) {
  if (&required == &task) return QStringLiteral("A task cannot depend on itself.");
  if (!WaitsFor(required, task)) return QString();
  const QString later = PrerequisiteCaption(required, task.Project());
  const QString earlier = task.BuildNodeText();
  return later + QStringLiteral(" already depends on ") + earlier +
         QStringLiteral(", directly or through other tasks.\n\nMaking ") + earlier + QStringLiteral(" depend on ") +
         later + QStringLiteral(" would close a circle of dependencies.");
}

QList<Ydependency*> DependenciesOn(const Ytask& required) {
  QList<Ydependency*> dependencies;
  for (const Yproject* project : Projects()) {
    for (const Ytask* task : project->TaskList) {
      if (!task->Include()) continue;
      for (Ydependency* dependency : task->DependencyList) {
        if (dependency->Include() && dependency->TaskRequired() == &required) dependencies.append(dependency);
      }
    }
  }
  return dependencies;
}

QList<Ytask*> TasksWaitingFor(const Ytask& required) {
  QList<Ytask*> tasks;
  for (const Ydependency* dependency : DependenciesOn(required)) {
    if (!tasks.contains(dependency->Task())) tasks.append(dependency->Task());
  }
  return tasks;
}

}  // namespace Common
