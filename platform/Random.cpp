#include "Random.h"

#include "RuntimeError.h"

#include <random>
#include <utility>

namespace praxel {

namespace {

// The process-wide generator. The Mersenne Twister is specified to the bit by the C++ standard,
// so the sequence is the same with every compiler and library.
class ProcessGenerator final : public UniformSource {
 public:
  double Next() override {
    // 32 random bits scaled into [0, 1): never 1.
    return static_cast<double>(engine_()) * (1.0 / 4294967296.0);
  }

 private:
  std::mt19937 engine_{std::mt19937::default_seed};
};

ProcessGenerator& Generator() {
  static ProcessGenerator generator;
  return generator;
}

UniformSource* installed = nullptr;

}  // namespace

UniformSource::~UniformSource() = default;

double Rnd() { return installed != nullptr ? installed->Next() : Generator().Next(); }

ScriptedUniform::ScriptedUniform(QList<double> numbers) : numbers_(std::move(numbers)), previous_(installed) {
  if (numbers_.isEmpty()) RaiseProgramError(QStringLiteral("A scripted random sequence needs at least one number"));
  installed = this;
}

ScriptedUniform::~ScriptedUniform() { installed = previous_; }

double ScriptedUniform::Next() { return numbers_.at(draws_++ % numbers_.size()); }

}  // namespace praxel
