#pragma once

#include "Currency.h"

#include <cstdint>
#include <map>
#include <vector>

namespace Solve {

// The results of one risk analysis of N iterations, as two arrays of N + 1 entries read by the
// index: entry 0 holds the unsampled schedule's finish and total cost; entries 1 to k the k sampled
// results recorded so far, in ascending order of finish, results with equal finishes in the order
// they were recorded; the entries after them are 0. Each cost stays at the index of its finish, so
// entry i of N is the date by which i ÷ N of the iterations finished.
//
// The sampled results are kept in a balanced tree as they come (each insertion costs log k), and
// the arrays are laid out from it when they are read after a change.
class RiskResults {
 public:
  // Room for the unsampled result and `iterations` sampled ones, every entry 0.
  void Clear(std::int32_t iterations);
  // Entry 0.
  void RecordUnsampled(double finish, praxel::Currency cost);
  // One more sampled result. More than the iterations cleared for is error 9 "Subscript out of
  // range".
  void RecordSampled(double finish, praxel::Currency cost);

  std::int32_t Iterations() const { return iterations_; }
  std::int32_t SampledCount() const { return static_cast<std::int32_t>(sampled_.size()); }

  // Empty until the first Clear.
  const std::vector<double>& FinishDates() const;
  const std::vector<praxel::Currency>& Costs() const;

 private:
  void LayOut() const;

  std::int32_t iterations_ = 0;
  double unsampledFinish_ = 0.0;
  praxel::Currency unsampledCost_;
  // By finish; an equal finish is inserted after the ones already there.
  std::multimap<double, praxel::Currency> sampled_;
  mutable bool laidOut_ = true;
  mutable std::vector<double> finishDates_;
  mutable std::vector<praxel::Currency> costs_;
};

}  // namespace Solve
