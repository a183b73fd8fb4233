#pragma once

#include "SolverFixture.h"
#include "SolverHost.h"

#include <QByteArray>
#include <QStringList>

// A host that keeps every text the solver and the analyses show, in order, and can fail when a
// chosen solve text is shown (a failure inside a running analysis).
class RecordingHost final : public Solve::SolverHost {
 public:
  QString SolveMessage() const override { return solveMessage_; }
  void SetSolveMessage(const QString& Text) override;
  bool SolveTimerEnabled() const override { return timerEnabled_; }
  void SetSolveTimerEnabled(bool Enabled) override { timerEnabled_ = Enabled; }
  void PumpMessages() override { ++pumps_; }
  void BroadcastNewSolution() override { ++broadcasts_; }
  void StatusMessage(const QString& Text) override { statusTexts_.append(Text); }

  // Showing this solve text raises error 10000.
  void FailOn(const QString& Text) { failOn_ = Text; }

  // Every solve text shown, in order; those that begin with `prefix`.
  QStringList Messages(const QString& prefix = QString()) const;
  // Every busy message, in order ("" clears it).
  const QStringList& StatusTexts() const { return statusTexts_; }
  int Pumps() const { return pumps_; }
  int Broadcasts() const { return broadcasts_; }

 private:
  QString solveMessage_;
  QStringList messages_;
  QStringList statusTexts_;
  QString failOn_;
  bool timerEnabled_ = false;
  int pumps_ = 0;
  int broadcasts_ = 0;
};

// The analyses spread their iterations over this many processes while it lives (PRAXEL_WORKERS).
class ForcedWorkers {
 public:
  explicit ForcedWorkers(const char* count);
  ~ForcedWorkers();
  ForcedWorkers(const ForcedWorkers&) = delete;
  ForcedWorkers& operator=(const ForcedWorkers&) = delete;

 private:
  QByteArray before_;
};

// A solver model for the analyses: project "Main" on the rule "Normal only, extend if more needed",
// resource 1 of "Staff" as `worker`, and the analyses' globals cleared. An analysis runs with
// `recorder` as the host (Analyse); the fixture's `host` solves before and after.
class AnalysisTest : public SolverTest {
 public:
  void SetUp() override;
  void TearDown() override;

  // A task of `minutes` of work for `resource` at 8 hours a day from Monday 08:00, with the three
  // estimates given (the optimistic and pessimistic ones default to the most likely).
  Ytask* WorkTask(int id, Yresource* resource, int minutes, int optimistic = -1, int pessimistic = -1);

  // Runs an analysis with `recorder` as the host; the fixture's host is back afterwards.
  template <class Run>
  void Analyse(Run run) {
    Solve::SetHost(&recorder);
    struct Back {
      Solve::SolverHost* host;
      ~Back() { Solve::SetHost(host); }
    } back{&host};
    run();
  }

  RecordingHost recorder;
  Yresource* worker = nullptr;
};
