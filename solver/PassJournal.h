#pragma once

#include "Yslot.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

class Ydependency;
class Yslice;
class Ytask;

namespace Solve {

class ResourceCalendar;

// The changes a run of passes makes to the schedule, kept so that a later pass can start where
// the slices it dates differently begin, instead of from fresh calendars.
//
// A pass dates the slices one after another (each an "op", started with BeginOp) from a base
// state: every calendar day unprepared and every task's early dates and labour cost 0, as
// ResetPriorToPass leaves them. While a journal is active (SetActiveJournal), the solver records
// in it, before it changes them, every slot (its times, kind, link, booking and cost), every day
// it prepares and every slot it makes, every task early date and cost, and every dependency date;
// the pass records each slice it dates (its dates, cost, minutes and multiplier) when the op
// starts. That is all a pass writes that a later op or the analysis reads.
//
// Each entry holds the value its target does not hold now; applying an entry swaps the two. So
// applying the entries backwards (Undo) takes the schedule back to the base, and applying them
// forwards again (Redo) brings back the state after as many ops as asked, exactly, slot by slot.
// Two journals over the same base can take turns: undo one, redo the other.
class PassJournal {
 public:
  PassJournal() = default;
  PassJournal(const PassJournal&) = delete;
  PassJournal& operator=(const PassJournal&) = delete;
  // Discard() first.
  ~PassJournal() = default;

  // The ops recorded, and whether their changes are in the schedule now.
  qsizetype Ops() const { return static_cast<qsizetype>(opStarts_.size()); }
  bool Applied() const { return applied_; }

  // Starts the record of the next op, which dates `slice`.
  void BeginOp(Yslice& slice);
  // Takes every recorded change back out of the schedule: the base state returns.
  void Undo();
  // From the base state: puts the changes of the first `ops` ops back, and forgets the later
  // ops (the slots they made become spares).
  void Redo(qsizetype ops);
  // Forgets every op. The slots made by ops that are not in the schedule become spares; those in
  // it stay where they are.
  void Discard();

  // The records the solver makes while the journal is active.
  void SlotChanging(Yslot& slot);
  // A split made the slot (the slots of a prepared day go with their DayPrepared).
  void SlotMade(Yslot& slot);
  void DayPrepared(ResourceCalendar& calendar, int day);
  void TaskDateChanging(Ytask& task, bool finish);
  void TaskCostChanging(Ytask& task, bool material);
  void DependencyDateChanging(Ydependency& dependency);

 private:
  enum class Kind : std::uint8_t { Slot, SlotMade, Day, TaskStart, TaskFinish, TaskLabor, TaskMaterial, Dependency, Slice };
  struct SliceFields {
    double earlyStart;
    double earlyFinish;
    std::int64_t laborCost;
    std::int32_t useMinutes;
    float multiplier;
  };
  struct Entry {
    Entry(Kind what, void* object) : kind(what), target(object) {}
    Kind kind;
    std::int32_t day = 0;  // Day: the day number
    void* target;
    union {
      Yslot::Fields slot;
      SliceFields slice;
      double date;
      std::int64_t ticks;
      Yslot* first;
    };
  };

  void Apply(Entry& entry);
  // Asks the processor for the target of the entry at `index`, if there is one, ahead of its Apply.
  void Prefetch(std::size_t index) const;
  static constexpr std::size_t kPrefetchAhead = 12;
  // Whether the op's first change of that field of the task: the op's own task's fields change
  // many times in an op, and only the value before the op is kept.
  bool FirstInOp(const Ytask& task, Kind kind);
  // Likewise for a slot, which an op may split, book, free and book again: a small table of the
  // slots the op recorded (when it fills up, slots are recorded again, which is only slower).
  bool FirstInOp(const Yslot& slot);
  // Hands the slots made by an entry that is out of the schedule to the spares.
  static void SpareMadeSlots(const Entry& entry);

  std::vector<Entry> entries_;
  std::vector<std::size_t> opStarts_;  // the first entry of each op
  bool applied_ = true;
  const Ytask* opTask_ = nullptr;
  std::uint8_t opTaskFields_ = 0;  // bits by Kind: the fields of opTask_ recorded in this op
  static constexpr std::size_t kSlotTable = 512;  // a power of 2
  std::vector<const Yslot*> opSlots_ = std::vector<const Yslot*>(kSlotTable, nullptr);
  std::vector<std::size_t> opSlotsUsed_;  // the table's filled places, emptied at the next op
};

// The journal the solver records in, or none (a normal solve).
PassJournal* ActiveJournal();
void SetActiveJournal(PassJournal* journal);

}  // namespace Solve
