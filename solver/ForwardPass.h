#pragma once

#include <QList>

#include <cstdint>

class Yresource;
class Yslice;
class Ytask;

// The forward pass: every slice, in solve order, gets its early start and finish, and an effort
// slice books its work one calendar day at a time into the calendars of its task's resources,
// under the solve rule of its task's project (Yproject::SolveRules):
//   0 normal time only, halt with "Overtime needed"      1 normal time only, carry on next day
//   2 normal and overtime, halt with "Overload detected"  3 normal and overtime, carry on
//   4 up to 24 hours, halt with "Overload > 24 hours"     5 up to 24 hours, carry on
//   6 unlimited: minutes that met booked time count as done
// A day on which the work left exceeds the team's hours is a team day (TeamSolve: every member
// books its own hours); the day on which the rest fits is a piecemeal day (PiecemealSolve: the
// members work side by side, step by step). Later passes (overtime, then every kind of time) serve
// only members that met time already booked. A halting rule stops the solve with a solve error on
// the assignment and fills the overage values of the solve state.
//
// The task's early finish is the booking cursor: each day's booking starts there. The pass polls
// before every day of every slice and after every slice, and reads the model afresh each day.
namespace Solve {

// The resources of a slice's task, each once, in the order of its assignment list.
using ResourceTeam = QList<Yresource*>;

// The whole pass over SliceList.
void SolveAllSlices();
// Dates one slice and books its work.
void SolveOneSlice(Yslice& slice);
// The earliest time at which the part of the task from the percentage on may begin by its
// included dependencies (0 when none applies); rewrites the DepDate of each task dependency it
// looks at with the required slice's finish.
double FindLatestDate(Ytask& task, int percent);
// Books one day of the slice and applies the solve rule to it.
void SolveSomeMore(Yslice& slice, const ResourceTeam& team, std::int32_t& Remaining, double& DontGoBeyond);
// Spends a team day: each member books up to its own minutes of the day.
void TeamSolve(Yslice& slice, std::int32_t& Remaining, double DontGoBeyond, const ResourceTeam& team,
               std::int32_t& TeamMinutes);
// Spends a piecemeal day: step by step, every member whose current slot is free books the same
// share of the stretch up to the next slot end, the next moment a member runs out, DontGoBeyond
// or midnight.
void PiecemealSolve(Yslice& slice, std::int32_t& Remaining, double DontGoBeyond, const ResourceTeam& team,
                    std::int32_t& TeamMinutes);
// Dates a slice whose task stands for a subproject from the subproject's included tasks and rolls
// their dates and costs into that task.
void SolveSubproject(Yslice& slice);

}  // namespace Solve
