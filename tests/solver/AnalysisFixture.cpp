#include "AnalysisFixture.h"

#include "CrashAnalysis.h"
#include "RiskAnalysis.h"
#include "RuntimeError.h"
#include "Yproject.h"
#include "Ytask.h"

void RecordingHost::SetSolveMessage(const QString& Text) {
  if (!failOn_.isEmpty() && Text == failOn_) praxel::RaiseProgramError(QStringLiteral("The solve panel failed"));
  solveMessage_ = Text;
  messages_.append(Text);
}

QStringList RecordingHost::Messages(const QString& prefix) const {
  QStringList shown;
  for (const QString& text : messages_) {
    if (text.startsWith(prefix)) shown.append(text);
  }
  return shown;
}

ForcedWorkers::ForcedWorkers(const char* count) : before_(qgetenv("PRAXEL_WORKERS")) { qputenv("PRAXEL_WORKERS", count); }

ForcedWorkers::~ForcedWorkers() {
  if (before_.isNull()) {
    qunsetenv("PRAXEL_WORKERS");
  } else {
    qputenv("PRAXEL_WORKERS", before_);
  }
}

void AnalysisTest::SetUp() {
  SolverTest::SetUp();
  Solve::ClearCrashItems();
  Solve::SetTeamIncrement(0.25f);
  Solve::SetRiskIterations(0);
  // The analyses need a solve rule that extends rather than halts.
  project->SetSolveRules(1);
  worker = AddResource(1);
}

void AnalysisTest::TearDown() {
  Solve::ClearCrashItems();
  SolverTest::TearDown();
}

Ytask* AnalysisTest::WorkTask(int id, Yresource* resource, int minutes, int optimistic, int pessimistic) {
  Ytask* task = AddTask(id, minutes);
  task->SetOptimistic(optimistic >= 0 ? optimistic : minutes);
  task->SetPessimistic(pessimistic >= 0 ? pessimistic : minutes);
  StartAt(task, At(0, 8));
  Assign(task, resource);
  return task;
}
