#include "CrashAnalysis.h"

#include "AnalysisRun.h"
#include "BackwardPass.h"
#include "Common.h"
#include "ForwardPass.h"
#include "Guard.h"
#include "PassJournal.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TaskResults.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace Solve {

namespace {

float teamIncrement = 0.0f;
bool passReuse = true;
std::optional<QList<Ycrash>> crashItems;

double FloatOf(const Yslice& slice) { return slice.LateFinish - slice.EarlyFinish; }

// The slice's work in minutes at its present multiplier m: the share of its task's most likely
// estimate divided by m × e^(m−1). At m = 1 this is a normal solve's work.
std::int32_t CrashedMinutes(const Yslice& slice) {
  const Ytask& task = *slice.Task;
  const double m = slice.Multiplier;
  return praxel::ToLong(slice.PercentMinutes(task.MostLikely()) / std::pow(task.Efficiency(), m - 1.0) / 100.0 / m);
}

// The active project's finish and total cost as they stand.
Ycrash Outcome() {
  const Yproject* active = Common::ThisProject();
  Ycrash row;
  row.EndDate = active->EarlyFinish();
  row.TotalCost = active->TotalCost();
  return row;
}

// What one trial pass found: the best candidate and the progress of the crashable slices.
struct Trial {
  Yslice* best = nullptr;
  float bestRatio = 0.0f;
  std::int32_t crashable = 0;
  float progress = 0.0f;  // the sum over the crashable slices of m × (−ln e)
};

// What crashing one slice in a trial pass gains: whether it finishes earlier, and the extra
// labour cost per day gained.
struct SliceTrial {
  bool gains = false;
  float ratio = 0.0f;
};

// One run of either variant.
class CrashRun {
 public:
  CrashRun(bool quick, ErrTrap::Guard& guard) : quick_(quick), reuse_(!quick && passReuse), guard_(guard) {}

  void Run() {
    guard_([&] { Start(); });
    // The journals go however the run ends, before the analysis hands its spare slots back.
    struct Forget {
      CrashRun& run;
      ~Forget() { run.DiscardJournals(); }
    } forget{*this};
    for (;;) {
      bool crashable = false;
      guard_([&] { crashable = SetCrashableFlags(); });
      if (!crashable) return;
      Trial trial;
      guard_([&] { trial = reuse_ ? TrialPassReusing() : TrialPass(); });
      if (Stopped() || trial.best == nullptr) return;
      Yslice& best = *trial.best;
      const float raised = best.Multiplier + teamIncrement;
      guard_([&] {
        if (reuse_) {
          CommitReusing(best, raised);
        } else {
          Commit(best, raised);
        }
      });
      if (Stopped()) return;
      guard_([&] { ShowProgress(trial); });
      guard_([&] { AddRow(best); });
    }
  }

 private:
  // A pass of the analysis stopped on a solve error: its dates are half-solved, so nothing more
  // is recorded. (No pass halts while the preconditions hold.)
  static bool Stopped() { return SolveMode() != ModeAnalysis; }

  void Start() {
    SetSolveMessage(QStringLiteral("Crashing 0% ..."));
    lastShown_ = 0;
    crashItems.emplace();
    for (Yslice* slice : SliceList()) {
      slice->Multiplier = 1.0f;
      if (quick_) {
        slice->MostLikelyDuration = slice->EarlyFinish - slice->EarlyStart;
        slice->MostLikelyCost = slice->LaborCost;
      }
    }
    crashItems->append(Outcome());
  }

  // Crashes every crashable slice in turn by one increment, dates it crashed and then normally,
  // and keeps the one whose earlier finish costs least per day gained. Every slice ends the pass
  // at its normal dates.
  Trial TrialPass() {
    ResetPriorToPass();
    const QList<Yslice*>& slices = SliceList();
    trials_.assign(static_cast<std::size_t>(slices.size()), SliceTrial());
    for (qsizetype i = 0; i < slices.size(); ++i) {
      if (Stopped()) return Trial();
      trials_[static_cast<std::size_t>(i)] = TrialOf(*slices.at(i));
    }
    return BestOfTrials();
  }

  // The best slice keeps its larger team; the whole schedule is dated again with late dates, which
  // the next marking reads.
  void Commit(Yslice& best, float raised) {
    best.Multiplier = raised;
    ResetPriorToPass();
    for (Yslice* slice : SliceList()) {
      if (Stopped()) return;
      Date(*slice);
    }
    ReverseSolve();
  }

  // The same passes of the detailed variant, each from where it differs from the last pass of its
  // kind. A trial pass dates the slices before the first one whose multiplier or crashable mark
  // changed since the last trial pass exactly as that pass did, calendars and all; a commit pass
  // likewise up to the slice whose team grew. So each kind keeps its journal (PassJournal.h) over
  // the fresh schedule that every pass starts from, and a pass takes the other kind's changes
  // out, puts its own back up to that slice and dates the rest.
  Trial TrialPassReusing() {
    const QList<Yslice*>& slices = SliceList();
    const auto count = static_cast<std::size_t>(slices.size());
    std::size_t from = std::min(trialValid_, count);
    for (std::size_t i = 0; i < from; ++i) {
      if (slices.at(static_cast<qsizetype>(i))->Crashable != trialFlags_[i]) from = i;
    }
    SwitchTo(trialJournal_, commitJournal_, from);
    trials_.resize(count);
    trialFlags_.resize(count);
    for (std::size_t i = from; i < count; ++i) {
      if (Stopped()) return Trial();
      Yslice& slice = *slices.at(static_cast<qsizetype>(i));
      trialJournal_.BeginOp(slice);
      trialFlags_[i] = slice.Crashable;
      trials_[i] = TrialOf(slice);
    }
    SetActiveJournal(nullptr);
    trialValid_ = count;
    return BestOfTrials();
  }

  void CommitReusing(Yslice& best, float raised) {
    const QList<Yslice*>& slices = SliceList();
    const auto count = static_cast<std::size_t>(slices.size());
    const auto at = static_cast<std::size_t>(slices.indexOf(&best));
    SetActiveJournal(nullptr);
    trialJournal_.Undo();
    best.Multiplier = raised;  // in the fresh schedule, where the passes of both kinds find it
    SwitchTo(commitJournal_, trialJournal_, std::min(commitValid_, at));
    for (std::size_t i = std::min(commitValid_, at); i < count; ++i) {
      if (Stopped()) return;
      Yslice& slice = *slices.at(static_cast<qsizetype>(i));
      commitJournal_.BeginOp(slice);
      Date(slice);
    }
    SetActiveJournal(nullptr);
    commitValid_ = count;
    trialValid_ = std::min(trialValid_, at);
    ReverseSolve();
  }

  // Makes `to` the journal of the schedule with its first `ops` ops put back, and records in it.
  // The first time, the schedule is made fresh.
  void SwitchTo(PassJournal& to, PassJournal& other, std::size_t ops) {
    SetActiveJournal(nullptr);
    if (!fresh_) {
      ResetPriorToPass();
      fresh_ = true;
    }
    other.Undo();
    to.Redo(static_cast<qsizetype>(ops));
    SetActiveJournal(&to);
  }

  void DiscardJournals() {
    SetActiveJournal(nullptr);
    trialJournal_.Discard();
    commitJournal_.Discard();
  }

  // One slice of a trial pass: a crashable slice is dated crashed by one increment, then normally;
  // any other normally. Answers what crashing it gains.
  SliceTrial TrialOf(Yslice& slice) {
    if (!slice.Crashable) {
      Date(slice);
      return SliceTrial();
    }
    Ytask& task = *slice.Task;
    const float m = slice.Multiplier;
    slice.Multiplier = m + teamIncrement;
    double crashedFinish = 0.0;
    praxel::Currency crashedCost;
    if (quick_) {
      DateQuick(slice, false);
      crashedFinish = slice.EarlyFinish;
      crashedCost = slice.LaborCost;
      slice.Multiplier = m;
      DateQuick(slice, true);
      FinishQuick(slice);
    } else {
      const double taskStart = task.EarlyStart();
      const double taskFinish = task.EarlyFinish();
      DateDetailed(slice);
      StoreEarlyStart(task, taskStart);
      StoreEarlyFinish(task, taskFinish);
      crashedFinish = slice.EarlyFinish;
      crashedCost = task.LaborCost();
      slice.Unsolve();
      slice.Multiplier = m;
      DateDetailed(slice);
    }
    const praxel::Currency normalCost = quick_ ? slice.LaborCost : task.LaborCost();
    const double normalFinish = slice.EarlyFinish;
    if (!(crashedFinish < normalFinish)) return SliceTrial();
    return SliceTrial{true, static_cast<float>((crashedCost - normalCost).ToDouble() / (normalFinish - crashedFinish))};
  }

  // The pass's outcome from the trials of its slices, in solve order: the first of the lowest cost
  // per day gained, and the progress of the crashable slices at their present multipliers.
  Trial BestOfTrials() const {
    Trial trial;
    const QList<Yslice*>& slices = SliceList();
    for (qsizetype i = 0; i < slices.size(); ++i) {
      Yslice* slice = slices.at(i);
      if (slice->Crashable) {
        ++trial.crashable;
        trial.progress += static_cast<float>(slice->Multiplier * -std::log(slice->Task->Efficiency()));
      }
      const SliceTrial& tried = trials_[static_cast<std::size_t>(i)];
      if (tried.gains && (trial.best == nullptr || tried.ratio < trial.bestRatio)) {
        trial.best = slice;
        trial.bestRatio = tried.ratio;
      }
    }
    return trial;
  }

  // The step's average progress of the crashable slices toward the multiplier beyond which a
  // larger team lengthens a slice; it never goes down on screen and never shows 100.
  void ShowProgress(const Trial& trial) {
    // Capped before it becomes a whole number: a tiny efficiency gives a huge logarithm.
    const int percent = praxel::ToInteger(std::min(std::floor(100.0 * trial.progress / trial.crashable), 99.0));
    if (percent <= lastShown_) return;
    lastShown_ = percent;
    SetSolveMessage(QStringLiteral("Crashing %1% ...").arg(percent));
  }

  void AddRow(const Yslice& best) {
    Ycrash row = Outcome();
    row.Task = best.Task;
    row.FromPercent = best.FromPercent;
    row.ToPercent = best.ToPercent;
    row.Multiplier = best.Multiplier;
    crashItems->append(row);
  }

  // Dates a slice once with its present multiplier, as the last dating of the pass.
  void Date(Yslice& slice) {
    if (quick_) {
      DateQuick(slice, false);
      FinishQuick(slice);
    } else {
      DateDetailed(slice);
    }
  }

  static void DateDetailed(Yslice& slice) {
    NamingTheTask(*slice.Task, [&] { slice.UseMinutes = CrashedMinutes(slice); });
    SolveOneSlice(slice);
  }

  // A crashed slice overflows through its task's own values (a tiny Efficiency, an estimate or a
  // cost near its limit): the message names the task and them.
  template <class Body>
  static void NamingTheTask(const Ytask& task, Body body) {
    try {
      body();
    } catch (const praxel::RuntimeError& error) {
      if (error.Number() != praxel::errOverflow) throw;
      praxel::RaiseProgramError(
          QStringLiteral("Overflow while crashing (%1) %2: its Efficiency is %3, its most likely estimate %4 minutes.")
              .arg(task.Project()->ProjectName(), task.BuildNodeText())
              .arg(task.Efficiency())
              .arg(task.MostLikely()));
    }
  }

  // Places the slice after its predecessors and the task's earlier slices (or keeps its start) and
  // scales the duration and cost of the last solve by the multiplier.
  static void DateQuick(Yslice& slice, bool keepStart) {
    Ytask& task = *slice.Task;
    if (task.Subproject() != nullptr) {
      SolveSubproject(slice);
      return;
    }
    const double m = slice.Multiplier;
    const auto factor = static_cast<float>(std::pow(task.Efficiency(), m - 1.0));
    if (!keepStart) slice.EarlyStart = QuickStart(slice);
    slice.EarlyFinish = slice.EarlyStart + slice.MostLikelyDuration / (factor * m);
    NamingTheTask(task, [&] { slice.LaborCost = praxel::Currency::FromDouble(slice.MostLikelyCost.ToDouble() / factor); });
  }

  // After a slice's last quick dating in a pass: its cost and finish go to its task, and the first
  // slice of a task gives it its start, so that the task counts in the project's dates.
  static void FinishQuick(Yslice& slice) {
    Ytask& task = *slice.Task;
    if (task.Subproject() != nullptr) return;  // rolled up by SolveSubproject
    StoreLaborCost(task, task.LaborCost() + slice.LaborCost);
    StoreEarlyFinish(task, slice.EarlyFinish);
    if (task.EarlyStart() == 0.0) StoreEarlyStart(task, slice.EarlyStart);
  }

  bool quick_;
  bool reuse_;
  ErrTrap::Guard& guard_;
  int lastShown_ = 0;
  std::vector<SliceTrial> trials_;  // by position in the solve order, of the last trial pass
  // The detailed variant's journals, how many of their first ops still hold, and the crashable
  // marks the trial pass's ops were made with.
  bool fresh_ = false;
  PassJournal trialJournal_;
  PassJournal commitJournal_;
  std::size_t trialValid_ = 0;
  std::size_t commitValid_ = 0;
  std::vector<bool> trialFlags_;
};

void CrashSolve(bool quick, const QString& location) {
  ErrTrap::Guard guard(location);
  bool ready = false;
  guard([&] {
    ready = false;
    RefuseUnlessReady(QStringLiteral("Crash"));
    if (!(teamIncrement > 0.0f)) praxel::RaiseProgramError(QStringLiteral("The team increment must be greater than 0."));
    ready = true;
  });
  if (!ready) return;
  RunAnalysis(QStringLiteral("Crash solve in progress"), [&] { CrashRun(quick, guard).Run(); });
}

}  // namespace

float TeamIncrement() { return teamIncrement; }

void SetTeamIncrement(float Increment) { teamIncrement = Increment; }

void SetCrashPassReuse(bool Reuse) { passReuse = Reuse; }

const QList<Ycrash>* CrashItems() { return crashItems ? &*crashItems : nullptr; }

void ClearCrashItems() { crashItems.reset(); }

void SetCrashItems(QList<Ycrash> Items) { crashItems = std::move(Items); }

void ForgetCrashedTask(const Ypooled* Object) {
  // Only tasks stand in the rows; the many slices a solve frees pass by at once.
  if (!crashItems || Object == nullptr || Object->Ytype() != ytTask) return;
  for (Ycrash& row : *crashItems) {
    if (row.Task == Object) row.Task = nullptr;
  }
}

bool SetCrashableFlags() {
  bool marked = false;
  ErrTrap::Guarded(QStringLiteral("Solve:SetCrashableFlags"), [&] {
    marked = false;
    const Yproject* active = Common::ThisProject();
    QHash<const Yproject*, bool> inTree;
    // Whether the slice's task belongs to the active project or one of its subprojects.
    const auto belongs = [&](const Yslice& slice) {
      const Yproject* project = slice.Task->Project();
      auto known = inTree.constFind(project);
      if (known == inTree.constEnd()) known = inTree.insert(project, active != nullptr && project->Master() == active);
      return *known;
    };

    // The critical slice: the first in solve order with the smallest float.
    const Yslice* critical = nullptr;
    for (const Yslice* slice : SliceList()) {
      if (belongs(*slice) && (critical == nullptr || FloatOf(*slice) < FloatOf(*critical))) critical = slice;
    }
    for (Yslice* slice : SliceList()) {
      slice->Crashable = false;
      if (critical == nullptr || !belongs(*slice)) continue;
      const Ytask& task = *slice->Task;
      const double efficiency = task.Efficiency();
      // An efficiency of 0 or less has no crash model: its logarithm and power are undefined.
      slice->Crashable = !task.AssignmentList.IsEmpty() && FloatOf(*slice) <= FloatOf(*critical) &&
                         slice->FromPercent != slice->ToPercent && efficiency < 1.0 && efficiency > 0.0 &&
                         task.EffortUnits() < 0 && task.MostLikely() != 0;
      if (slice->Crashable) marked = true;
    }
  });
  return marked;
}

void DetailedCrashSolve() { CrashSolve(false, QStringLiteral("Solve:DetailedCrashSolve")); }

void QuickCrashSolve() { CrashSolve(true, QStringLiteral("Solve:QuickCrashSolve")); }

}  // namespace Solve
