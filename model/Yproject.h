#pragma once

#include "Currency.h"
#include "Journals.h"
#include "KeyedList.h"
#include "PerJournal.h"
#include "Ypooled.h"

#include <QStringList>

class Yresource;
class Ytask;

// A project or subproject: its name, description, passwords, journals, its tasks by task ID,
// and four per-journal settings. A project whose Parent is set in the current journal is a
// subproject: a task of the parent stands for it. Loaded projects sit in Common::Projects()
// under their name; setting the name keeps that collection in step.
class Yproject final : public Ymodel, public JournalHolder {
 public:
  QString Description;
  QString ViewPassword;
  QString ModifyPassword;
  int PlanIndex = 0;  // the plan journal; follows its journal when journals come and go
  // The project's own tasks by the decimal text of TaskID, in ascending TaskID order. Owned.
  KeyedList<Ytask> TaskList;

  int Ytype() const override { return ytProject; }
  void Reset() override;

  QString BuildNodeText() const override;
  QString ImageType() const override;  // "p", or "s" for a subproject
  QString Key() const override { return ProjectName(); }
  Yproject* Project() const override { return const_cast<Yproject*>(this); }

  // Takes the project out of Common::Projects() (by emptying its name).
  void Delete();

  const QString& ProjectName() const { return projectName_; }
  // Renames and re-keys; a name in use is stepped by Common::FixNameConflict until it is free.
  void SetProjectName(const QString& name);

  Yproject* Parent() const;
  void SetParent(Yproject* parent);
  // The top of the subproject chain.
  Yproject* Master() const;
  // True when `ancestor` is this project or one above it along Parent.
  bool DescendsFrom(const Yproject* ancestor) const;
  // The projects met going up the Parent links from this project until it comes again, starting
  // with this one; empty when the links end, or loop without passing this project.
  QStringList ParentLoop() const;
  // Whether a task of this project may stand for `child`: not when `child` is this project or
  // one above it, which would close the chain of parents into a loop.
  bool CanLinkSubproject(const Yproject* child) const;

  QString Priority() const;
  void SetPriority(const QString& priority);
  int SolveRules() const;
  void SetSolveRules(int rules);
  Yresource* Manager() const;
  void SetManager(Yresource* manager);

  bool Dirty() const { return dirty_; }
  // Setting True asks the solver to start again, also when it was True already.
  void SetDirty(bool dirty);

  int HighestTaskID() const;
  // The task with that ID, created with Description "<stub>" when missing.
  Ytask* FindOrCreateTask(int ID);

  // Roll-ups over the tasks included in the current journal; undated tasks are skipped.
  double EarlyStart() const;
  double EarlyFinish() const;
  double LateStart() const;
  double LateFinish() const;
  praxel::Currency LaborCost() const;
  praxel::Currency MaterialCost() const;
  // Labor and material together. A total past the largest amount raises a message that names
  // the project and the costs.
  praxel::Currency TotalCost() const;

  void ChangeNumJournals() override;
  QString JournalNodeText(int Index) const override;

  // The per-journal fields themselves, for the record reader and writer.
  PerJournal<QString>& PriorityField() { return priority_; }
  const PerJournal<QString>& PriorityField() const { return priority_; }
  PerJournal<int>& SolveRulesField() { return solveRules_; }
  const PerJournal<int>& SolveRulesField() const { return solveRules_; }
  PerJournal<Yproject*>& ParentField() { return parent_; }
  const PerJournal<Yproject*>& ParentField() const { return parent_; }
  PerJournal<Yresource*>& ManagerField() { return manager_; }
  const PerJournal<Yresource*>& ManagerField() const { return manager_; }

 protected:
  QString ModuleName() const override { return QStringLiteral("Yproject"); }
  void JournalInserted(int index) override;
  void JournalDeleted(int index) override;

 private:
  QString projectName_;
  PerJournal<QString> priority_{QStringLiteral("1")};
  PerJournal<int> solveRules_{0};
  PerJournal<Yproject*> parent_{nullptr};
  PerJournal<Yresource*> manager_{nullptr};
  bool dirty_ = false;
};

// "Project A is its own parent", or "... through project B, C": a loop of projects, as
// ParentLoop gives it, in words.
QString ParentLoopText(const QStringList& loop);

// The 1-based position of `object` in `list`, searched from the last entry; 0 when absent.
template <class T>
int FindOnList(const QList<T*>& list, const T* object) {
  for (qsizetype i = list.size(); i > 0; --i) {
    if (list.at(i - 1) == object) return static_cast<int>(i);
  }
  return 0;
}
