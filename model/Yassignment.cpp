#include "Yassignment.h"

#include "Guard.h"
#include "Journals.h"
#include "Pool.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"

#include <charconv>

namespace {

// The two-letter codes of the day kinds 0 to 8 in the caption.
constexpr QLatin1StringView kDayCodes("HoSuMoTuWeThFrSaSh");

void CheckDayKind(int kind) {
  if (kind < 0 || kind >= Yassignment::kDayKinds) {
    throw praxel::RuntimeError(praxel::errSubscript, QStringLiteral("Subscript out of range"));
  }
}

// The single-precision hours of a shift as the decimal number they stand for (7.3, not
// 7.300000190734863), so that the assignment keeps and shows the hours the user sees.
double DecimalHours(float hours) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, hours);
  double result = hours;
  std::from_chars(buffer, written.ptr, result);
  return result;
}

}  // namespace

void Yassignment::Reset() {
  ErrTrap::Guarded(Location("Reset"), [&] {
    LeaveTask();
    include_.SetSingle(true);
    resourceRequired_.SetSingle(nullptr);
    hours_.SetSingle(0.0);
    // Monday to Friday.
    for (int kind = 0; kind < kDayKinds; ++kind) workDay_[kind].SetSingle(kind >= 2 && kind <= 6);
  });
}

QString Yassignment::BuildNodeText() const {
  QString text;
  ErrTrap::Guarded(Location("BuildNodeText"), [&] {
    const Yresource* resource = ResourceRequired();
    QString days;
    for (int kind = 0; kind < kDayKinds; ++kind) {
      if (WorkDay(kind)) days += kDayCodes.mid(2 * kind, 2);
    }
    text = (resource != nullptr ? resource->BuildNodeText() : QString()) + QStringLiteral(" @") +
           QString::number(Hours(), 'g', 15) + QLatin1Char(' ') + days;
  });
  return text;
}

Yresource* Yassignment::ResourceRequired() const { return ReadField(Project(), resourceRequired_); }

void Yassignment::SetResourceRequired(Yresource* resource) {
  ErrTrap::Guard guard(Location("ResourceRequired [Property Set]"));
  const Yproject* project = Project();
  guard([&] { WriteField(project, resourceRequired_, resource); });
  // Unattached, only the reference is kept; there is no resource to copy from when it is none.
  if (project == nullptr || resource == nullptr) return;
  // The resource's working pattern, from the current journal on.
  guard([&] { SetHours(DecimalHours(resource->NormalHours())); });
  guard([&] {
    for (int kind = 0; kind < kDayKinds; ++kind) SetWorkDay(kind, resource->WorkDay(kind));
  });
}

double Yassignment::Hours() const { return ReadField(Project(), hours_); }

void Yassignment::SetHours(double hours) {
  ErrTrap::Guarded(Location("Hours [Property Let]"), [&] { WriteField(Project(), hours_, hours); });
}

bool Yassignment::WorkDay(int kind) const {
  bool result = false;
  ErrTrap::Guarded(Location("WorkDay [Property Get]"), [&] {
    CheckDayKind(kind);
    result = ReadField(Project(), workDay_[kind]);
  });
  return result;
}

void Yassignment::SetWorkDay(int kind, bool works) {
  ErrTrap::Guarded(Location("WorkDay [Property Let]"), [&] {
    CheckDayKind(kind);
    WriteField(Project(), workDay_[kind], works);
  });
}

PerJournal<bool>& Yassignment::WorkDayField(int kind) {
  CheckDayKind(kind);
  return workDay_[kind];
}

const PerJournal<bool>& Yassignment::WorkDayField(int kind) const {
  CheckDayKind(kind);
  return workDay_[kind];
}

// Hours a week the assignment takes over hours a week the resource normally works, counting the
// seven weekdays only. A resource without normal hours in its week (no resource, no shift, or no
// work day) has no week to share: the answer is then 0.
float Yassignment::PercentOfWeek() const {
  float result = 0.0f;
  ErrTrap::Guarded(Location("PercentOfWeek [Property Get]"), [&] {
    const Yresource* resource = ResourceRequired();
    if (resource == nullptr) return;
    const float normalHours = resource->NormalHours();
    const float hours = static_cast<float>(Hours());
    float resourceWeek = 0.0f;
    float assignmentWeek = 0.0f;
    for (int kind = 1; kind <= 7; ++kind) {
      if (resource->WorkDay(kind)) resourceWeek += normalHours;
      if (WorkDay(kind)) assignmentWeek += hours;
    }
    result = resourceWeek > 0.0f ? assignmentWeek / resourceWeek : 0.0f;
  });
  return result;
}

void Yassignment::ChangeNumJournals() {
  ErrTrap::Guarded(Location("ChangeNumJournals"), [&] {
    const Yproject* project = Project();
    if (project == nullptr) return;
    ResizeField(*project, include_.Field());
    ResizeField(*project, resourceRequired_);
    ResizeField(*project, hours_);
    for (PerJournal<bool>& field : workDay_) ResizeField(*project, field);
  });
}
