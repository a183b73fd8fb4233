#pragma once

class Ytask;

// The checks of a solve run. Each reports the first fault it finds as a solve error (the state
// becomes "error" and the run's next poll stops it); the first word of a message tells the main
// window's solve panel how to explain it.
namespace Solve {

// Every loaded project must be on the journal of the active project (or, without one, of the
// active template): else "Journal sync error". Then every template gets a journal of that date,
// which becomes its current one.
void VerifyJournalSync();
// CheckOneTask for every included task, polling before each task.
void CheckAllTasks();
// The checks of one included task, in this order:
//  - a task standing for a subproject must be that subproject's parent's own task;
//  - a dependency on a task standing for a subproject must start at its 0 % or 100 %;
//  - a dependency's required task must be scheduled in this solve: included in its project's
//    current journal, in a loaded project;
//  - an included dependency must say when the task may start ("Missing to-start dependency");
//  - an effort estimate needs an included assignment with hours ("Effort without resources").
void CheckOneTask(Ytask& task);
// After ordering: a slice that a dependency cycle kept out of the solve order is a solve error on
// its task (the cycle would leave those tasks with the dates of an older solve).
void CheckSliceOrder();
// Every project family must end in exactly one slice: the slices of families that end in more
// go to DanglingList, and the first one's task is the error's object ("Dangling tasks").
void BuildDanglingList();

}  // namespace Solve
