#include "GuardedRun.h"

#include "RuntimeError.h"
#include "Streams.h"

#include <exception>

namespace pxtool {

int RunGuarded(const Command& command, const QStringList& arguments) {
  try {
    return command.run(arguments);
  } catch (const praxel::RuntimeError& error) {
    PrintError(QStringLiteral("Internal error %1: %2").arg(error.Number()).arg(error.Description()));
  } catch (const std::exception& error) {
    PrintError(QStringLiteral("Internal error: ") + QString::fromLocal8Bit(error.what()));
  } catch (...) {
    PrintError(QStringLiteral("Internal error: an unknown exception"));
  }
  return kExitSolveError;
}

}  // namespace pxtool
