#pragma once

#include "Currency.h"
#include "Journals.h"
#include "Yproject.h"
#include "Ytask.h"

// The solver's writes of its results into a task: early dates and labour cost, stored by the
// write rule of the task's properties (the current journal and every later one). The properties
// build an error location for each call; the passes write for every booked slot and every day,
// so they store through the fields directly.
namespace Solve {

inline void StoreEarlyStart(Ytask& task, double date) {
  WriteField<double>(task.Project(), task.EarlyStartField(), date);
}
inline void StoreEarlyFinish(Ytask& task, double date) {
  WriteField<double>(task.Project(), task.EarlyFinishField(), date);
}
inline void StoreLaborCost(Ytask& task, praxel::Currency cost) {
  WriteField<praxel::Currency>(task.Project(), task.LaborCostField(), cost);
}

}  // namespace Solve
