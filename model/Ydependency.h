#pragma once

#include "PerJournal.h"
#include "Ypooled.h"

class Ytask;

// A task's prerequisite: this task may not go beyond ToPercent of its work until the required
// task has reached FromPercent of its work (a date dependency: until DepDate), shifted by
// Offset days. Every field but the owning task follows the project's journals.
//
// Calling order: take it from the pool, set Task, then the other fields.
class Ydependency final : public Ymodel {
 public:
  Ytask* MyTask = nullptr;  // the owning task; set through SetTask

  int Ytype() const override { return ytDependency; }
  void Reset() override;

  QString BuildNodeText() const override;
  QString ImageType() const override { return QStringLiteral("d"); }
  QString Key() const override { return QString::number(Identity()); }
  Yproject* Project() const override;

  Ytask* Task() const { return MyTask; }
  // Moves the dependency to the end of the new task's DependencyList (none detaches it).
  void SetTask(Ytask* task);

  bool Include() const;
  void SetInclude(bool include);
  double DepDate() const;
  void SetDepDate(double date);
  Ytask* TaskRequired() const;
  void SetTaskRequired(Ytask* task);
  int FromPercent() const;
  // Percentages outside 0..100 are refused.
  void SetFromPercent(int percent);
  int ToPercent() const;
  void SetToPercent(int percent);
  double Offset() const;
  void SetOffset(double days);

  // Removes the dependency from the current journal on; frees it when no journal keeps it.
  void Delete();
  void ChangeNumJournals();

  Presence& IncludeField() { return include_; }
  const Presence& IncludeField() const { return include_; }
  PerJournal<double>& DepDateField() { return depDate_; }
  const PerJournal<double>& DepDateField() const { return depDate_; }
  PerJournal<Ytask*>& TaskRequiredField() { return taskRequired_; }
  const PerJournal<Ytask*>& TaskRequiredField() const { return taskRequired_; }
  PerJournal<std::uint8_t>& FromPercentField() { return fromPercent_; }
  const PerJournal<std::uint8_t>& FromPercentField() const { return fromPercent_; }
  PerJournal<std::uint8_t>& ToPercentField() { return toPercent_; }
  const PerJournal<std::uint8_t>& ToPercentField() const { return toPercent_; }
  PerJournal<double>& OffsetField() { return offset_; }
  const PerJournal<double>& OffsetField() const { return offset_; }

 private:
  // Takes the dependency out of its task's DependencyList and forgets the task.
  void LeaveTask();

  Presence include_;
  PerJournal<double> depDate_{0.0};
  PerJournal<Ytask*> taskRequired_{nullptr};
  PerJournal<std::uint8_t> fromPercent_{100};
  PerJournal<std::uint8_t> toPercent_{0};
  PerJournal<double> offset_{0.0};
};
