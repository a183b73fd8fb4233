#include "ResourceCalendar.h"

#include "Format.h"
#include "Guard.h"
#include "OleDate.h"
#include "PassJournal.h"
#include "Poll.h"
#include "Pool.h"
#include "Rounding.h"
#include "SolveState.h"
#include "TaskResults.h"
#include "Yassignment.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Yslice.h"
#include "Yproject.h"
#include "Yslot.h"
#include "Ytask.h"

#include <QHash>
#include <QList>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>

namespace Solve {

namespace {

constexpr int kCellsPerHour = 12;
constexpr int kCellsPerDay = 24 * kCellsPerHour;
constexpr int kBlock = 32;  // the array grows in blocks of this many days

// The multiples of 32 at or below and at or above a day.
int BlockBelow(int day) { return static_cast<int>(std::floor(day / double(kBlock))) * kBlock; }
int BlockAbove(int day) { return static_cast<int>(std::ceil(day / double(kBlock))) * kBlock; }

// The time at a cell boundary of a day, as the calendar has always computed it.
double CellTime(int day, int cell) { return day + cell / double(kCellsPerHour) / 24.0; }

// The kind of time of a shift code on a day the resource works or does not work. A code other
// than N, O, B and X (or a cell missing from a short row) is a kind of its own, 0, which only
// the passes that allow every kind may book.
std::int32_t SlotTypeOf(char16_t code, bool workDay) {
  switch (code) {
    case u'N': return workDay ? Yslot::Normal : Yslot::OffDay;
    case u'O': return Yslot::Overtime;
    case u'B':
    case u'X': return Yslot::Overload;
    default: return 0;
  }
}

praxel::Currency RateOf(const Yresource& resource, std::int32_t slotType) {
  switch (slotType) {
    case Yslot::Normal: return resource.BurdenedRate();
    case Yslot::OffDay: return resource.OffDayRate();
    case Yslot::Overtime: return resource.OvertimeRate();
    case Yslot::Overload: return resource.HolidayRate();
    default: return praxel::Currency();
  }
}

// The solver's calendars, in the order they were made, and found by resource. A pass asks for a
// calendar at every booking, so the last ones found are kept in a small table by resource.
struct Calendars {
  std::vector<std::unique_ptr<ResourceCalendar>> all;
  QHash<const Yresource*, ResourceCalendar*> byResource;
  std::array<ResourceCalendar*, 64> recent{};

  static std::size_t RecentPlace(const Yresource& resource) {
    return (reinterpret_cast<std::uintptr_t>(&resource) >> 6) % std::tuple_size_v<decltype(recent)>;
  }
  void Drop(ResourceCalendar* calendar) {
    calendar->DropDays();
    byResource.remove(&calendar->Resource());
    recent.fill(nullptr);
    std::erase_if(all, [&](const std::unique_ptr<ResourceCalendar>& held) { return held.get() == calendar; });
  }
};

// Counts the rearrangements of the slots (SlotsRearranged).
std::uint64_t arrangement = 0;

Calendars& State() {
  static Calendars calendars;
  return calendars;
}

// A booking's labour cost and the slice's and task's costs with it; none when an amount would be
// past the money range.
struct LaborCosts {
  praxel::Currency booking;
  praxel::Currency slice;
  praxel::Currency task;
};
std::optional<LaborCosts> CostsOfBooking(const Yresource& resource, const Yslot& slot, const Yslice& slice) {
  try {
    LaborCosts costs;
    costs.booking = praxel::Currency::FromDouble(RateOf(resource, slot.SlotType).ToDouble() *
                                                 (slot.EndTime - slot.StartTime) * 24 * slice.Multiplier);
    costs.slice = slice.LaborCost + costs.booking;
    costs.task = slice.Task->LaborCost() + costs.booking;
    return costs;
  } catch (const praxel::RuntimeError& error) {
    if (error.Number() != praxel::errOverflow) throw;
    return std::nullopt;
  }
}

// A labour cost past the money range stops the solve, naming the task and the resource.
void CostOutOfRange(Ytask& task, const Yresource& resource) {
  SolveError(QStringLiteral("Cost out of range: (%1) %2 would cost more than %3 for %4")
                 .arg(task.Project()->ProjectName(), task.BuildNodeText(),
                      Common::FormatCurrency(praxel::Currency::FromTicks(std::numeric_limits<std::int64_t>::max())),
                      resource.BuildNodeText()),
             &task);
}

// The slots of cleared days, free and unlinked, waiting to be handed out again.
std::vector<Yslot*>& SpareSlots() {
  static std::vector<Yslot*> spares;
  return spares;
}

// The distinct resources of the task's assignments (only the included ones when asked), in the
// order of its assignment list.
QList<Yresource*> ResourcesOf(const Ytask& task, bool includedOnly) {
  QList<Yresource*> resources;
  for (const Yassignment* assignment : task.AssignmentList) {
    if (includedOnly && !assignment->Include()) continue;
    Yresource* resource = assignment->ResourceRequired();
    if (resource != nullptr && !resources.contains(resource)) resources.append(resource);
  }
  return resources;
}

}  // namespace

ResourceCalendar::ResourceCalendar(Yresource& resource) : resource_(resource), identity_(resource.Identity()) {
  UsePattern(CurrentPattern());
}

bool ResourceCalendar::BelongsToLiveResource() const {
  return !resource_.IsFree() && resource_.Identity() == identity_;
}

ResourceCalendar::Pattern ResourceCalendar::CurrentPattern() const {
  Pattern pattern;
  pattern.shift = resource_.Shift();
  if (pattern.shift != nullptr) {
    for (int hour = 0; hour < 24; ++hour) pattern.rows[hour] = pattern.shift->Matrix(hour);
  }
  for (int kind = 1; kind <= 7; ++kind) pattern.workDay[kind] = resource_.WorkDay(kind);
  return pattern;
}

void ResourceCalendar::UsePattern(const Pattern& pattern) {
  pattern_ = pattern;
  runs_.clear();
  hasNormalTime_ = false;
  const auto codeAt = [&](int cell) -> char16_t {
    const QString& row = pattern.rows[cell / kCellsPerHour];
    const int position = cell % kCellsPerHour;
    return position < row.size() ? row.at(position).unicode() : char16_t(0);
  };
  Run run{0, 0, codeAt(0)};
  for (int cell = 1; cell <= kCellsPerDay; ++cell) {
    if (cell < kCellsPerDay && codeAt(cell) == run.code) continue;
    run.endCell = cell;
    runs_.push_back(run);
    if (run.code == u'N') hasNormalTime_ = true;
    if (cell < kCellsPerDay) run = Run{cell, 0, codeAt(cell)};
  }
}

void ResourceCalendar::PrepareDay(int Day) {
  ErrTrap::Guarded(QStringLiteral("Yresource:PrepareDay"), [&] {
    Yslot*& first = days_[Day - lower_];
    if (first != nullptr) return;  // already prepared (a step run again)
    if (PassJournal* journal = ActiveJournal()) journal->DayPrepared(*this, Day);
    const bool workDay = pattern_.workDay[praxel::Weekday(Day)];
    Yslot* last = nullptr;
    for (const Run& run : runs_) {
      Yslot* slot = NewSlot();
      slot->StartTime = last != nullptr ? last->EndTime : CellTime(Day, run.firstCell);
      slot->EndTime = run.endCell == kCellsPerDay ? Day + 1.0 : CellTime(Day, run.endCell);
      slot->SlotType = SlotTypeOf(run.code, workDay);
      if (last == nullptr) {
        first = slot;
      } else {
        last->NextSlot = slot;
      }
      last = slot;
    }
  });
}

void ResourceCalendar::Cover(int Day) {
  if (days_.empty()) {
    lower_ = BlockBelow(Day);
    days_.assign(BlockAbove(Day) - lower_ + 1, nullptr);
  } else if (Day < lower_) {
    const int newLower = BlockBelow(Day);
    days_.insert(days_.begin(), lower_ - newLower, nullptr);
    lower_ = newLower;
  } else if (Day > UpperBound()) {
    days_.resize(BlockAbove(Day) - lower_ + 1, nullptr);
  }
}

Yslot* ResourceCalendar::SwapDay(int Day, Yslot* first) {
  SlotsRearranged();
  Cover(Day);
  std::swap(days_[Day - lower_], first);
  return first;
}

Yslot* ResourceCalendar::FindOrCreateSlot(double Time) {
  Yslot* result = nullptr;
  ErrTrap::Guard guard(QStringLiteral("Yresource:FindOrCreateSlot"));
  const int day = static_cast<int>(std::floor(Time));
  guard([&] {
    if (days_.empty() || day < lower_ || day > UpperBound()) Cover(day);
  });
  guard([&] {
    if (days_[day - lower_] == nullptr) PrepareDay(day);
  });
  guard([&] {
    const bool walkOn = found_ != nullptr && foundArrangement_ == arrangement && foundDay_ == day && found_->StartTime <= Time;
    result = walkOn ? found_ : days_[day - lower_];
    while (result != nullptr && result->EndTime <= Time) result = result->NextSlot;
    found_ = result;
    foundDay_ = day;
    foundArrangement_ = arrangement;
  });
  return result;
}

Yslot* ResourceCalendar::FindSlot(double Day) const {
  if (days_.empty()) return nullptr;
  const double day = std::floor(Day);
  if (day < lower_ || day > UpperBound()) return nullptr;
  return days_[static_cast<std::size_t>(day - lower_)];
}

std::int32_t ResourceCalendar::Allocate(Yslice& Slice, double Start, double DontGoBeyond, std::int32_t Remaining,
                                        int Pass) {
  std::int32_t booked = 0;
  ErrTrap::Guarded(QStringLiteral("Yresource:Allocate"), [&] {
    booked = 0;
    if (Remaining <= 0) return;
    if (DontGoBeyond != 0.0 && Start >= DontGoBeyond) return;
    Ytask* task = Slice.Task;
    const double nextDay = std::floor(Start) + 1.0;
    Yslot* slot = FindOrCreateSlot(Start);
    while (slot != nullptr && Remaining > 0) {
      if (slot->Allowed(Pass)) {
        if (slot->TaskRequired() != nullptr) {
          resource_.Interference = true;
        } else if (DontGoBeyond == 0.0 || slot->StartTime < DontGoBeyond) {
          if (slot->StartTime < Start) slot = slot->Split(Start);
          double end = Common::AddMinutes(slot->StartTime, Remaining);
          if (DontGoBeyond != 0.0 && end > DontGoBeyond) end = DontGoBeyond;
          if (slot->EndTime > end) slot->Split(end);
          const std::int32_t minutes = praxel::ToLong((slot->EndTime - slot->StartTime) * 1440);
          const std::optional<LaborCosts> costs = CostsOfBooking(resource_, *slot, Slice);
          if (!costs) {
            CostOutOfRange(*task, resource_);
            return;
          }
          booked += minutes;
          Remaining -= minutes;
          slot->Book(task, costs->booking);
          Slice.LaborCost = costs->slice;
          StoreLaborCost(*task, costs->task);
          if (task->EarlyFinish() < slot->EndTime) StoreEarlyFinish(*task, slot->EndTime);
        }
      }
      slot = slot->NextSlot;
      if (slot != nullptr && slot->StartTime >= nextDay) slot = nullptr;
    }
  });
  return booked;
}

std::int32_t ResourceCalendar::CountMinutes(const Ytask* Task, double First, double Last) const {
  std::int32_t minutes = 0;
  ErrTrap::Guarded(QStringLiteral("Yresource:CountMinutes [Property Get]"), [&] {
    minutes = 0;
    if (days_.empty()) return;
    const double first = std::max(std::floor(First), double(lower_));
    const double last = std::min(std::floor(Last), double(UpperBound()));
    for (double day = first; day <= last; day += 1.0) {
      const Yslot* slot = FindSlot(day);
      if (slot != nullptr) minutes += slot->CountMinutes(Task);
    }
  });
  return minutes;
}

void ResourceCalendar::Unsolve() {
  ErrTrap::Guarded(QStringLiteral("Yresource:Unsolve"), [&] {
    for (Yslot* first : days_) {
      for (Yslot* slot = first; slot != nullptr; slot = slot->NextSlot) {
        if (slot->TaskRequired() != nullptr || slot->LaborCost != praxel::Currency()) slot->Unsolve();
      }
    }
  });
}

void ResourceCalendar::UnsolveTask(const Ytask* Task) {
  for (Yslot* first : days_) {
    for (Yslot* slot = first; slot != nullptr; slot = slot->NextSlot) {
      if (Task != nullptr && slot->TaskRequired() == Task) slot->Unsolve();
    }
  }
}

void ResourceCalendar::MatchModel() {
  const Pattern now = CurrentPattern();
  if (now == pattern_) {
    Unsolve();
    return;
  }
  DropDays();
  UsePattern(now);
}

void ResourceCalendar::DropDays() {
  SlotsRearranged();
  QList<Ypooled*> freed;
  for (Yslot* first : days_) {
    Yslot* slot = first;
    while (slot != nullptr) {
      Yslot* next = slot->NextSlot;
      slot->NextSlot = nullptr;  // each slot is freed on its own, not through its chain
      freed.append(slot);
      slot = next;
    }
  }
  days_.clear();
  lower_ = 0;
  Common::FreeYobjects(freed);
}

void ResourceCalendar::ClearDays() {
  SlotsRearranged();
  for (Yslot* first : days_) {
    Yslot* slot = first;
    while (slot != nullptr) {
      Yslot* next = slot->NextSlot;
      SpareSlot(*slot);
      slot = next;
    }
  }
  days_.clear();
  lower_ = 0;
}

void ResourceCalendar::ForgetDays() {
  SlotsRearranged();
  days_.clear();
  lower_ = 0;
}

ResourceCalendar& CalendarOf(Yresource& resource) {
  Calendars& calendars = State();
  ResourceCalendar*& recent = calendars.recent[Calendars::RecentPlace(resource)];
  if (recent != nullptr && &recent->Resource() == &resource && recent->BelongsToLiveResource()) return *recent;
  ResourceCalendar* calendar = calendars.byResource.value(&resource, nullptr);
  if (calendar != nullptr && calendar->BelongsToLiveResource()) {
    recent = calendar;
    return *calendar;
  }
  // A calendar left by a resource object that was freed and handed out again is not this one's.
  if (calendar != nullptr) calendars.Drop(calendar);
  calendars.all.push_back(std::make_unique<ResourceCalendar>(resource));
  calendar = calendars.all.back().get();
  calendars.byResource.insert(&resource, calendar);
  return *calendar;
}

ResourceCalendar* FindCalendar(const Yresource& resource) {
  ResourceCalendar* calendar = State().byResource.value(&resource, nullptr);
  return calendar != nullptr && calendar->BelongsToLiveResource() ? calendar : nullptr;
}

std::int32_t Allocate(Yresource& resource, Yslice& Slice, double Start, double DontGoBeyond, std::int32_t Remaining,
                      int Pass) {
  return CalendarOf(resource).Allocate(Slice, Start, DontGoBeyond, Remaining, Pass);
}

Yslot* FindOrCreateSlot(Yresource& resource, double Time) { return CalendarOf(resource).FindOrCreateSlot(Time); }

Yslot* FindSlot(const Yresource& resource, double Day) {
  const ResourceCalendar* calendar = FindCalendar(resource);
  return calendar != nullptr ? calendar->FindSlot(Day) : nullptr;
}

std::int32_t CountMinutes(const Yresource& resource, const Ytask* Task, double First, double Last) {
  const ResourceCalendar* calendar = FindCalendar(resource);
  return calendar != nullptr ? calendar->CountMinutes(Task, First, Last) : 0;
}

void Unsolve(const Yresource& resource) {
  ResourceCalendar* calendar = FindCalendar(resource);
  if (calendar != nullptr) calendar->Unsolve();
}

std::int32_t EffortMinutes(const Ytask& task, double FromDay, double ToDay) {
  std::int32_t minutes = 0;
  ErrTrap::Guarded(QStringLiteral("Ytask:EffortMinutes [Property Get]"), [&] {
    minutes = 0;
    if (task.Project() == nullptr) return;
    for (const Yresource* resource : ResourcesOf(task, true)) minutes += CountMinutes(*resource, &task, FromDay, ToDay);
  });
  return minutes;
}

void Unsolve(const Ytask& task) {
  ErrTrap::Guarded(QStringLiteral("Ytask:Unsolve"), [&] {
    for (const Yresource* resource : ResourcesOf(task, false)) {
      ResourceCalendar* calendar = FindCalendar(*resource);
      if (calendar != nullptr) calendar->UnsolveTask(&task);
    }
  });
}

bool MatchCalendarsToModel() {
  bool completed = false;
  ErrTrap::Guarded(QStringLiteral("Solve:MatchCalendarsToModel"), [&] {
    Calendars& calendars = State();
    QList<ResourceCalendar*> all;
    for (const auto& calendar : calendars.all) all.append(calendar.get());
    for (ResourceCalendar* calendar : all) {
      if (PollAbort()) return;
      if (calendar->BelongsToLiveResource()) {
        calendar->MatchModel();
      } else {
        calendars.Drop(calendar);
      }
    }
    completed = true;
  });
  return completed;
}

void ForgetCalendars() {
  Calendars& calendars = State();
  for (const auto& calendar : calendars.all) calendar->ForgetDays();
  calendars.all.clear();
  calendars.byResource.clear();
  calendars.recent.fill(nullptr);
  SpareSlots().clear();
}

Yslot* NewSlot() {
  std::vector<Yslot*>& spares = SpareSlots();
  Yslot* slot = nullptr;
  if (spares.empty()) {
    slot = Common::NewY<Yslot>(ytSlot);
  } else {
    slot = spares.back();
    spares.pop_back();
    slot->Reset();
  }
  return slot;
}

void SlotsRearranged() { ++arrangement; }

void SpareSlot(Yslot& slot) {
  SlotsRearranged();
  slot.NextSlot = nullptr;  // a spare's Reset must not reach into a chain
  SpareSlots().push_back(&slot);
}

void ReleaseSpareSlots() {
  SlotsRearranged();
  std::vector<Yslot*>& spares = SpareSlots();
  const QList<Ypooled*> freed(spares.begin(), spares.end());
  spares.clear();
  Common::FreeYobjects(freed);
}

}  // namespace Solve
