#include "PassJournal.h"

#include "Journals.h"
#include "ResourceCalendar.h"
#include "Ydependency.h"
#include "Yslice.h"
#include "Ytask.h"

#include <cstdint>
#include <utility>

namespace Solve {

namespace {

PassJournal* activeJournal = nullptr;

// Swaps a per-journal field of the holder with the value kept in the entry.
template <class T>
void SwapField(const JournalHolder* holder, PerJournal<T>& field, T& kept) {
  const T now = ReadField(holder, field);
  WriteField(holder, field, kept);
  kept = now;
}

void SwapTicks(const JournalHolder* holder, PerJournal<praxel::Currency>& field, std::int64_t& kept) {
  praxel::Currency value = praxel::Currency::FromTicks(kept);
  SwapField(holder, field, value);
  kept = value.Ticks();
}

// Nothing is recorded while entries are applied.
class Inactive {
 public:
  Inactive() : journal_(std::exchange(activeJournal, nullptr)) {}
  ~Inactive() { activeJournal = journal_; }
  Inactive(const Inactive&) = delete;
  Inactive& operator=(const Inactive&) = delete;

 private:
  PassJournal* journal_;
};

}  // namespace

PassJournal* ActiveJournal() { return activeJournal; }

void SetActiveJournal(PassJournal* journal) { activeJournal = journal; }

void PassJournal::BeginOp(Yslice& slice) {
  opStarts_.push_back(entries_.size());
  opTask_ = slice.Task;
  opTaskFields_ = 0;
  for (const std::size_t place : opSlotsUsed_) opSlots_[place] = nullptr;
  opSlotsUsed_.clear();
  Entry entry(Kind::Slice, &slice);
  entry.slice = SliceFields{slice.EarlyStart, slice.EarlyFinish, slice.LaborCost.Ticks(), slice.UseMinutes, slice.Multiplier};
  entries_.push_back(entry);
}

bool PassJournal::FirstInOp(const Yslot& slot) {
  if (opSlotsUsed_.size() >= kSlotTable / 2) return true;
  std::size_t place = (reinterpret_cast<std::uintptr_t>(&slot) >> 4) * 0x9E3779B97F4A7C15u >> 32;
  for (;; ++place) {
    place &= kSlotTable - 1;
    if (opSlots_[place] == &slot) return false;
    if (opSlots_[place] == nullptr) break;
  }
  opSlots_[place] = &slot;
  opSlotsUsed_.push_back(place);
  return true;
}

void PassJournal::SlotChanging(Yslot& slot) {
  if (!FirstInOp(slot)) return;
  Entry entry(Kind::Slot, &slot);
  entry.slot = slot.SaveFields();
  entries_.push_back(entry);
}

void PassJournal::SlotMade(Yslot& slot) {
  Entry entry(Kind::SlotMade, &slot);
  entries_.push_back(entry);
}

void PassJournal::DayPrepared(ResourceCalendar& calendar, int day) {
  Entry entry(Kind::Day, &calendar);
  entry.day = day;
  entry.first = nullptr;  // the day was not prepared
  entries_.push_back(entry);
}

bool PassJournal::FirstInOp(const Ytask& task, Kind kind) {
  if (&task != opTask_) return true;
  const auto bit = static_cast<std::uint8_t>(1u << static_cast<unsigned>(kind));
  if ((opTaskFields_ & bit) != 0) return false;
  opTaskFields_ |= bit;
  return true;
}

void PassJournal::TaskDateChanging(Ytask& task, bool finish) {
  if (!FirstInOp(task, finish ? Kind::TaskFinish : Kind::TaskStart)) return;
  Entry entry(finish ? Kind::TaskFinish : Kind::TaskStart, &task);
  entry.date = finish ? task.EarlyFinish() : task.EarlyStart();
  entries_.push_back(entry);
}

void PassJournal::TaskCostChanging(Ytask& task, bool material) {
  if (!FirstInOp(task, material ? Kind::TaskMaterial : Kind::TaskLabor)) return;
  Entry entry(material ? Kind::TaskMaterial : Kind::TaskLabor, &task);
  entry.ticks = (material ? task.MaterialCost() : task.LaborCost()).Ticks();
  entries_.push_back(entry);
}

void PassJournal::DependencyDateChanging(Ydependency& dependency) {
  Entry entry(Kind::Dependency, &dependency);
  entry.date = ReadField(dependency.Project(), dependency.DepDateField());
  entries_.push_back(entry);
}

void PassJournal::Apply(Entry& entry) {
  switch (entry.kind) {
    case Kind::Slot: {
      auto& slot = *static_cast<Yslot*>(entry.target);
      const Yslot::Fields now = slot.SaveFields();
      slot.LoadFields(entry.slot);
      entry.slot = now;
      break;
    }
    case Kind::SlotMade: break;  // its links are in the entries of the slots and days around it
    case Kind::Day: entry.first = static_cast<ResourceCalendar*>(entry.target)->SwapDay(entry.day, entry.first); break;
    case Kind::TaskStart:
    case Kind::TaskFinish: {
      auto& task = *static_cast<Ytask*>(entry.target);
      SwapField(task.Project(), entry.kind == Kind::TaskStart ? task.EarlyStartField() : task.EarlyFinishField(), entry.date);
      break;
    }
    case Kind::TaskLabor:
    case Kind::TaskMaterial: {
      auto& task = *static_cast<Ytask*>(entry.target);
      SwapTicks(task.Project(), entry.kind == Kind::TaskLabor ? task.LaborCostField() : task.MaterialCostField(), entry.ticks);
      break;
    }
    case Kind::Dependency: {
      auto& dependency = *static_cast<Ydependency*>(entry.target);
      SwapField(dependency.Project(), dependency.DepDateField(), entry.date);
      break;
    }
    case Kind::Slice: {
      auto& slice = *static_cast<Yslice*>(entry.target);
      const SliceFields now{slice.EarlyStart, slice.EarlyFinish, slice.LaborCost.Ticks(), slice.UseMinutes, slice.Multiplier};
      slice.EarlyStart = entry.slice.earlyStart;
      slice.EarlyFinish = entry.slice.earlyFinish;
      slice.LaborCost = praxel::Currency::FromTicks(entry.slice.laborCost);
      slice.UseMinutes = entry.slice.useMinutes;
      slice.Multiplier = entry.slice.multiplier;
      entry.slice = now;
      break;
    }
  }
}

void PassJournal::SpareMadeSlots(const Entry& entry) {
  if (entry.kind == Kind::SlotMade) {
    SpareSlot(*static_cast<Yslot*>(entry.target));
  } else if (entry.kind == Kind::Day) {
    // Out of the schedule, the day holds the slots it was prepared with (its splits undone).
    Yslot* slot = entry.first;
    while (slot != nullptr) {
      Yslot* next = slot->NextSlot;
      SpareSlot(*slot);
      slot = next;
    }
  }
}

void PassJournal::Prefetch(std::size_t index) const {
  if (index >= entries_.size()) return;
  const Entry& entry = entries_[index];
  // A slot spans two cache lines; the other targets' fields lie behind them.
  const auto* target = static_cast<const char*>(entry.target);
  __builtin_prefetch(target);
  __builtin_prefetch(target + 64);
  // Out of the schedule, a day entry holds the first slot of its chain.
  if (!applied_ && entry.kind == Kind::Day && entry.first != nullptr) __builtin_prefetch(entry.first);
}

void PassJournal::Undo() {
  if (!applied_) return;
  SlotsRearranged();
  const Inactive quiet;
  // The targets lie all over memory: each is fetched while the entries before it are applied.
  for (std::size_t i = entries_.size(); i-- > 0;) {
    if (i >= kPrefetchAhead) Prefetch(i - kPrefetchAhead);
    Apply(entries_[i]);
  }
  applied_ = false;
}

void PassJournal::Redo(qsizetype ops) {
  SlotsRearranged();
  if (applied_) Undo();
  const Inactive quiet;
  const std::size_t kept = ops < Ops() ? opStarts_[static_cast<std::size_t>(ops)] : entries_.size();
  for (std::size_t i = 0; i < kept; ++i) {
    Prefetch(i + kPrefetchAhead);
    Apply(entries_[i]);
  }
  for (std::size_t i = kept; i < entries_.size(); ++i) {
    Prefetch(i + kPrefetchAhead);
    SpareMadeSlots(entries_[i]);
  }
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kept), entries_.end());
  if (ops < Ops()) opStarts_.resize(static_cast<std::size_t>(ops));
  applied_ = true;
}

void PassJournal::Discard() {
  SlotsRearranged();
  if (!applied_) {
    for (const Entry& entry : entries_) SpareMadeSlots(entry);
  }
  entries_.clear();
  opStarts_.clear();
  applied_ = true;
}

}  // namespace Solve
