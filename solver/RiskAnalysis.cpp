#include "RiskAnalysis.h"

#include "AnalysisRun.h"
#include "AnalysisWorkers.h"
#include "Check.h"
#include "Common.h"
#include "ForwardPass.h"
#include "Guard.h"
#include "Poll.h"
#include "Random.h"
#include "RiskResults.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TaskResults.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <cmath>

namespace Solve {

namespace {

std::int32_t riskIterations = 0;
std::int32_t riskIteration = 0;
std::vector<float> permuteTable;
RiskResults results;
const Yproject* riskProject = nullptr;  // the active project of the run the results come from

// The sampled minutes of a task at the deviate z: the most likely estimate moved by z thirds of
// the distance to the pessimistic estimate (z above 0) or to the optimistic one. Not clamped: a
// deviate beyond ±3 leaves the estimates' range, and the result may be 0 or below.
std::int32_t SampledMinutes(const Ytask& task, float z) {
  const std::int32_t mostLikely = task.MostLikely();
  const std::int32_t spread = z > 0.0f ? praxel::SubChecked(task.Pessimistic(), mostLikely)
                                       : praxel::SubChecked(mostLikely, task.Optimistic());
  return praxel::ToLong(mostLikely + z * static_cast<double>(spread) / 3.0);
}

// `cost` × minutes ÷ mostLikely in ten-thousandths: the product taken in 128 bits (a cost near the
// largest times a sampled estimate is past 64) and divided as a double, the quotient rounded half
// to even; a quotient past the money range is an overflow.
praxel::Currency ScaledCost(praxel::Currency cost, std::int32_t minutes, std::int32_t mostLikely) {
  const __int128 product = static_cast<__int128>(cost.Ticks()) * minutes;
  return praxel::Currency::FromTicks(praxel::ToLongLong(static_cast<double>(product) / mostLikely));
}

// Whether the table and the results were made for the present slices and iterations. A failed
// preparation that the user chose to ignore must not let a variant read outside the table.
void RequirePrepared() {
  const auto slices = static_cast<std::size_t>(SliceList().size());
  TRAP_ASSERT(riskIterations >= 1 && permuteTable.size() == slices * static_cast<std::size_t>(riskIterations) &&
                  results.Iterations() == riskIterations,
              "PrepareRiskSolve runs before the passes");
}

// The deviate of slice `b` (counted from 0 in SliceList) in iteration `k`.
float Deviate(qsizetype b, std::int32_t k) {
  return permuteTable[static_cast<std::size_t>(b) * static_cast<std::size_t>(riskIterations) + static_cast<std::size_t>(k) - 1];
}

// "Risk 12% ...", shown when the percentage has grown; it never reaches 100.
void ShowProgress(std::int32_t k, int& lastShown) {
  const std::int32_t percent = praxel::MulChecked<std::int32_t>(k, 100) / praxel::AddChecked<std::int32_t>(riskIterations, 1);
  if (percent <= lastShown) return;
  lastShown = percent;
  SetSolveMessage(QStringLiteral("Risk %1% ...").arg(percent));
}

// A pass that stopped on a solve error left half-solved dates: the run records nothing more.
// (No pass halts while the preconditions hold.)
bool Stopped() { return SolveMode() != ModeAnalysis; }

// Dates one slice for the quick variant: after its predecessors and its task's earlier slices, its
// duration and cost of the last solve scaled by its sampled minutes over the most likely ones.
void DateQuick(Yslice& slice, float z) {
  Ytask& task = *slice.Task;
  if (slice.FromPercent == 0) {
    StoreEarlyStart(task, 0.0);
    StoreEarlyFinish(task, 0.0);
    StoreLaborCost(task, praxel::Currency());
  }
  if (task.Subproject() != nullptr) {
    SolveSubproject(slice);
    return;
  }
  slice.EarlyStart = QuickStart(slice);
  slice.EarlyFinish = slice.EarlyStart;
  slice.LaborCost = praxel::Currency();
  const std::int32_t minutes = SampledMinutes(task, z);
  const std::int32_t mostLikely = task.MostLikely();
  if (mostLikely == 0) {
    // Nothing to scale by: a task without an estimate (one dated by its dependencies alone)
    // keeps the duration and cost it has in the solved schedule.
    slice.EarlyFinish = slice.EarlyStart + slice.MostLikelyDuration;
    slice.LaborCost = slice.MostLikelyCost;
  } else if (slice.MostLikelyDuration > 0.0 && minutes > 0) {
    slice.EarlyFinish = slice.EarlyStart + slice.MostLikelyDuration * minutes / mostLikely;
    slice.LaborCost = ScaledCost(slice.MostLikelyCost, minutes, mostLikely);
  }
  StoreLaborCost(task, task.LaborCost() + slice.LaborCost);
  StoreEarlyFinish(task, slice.EarlyFinish);
  // The task's first slice gives it its start, so that the task counts in the project's dates.
  if (task.EarlyStart() == 0.0) StoreEarlyStart(task, slice.EarlyStart);
}

}  // namespace

std::int32_t RiskIterations() { return riskIterations; }

void SetRiskIterations(std::int32_t Iterations) { riskIterations = Iterations; }

std::int32_t RiskIteration() { return riskIteration; }

const std::vector<float>& PermuteTable() { return permuteTable; }

const std::vector<double>& RiskFinishDates() { return results.FinishDates(); }

const std::vector<praxel::Currency>& RiskCosts() { return results.Costs(); }

const Yproject* RiskProject() { return riskProject; }

void SetRiskResults(const Yproject* Project, const RiskResults& Results) {
  results = Results;
  riskProject = Project;
}

void ClearRiskResults() {
  results = RiskResults();
  riskProject = nullptr;
}

void ForgetRiskProject(const Ypooled* Object) {
  if (Object != nullptr && Object == riskProject) ClearRiskResults();
}

float PtoZ(float p) {
  float z = 0.0f;
  ErrTrap::Guarded(QStringLiteral("Solve:PtoZ"), [&] {
    if (!(p > 0.0f && p < 1.0f)) throw praxel::RuntimeError(praxel::errInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    const float q = p > 0.5f ? 1.0f - p : p;
    const auto t = static_cast<float>(std::sqrt(-2.0 * std::log(q)));
    const auto numerator = static_cast<float>(2.515517 + 0.802853 * t + 0.010328 * t * t);
    const auto denominator = static_cast<float>(1.0 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
    z = t - numerator / denominator;
    if (p < 0.5f) z = -z;
  });
  return z;
}

void BuildPermuteTable() {
  ErrTrap::Guarded(QStringLiteral("Solve:BuildPermuteTable"), [&] {
    const std::int32_t n = riskIterations;
    TRAP_ASSERT(n >= 1, "an analysis runs at least one iteration");
    const std::int32_t size = praxel::MulChecked<std::int32_t>(static_cast<std::int32_t>(SliceList().size()), n);
    permuteTable.assign(static_cast<std::size_t>(size), 0.0f);
    if (size == 0) return;
    // Block 0: the deviates of the N strata midpoints, ascending.
    const std::int32_t twiceN = praxel::MulChecked<std::int32_t>(2, n);
    for (std::int32_t i = 0; i < n; ++i) {
      const std::int32_t odd = praxel::AddChecked<std::int32_t>(praxel::MulChecked<std::int32_t>(2, i), 1);
      permuteTable[static_cast<std::size_t>(i)] = PtoZ(static_cast<float>(static_cast<double>(odd) / twiceN));
    }
    // Every further block: a random permutation of block 0, built inside out. r stays below k, so
    // the permutation is a single cycle.
    for (std::int32_t j = n; j < size; j += n) {
      float* block = &permuteTable[static_cast<std::size_t>(j)];
      block[0] = permuteTable[0];
      for (std::int32_t k = 1; k < n; ++k) {
        std::int32_t r = static_cast<std::int32_t>(std::floor(praxel::Rnd() * k));
        if (r >= k) r = k - 1;  // a number just below 1 must not round up to k
        block[k] = block[r];
        block[r] = permuteTable[static_cast<std::size_t>(k)];
      }
    }
  });
}

void PrepareRiskSolve() {
  ErrTrap::Guard guard(QStringLiteral("Solve:PrepareRiskSolve"));
  guard([&] { BuildPermuteTable(); });
  guard([&] { results.Clear(riskIterations); });
  guard([&] { riskProject = Common::ThisProject(); });
  guard([&] { riskIteration = 0; });
  guard([&] { RecordRiskResult(); });
  guard([&] {
    for (Yslice* slice : SliceList()) {
      slice->MostLikelyDuration = slice->EarlyFinish - slice->EarlyStart;
      slice->MostLikelyCost = slice->LaborCost;
    }
  });
}

namespace {

// The active project's finish and total cost as they stand.
IterationOutcome ActiveOutcome() {
  const Yproject* active = Common::ThisProject();
  TRAP_ASSERT(active != nullptr, "an analysis runs on the active project");
  IterationOutcome outcome;
  outcome.finish = active->EarlyFinish();
  outcome.cost = active->TotalCost();
  return outcome;
}

// The passes of a risk analysis: for each iteration, `sample` gives every slice its sampled
// length and `date` dates the slices (False when the pass was stopped); the progress shows and
// the project's finish and cost are recorded. The iterations run in worker processes when there
// are several (AnalysisWorkers.h), and here from the first one a worker could not complete.
template <class Sample, class Date>
void RunRiskPasses(ErrTrap::Guard& guard, Sample sample, Date date) {
  bool prepared = false;
  guard([&] {
    prepared = false;
    RequirePrepared();
    prepared = true;
  });
  if (!prepared) return;
  const QList<Yslice*> slices = SliceList();
  int lastShown = 0;
  // One iteration's sampling and passes: False when the pass was stopped.
  const auto iterate = [&](std::int32_t k) {
    riskIteration = k;
    guard([&] {
      for (qsizetype b = 0; b < slices.size(); ++b) sample(*slices.at(b), Deviate(b, k));
    });
    bool dated = true;
    guard([&] { dated = date(slices); });
    return dated;
  };

  std::int32_t k = RunIterationsInWorkers(
      1, riskIterations, AnalysisWorkerCount(),
      [&](std::int32_t iteration, IterationOutcome& outcome) {
        if (!iterate(iteration)) return false;
        outcome = ActiveOutcome();
        return true;
      },
      [&](std::int32_t iteration, const IterationOutcome& outcome) {
        riskIteration = iteration;
        guard([&] { ShowProgress(iteration, lastShown); });
        guard([&] { results.RecordSampled(outcome.finish, outcome.cost); });
      },
      [] { return !PollAbort(); });
  for (; k <= riskIterations; ++k) {
    guard([&] { ShowProgress(k, lastShown); });
    if (!iterate(k)) return;
    guard([&] { RecordRiskResult(); });
  }
}

}  // namespace

void DetailedRiskSolve() {
  ErrTrap::Guard guard(QStringLiteral("Solve:DetailedRiskSolve"));
  RunRiskPasses(
      guard,
      [](Yslice& slice, float deviate) {
        const std::int32_t minutes = SampledMinutes(*slice.Task, deviate);
        slice.UseMinutes = praxel::ToLong(slice.PercentMinutes(minutes) / 100.0);
      },
      [](const QList<Yslice*>& slices) {
        ResetPriorToPass();
        for (Yslice* slice : slices) {
          if (Stopped()) return false;
          SolveOneSlice(*slice);
        }
        return !Stopped();
      });
}

void QuickRiskSolve() {
  ErrTrap::Guard guard(QStringLiteral("Solve:QuickRiskSolve"));
  RunRiskPasses(
      guard, [](Yslice& slice, float deviate) { DateQuick(slice, deviate); },
      [](const QList<Yslice*>&) { return true; });
}

void RecordRiskResult() {
  ErrTrap::Guarded(QStringLiteral("Solve:RecordRiskResult"), [&] {
    const IterationOutcome outcome = ActiveOutcome();
    if (riskIteration == 0) {
      results.RecordUnsampled(outcome.finish, outcome.cost);
    } else {
      results.RecordSampled(outcome.finish, outcome.cost);
    }
  });
}

void RunRiskAnalysis(bool Quick) {
  ErrTrap::Guard guard(QStringLiteral("Solve:RunRiskAnalysis"));
  bool ready = false;
  guard([&] {
    ready = false;
    RefuseUnlessReady(QStringLiteral("Risk analysis"));
    if (riskIterations < 1) praxel::RaiseProgramError(QStringLiteral("The number of iterations must be at least 1."));
    ready = true;
  });
  if (!ready) return;
  RunAnalysis(QStringLiteral("Risk solve in progress"), [&] {
    guard([&] { SetSolveMessage(QStringLiteral("Risk 0% ...")); });
    guard([&] { PrepareRiskSolve(); });
    guard([&] {
      if (Quick) {
        QuickRiskSolve();
      } else {
        DetailedRiskSolve();
      }
    });
  });
}

}  // namespace Solve
