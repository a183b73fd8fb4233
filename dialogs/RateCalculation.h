#pragma once

#include "Currency.h"

#include <QString>

#include <optional>

// The rate calculator's sums, as plain data. The burdened rate is the hourly rate times the
// burdened multiplier; the overhead is the part of the burdened rate above the hourly rate; the
// overtime, off-day and holiday rates are the hourly rate times their own multiplier plus that same
// overhead. Products are formed in double precision and each result is turned into money.
struct RateInputs {
  // The hourly rate at full precision; none when its box holds no number.
  std::optional<double> hourly;
  // The multipliers as typed; a text that is no number leaves the results that need it missing.
  QString burdenedMultiplier;
  QString overtimeMultiplier;
  QString offDayMultiplier;
  QString holidayMultiplier;
};

// What the calculator shows: a missing amount is an empty box.
struct RateResults {
  std::optional<praxel::Currency> hourly;  // the hourly rate as money, shown in its copies
  std::optional<praxel::Currency> burdened;
  std::optional<praxel::Currency> overhead;
  std::optional<praxel::Currency> overtime;
  std::optional<praxel::Currency> offDay;
  std::optional<praxel::Currency> holiday;

  // Every rate worked out: the calculator's OK may hand them over.
  bool Complete() const { return burdened && overtime && offDay && holiday; }
};

// Works the results out in the calculator's order (hourly, burdened, overhead, overtime, off-day,
// holiday), filling `results` as it goes. An amount beyond the range of money raises error 6
// "Overflow"; the results before it stay filled and the later ones missing.
void ComputeRates(const RateInputs& inputs, RateResults& results);
