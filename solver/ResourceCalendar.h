#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class Yresource;
class Yshift;
class Yslice;
class Yslot;
class Ytask;

namespace Solve {

// The working time of one resource, laid out one day at a time from its shift: a prepared day is
// a chain of slots (Yslot) from midnight to midnight, one per run of equal shift codes, each of
// one kind of time and free or booked to one task. Days are prepared when the forward pass first
// looks at a time in them and are kept, splits and all, from solve to solve; unbooking frees the
// slots but keeps the chain.
//
// The calendar remembers the shift codes and work days its days were prepared from. Every solve
// first matches the calendar to the model (MatchModel): a changed shift, shift content, work day
// or current journal gives freshly prepared days, and every booking is released, whether or not
// the resource is included in the current journal, so no old booking blocks a new one.
//
// The days are held in an array indexed by day number whose bounds are multiples of 32 and grow
// in blocks of 32 days in either direction. Slots come from the pool; a calendar returns its
// slots to the pool only when its days are dropped.
class ResourceCalendar {
 public:
  explicit ResourceCalendar(Yresource& resource);
  ResourceCalendar(const ResourceCalendar&) = delete;
  ResourceCalendar& operator=(const ResourceCalendar&) = delete;

  Yresource& Resource() const { return resource_; }
  // True while the resource object is still the one the calendar was made for (not freed and
  // handed out again by the pool).
  bool BelongsToLiveResource() const;

  // No day prepared yet: the array is empty.
  bool IsEmpty() const { return days_.empty(); }
  // The array's bounds, day numbers (meaningful when not empty).
  int LowerBound() const { return lower_; }
  int UpperBound() const { return lower_ + static_cast<int>(days_.size()) - 1; }

  // The slot that covers the time, preparing its day (and growing the array) when needed.
  Yslot* FindOrCreateSlot(double Time);
  // The first slot of the day, or none when the day is outside the array or not prepared.
  // Never prepares a day.
  Yslot* FindSlot(double Day) const;
  // Books up to Remaining minutes of the slice's task into the slots of the day of Start, from
  // Start on, in the kinds of time that the pass allows, never at or after DontGoBeyond (0: no
  // limit). Sets the resource's Interference on meeting an allowed slot that is already booked.
  // Prices each booking by its kind of time and adds the cost to the slice and the task; moves
  // the task's early finish to the end of every booked slot. Answers the minutes booked.
  std::int32_t Allocate(Yslice& Slice, double Start, double DontGoBeyond, std::int32_t Remaining, int Pass);
  // Minutes booked to the task on the prepared days from First to Last, both included.
  std::int32_t CountMinutes(const Ytask* Task, double First, double Last) const;
  // Releases every booking.
  void Unsolve();
  // Releases the bookings of one task.
  void UnsolveTask(const Ytask* Task);

  // Puts `first` in place of the chain of the day and answers the chain it held (PassJournal).
  Yslot* SwapDay(int Day, Yslot* first);

  // Whether any cell of the shift is normal time: the only kind of time that a slice of a
  // resource with a free calendar can ever book (the later passes book only after meeting a
  // booked slot).
  bool HasNormalTime() const { return hasNormalTime_; }

  // Brings the calendar in line with the model: prepared days whose shift codes or work days no
  // longer match the resource's are dropped; every booking is released.
  void MatchModel();
  // Returns every slot to the pool; the calendar is empty afterwards.
  void DropDays();
  // Empties the calendar as DropDays does, but keeps its slots as spares for the days and splits
  // that come next (NewSlot): between the passes of an analysis, where every pass starts from
  // fresh days, handing the slots back to the pool and taking them out again cost as much as
  // dating the slices.
  void ClearDays();
  // Forgets every slot without returning it (the pool is being emptied).
  void ForgetDays();

 private:
  // What the days are prepared from: the shift's 24 rows of codes and the seven work days.
  struct Pattern {
    const Yshift* shift = nullptr;
    std::array<QString, 24> rows;
    std::array<bool, 8> workDay{};
    bool operator==(const Pattern&) const = default;
  };
  // A run of equal codes within the day's 288 cells.
  struct Run {
    int firstCell;
    int endCell;  // exclusive
    char16_t code;
  };

  Pattern CurrentPattern() const;
  void UsePattern(const Pattern& pattern);
  void PrepareDay(int Day);
  // Grows the array to hold the day.
  void Cover(int Day);

  Yresource& resource_;
  std::uint64_t identity_;
  // The slot FindOrCreateSlot found last, a lookup in its day at or after its start walks on
  // from it, while no slot has left its chain since (SlotsRearranged).
  Yslot* found_ = nullptr;
  int foundDay_ = 0;
  std::uint64_t foundArrangement_ = 0;
  Pattern pattern_;
  std::vector<Run> runs_;
  bool hasNormalTime_ = false;
  int lower_ = 0;
  std::vector<Yslot*> days_;  // element i is the first slot of day lower_ + i, or none
};

// The calendars of the resources, one per resource, made on first use and held by the solver.
// A resource's calendar is reached through these functions.

// The resource's calendar, made when it has none.
ResourceCalendar& CalendarOf(Yresource& resource);
// The resource's calendar, or none when nothing has been prepared for it.
ResourceCalendar* FindCalendar(const Yresource& resource);

std::int32_t Allocate(Yresource& resource, Yslice& Slice, double Start, double DontGoBeyond, std::int32_t Remaining,
                      int Pass);
Yslot* FindOrCreateSlot(Yresource& resource, double Time);
Yslot* FindSlot(const Yresource& resource, double Day);
std::int32_t CountMinutes(const Yresource& resource, const Ytask* Task, double First, double Last);
// Releases all of the resource's bookings.
void Unsolve(const Yresource& resource);

// Minutes booked to the task between the two day numbers, over the distinct resources of its
// included assignments (0 for a task without a project).
std::int32_t EffortMinutes(const Ytask& task, double FromDay, double ToDay);
// Releases every booking of the task in the calendars of its resources.
void Unsolve(const Ytask& task);

// Every calendar matched to the model (ResourceCalendar::MatchModel); calendars of resources that
// were freed are dropped. Polls before each calendar and stops when the poll says so; answers
// False when it stopped early.
bool MatchCalendarsToModel();
// Forgets every calendar (the pool is being emptied: the slots go with it, spares included).
void ForgetCalendars();

// A free slot for a calendar day or a split: a spare one (ClearDays) when there is one, else one
// from the pool.
Yslot* NewSlot();
// To be called whenever slots may leave their chains or change their times other than by a
// split (an undone pass, a dropped or cleared day, a spare): no calendar walks on from the slot
// it found last.
void SlotsRearranged();

// Keeps a slot that no day holds any more as a spare.
void SpareSlot(Yslot& slot);
// Returns the spare slots to the pool (at the end of an analysis).
void ReleaseSpareSlots();

}  // namespace Solve
