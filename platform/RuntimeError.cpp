#include "RuntimeError.h"

#include <utility>

namespace praxel {

RuntimeError::RuntimeError(int number, QString description)
    : number_(number),
      description_(std::move(description)),
      what_(std::to_string(number) + ": " + description_.toStdString()) {}

// Out of line so that the class's type information has one home in each binary.
RuntimeError::~RuntimeError() = default;

void RaiseProgramError(const QString& message) { throw RuntimeError(errProgram, message); }

void RaiseAssertion() { RaiseProgramError(QStringLiteral("Assertion failed")); }

InputError::InputError(QString description) : RuntimeError(errProgram, std::move(description)) {}

// Out of line so that the class's type information has one home in each binary.
InputError::~InputError() = default;

void RaiseInputError(const QString& message) { throw InputError(message); }

}  // namespace praxel
