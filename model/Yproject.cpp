#include "Yproject.h"

#include "Common.h"
#include "Guard.h"
#include "Pool.h"
#include "RuntimeError.h"
#include "SolveState.h"
#include "Ytask.h"

#include <QSet>

namespace {

QString Location(const char* member) { return QStringLiteral("Yproject:") + QLatin1String(member); }

// Walks up the Parent chain from `project`, calling `visit` on each project until it answers
// true or the chain ends. A chain that comes back to a project already passed (only a damaged
// file can make one) is refused rather than walked for ever.
template <class Visit>
const Yproject* WalkUp(const Yproject* project, Visit visit) {
  QSet<const Yproject*> passed;
  while (project != nullptr) {
    if (visit(project)) return project;
    if (passed.contains(project)) {
      praxel::RaiseProgramError(QStringLiteral("The subproject chain of project \"%1\" loops back on itself.")
                                    .arg(project->ProjectName()));
    }
    passed.insert(project);
    if (project->Parent() == nullptr) return project;
    project = project->Parent();
  }
  return nullptr;
}

}  // namespace

void Yproject::Reset() {
  ErrTrap::Guard guard(Location("Reset"));
  guard([&] { Common::FreeYlist(TaskList); });
  guard([&] {
    projectName_.clear();
    Description.clear();
    ViewPassword.clear();
    ModifyPassword.clear();
    PlanIndex = 0;
    ResetJournals();
    priority_.SetSingle(QStringLiteral("1"));
    solveRules_.SetSingle(0);
    parent_.SetSingle(nullptr);
    manager_.SetSingle(nullptr);
    TaskList.Clear();
  });
}

QString Yproject::BuildNodeText() const {
  return Description.isEmpty() ? projectName_ : projectName_ + QStringLiteral(": ") + Description;
}

QString Yproject::ImageType() const { return Parent() != nullptr ? QStringLiteral("s") : QStringLiteral("p"); }

void Yproject::Delete() {
  ErrTrap::Guarded(Location("Delete"), [&] { SetProjectName(QString()); });
}

void Yproject::SetProjectName(const QString& name) {
  ErrTrap::Guarded(Location("ProjectName [Property Let]"), [&] {
    if (name == projectName_) return;
    QString free = name;
    if (!free.isEmpty()) {
      // Keys ignore case, so a change of case alone finds this very project: that is no clash.
      for (const Yproject* holder = Common::Projects().Find(free); holder != nullptr && holder != this;
           holder = Common::Projects().Find(free)) {
        Common::FixNameConflict(free);
      }
    }
    if (!projectName_.isEmpty() && Common::Projects().Find(projectName_) == this) Common::Projects().Remove(projectName_);
    projectName_ = free;
    if (!free.isEmpty()) Common::Projects().Add(free, this);
  });
}

Yproject* Yproject::Parent() const { return parent_.Get(CurrentIndex); }

void Yproject::SetParent(Yproject* parent) {
  ErrTrap::Guarded(Location("Parent [Property Set]"), [&] { SetField(parent_, parent); });
}

Yproject* Yproject::Master() const {
  const Yproject* master = this;
  ErrTrap::Guarded(Location("Master [Property Get]"),
                   [&] { master = WalkUp(this, [](const Yproject*) { return false; }); });
  return const_cast<Yproject*>(master);
}

bool Yproject::DescendsFrom(const Yproject* ancestor) const {
  bool descends = false;
  ErrTrap::Guarded(Location("DescendsFrom [Property Get]"), [&] {
    descends = ancestor != nullptr && WalkUp(this, [&](const Yproject* p) { return p == ancestor; }) == ancestor;
  });
  return descends;
}

QStringList Yproject::ParentLoop() const {
  QStringList names;
  QSet<const Yproject*> passed;
  for (const Yproject* up = this; up != nullptr; up = up->Parent()) {
    if (passed.contains(up)) return up == this ? names : QStringList();
    passed.insert(up);
    names.append(up->ProjectName());
  }
  return {};
}

QString ParentLoopText(const QStringList& loop) {
  if (loop.size() == 1) return QStringLiteral("Project %1 is its own parent").arg(loop.first());
  return QStringLiteral("Project %1 is its own parent through project %2")
      .arg(loop.first(), loop.mid(1).join(QStringLiteral(", ")));
}

bool Yproject::CanLinkSubproject(const Yproject* child) const { return child != nullptr && !DescendsFrom(child); }

QString Yproject::Priority() const { return priority_.Get(CurrentIndex); }

void Yproject::SetPriority(const QString& priority) {
  ErrTrap::Guarded(Location("Priority [Property Let]"), [&] { LetField(priority_, priority); });
}

int Yproject::SolveRules() const { return solveRules_.Get(CurrentIndex); }

void Yproject::SetSolveRules(int rules) {
  ErrTrap::Guarded(Location("SolveRules [Property Let]"), [&] { LetField(solveRules_, rules); });
}

Yresource* Yproject::Manager() const { return manager_.Get(CurrentIndex); }

void Yproject::SetManager(Yresource* manager) {
  ErrTrap::Guarded(Location("Manager [Property Set]"), [&] { SetField(manager_, manager); });
}

void Yproject::SetDirty(bool dirty) {
  ErrTrap::Guarded(Location("Dirty [Property Let]"), [&] {
    dirty_ = dirty;
    if (dirty) Solve::RestartSolve();
  });
}

int Yproject::HighestTaskID() const {
  int highest = 0;
  for (const Ytask* task : TaskList) highest = qMax(highest, task->TaskID());
  return highest;
}

Ytask* Yproject::FindOrCreateTask(int ID) {
  Ytask* task = nullptr;
  ErrTrap::Guarded(Location("FindOrCreateTask"), [&] {
    task = TaskList.Find(QString::number(ID));
    if (task != nullptr) return;
    task = Common::NewY<Ytask>(ytTask);
    task->SetProject(this);
    task->SetTaskID(ID);
    task->Description = QStringLiteral("<stub>");
  });
  return task;
}

// The roll-ups count the tasks included in the current journal that the solver has dated;
// a task not yet solved (dates 0) says nothing about the project's dates.
namespace {

template <class Visit>
void ForDatedTasks(const KeyedList<Ytask>& tasks, Visit visit) {
  for (const Ytask* task : tasks) {
    if (task->Include() && task->EarlyStart() != 0.0 && task->EarlyFinish() != 0.0) visit(*task);
  }
}

}  // namespace

double Yproject::EarlyStart() const {
  double start = 0.0;
  ForDatedTasks(TaskList, [&](const Ytask& task) {
    if (start == 0.0 || task.EarlyStart() < start) start = task.EarlyStart();
  });
  return start;
}

double Yproject::EarlyFinish() const {
  double finish = 0.0;
  ForDatedTasks(TaskList, [&](const Ytask& task) {
    if (finish == 0.0 || task.EarlyFinish() > finish) finish = task.EarlyFinish();
  });
  return finish;
}

double Yproject::LateFinish() const {
  double finish = 0.0;
  double slack = 0.0;
  bool first = true;
  ForDatedTasks(TaskList, [&](const Ytask& task) {
    const double taskSlack = task.LateFinish() - task.EarlyFinish();
    if (first || task.EarlyFinish() > finish) finish = task.EarlyFinish();
    if (first || taskSlack < slack) slack = taskSlack;
    first = false;
  });
  return finish + slack;
}

double Yproject::LateStart() const {
  double start = 0.0;
  double slack = 0.0;
  bool first = true;
  ForDatedTasks(TaskList, [&](const Ytask& task) {
    const double taskSlack = task.LateFinish() - task.EarlyFinish();
    if (first || task.EarlyStart() < start) start = task.EarlyStart();
    if (first || taskSlack < slack) slack = taskSlack;
    first = false;
  });
  return start + slack;
}

namespace {

// The sum of a cost over the project's included tasks. A sum past the largest amount names the
// project, the cost and the task where it went past.
template <class Cost>
praxel::Currency CostTotal(const Yproject& project, const QString& field, Cost cost) {
  praxel::Currency total;
  for (const Ytask* task : project.TaskList) {
    if (!task->Include()) continue;
    try {
      total += cost(*task);
    } catch (const praxel::RuntimeError& error) {
      if (error.Number() != praxel::errOverflow) throw;
      praxel::RaiseProgramError(QStringLiteral("Overflow: the %1 of project %2 add up past the largest amount at task %3.")
                                    .arg(field, project.ProjectName())
                                    .arg(task->TaskID()));
    }
  }
  return total;
}

}  // namespace

praxel::Currency Yproject::LaborCost() const {
  return CostTotal(*this, QStringLiteral("labor costs"), [](const Ytask& task) { return task.LaborCost(); });
}

praxel::Currency Yproject::MaterialCost() const {
  return CostTotal(*this, QStringLiteral("material costs"), [](const Ytask& task) { return task.MaterialCost(); });
}

praxel::Currency Yproject::TotalCost() const {
  const praxel::Currency labor = LaborCost();
  const praxel::Currency material = MaterialCost();
  try {
    return labor + material;
  } catch (const praxel::RuntimeError& error) {
    if (error.Number() != praxel::errOverflow) throw;
    praxel::RaiseProgramError(
        QStringLiteral("Overflow: the labor and material costs of project %1 add up past the largest amount.")
            .arg(ProjectName()));
  }
}

void Yproject::ChangeNumJournals() {
  ErrTrap::Guarded(Location("ChangeNumJournals"), [&] {
    ResizeField(*this, priority_);
    ResizeField(*this, solveRules_);
    ResizeField(*this, parent_);
    ResizeField(*this, manager_);
    for (Ytask* task : TaskList) task->ChangeNumJournals();
  });
}

QString Yproject::JournalNodeText(int Index) const {
  QString text = JournalHolder::JournalNodeText(Index);
  if (Index == PlanIndex && Index == CurrentIndex) {
    text += QStringLiteral(" [Plan only]");
  } else if (Index == PlanIndex) {
    text += QStringLiteral(" [Plan]");
  } else if (Index == CurrentIndex) {
    text += QStringLiteral(" [Current]");
  }
  return text;
}

// The plan journal is a journal, not a position: it moves with insertions and deletions before
// it, and stays a valid index when the last journals go.
void Yproject::JournalInserted(int index) {
  if (PlanIndex >= index && NumJournals > 1) PlanIndex += 1;
}

void Yproject::JournalDeleted(int index) {
  if (PlanIndex > index) PlanIndex -= 1;
  if (PlanIndex >= NumJournals) PlanIndex = NumJournals - 1;
}
