#pragma once

#include <QList>
#include <QString>

class Ydependency;
class Yproject;
class Ytask;

// Which task may be a task's prerequisite. The tree's drag and drop and the dependency dialog
// both ask here before they make a task wait for another, so that neither can make a task wait
// for itself, directly or round a circle of dependencies, which no schedule could satisfy.
namespace Common {

// The title of the message that refuses a prerequisite.
inline constexpr const char* kCircularDependencyTitle = "Circular Dependency";

// A task's caption as seen from a project: its project's name in brackets in front when that is
// another project ("(Fit-out) 2: Paint").
QString PrerequisiteCaption(const Ytask& required, const Yproject* seenFrom);

// Whether `later` already waits for `earlier`, through the included dependencies and through the
// tasks of the subprojects that tasks stand for, as the solver orders them.
bool WaitsFor(const Ytask& later, const Ytask& earlier);

// Why `task` may not wait for `required`, as the message to show; empty when it may.
QString PrerequisiteRefusal(const Ytask& task, const Ytask& required);

// The dependencies by which tasks of the loaded projects wait for `required`, each task and
// dependency included in its own project's current journal: what goes with the task when it is
// deleted.
QList<Ydependency*> DependenciesOn(const Ytask& required);
// The tasks that wait for `required` by those dependencies, each once, in project and task order.
QList<Ytask*> TasksWaitingFor(const Ytask& required);

}  // namespace Common
