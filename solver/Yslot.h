#pragma once

#include "BlockStore.h"
#include "Currency.h"
#include "Ypooled.h"

#include <QString>

#include <cstdint>

class Yresource;
class Ytask;

// A stretch of one day of a resource's calendar with one kind of time, free or booked to one
// task. A day is a chain of slots from midnight to midnight (ResourceCalendar.h). Slots come from
// the pool (type code 8); Reset is the constructor.
class Yslot final : public Ypooled, public BlockAllocated<Yslot> {
 public:
  // Kinds of time (SlotType).
  enum SlotTypes : std::int32_t {
    Normal = 3,    // normal shift time on a day the resource works
    OffDay = 4,    // normal shift time on a day it does not work
    Overtime = 5,  // overtime of the shift
    Holiday = 6,   // never made by the calendar
    Overload = 9,  // outside the shift: breaks and overload
  };

  // First, so that it takes the padding at the end of Ypooled: a large plan has hundreds of
  // thousands of slots.
  std::int32_t SlotType = 0;
  double StartTime = 0.0;
  double EndTime = 1.0;  // exclusive
  praxel::Currency LaborCost;
  Yslot* NextSlot = nullptr;  // the next stretch of the same day; none after the last
  Yresource* RefResource = nullptr;  // not used by the calendar: the overload spreadsheet's

  // Everything a pass may change in a slot, as one value (PassJournal).
  struct Fields {
    double startTime;
    double endTime;
    std::int32_t slotType;
    Yslot* nextSlot;
    Ytask* taskRequired;
    std::uint64_t taskIdentity;
    std::int64_t laborCost;
  };
  Fields SaveFields() const;
  void LoadFields(const Fields& fields);

  int Ytype() const override { return ytSlot; }
  // Free, 0 to 1.0, type 0, no cost; the rest of the chain is reset and unlinked.
  void Reset() override;

  // The task booked here, or none when the stretch is free. A task freed since it was booked is
  // none too: the slot never names an object the pool may have handed out again.
  Ytask* TaskRequired() const;
  // Books the stretch to the task at that cost.
  void Book(Ytask* task, praxel::Currency cost);

  // Whether a pass of the forward pass may book this kind of time: passes 0 and 1 normal and
  // off-day time, 2 and 3 overtime, 4 to 6 every kind. Another pass is "Assertion failed".
  bool Allowed(int pass) const;
  // "start to end" followed by " (project) task" when booked, or " <available> " when free.
  QString BuildNodeText() const;
  // Minutes booked to the task in this slot and every later slot of its chain.
  std::int32_t CountMinutes(const Ytask* task) const;
  // Returns this slot and the rest of its chain to the pool.
  void Delete();
  // The resource whose calendar holds this slot, among the resources of the loaded templates
  // that are included in the current journal; none when no calendar holds it.
  Yresource* Resource() const;
  // Cuts the slot at SplitTime (inside it) and returns the later piece, which is free.
  Yslot* Split(double SplitTime);
  // Frees the stretch: the booked task's labour cost drops by the slot's cost.
  void Unsolve();

 private:
  Ytask* taskRequired_ = nullptr;
  std::uint64_t taskIdentity_ = 0;  // the booked task's identity when it was booked
};
