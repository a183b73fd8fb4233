#pragma once

#include "Command.h"

#include <QStringList>

namespace pxtool {

// Runs the command with its arguments. A run-time error or any other exception that no layer
// below caught ends the command with "pxtool: Internal error ..." on standard error and the exit
// code of a failed solve, never with an uncaught exception.
int RunGuarded(const Command& command, const QStringList& arguments);

}  // namespace pxtool
