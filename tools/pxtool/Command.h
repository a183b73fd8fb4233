#pragma once

#include <QStringList>

namespace pxtool {

// Exit codes of every command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitSolveError = 1;  // the solve stopped on a solve error
inline constexpr int kExitUnreadable = 2;  // an input file is missing, unreadable or damaged
inline constexpr int kExitUnwritable = 3;  // an output file cannot be written
inline constexpr int kExitWrongCall = 64;  // main() then prints the usage

// A command of pxtool: its name (the first argument), its arguments and a line of help for the
// usage text, and the function that runs it with the arguments after the name.
struct Command {
  const char* name;
  const char* arguments;
  const char* help;
  int (*run)(const QStringList& arguments);
};

int RunPack(const QStringList& arguments);
int RunUnpack(const QStringList& arguments);
int RunResave(const QStringList& arguments);
int RunSolve(const QStringList& arguments);
int RunCrash(const QStringList& arguments);
int RunRisk(const QStringList& arguments);
int RunSheet(const QStringList& arguments);

}  // namespace pxtool
