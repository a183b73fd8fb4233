#include "RateCalculation.h"

#include "Format.h"

using praxel::Currency;

void ComputeRates(const RateInputs& inputs, RateResults& results) {
  results = RateResults();
  if (!inputs.hourly) return;
  const double hourly = *inputs.hourly;
  results.hourly = Currency::FromDouble(hourly);
  const std::optional<double> burdenedMultiplier = Common::TextToNumber(inputs.burdenedMultiplier);
  if (!burdenedMultiplier) return;
  results.burdened = Currency::FromDouble(*burdenedMultiplier * hourly);
  const Currency overhead = Currency::FromDouble(hourly * (*burdenedMultiplier - 1));
  results.overhead = overhead;
  // Each rate is the hourly rate at its own multiplier, carrying the same overhead.
  const auto rate = [&](const QString& multiplierText, std::optional<Currency>& result) {
    if (const std::optional<double> multiplier = Common::TextToNumber(multiplierText)) {
      result = Currency::FromDouble(hourly * *multiplier) + overhead;
    }
  };
  rate(inputs.overtimeMultiplier, results.overtime);
  rate(inputs.offDayMultiplier, results.offDay);
  rate(inputs.holidayMultiplier, results.holiday);
}
