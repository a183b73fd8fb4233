#include "Ydependency.h"

#include "Format.h"
#include "Guard.h"
#include "Journals.h"
#include "Pool.h"
#include "Prerequisites.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Ytask.h"

namespace {

// The letter of a point of a task's work in the caption: its start, its finish or a share of it.
QString PointLetter(int percent) {
  if (percent == 0) return QStringLiteral("S");
  if (percent == 100) return QStringLiteral("F");
  return QStringLiteral("P");
}

// Percentages name a point of a task's work, so only 0 to 100 make sense; anything else is
// refused before it is stored.
void CheckPercent(int percent) {
  if (percent < 0 || percent > 100) praxel::RaiseProgramError(QStringLiteral("A percentage must be from 0 to 100."));
}

}  // namespace

void Ydependency::Reset() {
  ErrTrap::Guarded(Location("Reset"), [&] {
    LeaveTask();
    include_.SetSingle(true);
    depDate_.SetSingle(0.0);
    taskRequired_.SetSingle(nullptr);
    fromPercent_.SetSingle(100);
    toPercent_.SetSingle(0);
    offset_.SetSingle(0.0);
  });
}

QString Ydependency::BuildNodeText() const {
  QString text;
  ErrTrap::Guarded(Location("BuildNodeText"), [&] {
    const Ytask* required = TaskRequired();
    QString name;
    if (required == nullptr) {
      name = praxel::DateTimeText(DepDate());
    } else {
      name = Common::PrerequisiteCaption(*required, Project());
    }

    // Finish-to-start is the plain dependency and carries no prefix.
    const int from = FromPercent();
    const int to = ToPercent();
    QString kind;
    if (from != 100 || to != 0) {
      kind = (required == nullptr ? QStringLiteral("D") : PointLetter(from)) + PointLetter(to) + QStringLiteral(": ");
    }

    const double days = Offset();
    QString shift;
    if (days > 0) {
      shift = QStringLiteral(" + ") + Common::FormatDuration(days, true);
    } else if (days < 0) {
      shift = QStringLiteral(" - ") + Common::FormatDuration(-days, true);
    }

    text = kind + name + shift;
  });
  return text;
}

double Ydependency::DepDate() const { return ReadField(Project(), depDate_); }

void Ydependency::SetDepDate(double date) {
  ErrTrap::Guarded(Location("DepDate [Property Let]"), [&] { WriteField(Project(), depDate_, date); });
}

Ytask* Ydependency::TaskRequired() const { return ReadField(Project(), taskRequired_); }

void Ydependency::SetTaskRequired(Ytask* task) {
  ErrTrap::Guarded(Location("TaskRequired [Property Set]"),
                   [&] { WriteField(Project(), taskRequired_, task); });
}

int Ydependency::FromPercent() const { return ReadField(Project(), fromPercent_); }

void Ydependency::SetFromPercent(int percent) {
  ErrTrap::Guarded(Location("FromPercent [Property Let]"), [&] {
    CheckPercent(percent);
    WriteField(Project(), fromPercent_, static_cast<std::uint8_t>(percent));
  });
}

int Ydependency::ToPercent() const { return ReadField(Project(), toPercent_); }

void Ydependency::SetToPercent(int percent) {
  ErrTrap::Guarded(Location("ToPercent [Property Let]"), [&] {
    CheckPercent(percent);
    WriteField(Project(), toPercent_, static_cast<std::uint8_t>(percent));
  });
}

double Ydependency::Offset() const { return ReadField(Project(), offset_); }

void Ydependency::SetOffset(double days) {
  ErrTrap::Guarded(Location("Offset [Property Let]"), [&] { WriteField(Project(), offset_, days); });
}

void Ydependency::ChangeNumJournals() {
  ErrTrap::Guarded(Location("ChangeNumJournals"), [&] {
    const Yproject* project = Project();
    if (project == nullptr) return;
    ResizeField(*project, include_.Field());
    ResizeField(*project, depDate_);
    ResizeField(*project, taskRequired_);
    ResizeField(*project, fromPercent_);
    ResizeField(*project, toPercent_);
    ResizeField(*project, offset_);
  });
}

// The start of an ordinary task waits for its latest included start dependency (the first of
// equals). A task that stands for a subproject starts with the subproject's earliest included
// task (the first of equals), so that task's control dependency is the one.
Ydependency* Ytask::ControlDependency() const {
  Ydependency* result = nullptr;
  ErrTrap::Guarded(QStringLiteral("Ytask:ControlDependency [Property Get]"), [&] {
    result = nullptr;
    const Yproject* child = Subproject();
    if (child == nullptr) {
      for (Ydependency* dependency : DependencyList) {
        if (!dependency->Include() || dependency->ToPercent() != 0) continue;
        if (result == nullptr || dependency->DepDate() > result->DepDate()) result = dependency;
      }
      return;
    }
    const Ytask* first = nullptr;
    for (const Ytask* task : child->TaskList) {
      if (!task->Include()) continue;
      if (first == nullptr || task->EarlyStart() < first->EarlyStart()) first = task;
    }
    if (first != nullptr) result = first->ControlDependency();
  });
  return result;
}
