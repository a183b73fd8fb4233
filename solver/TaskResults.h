#pragma once

#include "Currency.h"
#include "Journals.h"
#include "PassJournal.h"
#include "Yproject.h"
#include "Ytask.h"

// The solver's writes of its results into a task: early and late dates and labour cost (and a
// subproject task's material cost), stored by the write rule of the task's properties (the
// current journal and every later one). The properties build an error location for each call;
// the passes write for every booked slot and every day, so they store through the fields
// directly, and the forward pass records the value it replaces in the active pass journal.
namespace Solve {

inline void StoreEarlyStart(Ytask& task, double date) {
  if (PassJournal* journal = ActiveJournal()) journal->TaskDateChanging(task, false);
  WriteField<double>(task.Project(), task.EarlyStartField(), date);
}
inline void StoreEarlyFinish(Ytask& task, double date) {
  if (PassJournal* journal = ActiveJournal()) journal->TaskDateChanging(task, true);
  WriteField<double>(task.Project(), task.EarlyFinishField(), date);
}
inline void StoreLaborCost(Ytask& task, praxel::Currency cost) {
  if (PassJournal* journal = ActiveJournal()) journal->TaskCostChanging(task, false);
  WriteField<praxel::Currency>(task.Project(), task.LaborCostField(), cost);
}
// The late dates of the backward pass, which no pass of an analysis reads: nothing to record.
inline void StoreLateStart(Ytask& task, double date) { WriteField<double>(task.Project(), task.LateStartField(), date); }
inline void StoreLateFinish(Ytask& task, double date) { WriteField<double>(task.Project(), task.LateFinishField(), date); }
inline void StoreMaterialCost(Ytask& task, praxel::Currency cost) {
  if (PassJournal* journal = ActiveJournal()) journal->TaskCostChanging(task, true);
  WriteField<praxel::Currency>(task.Project(), task.MaterialCostField(), cost);
}

}  // namespace Solve
