#pragma once

// TRAP_ASSERT(condition, reason): a state that cannot occur. When the condition does not hold,
// notes the condition, the source file and line and the reason in this copy's error-trap log, then
// raises error 10000 "Assertion failed", which the procedure's guard hands to the trap like any
// other failure.
//
//   TRAP_ASSERT(project != nullptr, "the charts open only on an active project");
//   default: TRAP_ASSERT(false, "a pass runs from 0 to 6");
#define TRAP_ASSERT(condition, reason)                                                  \
  do {                                                                                  \
    if (!(condition)) ErrTrap::AssertionFailed(#condition, reason, __FILE__, __LINE__); \
  } while (false)

namespace ErrTrap {

// The failing half of TRAP_ASSERT: logs `Assertion "condition" failed in file, line N: reason`
// (the file relative to the source tree) and raises "Assertion failed".
[[noreturn]] void AssertionFailed(const char* condition, const char* reason, const char* file, int line);

}  // namespace ErrTrap
