#pragma once

#include <QString>

#include <exception>
#include <string>

namespace praxel {

// A run-time failure: the program's own errors (number 10000 with a message) and the emulated
// run-time errors of the value helpers (overflow, division by zero, ...). Every procedure hands
// these to the error trap; the trap's own call chain travels as errtrap::CallChain instead.
class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, QString description);
  ~RuntimeError() override;

  int Number() const { return number_; }
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int number_;
  QString description_;
  std::string what_;
};

// Error 10000 for input the program was handed that it cannot take: a damaged file, a file that
// is no plan. Nothing in the program failed; the trap tells it as any other error.
class InputError : public RuntimeError {
 public:
  explicit InputError(QString description);
  ~InputError() override;
};

// Error numbers used across the program.
enum ErrorNumber : int {
  errInvalidCall = 5,
  errOverflow = 6,
  errOutOfMemory = 7,
  errSubscript = 9,
  errDivisionByZero = 11,
  errTypeMismatch = 13,
  errInternal = 51,
  errProgram = 10000,  // the program's own: broken rules, impossible states, malformed input
  errCallChain = 20000,
};

// Raises error 10000 with the given message ("Assertion failed" for a state that cannot occur).
[[noreturn]] void RaiseProgramError(const QString& message);
[[noreturn]] void RaiseAssertion();
// Raises an InputError with the given message.
[[noreturn]] void RaiseInputError(const QString& message);

}  // namespace praxel
