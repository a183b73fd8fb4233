#pragma once

#include "BlockStore.h"
#include "PerJournal.h"
#include "YtaskChild.h"

class Ytask;

// A task's prerequisite: this task may not go beyond ToPercent of its work until the required
// task has reached FromPercent of its work (a date dependency: until DepDate), shifted by
// Offset days. Every field but the owning task follows the project's journals.
//
// Calling order: take it from the pool, set Task, then the other fields.
class Ydependency final : public YtaskChild<Ydependency>, public BlockAllocated<Ydependency> {
 public:
  static constexpr const char* kModule = "Ydependency";
  static ChildList<Ydependency>& ListOn(Ytask& task) { return task.DependencyList; }

  int Ytype() const override { return ytDependency; }
  void Reset() override;

  QString BuildNodeText() const override;
  QString ImageType() const override { return QStringLiteral("d"); }
  QString Key() const override { return QString::number(Identity()); }

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

  void ChangeNumJournals();

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

  PerJournal<double> depDate_{0.0};
  PerJournal<Ytask*> taskRequired_{nullptr};
  PerJournal<std::uint8_t> fromPercent_{100};
  PerJournal<std::uint8_t> toPercent_{0};
  PerJournal<double> offset_{0.0};
};
