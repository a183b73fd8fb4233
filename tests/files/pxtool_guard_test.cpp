// pxtool's last resort: whatever a command lets escape ends as a message and an exit code.

#include "CaseName.h"
#include "GuardedRun.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct EscapeCase {
  const char* name;
  int (*run)(const QStringList& arguments);
  std::string message;  // what standard error must hold
};

int Overflows(const QStringList&) { throw praxel::RuntimeError(praxel::errOverflow, QStringLiteral("Overflow")); }
int RunsOutOfMemory(const QStringList&) { throw std::bad_alloc(); }
int ThrowsSomethingElse(const QStringList&) { throw 42; }

class PxtoolGuard : public testing::TestWithParam<EscapeCase> {};

TEST_P(PxtoolGuard, AnEscapingExceptionEndsTheCommandWithAMessage) {
  const EscapeCase& escape = GetParam();
  const pxtool::Command command{"solve", "FILE", "", escape.run};
  testing::internal::CaptureStderr();
  const int exitCode = pxtool::RunGuarded(command, {QStringLiteral("x.pxa")});
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(exitCode, pxtool::kExitSolveError);
  EXPECT_EQ(printed, "pxtool: " + escape.message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, PxtoolGuard,
    testing::Values(EscapeCase{"RuntimeError", Overflows, "Internal error 6: Overflow"},
                    EscapeCase{"StandardException", RunsOutOfMemory, "Internal error: std::bad_alloc"},
                    EscapeCase{"AnythingElse", ThrowsSomethingElse, "Internal error: an unknown exception"}),
    testsupport::CaseName());

TEST(PxtoolGuard, AFinishedCommandKeepsItsExitCode) {
  const pxtool::Command command{"pack", "IN OUT", "", [](const QStringList& arguments) { return arguments.size() == 2 ? 3 : 0; }};
  EXPECT_EQ(pxtool::RunGuarded(command, {QStringLiteral("a"), QStringLiteral("b")}), pxtool::kExitUnwritable);
}

}  // namespace
