#include "Guard.h"
#include "RuntimeError.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "SolverHost.h"
#include "SolverHostQt.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <ostream>
#include <string>

using praxel::AnswerAbort;
using praxel::AnswerIgnore;

namespace {

const QString kEarlierMessage = QStringLiteral("Earlier message");
const QString kComplete = QStringLiteral("Solve complete");
const QString kPreparing = QStringLiteral("Preparing for solve ...");
const QString kSuspended = QStringLiteral("Solve suspended");
const QString kStoppedByError = QStringLiteral("Solve stopped by an internal error");

// The solve state only compares the error object's address; these stand in for model objects.
int taskStandIn = 0;
int otherStandIn = 0;
Ypooled* const kTask = reinterpret_cast<Ypooled*>(&taskStandIn);
Ypooled* const kOther = reinterpret_cast<Ypooled*>(&otherStandIn);

// A solve run of a few steps that polls after each one and completes at its end, as the real run
// does. It records what it found when each run started.
class PollingRun {
 public:
  explicit PollingRun(int steps) : steps_(steps) {
    Solve::SetTrySolve([this] { Run(); });
  }
  ~PollingRun() { Solve::SetTrySolve(nullptr); }

  // Runs once at the start of each run, before its first poll.
  std::function<void()> onStart;

  int started = 0;
  int finished = 0;  // runs that got past their last poll
  QStringList messagesAtStart;

 private:
  void Run() {
    ++started;
    messagesAtStart.append(Solve::SolveMessage());
    Solve::SetSolveMessage(kPreparing);
    if (onStart) onStart();
    for (int step = 0; step < steps_; ++step) {
      if (Solve::AbortSolve()) return;
    }
    ++finished;
    Solve::CompleteSolve(kComplete);
  }

  int steps_;
};

// Every test starts idle, with an empty message, no error object, a disarmed timer and the
// built-in solve run.
class SolveStateTest : public testing::Test {
 protected:
  void SetUp() override {
    Solve::SetHost(&host);
    Solve::SetSolveMode(Solve::ModeIdle);
    Solve::ClearSolveErrorObject();
    Solve::SetTrySolve(nullptr);
  }
  void TearDown() override {
    Solve::SetHost(nullptr);
    Solve::SetSolveMode(Solve::ModeIdle);
    Solve::ClearSolveErrorObject();
    EXPECT_TRUE(prompter.AllAnswered());
  }

  testsupport::ScriptedPrompter prompter;
  Solve::HeadlessSolverHost host;
};

// ---- The transition table: every event in every state ----------------------------------------

enum class Event { Restart, Suspend, Resume, Error, RunEnds, Tick };

struct Transition {
  Event event;
  int from;
  int to;
  bool armedAfter;
  const char* message;  // nullptr: the earlier message stays
  int broadcasts;
  bool assertion;       // the tick reports "Assertion failed" (answered Abort)
};

std::string EventName(Event event) {
  switch (event) {
    case Event::Restart: return "RestartSolve";
    case Event::Suspend: return "SuspendSolve";
    case Event::Resume: return "ResumeSolve";
    case Event::Error: return "SolveError";
    case Event::RunEnds: return "RunEnds";
    case Event::Tick: return "Tick";
  }
  return "?";
}

void PrintTo(const Transition& row, std::ostream* out) { *out << EventName(row.event) << " in state " << row.from; }

constexpr const char* kSame = nullptr;

const Transition kTransitions[] = {
    // RestartSolve: solving, idle and error ask for a solve; only idle and error arm the timer.
    {Event::Restart, 0, 3, true, kSame, 0, false},
    {Event::Restart, 1, 3, false, kSame, 0, false},
    {Event::Restart, 2, 3, true, kSame, 0, false},
    {Event::Restart, 3, 3, false, kSame, 0, false},
    {Event::Restart, 4, 4, false, kSame, 0, false},
    {Event::Restart, 5, 5, false, kSame, 0, false},
    {Event::Restart, 6, 6, false, kSame, 0, false},
    // SuspendSolve (timer armed before): always "Solve suspended" and disarmed.
    {Event::Suspend, 0, 5, false, "Solve suspended", 0, false},
    {Event::Suspend, 1, 4, false, "Solve suspended", 0, false},
    {Event::Suspend, 2, 5, false, "Solve suspended", 0, false},
    {Event::Suspend, 3, 5, false, "Solve suspended", 0, false},
    {Event::Suspend, 4, 4, false, "Solve suspended", 0, false},
    {Event::Suspend, 5, 5, false, "Solve suspended", 0, false},
    {Event::Suspend, 6, 4, false, "Solve suspended", 0, false},
    // ResumeSolve: only the suspended states move; only suspended-and-idle arms the timer.
    {Event::Resume, 0, 0, false, kSame, 0, false},
    {Event::Resume, 1, 1, false, kSame, 0, false},
    {Event::Resume, 2, 2, false, kSame, 0, false},
    {Event::Resume, 3, 3, false, kSame, 0, false},
    {Event::Resume, 4, 3, false, kSame, 0, false},
    {Event::Resume, 5, 3, true, kSame, 0, false},
    {Event::Resume, 6, 6, false, kSame, 0, false},
    // SolveError: error state from anywhere, with its message.
    {Event::Error, 0, 2, false, "Effort without resources", 0, false},
    {Event::Error, 1, 2, false, "Effort without resources", 0, false},
    {Event::Error, 2, 2, false, "Effort without resources", 0, false},
    {Event::Error, 3, 2, false, "Effort without resources", 0, false},
    {Event::Error, 4, 2, false, "Effort without resources", 0, false},
    {Event::Error, 5, 2, false, "Effort without resources", 0, false},
    {Event::Error, 6, 2, false, "Effort without resources", 0, false},
    // The end of a solve run: only a run still solving completes.
    {Event::RunEnds, 0, 0, false, kSame, 0, false},
    {Event::RunEnds, 1, 0, false, "Solve complete", 1, false},
    {Event::RunEnds, 2, 2, false, kSame, 0, false},
    {Event::RunEnds, 3, 3, false, kSame, 0, false},
    {Event::RunEnds, 4, 4, false, kSame, 0, false},
    {Event::RunEnds, 5, 5, false, kSame, 0, false},
    {Event::RunEnds, 6, 6, false, kSame, 0, false},
    // The tick (timer armed before): it disarms; in 0, 2 and 3 it solves, in the others it fails.
    {Event::Tick, 0, 0, false, "Solve complete", 1, false},
    {Event::Tick, 1, 1, false, kSame, 0, true},
    {Event::Tick, 2, 0, false, "Solve complete", 1, false},
    {Event::Tick, 3, 0, false, "Solve complete", 1, false},
    {Event::Tick, 4, 4, false, kSame, 0, true},
    {Event::Tick, 5, 5, false, kSame, 0, true},
    {Event::Tick, 6, 6, false, kSame, 0, true},
};

class TransitionTest : public SolveStateTest, public testing::WithParamInterface<Transition> {};

TEST_P(TransitionTest, MovesTheStateTimerAndMessage) {
  const Transition& row = GetParam();
  Solve::SetSolveMode(row.from);
  host.SetSolveMessage(kEarlierMessage);
  host.SetSolveTimerEnabled(row.event == Event::Suspend || row.event == Event::Tick);
  if (row.assertion) prompter.Answer(AnswerAbort);

  switch (row.event) {
    case Event::Restart: Solve::RestartSolve(); break;
    case Event::Suspend: Solve::SuspendSolve(); break;
    case Event::Resume: Solve::ResumeSolve(); break;
    case Event::Error: Solve::SolveError(QStringLiteral("Effort without resources"), kTask); break;
    case Event::RunEnds: Solve::CompleteSolve(kComplete); break;
    case Event::Tick: Solve::SolveTimer_Timer(); break;
  }

  EXPECT_EQ(Solve::SolveMode(), row.to);
  EXPECT_EQ(host.SolveTimerEnabled(), row.armedAfter);
  EXPECT_EQ(Solve::SolveMessage(), row.message != nullptr ? QString::fromLatin1(row.message) : kEarlierMessage);
  EXPECT_EQ(host.Broadcasts(), row.broadcasts);
  EXPECT_EQ(Solve::SolveErrorObject(), row.event == Event::Error ? kTask : nullptr);
  if (row.assertion) {
    ASSERT_EQ(prompter.Asked().size(), 1);
    EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Internal Error"));
    EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: Assertion failed"));
  } else {
    EXPECT_TRUE(prompter.Asked().isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(EveryEventInEveryState, TransitionTest, testing::ValuesIn(kTransitions),
                         [](const testing::TestParamInfo<Transition>& info) {
                           return EventName(info.param.event) + "_from" + std::to_string(info.param.from);
                         });

// ---- The poll --------------------------------------------------------------------------------

TEST_F(SolveStateTest, AbortSolvePumpsUnlessAnalysingAndStopsAllButSolvingAndAnalysing) {
  for (int mode = 0; mode <= 6; ++mode) {
    SCOPED_TRACE(mode);
    Solve::SetSolveMode(mode);
    const int pumpsBefore = host.Pumps();
    EXPECT_EQ(Solve::AbortSolve(), mode != Solve::ModeSolving && mode != Solve::ModeAnalysis);
    EXPECT_EQ(host.Pumps() - pumpsBefore, mode == Solve::ModeAnalysis ? 0 : 1);
  }
}

TEST_F(SolveStateTest, AbortSolveAnswersTheStateLeftByWhatRanInThePump) {
  Solve::SetSolveMode(Solve::ModeSolving);
  host.SetPumpHook([] { Solve::RestartSolve(); });
  EXPECT_TRUE(Solve::AbortSolve());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_FALSE(host.SolveTimerEnabled());

  // During an analysis the pump does not run, so nothing can change the state under it.
  Solve::SetSolveMode(Solve::ModeAnalysis);
  EXPECT_FALSE(Solve::AbortSolve());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeAnalysis);
}

// ---- Roads through a solve -------------------------------------------------------------------

TEST_F(SolveStateTest, EditsDuringASolveGiveOneFreshRunAndOneCompletion) {
  PollingRun run(3);
  // Two edits inside the second poll of the first run.
  host.SetPumpHook([&] {
    if (host.Pumps() == 2) {
      Solve::RestartSolve();
      Solve::RestartSolve();
    }
  });

  Solve::RestartSolve();
  EXPECT_EQ(host.RunTimer(), 1);

  EXPECT_EQ(run.started, 2);
  EXPECT_EQ(run.finished, 1);
  // The interrupted run wrote no completion text and sent no broadcast.
  EXPECT_EQ(run.messagesAtStart, QStringList({QString(), kPreparing}));
  EXPECT_EQ(host.Broadcasts(), 1);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_EQ(Solve::SolveMessage(), kComplete);
  EXPECT_FALSE(host.SolveTimerEnabled());
}

TEST_F(SolveStateTest, SuspendAndResumeFromIdleSolveOnceAtTheNextTick) {
  PollingRun run(2);
  Solve::SuspendSolve();
  EXPECT_EQ(Solve::SolveMessage(), kSuspended);
  EXPECT_EQ(host.RunTimer(), 0);

  Solve::ResumeSolve();
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_EQ(run.started, 0);

  EXPECT_EQ(host.RunTimer(), 1);
  EXPECT_EQ(run.started, 1);
  EXPECT_EQ(run.finished, 1);
  EXPECT_EQ(host.Broadcasts(), 1);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
}

TEST_F(SolveStateTest, SuspendAndResumeInsideAPollStartTheRunningSolveOver) {
  PollingRun run(3);
  host.SetPumpHook([&] {
    if (host.Pumps() == 1) {  // a file opened from a menu while the first run polls
      Solve::SuspendSolve();
      EXPECT_EQ(Solve::SolveMode(), Solve::ModeSuspendedBusy);
      Solve::ResumeSolve();
    }
  });

  Solve::RestartSolve();
  EXPECT_EQ(host.RunTimer(), 1);

  EXPECT_EQ(run.started, 2);
  EXPECT_EQ(run.finished, 1);
  EXPECT_EQ(run.messagesAtStart, QStringList({QString(), kSuspended}));
  EXPECT_EQ(host.Broadcasts(), 1);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_FALSE(host.SolveTimerEnabled());
}

// A file opening left through the error trap's Abort suspends without resuming. The suspensions
// that follow must still let the next resumption solve.
TEST_F(SolveStateTest, ASuspensionLeftWithoutResumptionDoesNotStopLaterSolves) {
  PollingRun run(2);
  Solve::SuspendSolve();  // the abandoned opening
  Solve::SuspendSolve();  // the next opening
  Solve::ResumeSolve();
  EXPECT_TRUE(host.SolveTimerEnabled());
  EXPECT_EQ(host.RunTimer(), 1);
  EXPECT_EQ(run.finished, 1);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
}

TEST_F(SolveStateTest, ASuspensionLeftWithoutResumptionDuringASolveDoesNotStopLaterSolves) {
  PollingRun run(2);
  host.SetPumpHook([&] {
    if (host.Pumps() == 1) Solve::SuspendSolve();  // an opening abandoned inside the poll
  });
  Solve::RestartSolve();
  host.RunTimer();
  EXPECT_EQ(run.finished, 0);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeSuspendedIdle);

  // The next opening, long after the run unwound.
  host.SetPumpHook(nullptr);
  Solve::SuspendSolve();
  Solve::ResumeSolve();
  EXPECT_EQ(host.RunTimer(), 1);
  EXPECT_EQ(run.finished, 1);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
}

TEST_F(SolveStateTest, AnAssertionAnsweredIgnoreGoesOnToSolve) {
  Solve::SetSolveMode(Solve::ModeSuspendedIdle);
  prompter.Answer(AnswerIgnore);
  Solve::SolveTimer_Timer();
  EXPECT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_EQ(host.Broadcasts(), 1);
}

// ---- A solve run left through the error trap -------------------------------------------------

// The run fails in a guarded step and the user answers Abort: the chain climbs out of the run and
// ends at the tick. Whatever state the run left behind, the next request must solve again.
struct FailedRun {
  const char* name;
  std::function<void()> beforeFailure;  // what happened in the run's polls before it failed
  int stateAfter;
  QString messageAfter;
  std::function<void()> nextRequest;
};

TEST_F(SolveStateTest, ARunLeftThroughTheTrapLetsTheNextRequestSolve) {
  const FailedRun cases[] = {
      {"failed while solving", [] {}, Solve::ModeError, kStoppedByError, Solve::RestartSolve},
      {"failed after an edit", Solve::RestartSolve, Solve::ModeError, kStoppedByError, Solve::RestartSolve},
      {"failed after a suspension", Solve::SuspendSolve, Solve::ModeSuspendedIdle, kSuspended, Solve::ResumeSolve},
  };
  for (const FailedRun& failed : cases) {
    SCOPED_TRACE(failed.name);
    Solve::SetSolveMode(Solve::ModeIdle);
    Solve::SolveError(QStringLiteral("Overload detected"), kTask);  // an older error, replaced
    const int broadcastsBefore = host.Broadcasts();
    Solve::SetTrySolve([&] {
      ErrTrap::Guarded(QStringLiteral("Solve:TrySolve"), [&] {
        failed.beforeFailure();
        praxel::RaiseProgramError(QStringLiteral("Slice out of order"));
      });
    });
    prompter.Answer(AnswerAbort);

    Solve::RestartSolve();
    EXPECT_EQ(host.RunTimer(), 1);
    EXPECT_EQ(Solve::SolveMode(), failed.stateAfter);
    EXPECT_EQ(Solve::SolveMessage(), failed.messageAfter);
    EXPECT_FALSE(host.SolveTimerEnabled());
    if (failed.stateAfter == Solve::ModeError) {
      EXPECT_EQ(Solve::SolveErrorObject(), nullptr);
    }

    // The run works again; the next edit (or resumption) solves.
    Solve::SetTrySolve(nullptr);
    failed.nextRequest();
    EXPECT_EQ(host.RunTimer(), 1);
    EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
    EXPECT_EQ(Solve::SolveMessage(), kComplete);
    EXPECT_EQ(host.Broadcasts() - broadcastsBefore, 1);
  }
  EXPECT_EQ(prompter.Asked().size(), 3);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: Slice out of order"));
}

// ---- The error object ------------------------------------------------------------------------

TEST_F(SolveStateTest, TheErrorObjectIsForgottenOnlyWithItsObject) {
  Solve::SolveError(QStringLiteral("Missing to-start dependency"), kTask);
  Solve::ForgetObject(kOther);
  Solve::ForgetObject(nullptr);
  EXPECT_EQ(Solve::SolveErrorObject(), kTask);
  Solve::ForgetObject(kTask);
  EXPECT_EQ(Solve::SolveErrorObject(), nullptr);

  Solve::SolveError(QStringLiteral("Effort without resources"), kOther);
  Solve::ClearSolveErrorObject();
  EXPECT_EQ(Solve::SolveErrorObject(), nullptr);
  // Only the object goes: the state and its text stay for the solve panel.
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeError);
  EXPECT_EQ(Solve::SolveMessage(), QStringLiteral("Effort without resources"));
}

// ---- The hosts -------------------------------------------------------------------------------

TEST(SolverHostTest, ADestroyedHostIsUninstalled) {
  {
    Solve::HeadlessSolverHost host;
    Solve::SetHost(&host);
    ASSERT_EQ(&Solve::Host(), &host);
  }
  Solve::SetSolveMessage(QStringLiteral("still works"));
  EXPECT_EQ(Solve::SolveMessage(), QStringLiteral("still works"));
  Solve::SetSolveMessage(QString());
}

TEST(QtSolverHostTest, SolvesThroughItsTimerInTheEventLoopAndRunsEditsInThePoll) {
  testsupport::ScriptedPrompter prompter;
  Solve::QtSolverHost host;
  Solve::SetHost(&host);
  Solve::SetSolveMode(Solve::ModeIdle);

  QStringList messages;
  int broadcasts = 0;
  QEventLoop loop;
  QObject::connect(&host, &Solve::QtSolverHost::SolveMessageChanged, [&](const QString& text) { messages << text; });
  QObject::connect(&host, &Solve::QtSolverHost::NewSolution, [&] {
    ++broadcasts;
    loop.quit();
  });

  PollingRun run(3);
  // An edit queued in the event loop while the first run works: only the pump can deliver it.
  run.onStart = [&] {
    if (run.started == 1) QMetaObject::invokeMethod(&host, [] { Solve::RestartSolve(); }, Qt::QueuedConnection);
  };

  Solve::RestartSolve();
  EXPECT_TRUE(host.SolveTimerEnabled());
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();

  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_EQ(run.started, 2);
  EXPECT_EQ(run.finished, 1);
  EXPECT_EQ(broadcasts, 1);
  EXPECT_EQ(messages, QStringList({kPreparing, kPreparing, kComplete}));
  EXPECT_FALSE(host.SolveTimerEnabled());
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

}  // namespace
