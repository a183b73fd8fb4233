#pragma once

#include <QString>

// Solving and printing the schedule with no window: the road of the command-line tool.
namespace Solve {

class HeadlessSolverHost;

// Installs the solver, asks for a solve and runs the headless host's timer until the state is
// neither "requested" nor "solving"; answers the final solve message ("Solve complete", "No
// projects loaded" or the solve error's text). The host is installed for the duration and the
// host installed before comes back after. The second form uses a host of its own.
QString SolveHeadless(HeadlessSolverHost& host);
QString SolveHeadless();

}  // namespace Solve
