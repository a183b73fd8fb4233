#pragma once

#include "BlockStore.h"
#include "Currency.h"
#include "Ypooled.h"

#include <QList>
#include <QString>

#include <cstdint>

class Ytask;

// A slice: the part of a task between two percentages of its work. Each solve cuts every included
// task into slices at the percentages its dependencies name, links them along the dependencies
// and puts them into one solve order (SliceOrder.h); the passes date them. Slices come from the
// pool (type code 7) and go back to it when the next ordering starts; Reset is the constructor.
class Yslice final : public Ypooled, public BlockAllocated<Yslice> {
 public:
  Ytask* Task = nullptr;
  double EarlyStart = 0.0;
  double EarlyFinish = 0.0;
  double LateStart = 0.0;
  double LateFinish = 0.0;
  std::uint8_t FromPercent = 0;
  std::uint8_t ToPercent = 100;
  float Multiplier = 1.0f;  // scale of the slice's resource effort: 1 but in a crash analysis
  bool Crashable = false;
  std::int32_t Count = 0;   // while ordering: predecessors not yet in the solve order
  std::int32_t Row = 0;     // the precedence network's layout; the solver does not use it
  std::int32_t Col = 0;     // likewise
  std::int32_t UseMinutes = 0;
  praxel::Currency LaborCost;
  double MostLikelyDuration = 0.0;
  praxel::Currency MostLikelyCost;
  // Successors: slices of other tasks that wait for this one, most recently linked first, then
  // the next slice of the same task, if any.
  QList<Yslice*> ForwardList;
  // Predecessors, in the order they entered the solve order.
  QList<Yslice*> BackwardList;

  int Ytype() const override { return ytSlice; }
  // Empty lists, no task, dates 0, 0 to 100 %, no cost, Count 0. Multiplier and UseMinutes keep
  // their values: a solve run sets both before they are read.
  void Reset() override;

  // `minutes` times the slice's percentage points of its task's work (ToPercent − FromPercent):
  // a hundred times the slice's share of them. Exact in a double for any estimate a task holds,
  // where a 32-bit product would overflow.
  double PercentMinutes(std::int32_t minutes) const { return static_cast<double>(minutes) * (ToPercent - FromPercent); }

  // "(project caption) task caption", preceded by "40% to 100% of " when the slice is not the
  // whole task.
  QString BuildNodeText() const;
  // The slice's own identity as decimal text.
  QString Key() const;
  // Releases the slice's bookings: on every day it spans, the slots of its task's resources that
  // are booked to its task and lie wholly between its early start and early finish.
  void Unsolve();
};
