// The solver on every file the reader accepts: the solve ends (complete, on a solve error, or
// stopped after its time), never on a crash or a sanitizer report, and leaves work that saves
// and reads back to the same text.

#include "FuzzSupport.h"

#include "ErrTrap.h"
#include "HeadlessSolve.h"
#include "SolveState.h"
#include "SolverHost.h"

#include <QElapsedTimer>

namespace {

constexpr qint64 kSolveMilliseconds = 2000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!fuzz::LoadFile(fuzz::WriteInput(data, size, QStringLiteral("input.pxa")))) return 0;
  Solve::HeadlessSolverHost host;
  QElapsedTimer clock;
  clock.start();
  // A solve that runs past its time is suspended, as the window's user would stop it.
  host.SetPumpHook([&] {
    if (clock.elapsed() > kSolveMilliseconds) Solve::SuspendSolve();
  });
  try {
    Solve::SolveHeadless(host);
  } catch (const ErrTrap::CallChain&) {
    // Stopped through the error trap: the work read stays, and must still save.
  }
  fuzz::CheckRoundTrip(QStringLiteral(".pxa"));
  return 0;
}
