#pragma once

#include "BlockStore.h"
#include "PerJournal.h"
#include "YtaskChild.h"

#include <array>

class Yresource;
class Ytask;

// A resource working on a task: which resource, how many hours a day, and on which kinds of
// day (0 holiday, 1 Sunday .. 7 Saturday, 8 shutdown). Every field but the owning task follows
// the project's journals.
//
// Calling order: take it from the pool, set Task, then ResourceRequired (which copies the
// resource's hours and work days), then the rest.
class Yassignment final : public YtaskChild<Yassignment>, public BlockAllocated<Yassignment> {
 public:
  static constexpr const char* kModule = "Yassignment";
  static ChildList<Yassignment>& ListOn(Ytask& task) { return task.AssignmentList; }

  static constexpr int kDayKinds = 9;

  int Ytype() const override { return ytAssignment; }
  void Reset() override;

  QString BuildNodeText() const override;
  QString ImageType() const override { return QStringLiteral("a"); }
  QString Key() const override { return QString::number(Identity()); }

  Yresource* ResourceRequired() const;
  // On an attached assignment also copies the resource's normal hours and work days.
  void SetResourceRequired(Yresource* resource);
  double Hours() const;
  void SetHours(double hours);
  // Day kind 0..8; another kind is error 9 "Subscript out of range".
  bool WorkDay(int kind) const;
  void SetWorkDay(int kind, bool works);

  // The share of the resource's normal week that this assignment takes (0 when the resource
  // has no normal hours in its week).
  float PercentOfWeek() const;

  void ChangeNumJournals();

  PerJournal<Yresource*>& ResourceRequiredField() { return resourceRequired_; }
  const PerJournal<Yresource*>& ResourceRequiredField() const { return resourceRequired_; }
  PerJournal<double>& HoursField() { return hours_; }
  const PerJournal<double>& HoursField() const { return hours_; }
  PerJournal<bool>& WorkDayField(int kind);
  const PerJournal<bool>& WorkDayField(int kind) const;

 private:
  // Takes the assignment out of its task's AssignmentList and forgets the task.

  PerJournal<Yresource*> resourceRequired_{nullptr};
  PerJournal<double> hours_{0.0};
  std::array<PerJournal<bool>, kDayKinds> workDay_;
};
