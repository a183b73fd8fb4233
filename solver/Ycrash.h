#pragma once

#include "Currency.h"

#include <cstdint>

class Ytask;

// One step of a crash analysis: the slice whose team grew (its task and percentages), its team
// multiplier after the step, and the active project's finish and total cost once the step was
// solved. The first row of an analysis is the baseline: no task, zero percentages and multiplier.
// A plain record, made directly (not pooled).
class Ycrash {
 public:
  Ytask* Task = nullptr;
  std::uint8_t FromPercent = 0;
  std::uint8_t ToPercent = 0;
  float Multiplier = 0.0f;
  double EndDate = 0.0;
  praxel::Currency TotalCost;
};
