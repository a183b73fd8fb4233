#pragma once

#include <QList>

namespace praxel {

// Uniform random numbers in [0, 1). The program has one generator for the whole process, started
// from a fixed seed and never reseeded: every run of the program draws the same sequence, and a
// second draw sequence (a second risk analysis) continues where the first stopped. A test puts a
// script in its place for as long as the script lives; the generator keeps its place meanwhile.
class UniformSource {
 public:
  UniformSource() = default;
  UniformSource(const UniformSource&) = delete;
  UniformSource& operator=(const UniformSource&) = delete;
  virtual ~UniformSource();

  // The next number, in [0, 1).
  virtual double Next() = 0;
};

// The next number of the installed source: the process-wide generator unless a script is installed.
double Rnd();

// A scripted source: answers its numbers in turn and starts over after the last. Installed in
// place of the process-wide generator from construction to destruction.
class ScriptedUniform final : public UniformSource {
 public:
  explicit ScriptedUniform(QList<double> numbers);
  ~ScriptedUniform() override;

  double Next() override;
  // How many numbers were drawn so far.
  int Draws() const { return draws_; }

 private:
  QList<double> numbers_;
  UniformSource* previous_;
  int draws_ = 0;
};

}  // namespace praxel
