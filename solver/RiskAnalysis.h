#pragma once

#include "Currency.h"

#include <cstdint>
#include <vector>

class Ypooled;
class Yproject;

namespace Solve {
class RiskResults;
}

// The risk analysis: how likely the active project is to finish by each date, and at what total
// cost, from the tasks' three-point estimates. It runs N iterations (RiskIterations). In each, every
// slice draws one standard normal deviate, which turns its task's estimates into sampled minutes
// (the optimistic and pessimistic estimates stand three standard deviations below and above the
// most likely one); the schedule is dated with the sampled work, and the project's finish and total
// cost are recorded. The deviates are drawn by Latin hypercube sampling: over the N iterations each
// slice takes each of N equally likely strata of the normal distribution exactly once, in an order
// shuffled for each slice with the program's uniform generator (platform Random.h, never reseeded).
//   Detailed: every iteration is a forward pass with resource booking.
//   Quick:    nothing is booked; each slice's duration and cost of the last solve are scaled by its
//             sampled minutes over its most likely ones, and it starts when its dependencies allow.
//
// RunRiskAnalysis is the whole run in the analysis state (AnalysisRun.h): it refuses to start
// (error 10000 with the reason, through the error trap) when AnalysisRefusal gives a reason or
// RiskIterations is below 1; the risk command asks the user first. The results stay in
// RiskFinishDates and RiskCosts until the next run; the schedule returns to the unsampled one
// through the normal solve that every run ends by asking for.
namespace Solve {

// N, the number of iterations; the risk command sets it.
std::int32_t RiskIterations();
void SetRiskIterations(std::int32_t Iterations);
// The iteration being recorded: 0 for the unsampled schedule, then 1 to N.
std::int32_t RiskIteration();

// The deviates: one block of N per slice of SliceList, in its order; entry b × N + k − 1 is the
// deviate of slice b in iteration k. Block 0 holds the N strata midpoints in ascending order, each
// further block a shuffle of it.
const std::vector<float>& PermuteTable();

// Entry 0: the unsampled finish (cost); entries 1 to k: the results of the k iterations run so far,
// in ascending order of finish; later entries 0. N + 1 entries; empty before the first run.
const std::vector<double>& RiskFinishDates();
const std::vector<praxel::Currency>& RiskCosts();
// The project the results belong to (the active one of their run); none before the first run
// and once the results are cleared.
const Yproject* RiskProject();
// Results kept as a run's own (results made elsewhere, such as a test's).
void SetRiskResults(const Yproject* Project, const RiskResults& Results);
// Drops the results (the clear-all), and drops them when their project is freed.
void ClearRiskResults();
void ForgetRiskProject(const Ypooled* Object);

// The standard normal quantile of p (0 < p < 1), by the rational approximation 26.2.23 of
// Abramowitz and Stegun (absolute error below 4.5e-4) on both tails.
float PtoZ(float p);

// The whole analysis: "Risk solve in progress", the analysis state, "Risk 0% ...", the preparation
// and one variant; then a normal solve is asked for and the busy message cleared, however the run
// ended.
void RunRiskAnalysis(bool Quick);

// The steps of a run, in the analysis state.
// Builds the table, clears the results, records the unsampled schedule as entry 0 and keeps each
// slice's duration and labour cost of the last solve.
void PrepareRiskSolve();
void BuildPermuteTable();
// Iterations 1 to N. A pass that stops on a solve error ends the run and is not recorded.
void DetailedRiskSolve();
void QuickRiskSolve();
// Records the present schedule's finish and total cost as the result of RiskIteration.
void RecordRiskResult();

}  // namespace Solve
