#pragma once

#include "BlockStore.h"
#include "ChildList.h"
#include "Currency.h"
#include "KeyedList.h"
#include "PerJournal.h"
#include "Ypooled.h"

#include <cstdint>

class Ydependency;
namespace MSProject {
class Task;
}
class Yassignment;

// A task of a project: its ID, description, three-point estimate in the unit of EffortUnits,
// efficiency, costs, the dates the solver computes, its dependencies and assignments, and the
// top-level project it stands for, if any. Its time-varying fields follow the project's journals.
//
// Calling order: Project is set before a nonzero TaskID (which files the task in the
// project's TaskList, ascending) and before Subproject.
class Ytask final : public Ymodel, public BlockAllocated<Ytask> {
 public:
  QString Description;
  ChildList<Ydependency> DependencyList;  // owned
  ChildList<Yassignment> AssignmentList;  // owned
  MSProject::Task* MTask = nullptr;  // the paired Microsoft Project task of the last import or export

  int Ytype() const override { return ytTask; }
  void Reset() override;

  QString BuildNodeText() const override;
  QString ImageType() const override;  // "t", or "s" when it stands for a subproject
  QString Key() const override { return QString::number(taskId_); }
  Yproject* Project() const override { return project_; }

  int TaskID() const { return taskId_; }
  // Files the task under the new ID, refusing one in use (TaskIDRefusal); 0 takes the task out of
  // its project.
  void SetTaskID(int ID);
  // Why the task may not take the ID in `project` (its own, or the one it is about to join):
  // "This TaskID is already in use" when another task of the project holds it; empty when it may.
  QString TaskIDRefusal(const Yproject& project, int ID) const;
  // Attaches the task to a project (not yet filed: TaskID does that). Attached while a later
  // journal is current, the task exists from that journal on only.
  void SetProject(Yproject* project);
  Yproject* Subproject() const { return subproject_; }
  // Makes the task stand for a project, which becomes a subproject of this task's project.
  // The task's own project, or one above it, is refused.
  void SetSubproject(Yproject* child);
  // The field itself, for the record reader: the child's own record carries its Parent.
  Yproject*& SubprojectField() { return subproject_; }

  bool Include() const;
  void SetInclude(bool include);
  int EffortUnits() const;
  void SetEffortUnits(int units);
  std::int32_t Optimistic() const;
  void SetOptimistic(std::int32_t minutes);
  std::int32_t MostLikely() const;
  void SetMostLikely(std::int32_t minutes);
  std::int32_t Pessimistic() const;
  void SetPessimistic(std::int32_t minutes);
  double Efficiency() const;
  void SetEfficiency(double efficiency);
  praxel::Currency MaterialCost() const;
  void SetMaterialCost(praxel::Currency cost);
  praxel::Currency LaborCost() const;
  void SetLaborCost(praxel::Currency cost);
  double EarlyStart() const;
  void SetEarlyStart(double date);
  double EarlyFinish() const;
  void SetEarlyFinish(double date);
  double LateStart() const;
  void SetLateStart(double date);
  double LateFinish() const;
  void SetLateFinish(double date);

  // The included dependency that fixes the task's start, or none.
  Ydependency* ControlDependency() const;

  // Removes the task, and the dependencies of other tasks on it, from the current journal on;
  // frees it when no journal keeps it.
  void Delete();
  void ChangeNumJournals();

  // The per-journal fields themselves, for the record reader and writer.
  Presence& IncludeField() { return include_; }
  const Presence& IncludeField() const { return include_; }
  PerJournal<int>& EffortUnitsField() { return effortUnits_; }
  const PerJournal<int>& EffortUnitsField() const { return effortUnits_; }
  PerJournal<std::int32_t>& OptimisticField() { return optimistic_; }
  const PerJournal<std::int32_t>& OptimisticField() const { return optimistic_; }
  PerJournal<std::int32_t>& MostLikelyField() { return mostLikely_; }
  const PerJournal<std::int32_t>& MostLikelyField() const { return mostLikely_; }
  PerJournal<std::int32_t>& PessimisticField() { return pessimistic_; }
  const PerJournal<std::int32_t>& PessimisticField() const { return pessimistic_; }
  PerJournal<double>& EfficiencyField() { return efficiency_; }
  const PerJournal<double>& EfficiencyField() const { return efficiency_; }
  PerJournal<praxel::Currency>& MaterialCostField() { return materialCost_; }
  const PerJournal<praxel::Currency>& MaterialCostField() const { return materialCost_; }
  PerJournal<praxel::Currency>& LaborCostField() { return laborCost_; }
  const PerJournal<praxel::Currency>& LaborCostField() const { return laborCost_; }
  PerJournal<double>& EarlyStartField() { return earlyStart_; }
  const PerJournal<double>& EarlyStartField() const { return earlyStart_; }
  PerJournal<double>& EarlyFinishField() { return earlyFinish_; }
  const PerJournal<double>& EarlyFinishField() const { return earlyFinish_; }
  PerJournal<double>& LateStartField() { return lateStart_; }
  const PerJournal<double>& LateStartField() const { return lateStart_; }
  PerJournal<double>& LateFinishField() { return lateFinish_; }
  const PerJournal<double>& LateFinishField() const { return lateFinish_; }

 private:
  int taskId_ = 0;
  Yproject* project_ = nullptr;
  Yproject* subproject_ = nullptr;
  Presence include_;
  PerJournal<int> effortUnits_{-60};
  PerJournal<std::int32_t> optimistic_{0};
  PerJournal<std::int32_t> mostLikely_{0};
  PerJournal<std::int32_t> pessimistic_{0};
  PerJournal<double> efficiency_{0.85};
  PerJournal<praxel::Currency> materialCost_;
  PerJournal<praxel::Currency> laborCost_;
  PerJournal<double> earlyStart_{0.0};
  PerJournal<double> earlyFinish_{0.0};
  PerJournal<double> lateStart_{0.0};
  PerJournal<double> lateFinish_{0.0};
};
