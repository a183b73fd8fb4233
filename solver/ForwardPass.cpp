#include "ForwardPass.h"

#include "Format.h"
#include "Guard.h"
#include "Journals.h"
#include "OleDate.h"
#include "PassJournal.h"
#include "Poll.h"
#include "ResourceCalendar.h"
#include "Rounding.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TaskResults.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslice.h"
#include "Yslot.h"
#include "Ytask.h"

#include <QVarLengthArray>

#include <cmath>

namespace Solve {

namespace {

// Whether the assignment works on the kind of day (1 Sunday to 7 Saturday). Read straight from
// the per-journal field: the pass asks this for every assignment on every day.
bool WorksOn(Yassignment& assignment, int kind) {
  return ReadField(assignment.Project(), assignment.WorkDayField(kind));
}

// An assignment's hours a day in whole minutes, halves to even.
std::int32_t DayMinutes(const Yassignment& assignment) { return praxel::ToLong(assignment.Hours() * 60); }

ResourceTeam BuildTeam(const Ytask& task) {
  ResourceTeam team;
  team.reserve(task.AssignmentList.Count());
  for (const Yassignment* assignment : task.AssignmentList) {
    // Each resource once. Two resources of different templates may share an ID, so the team
    // tells them apart by object, not by ID.
    Yresource* resource = assignment->ResourceRequired();
    if (resource != nullptr && !team.contains(resource)) team.append(resource);
  }
  return team;
}

// Whether an effort slice of the task can ever book its work. A calendar beyond every booking is
// free, and there the first pass books the normal time of any member that has minutes for the
// day; the later passes serve only members that met booked time. So the slice books at last
// exactly when the rule runs the first pass and on some weekday a resource whose shift has normal
// time gets minutes from the task's included assignments: their sum, as SolveSomeMore adds them
// up, since a resource's assignments may cancel out. Otherwise it would go on day after day.
bool CanEverBook(const Ytask& task, const ResourceTeam& team) {
  if (task.Project()->SolveRules() < 0) return false;
  for (int kind = 1; kind <= 7; ++kind) {
    for (Yresource* member : team) {
      std::int64_t minutes = 0;
      for (Yassignment* assignment : task.AssignmentList) {
        if (assignment->ResourceRequired() != member || !assignment->Include() || !WorksOn(*assignment, kind)) continue;
        minutes += DayMinutes(*assignment);
      }
      if (minutes > 0 && CalendarOf(*member).HasNormalTime()) return true;
    }
  }
  return false;
}

// A slice that would reach the end of the last day a date can hold (31 December 9999) stops the
// solve: the calendar counts days in an int, and a day loop towards a date far beyond it would not
// end in any useful time.
using praxel::kEndOfDates;

void DateOutOfRange(Ytask& task) {
  // The task keeps no finish past the last minute a file can hold, so the work stays savable.
  constexpr double kLastMinute = kEndOfDates - 1.0 / (24 * 60);
  if (task.EarlyFinish() > kLastMinute) StoreEarlyFinish(task, kLastMinute);
  SolveError(QStringLiteral("Date out of range: (%1) %2 would run past 31 December 9999")
                 .arg(task.Project()->ProjectName(), task.BuildNodeText()),
             &task);
}

// The first pass, and the later ones for members that met booked time, up to the rule's pass.
bool ServesInPass(const Yresource& member, int pass) {
  return member.MinutesLeft > 0 && (member.Interference || pass == 0);
}

}  // namespace

void SolveAllSlices() {
  ErrTrap::Guarded(QStringLiteral("Solve:SolveAllSlices"), [&] {
    const QList<Yslice*> slices = SliceList();
    for (Yslice* slice : slices) {
      SolveOneSlice(*slice);
      if (PollAbort()) return;
    }
  });
}

void SolveOneSlice(Yslice& slice) {
  ErrTrap::Guard guard(QStringLiteral("Solve:SolveOneSlice"));
  Ytask* task = slice.Task;
  bool finished = false;
  guard([&] {
    if (SolveMode() == ModeAnalysis) return;
    SetSolveMessage(QStringLiteral("Solving ") + task->BuildNodeText() + QStringLiteral(" ..."));
  });
  guard([&] {
    if (task->Subproject() == nullptr) return;
    SolveSubproject(slice);
    finished = true;
  });
  if (finished) return;
  guard([&] {
    // Checked before the task takes it: a start past every date could not even be shown.
    slice.EarlyStart = FindLatestDate(*task, slice.FromPercent);
    if (slice.EarlyStart < kEndOfDates) return;
    DateOutOfRange(*task);
    finished = true;
  });
  if (finished) return;
  guard([&] {
    // The slice starts, and the task's booking cursor stands, at the later of its dependency date
    // and the task's finish so far.
    if (task->EarlyStart() != 0.0) {
      if (task->EarlyFinish() > slice.EarlyStart) {
        slice.EarlyStart = task->EarlyFinish();
      } else if (task->EarlyFinish() < slice.EarlyStart) {
        StoreEarlyFinish(*task, slice.EarlyStart);
      }
    } else {
      StoreEarlyStart(*task, slice.EarlyStart);
      StoreEarlyFinish(*task, slice.EarlyStart);
    }
  });
  std::int32_t Remaining = 0;
  double DontGoBeyond = 0.0;
  guard([&] {
    Remaining = 0;
    DontGoBeyond = 0.0;
    const int units = task->EffortUnits();
    if (units < 0) {
      Remaining = slice.UseMinutes;
    } else if (units == 0) {
      // Dates from the dependencies alone: to the latest of them, or through the whole of that
      // day when it is a bare date.
      DontGoBeyond = FindLatestDate(*task, 100);
      if (DontGoBeyond == std::floor(DontGoBeyond)) DontGoBeyond += 1.0;
    } else {
      DontGoBeyond = Common::AddMinutes(task->EarlyFinish(), slice.UseMinutes);
    }
  });
  guard([&] {
    if (DontGoBeyond < kEndOfDates) return;
    DateOutOfRange(*task);
    finished = true;
  });
  if (finished) return;
  ResourceTeam team;
  guard([&] { team = BuildTeam(*task); });
  guard([&] {
    if (Remaining <= 0 || CanEverBook(*task, team)) return;
    const Yproject* project = task->Project();
    SolveError(QStringLiteral("Cannot book (%1) %2: its resources have no normal working time on its assigned days")
                   .arg(project->ProjectName(), task->BuildNodeText()),
               task);
    finished = true;
  });
  if (finished) return;
  guard([&] {
    for (;;) {
      if (task->EarlyFinish() >= kEndOfDates) {
        DateOutOfRange(*task);
        return;
      }
      if (task->EarlyFinish() >= DontGoBeyond && Remaining <= 0) {
        slice.EarlyFinish = task->EarlyFinish();
        return;
      }
      if (PollAbort()) return;
      SolveSomeMore(slice, team, Remaining, DontGoBeyond);
    }
  });
}

double FindLatestDate(Ytask& task, int percent) {
  double latest = 0.0;
  ErrTrap::Guarded(QStringLiteral("Solve:FindLatestDate"), [&] {
    latest = 0.0;
    for (Ydependency* dependency : task.DependencyList) {
      if (!dependency->Include() || dependency->ToPercent() > percent) continue;
      const Ytask* required = dependency->TaskRequired();
      if (required != nullptr) {
        // A required task without slices in this solve has no date to give (the checks report
        // such a dependency before the pass runs).
        const Yslice* predecessor = FindToSlice(required, dependency->FromPercent());
        if (predecessor == nullptr) continue;
        // The DepDate property's own write rule, without its per-call error location.
        if (PassJournal* journal = ActiveJournal()) journal->DependencyDateChanging(*dependency);
        WriteField(dependency->Project(), dependency->DepDateField(), predecessor->EarlyFinish);
      }
      const double candidate = dependency->DepDate() + dependency->Offset();
      if (candidate > latest) latest = candidate;
    }
  });
  return latest;
}

void SolveSomeMore(Yslice& slice, const ResourceTeam& team, std::int32_t& Remaining, double& DontGoBeyond) {
  ErrTrap::Guarded(QStringLiteral("Solve:SolveSomeMore"), [&] {
    Ytask* task = slice.Task;
    const double begin = task->EarlyFinish();
    const double day = std::floor(begin);
    const int kind = praxel::Weekday(day);

    for (Yresource* member : team) {
      member->MinutesLeft = 0;
      member->Interference = false;
    }
    std::int32_t TeamMinutes = 0;
    for (Yassignment* assignment : task->AssignmentList) {
      Yresource* resource = assignment->ResourceRequired();
      if (resource == nullptr || !assignment->Include() || !WorksOn(*assignment, kind)) continue;
      const std::int32_t minutes = DayMinutes(*assignment);
      resource->MinutesLeft = praxel::AddChecked(resource->MinutesLeft, minutes);
      TeamMinutes = praxel::AddChecked(TeamMinutes, minutes);
    }

    if (!team.isEmpty()) {
      if (Remaining > TeamMinutes) {
        TeamSolve(slice, Remaining, DontGoBeyond, team, TeamMinutes);
      } else {
        PiecemealSolve(slice, Remaining, DontGoBeyond, team, TeamMinutes);
      }
    }

    // Not finished today: on to the next midnight, or to DontGoBeyond when that comes first. An
    // effort slice that finished today keeps the end of its last booked slot.
    if (!(Remaining <= 0 && task->EarlyFinish() >= DontGoBeyond)) {
      StoreEarlyFinish(*task, day + 1.0);
      if (DontGoBeyond != 0.0 && task->EarlyFinish() > DontGoBeyond) StoreEarlyFinish(*task, DontGoBeyond);
    }
    if (TeamMinutes <= 0) return;

    QString message;
    switch (task->Project()->SolveRules()) {
      case 0: message = QStringLiteral("Overtime needed"); break;
      case 2: message = QStringLiteral("Overload detected"); break;
      case 4: message = QStringLiteral("Overload > 24 hours"); break;
      case 6:
        // Minutes that met booked time count as done: nothing is booked or priced for them.
        for (const Yresource* member : team) {
          if (member->Interference) Remaining -= member->MinutesLeft;
        }
        return;
      default: return;  // the unbooked work waits for the next day
    }

    const Yresource* overloaded = nullptr;
    for (const Yresource* member : team) {
      if (member->Interference && member->MinutesLeft > 0) {
        overloaded = member;
        break;
      }
    }
    if (overloaded == nullptr) return;  // short of allowed time, but nothing booked in the way

    double requested = 0.0;
    Yassignment* errorObject = nullptr;
    for (Yassignment* assignment : task->AssignmentList) {
      if (assignment->Include() && WorksOn(*assignment, kind) && assignment->ResourceRequired() == overloaded) {
        requested += assignment->Hours();
        errorObject = assignment;
      }
    }
    SetOverageHoursRequested(requested);
    SetOverageHoursExcess(requested - overloaded->MinutesLeft / 60.0);
    SolveError(message, errorObject);
    SetOverageDay(begin);
  });
}

void TeamSolve(Yslice& slice, std::int32_t& Remaining, double DontGoBeyond, const ResourceTeam& team,
               std::int32_t& TeamMinutes) {
  ErrTrap::Guarded(QStringLiteral("Solve:TeamSolve"), [&] {
    Ytask* task = slice.Task;
    const double start = task->EarlyFinish();
    for (int pass = 0; pass <= 4; pass += 2) {
      if (pass > task->Project()->SolveRules()) return;
      for (Yresource* member : team) {
        if (!ServesInPass(*member, pass)) continue;
        const std::int32_t booked = Allocate(*member, slice, start, DontGoBeyond, member->MinutesLeft, pass);
        member->MinutesLeft -= booked;
        Remaining -= booked;
        TeamMinutes -= booked;
      }
      if (TeamMinutes <= 0) return;
    }
  });
}

void PiecemealSolve(Yslice& slice, std::int32_t& Remaining, double DontGoBeyond, const ResourceTeam& team,
                    std::int32_t& TeamMinutes) {
  ErrTrap::Guarded(QStringLiteral("Solve:PiecemealSolve"), [&] {
    Ytask* task = slice.Task;
    const double start = task->EarlyFinish();
    const double midnight = std::floor(start) + 1.0;
    // The members free at t, kept on the stack: this runs for every piece of every day.
    QVarLengthArray<Yresource*, 8> ready;
    for (int pass = 0; pass <= 2; pass += 2) {
      if (pass > task->Project()->SolveRules()) return;
      double t = start;
      for (;;) {
        double limit = midnight;
        ready.clear();
        for (Yresource* member : team) {
          if (!ServesInPass(*member, pass)) continue;
          const Yslot* slot = FindOrCreateSlot(*member, t);
          if (slot->EndTime < limit) limit = slot->EndTime;
          if (slot->Allowed(pass) && slot->TaskRequired() == nullptr) {
            ready.append(member);
            const double runsOut = Common::AddMinutes(t, member->MinutesLeft);
            if (runsOut < limit) limit = runsOut;
          }
        }
        if (DontGoBeyond != 0.0 && limit > DontGoBeyond) limit = DontGoBeyond;
        if (!ready.isEmpty()) {
          const auto count = static_cast<std::int32_t>(ready.size());
          std::int32_t share = praxel::ToLong((limit - t) * 1440);
          // Rounding the share up may book a minute per member more than is left.
          if (static_cast<std::int64_t>(share) * count > Remaining) share = (Remaining + count - 1) / count;
          for (Yresource* member : ready) {
            const std::int32_t booked = Allocate(*member, slice, t, DontGoBeyond, share, pass);
            member->MinutesLeft -= booked;
            Remaining -= booked;
            TeamMinutes -= booked;
          }
        }
        t = limit;
        if (Remaining <= 0 || t == DontGoBeyond || std::floor(t) > start) break;
      }
      if (Remaining <= 0) return;
    }
  });
}

void SolveSubproject(Yslice& slice) {
  ErrTrap::Guarded(QStringLiteral("Solve:SolveSubproject"), [&] {
    Ytask* task = slice.Task;
    bool first = true;
    for (const Ytask* member : task->Subproject()->TaskList) {
      if (!member->Include()) continue;
      if (first) {
        StoreEarlyStart(*task, member->EarlyStart());
        StoreEarlyFinish(*task, member->EarlyFinish());
        StoreLaborCost(*task, member->LaborCost());
        StoreMaterialCost(*task, member->MaterialCost());
        first = false;
      } else {
        if (member->EarlyStart() < task->EarlyStart()) StoreEarlyStart(*task, member->EarlyStart());
        if (member->EarlyFinish() > task->EarlyFinish()) StoreEarlyFinish(*task, member->EarlyFinish());
        StoreLaborCost(*task, task->LaborCost() + member->LaborCost());
        StoreMaterialCost(*task, task->MaterialCost() + member->MaterialCost());
      }
    }
    slice.EarlyStart = task->EarlyStart();
    slice.EarlyFinish = task->EarlyFinish();
  });
}

}  // namespace Solve
