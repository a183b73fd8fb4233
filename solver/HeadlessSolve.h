#pragma once

#include <QString>

class QTextStream;

// Solving and printing the schedule with no window: the road of the command-line tool.
namespace Solve {

class HeadlessSolverHost;

// Installs the solver, asks for a solve and runs the headless host's timer until the state is
// neither "requested" nor "solving"; answers the final solve message ("Solve complete", "No
// projects loaded" or the solve error's text). The host is installed for the duration and the
// host installed before comes back after. The second form uses a host of its own.
QString SolveHeadless(HeadlessSolverHost& host);
QString SolveHeadless();

// Writes the message on the first line, then one line per task of every loaded project (projects
// in load order, tasks by ID), tab-separated: project name, task ID, early start, early finish,
// late start, late finish, labour cost. Dates are written "mm/dd/yyyy hh:mmam/pm" and money as a
// plain number, as the record format writes them.
void PrintSchedule(QTextStream& out, const QString& message);

}  // namespace Solve
