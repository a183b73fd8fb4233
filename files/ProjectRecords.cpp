// The records of a project and what it holds: PROJECT, then a TASK record for every task, each
// followed by its DEPENDENCY and ASSIGNMENT records.

#include <utility>

#include "Check.h"
#include "Format.h"
#include "Guard.h"
#include "Pool.h"
#include "JournalFields.h"
#include "Records.h"
#include "RuntimeError.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytask.h"

namespace {

// The journals a project record declares, checked before the project takes them.
struct JournalFields {
  int PlanIndex = 0;
  int CurrentIndex = 0;
  int NumJournals = 0;
  QList<double> JournalDates;
};

// The journal fields must fit together, and a file merged into a loaded project must bring its
// number of journals.
void CheckJournals(const Yproject& project, JournalFields& read, const Yfile& file) {
  CheckJournalFields(file, read.NumJournals, read.JournalDates,
                     {{QStringLiteral("PlanIndex"), read.PlanIndex}, {QStringLiteral("CurrentIndex"), read.CurrentIndex}});
  // The tasks a project already holds keep per-journal values sized for its journals: a file
  // merged into a loaded project must bring the same number of journals.
  if (project.NumJournals > 1 && read.NumJournals != project.NumJournals && !project.TaskList.IsEmpty()) {
    file.RaiseReadError(QStringLiteral("project \"%1\" is loaded with %2 journals and cannot take %3.")
                             .arg(project.ProjectName())
                             .arg(project.NumJournals)
                             .arg(read.NumJournals));
  }
}

// The number of journals of the project that a task, dependency or assignment belongs to.
int NumJournalsOf(const Ymodel& object) {
  const Yproject* project = object.Project();
  TRAP_ASSERT(project != nullptr, "records are read into attached objects only");
  return project->NumJournals;
}

}  // namespace

void SaveData(const Yproject& project, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yproject:SaveData"));
  guard([&] { file.WriteLine(QStringLiteral("PROJECT")); });
  guard([&] { file.WriteField(QStringLiteral("ProjectName"), project.ProjectName()); });
  guard([&] { file.WriteField(QStringLiteral("Description"), project.Description); });
  guard([&] { file.WriteField(QStringLiteral("ViewPassword"), project.ViewPassword); });
  guard([&] { file.WriteField(QStringLiteral("ModifyPassword"), project.ModifyPassword); });
  guard([&] { file.WriteField(QStringLiteral("PlanIndex"), project.PlanIndex); });
  guard([&] { file.WriteField(QStringLiteral("CurrentIndex"), project.CurrentIndex); });
  guard([&] { file.WriteField(QStringLiteral("NumJournals"), project.NumJournals); });
  guard([&] { file.WriteDateField(QStringLiteral("JournalDates"), project.JournalDates); });
  guard([&] { file.WriteField(QStringLiteral("Priority"), project.PriorityField()); });
  guard([&] { file.WriteField(QStringLiteral("SolveRules"), project.SolveRulesField()); });
  guard([&] { file.WriteField(QStringLiteral("Parent"), project.ParentField()); });
  guard([&] { file.WriteField(QStringLiteral("Manager"), project.ManagerField()); });
  for (const Ytask* task : project.TaskList) guard([&] { SaveData(*task, file); });
}

void SaveData(const Ytask& task, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Ytask:SaveData"));
  guard([&] { file.WriteLine(QStringLiteral("TASK")); });
  guard([&] { file.WriteField(QStringLiteral("TaskID"), task.TaskID()); });
  guard([&] { file.WriteField(QStringLiteral("Subproject"), static_cast<const Ymodel*>(task.Subproject())); });
  guard([&] { file.WriteField(QStringLiteral("Description"), task.Description); });
  guard([&] { file.WriteField(QStringLiteral("Include"), task.IncludeField()); });
  guard([&] { file.WriteField(QStringLiteral("EffortUnits"), task.EffortUnitsField()); });
  guard([&] { file.WriteField(QStringLiteral("Optimistic"), task.OptimisticField()); });
  guard([&] { file.WriteField(QStringLiteral("MostLikely"), task.MostLikelyField()); });
  guard([&] { file.WriteField(QStringLiteral("Pessimistic"), task.PessimisticField()); });
  guard([&] { file.WriteField(QStringLiteral("Efficiency"), task.EfficiencyField()); });
  guard([&] { file.WriteField(QStringLiteral("MaterialCost"), task.MaterialCostField()); });
  guard([&] { file.WriteField(QStringLiteral("LaborCost"), task.LaborCostField()); });
  guard([&] { file.WriteDateField(QStringLiteral("EarlyStart"), task.EarlyStartField()); });
  guard([&] { file.WriteDateField(QStringLiteral("EarlyFinish"), task.EarlyFinishField()); });
  guard([&] { file.WriteDateField(QStringLiteral("LateStart"), task.LateStartField()); });
  guard([&] { file.WriteDateField(QStringLiteral("LateFinish"), task.LateFinishField()); });
  for (const Ydependency* dependency : task.DependencyList) guard([&] { SaveData(*dependency, file); });
  for (const Yassignment* assignment : task.AssignmentList) guard([&] { SaveData(*assignment, file); });
}

void SaveData(const Ydependency& dependency, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Ydependency:SaveData"));
  guard([&] { file.WriteLine(QStringLiteral("DEPENDENCY")); });
  guard([&] { file.WriteField(QStringLiteral("Include"), dependency.IncludeField()); });
  guard([&] { file.WriteDateField(QStringLiteral("DepDate"), dependency.DepDateField()); });
  guard([&] { file.WriteField(QStringLiteral("TaskRequired"), dependency.TaskRequiredField()); });
  guard([&] { file.WriteField(QStringLiteral("FromPercent"), dependency.FromPercentField()); });
  guard([&] { file.WriteField(QStringLiteral("ToPercent"), dependency.ToPercentField()); });
  guard([&] { file.WriteField(QStringLiteral("Offset"), dependency.OffsetField()); });
}

void SaveData(const Yassignment& assignment, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yassignment:SaveData"));
  guard([&] { file.WriteLine(QStringLiteral("ASSIGNMENT")); });
  guard([&] { file.WriteField(QStringLiteral("Include"), assignment.IncludeField()); });
  guard([&] { file.WriteField(QStringLiteral("ResourceRequired"), assignment.ResourceRequiredField()); });
  guard([&] { file.WriteField(QStringLiteral("Hours"), assignment.HoursField()); });
  for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) {
    guard([&] { file.WriteField(WorkDayKeyword(kind), assignment.WorkDayField(kind)); });
  }
}

// The file reader has read "ProjectName" and found or created the project by it.
void LoadData(Yproject& project, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yproject:LoadData"));
  guard([&] { file.LoadField(QStringLiteral("Description"), project.Description); });
  guard([&] { file.LoadField(QStringLiteral("ViewPassword"), project.ViewPassword); });
  guard([&] { file.LoadField(QStringLiteral("ModifyPassword"), project.ModifyPassword); });

  // The journals are taken only once they are known to fit together; a record whose journals
  // are refused leaves the project's own, against which every per-journal line is then checked.
  JournalFields read{project.PlanIndex, project.CurrentIndex, project.NumJournals, project.JournalDates};
  guard([&] { file.LoadField(QStringLiteral("PlanIndex"), read.PlanIndex); });
  guard([&] { file.LoadField(QStringLiteral("CurrentIndex"), read.CurrentIndex); });
  guard([&] { file.LoadField(QStringLiteral("NumJournals"), read.NumJournals); });
  guard([&] { file.LoadDateField(QStringLiteral("JournalDates"), read.JournalDates); });
  guard([&] {
    CheckJournals(project, read, file);
    project.PlanIndex = read.PlanIndex;
    project.CurrentIndex = read.CurrentIndex;
    project.NumJournals = read.NumJournals;
    project.JournalDates = read.JournalDates;
  });

  guard([&] { file.LoadField(QStringLiteral("Priority"), project.PriorityField(), project.NumJournals); });
  guard([&] { file.LoadField(QStringLiteral("SolveRules"), project.SolveRulesField(), project.NumJournals); });
  guard([&] { file.LoadProjectLink(QStringLiteral("Parent"), project.ParentField(), project.NumJournals); });
  guard([&] { file.LoadResourceLink(QStringLiteral("Manager"), project.ManagerField(), project.NumJournals); });

  {
    // With the first journal current, attaching the tasks, dependencies and assignments of the
    // record leaves their Include as the record gives it.
    const FirstJournalWhileReading firstJournal(project);
    for (;;) {
      QString keyword;
      guard([&] { keyword = file.ReadToken(); });
      if (keyword != QLatin1String("TASK")) break;
      int ID = 0;
      guard([&] {
        file.LoadField(QStringLiteral("TaskID"), ID);
        // ID 0 means a task filed in no project: it would stand in no list.
        if (ID == 0) file.RaiseReadError(QStringLiteral("\"TaskID\" cannot be 0."));
      });
      if (ID == 0) continue;
      Ytask* task = nullptr;
      guard([&] {
        Ytask* found = project.FindOrCreateTask(ID);
        file.ClaimRecord(
            found, [&] { return QStringLiteral("Task %1 of project \"%2\"").arg(ID).arg(project.ProjectName()); });
        task = found;
      });
      if (task != nullptr) guard([&] { LoadData(*task, file); });
    }
    guard([&] { file.UnReadLine(); });
  }
  guard([&] { project.SetDirty(false); });
}

// Effort is counted in one of the units the program has a word for (0: no effort of its own); any
// other value could be neither shown nor typed again.
void RefuseUnknownEffortUnits(const PerJournal<int>& units, const Yfile& file) {
  const QList<int> values = units.IsArray() ? units.Values() : QList<int>{units.First()};
  for (const int value : values) {
    if (value != 0 && !Common::IsEffortUnit(value)) {
      file.RaiseReadError(QStringLiteral("\"EffortUnits\" value \"%1\" is not a unit of effort.").arg(value));
    }
  }
}

// The project's reader has read "TaskID" and found or created the task by it. A task that was
// loaded already (a file merged into loaded data) keeps its dependencies and assignments and
// gets the record's ones beside them.
void LoadData(Ytask& task, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Ytask:LoadData"));
  int journals = 0;
  guard([&] { journals = NumJournalsOf(task); });
  // Straight into the fields: the child project's own record carries its Parent, and nothing
  // read from a file copies journals or marks the project changed.
  guard([&] { file.LoadProjectLink(QStringLiteral("Subproject"), task.SubprojectField()); });
  guard([&] { file.LoadField(QStringLiteral("Description"), task.Description); });
  guard([&] { file.LoadField(QStringLiteral("Include"), task.IncludeField(), journals); });
  guard([&] {
    file.LoadField(QStringLiteral("EffortUnits"), task.EffortUnitsField(), journals);
    RefuseUnknownEffortUnits(task.EffortUnitsField(), file);
  });
  guard([&] { file.LoadField(QStringLiteral("Optimistic"), task.OptimisticField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("MostLikely"), task.MostLikelyField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("Pessimistic"), task.PessimisticField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("Efficiency"), task.EfficiencyField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("MaterialCost"), task.MaterialCostField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("LaborCost"), task.LaborCostField(), journals); });
  guard([&] { file.LoadDateField(QStringLiteral("EarlyStart"), task.EarlyStartField(), journals); });
  guard([&] { file.LoadDateField(QStringLiteral("EarlyFinish"), task.EarlyFinishField(), journals); });
  guard([&] { file.LoadDateField(QStringLiteral("LateStart"), task.LateStartField(), journals); });
  guard([&] { file.LoadDateField(QStringLiteral("LateFinish"), task.LateFinishField(), journals); });

  for (;;) {
    QString keyword;
    guard([&] { keyword = file.ReadToken(); });
    if (keyword == QLatin1String("DEPENDENCY")) {
      Ydependency* dependency = nullptr;
      guard([&] {
        dependency = Common::NewY<Ydependency>(ytDependency);
        dependency->SetTask(&task);
      });
      if (dependency != nullptr) guard([&] { LoadData(*dependency, file); });
    } else if (keyword == QLatin1String("ASSIGNMENT")) {
      Yassignment* assignment = nullptr;
      guard([&] {
        assignment = Common::NewY<Yassignment>(ytAssignment);
        assignment->SetTask(&task);
      });
      if (assignment != nullptr) guard([&] { LoadData(*assignment, file); });
    } else {
      break;
    }
  }
  guard([&] { file.UnReadLine(); });
}

void LoadData(Ydependency& dependency, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Ydependency:LoadData"));
  int journals = 0;
  guard([&] { journals = NumJournalsOf(dependency); });
  guard([&] { file.LoadField(QStringLiteral("Include"), dependency.IncludeField(), journals); });
  guard([&] { file.LoadDateFromDayZero(QStringLiteral("DepDate"), dependency.DepDateField(), journals); });
  guard([&] { file.LoadTaskLink(QStringLiteral("TaskRequired"), dependency.TaskRequiredField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("FromPercent"), dependency.FromPercentField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("ToPercent"), dependency.ToPercentField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("Offset"), dependency.OffsetField(), journals); });
}

void LoadData(Yassignment& assignment, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yassignment:LoadData"));
  int journals = 0;
  guard([&] { journals = NumJournalsOf(assignment); });
  guard([&] { file.LoadField(QStringLiteral("Include"), assignment.IncludeField(), journals); });
  guard(
      [&] { file.LoadResourceLink(QStringLiteral("ResourceRequired"), assignment.ResourceRequiredField(), journals); });
  guard([&] { file.LoadField(QStringLiteral("Hours"), assignment.HoursField(), journals); });
  for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) {
    guard([&] { file.LoadField(WorkDayKeyword(kind), assignment.WorkDayField(kind), journals); });
  }
}
