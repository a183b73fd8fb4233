#include "RiskResults.h"

#include "Check.h"
#include "RuntimeError.h"

namespace Solve {

void RiskResults::Clear(std::int32_t iterations) {
  TRAP_ASSERT(iterations >= 0, "a count of iterations is never negative");
  iterations_ = iterations;
  unsampledFinish_ = 0.0;
  unsampledCost_ = praxel::Currency();
  sampled_.clear();
  laidOut_ = false;
}

void RiskResults::RecordUnsampled(double finish, praxel::Currency cost) {
  unsampledFinish_ = finish;
  unsampledCost_ = cost;
  laidOut_ = false;
}

void RiskResults::RecordSampled(double finish, praxel::Currency cost) {
  if (SampledCount() >= iterations_) throw praxel::RuntimeError(praxel::errSubscript, QStringLiteral("Subscript out of range"));
  // A multimap inserts an equal key at the end of its equal range: equal finishes stay in the
  // order they were recorded.
  sampled_.emplace(finish, cost);
  laidOut_ = false;
}

const std::vector<double>& RiskResults::FinishDates() const {
  LayOut();
  return finishDates_;
}

const std::vector<praxel::Currency>& RiskResults::Costs() const {
  LayOut();
  return costs_;
}

void RiskResults::LayOut() const {
  if (laidOut_) return;
  const std::size_t entries = static_cast<std::size_t>(iterations_) + 1;
  finishDates_.assign(entries, 0.0);
  costs_.assign(entries, praxel::Currency());
  finishDates_[0] = unsampledFinish_;
  costs_[0] = unsampledCost_;
  std::size_t index = 1;
  for (const auto& [finish, cost] : sampled_) {
    finishDates_[index] = finish;
    costs_[index] = cost;
    ++index;
  }
  laidOut_ = true;
}

}  // namespace Solve
