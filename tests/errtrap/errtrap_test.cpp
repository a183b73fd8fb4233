#include "Check.h"
#include "ErrTrap.h"
#include "Guard.h"
#include "ProgramInfo.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "trap_peer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <new>
#include <stdexcept>

using ErrTrap::Guard;
using praxel::AnswerAbort;
using praxel::AnswerIgnore;
using praxel::AnswerRetry;

namespace {

// Stands in for the main window: records what the trap asks its status panel to show.
class FakeMainWindow : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE void StatusMessage(const QString& text) { shown.append(text); }
  QStringList shown;
};

const QString kDashes(79, QLatin1Char('-'));

QString ChainEntry(const QStringList& locations) {
  QString entry = QStringLiteral("Call chain:\r\n");
  for (const QString& location : locations) entry += QStringLiteral("  ") + location + QStringLiteral("\r\n");
  return entry;
}

class ErrTrapTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    ErrTrap::SetErrTrapForm(&mainWindow);
    peer::SetPrompter(&prompter);
  }
  void TearDown() override {
    ErrTrap::SetErrTrapForm(nullptr);
    peer::SetPrompter(nullptr);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  QString Log() const { return testsupport::ReadTextFile(ErrTrap::LogFilePath()); }
  // The log split into lines; every line must end in CR LF.
  QStringList LogLines() const {
    QString log = Log();
    EXPECT_TRUE(log.endsWith(QStringLiteral("\r\n")));
    EXPECT_FALSE(log.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    log.chop(2);
    return log.split(QStringLiteral("\r\n"));
  }
  int FullEntries() const { return Log().count(kDashes); }

  // The procedures of a small program: an event handler, two guarded procedures and an
  // unguarded one between them.
  void Failing() {
    Guard guard(QStringLiteral("Module:Failing"));
    guard([&] {
      ++attempts;
      if (attempts <= failuresLeft) praxel::RaiseProgramError(QStringLiteral("Boom"));
    });
    guard([&] { reachedAfterFailure = true; });
  }
  void Unguarded() { Failing(); }
  void Outer() {
    Guard guard(QStringLiteral("Module:Outer"));
    guard([&] { Unguarded(); });
    guard([&] { outerContinued = true; });
  }
  void OkCommand_Click(const std::function<void()>& work) {
    Guard guard(ErrTrap::Handler(QStringLiteral("TestForm:OkCommand_Click")));
    guard(work);
    guard([&] { handlerContinued = true; });
  }

  FakeMainWindow mainWindow;
  testsupport::ScriptedPrompter prompter;
  int attempts = 0;
  int failuresLeft = 1;
  bool reachedAfterFailure = false;
  bool outerContinued = false;
  bool handlerContinued = false;
};

TEST_F(ErrTrapTest, AbortWritesOneFullEntryThenTheChainHandlerFirst) {
  prompter.Answer(AnswerAbort);
  OkCommand_Click([&] { Outer(); });

  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Internal Error"));
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: Boom"));
  EXPECT_EQ(prompter.Asked()[0].style, 18);

  const QStringList lines = LogLines();
  ASSERT_EQ(lines.size(), 13) << Log().toStdString();
  EXPECT_EQ(lines[0], kDashes);
  EXPECT_EQ(lines[1], QStringLiteral("Internal error 10000: Boom"));
  EXPECT_EQ(lines[2], QString());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Time:         (0[1-9]|1[0-2])/[0-3]\\d/\\d\\d (0[1-9]|1[0-2]):[0-5]\\d:[0-5]\\d(am|pm)$"))
                  .match(lines[3])
                  .hasMatch())
      << lines[3].toStdString();
  EXPECT_EQ(lines[4], QStringLiteral("Section:      Module:Failing"));
  EXPECT_EQ(lines[5], QStringLiteral("Exe file:     ") + praxel::ProgramFilePath());
  EXPECT_EQ(lines[6], QStringLiteral("Exe version:  ") + praxel::VersionText(praxel::CurrentVersion()));
  EXPECT_EQ(lines[7], QStringLiteral("Exe date:     ") +
                          QLocale().toString(praxel::FileChangeDate(praxel::ProgramFilePath()), QLocale::ShortFormat));
  EXPECT_EQ(lines[8], QStringLiteral("User action:  [Abort]"));
  // The unguarded procedure between the two guarded ones is not in the chain.
  EXPECT_EQ(lines.mid(9).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"),
            ChainEntry({QStringLiteral("TestForm:OkCommand_Click"), QStringLiteral("Module:Outer"),
                        QStringLiteral("Module:Failing")}));

  // Abort leaves every procedure on the way, and the handler ends its event.
  EXPECT_FALSE(reachedAfterFailure);
  EXPECT_FALSE(outerContinued);
  EXPECT_FALSE(handlerContinued);
  EXPECT_EQ(mainWindow.shown, QStringList{QString()});
}

TEST_F(ErrTrapTest, AbortFromAProcedureCalledByTheHandlerChainsTwoLines) {
  prompter.Answer(AnswerAbort);
  OkCommand_Click([&] { Failing(); });
  EXPECT_EQ(FullEntries(), 1);
  EXPECT_TRUE(Log().endsWith(QStringLiteral("User action:  [Abort]\r\n") +
                             ChainEntry({QStringLiteral("TestForm:OkCommand_Click"), QStringLiteral("Module:Failing")})));
}

TEST_F(ErrTrapTest, AbortInsideTheHandlerChainsOneLine) {
  prompter.Answer(AnswerAbort);
  OkCommand_Click([] { throw std::out_of_range("index"); });
  EXPECT_TRUE(Log().contains(QStringLiteral("Internal error 9: Subscript out of range\r\n")));
  EXPECT_TRUE(Log().contains(QStringLiteral("Section:      TestForm:OkCommand_Click\r\n")));
  EXPECT_TRUE(Log().endsWith(QStringLiteral("[Abort]\r\n") + ChainEntry({QStringLiteral("TestForm:OkCommand_Click")})));
  EXPECT_FALSE(handlerContinued);
  EXPECT_EQ(mainWindow.shown, QStringList{QString()});
}

TEST_F(ErrTrapTest, RetryRunsTheFailedStepAgainAndWritesNoChain) {
  failuresLeft = 2;  // fails twice: asked twice, a full entry each time
  prompter.Answer(AnswerRetry);
  prompter.Answer(AnswerRetry);
  OkCommand_Click([&] { Outer(); });

  EXPECT_EQ(attempts, 3);
  EXPECT_EQ(FullEntries(), 2);
  EXPECT_EQ(Log().count(QStringLiteral("User action:  [Retry]\r\n")), 2);
  EXPECT_FALSE(Log().contains(QStringLiteral("Call chain:")));
  EXPECT_TRUE(reachedAfterFailure);
  EXPECT_TRUE(outerContinued);
  EXPECT_TRUE(handlerContinued);
  EXPECT_TRUE(mainWindow.shown.isEmpty());  // the status message is left as it was
}

TEST_F(ErrTrapTest, IgnoreGoesOnAfterTheFailedStep) {
  prompter.Answer(AnswerIgnore);
  OkCommand_Click([&] { Outer(); });

  EXPECT_EQ(attempts, 1);
  EXPECT_TRUE(Log().endsWith(QStringLiteral("User action:  [Ignore]\r\n")));
  EXPECT_FALSE(Log().contains(QStringLiteral("Call chain:")));
  EXPECT_TRUE(reachedAfterFailure);
  EXPECT_TRUE(handlerContinued);
  EXPECT_TRUE(mainWindow.shown.isEmpty());
}

TEST_F(ErrTrapTest, FormLoadEndsTheChainWhereAPlainProcedurePassesItOn) {
  prompter.Answer(AnswerAbort);
  prompter.Answer(AnswerAbort);
  bool passedUp = false;
  try {
    Guard plain(QStringLiteral("MainForm:LoadSettings"));
    plain([] { praxel::RaiseAssertion(); });
  } catch (const ErrTrap::CallChain& chain) {
    passedUp = true;
    EXPECT_EQ(chain.Chain(), QStringLiteral("  MainForm:LoadSettings"));
  }
  EXPECT_TRUE(passedUp);

  Guard handler(ErrTrap::Handler(QStringLiteral("MainForm:Form_Load")));
  handler([] { praxel::RaiseAssertion(); });
  EXPECT_TRUE(handler.Left());
  EXPECT_TRUE(Log().contains(QStringLiteral("Internal error 10000: Assertion failed\r\n")));
  EXPECT_TRUE(Log().endsWith(ChainEntry({QStringLiteral("MainForm:Form_Load")})));
}

// Whether a procedure ends the chain is what its site says, not what its name looks like.
TEST_F(ErrTrapTest, TheHandlerSiteNotTheNameEndsTheChain) {
  prompter.Answer(AnswerAbort);
  prompter.Answer(AnswerAbort);
  EXPECT_THROW(ErrTrap::Guarded(QStringLiteral("Module:Looks_LikeAHandler"), [] { praxel::RaiseAssertion(); }),
               ErrTrap::CallChain);
  EXPECT_FALSE(Log().contains(QStringLiteral("Call chain:")));

  Guard handler(ErrTrap::Handler(QStringLiteral("Module:Started")));
  handler([] { praxel::RaiseAssertion(); });
  EXPECT_TRUE(handler.Left());
  EXPECT_TRUE(Log().endsWith(ChainEntry({QStringLiteral("Module:Started")})));
  EXPECT_EQ(mainWindow.shown, QStringList{QString()});
}

TEST_F(ErrTrapTest, AFailedCheckLogsWhereAndWhyThenGoesToTheTrap) {
  prompter.Answer(AnswerIgnore);
  int tasks = 3;
  int checkLine = 0;
  bool restOfStep = false;
  bool nextStep = false;
  Guard guard(QStringLiteral("Module:Checked"));
  guard([&] {
    checkLine = __LINE__ + 1;
    TRAP_ASSERT(tasks > 5 && tasks < 10, "a chart needs more than five tasks");
    restOfStep = true;
  });
  guard([&] { nextStep = true; });

  // The check raised "Assertion failed" through the trap: Ignore went on after the step.
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].text, QStringLiteral("Internal error 10000: Assertion failed"));
  EXPECT_FALSE(restOfStep);
  EXPECT_TRUE(nextStep);

  // Its own line comes first, then the trap's entry for the same failure.
  const QStringList lines = LogLines();
  ASSERT_GE(lines.size(), 6) << Log().toStdString();
  const QRegularExpressionMatch note =
      QRegularExpression(QStringLiteral("^Assertion \"(.+)\" failed in (.+), line (\\d+): (.+)$")).match(lines[0]);
  ASSERT_TRUE(note.hasMatch()) << lines[0].toStdString();
  EXPECT_EQ(note.captured(1), QStringLiteral("tasks > 5 && tasks < 10"));
  EXPECT_EQ(note.captured(2), QStringLiteral("tests/errtrap/errtrap_test.cpp"));
  EXPECT_EQ(note.captured(3).toInt(), checkLine);
  EXPECT_EQ(note.captured(4), QStringLiteral("a chart needs more than five tasks"));
  EXPECT_EQ(lines[1], kDashes);
  EXPECT_EQ(lines[2], QStringLiteral("Internal error 10000: Assertion failed"));
  EXPECT_EQ(lines[5], QStringLiteral("Section:      Module:Checked"));
}

TEST_F(ErrTrapTest, AHoldingCheckIsSilentAndReadsItsConditionOnce) {
  int evaluations = 0;
  bool restOfStep = false;
  ErrTrap::Guarded(QStringLiteral("Module:Checked"), [&] {
    TRAP_ASSERT(++evaluations == 1, "the condition is read once");
    restOfStep = true;
  });
  EXPECT_EQ(evaluations, 1);
  EXPECT_TRUE(restOfStep);
  EXPECT_TRUE(prompter.Asked().isEmpty());
  EXPECT_FALSE(QFile::exists(ErrTrap::LogFilePath()));
}

TEST_F(ErrTrapTest, ACheckInALibraryWritesTheLibrarysLog) {
  prompter.Answer(AnswerAbort);
  OkCommand_Click([] { peer::FailingCheck(); });
  const QString libraryLog = testsupport::ReadTextFile(peer::LogFilePath());
  EXPECT_TRUE(libraryLog.startsWith(QStringLiteral("Assertion \"false\" failed in tests/errtrap/trap_peer.cpp, line ")))
      << libraryLog.toStdString();
  EXPECT_TRUE(libraryLog.contains(QStringLiteral("Section:      Peer:FailingCheck\r\n")));
  // The program's log has the chain alone.
  EXPECT_EQ(Log(), ChainEntry({QStringLiteral("TestForm:OkCommand_Click"), QStringLiteral("Peer:FailingCheck")}));
}

TEST_F(ErrTrapTest, AnExistingLogIsAppendedTo) {
  {
    QFile log(ErrTrap::LogFilePath());
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.write("earlier entry\r\n");
  }
  prompter.Answer(AnswerIgnore);
  OkCommand_Click([&] { Failing(); });
  EXPECT_TRUE(Log().startsWith(QStringLiteral("earlier entry\r\n") + kDashes + QStringLiteral("\r\n")));
  EXPECT_EQ(FullEntries(), 1);
}

// The log stays bounded: a long message is quoted in part, and a log at its limit becomes the
// previous log, replacing an older one, and a new one starts.
TEST_F(ErrTrapTest, TheLogIsBounded) {
  const QString previous = ErrTrap::LogFilePath() + QStringLiteral(".1");
  testsupport::WriteFileBytes(previous, "the log before that\r\n");
  testsupport::WriteFileBytes(ErrTrap::LogFilePath(), QByteArray(ErrTrap::kLogLimit, 'e'));
  prompter.Answer(AnswerIgnore);
  OkCommand_Click([] { praxel::RaiseProgramError(QStringLiteral("read \"") + QString(100000, QLatin1Char('x')) + QLatin1Char('"')); });
  EXPECT_EQ(testsupport::ReadFileBytes(previous).size(), ErrTrap::kLogLimit);
  EXPECT_EQ(FullEntries(), 1);
  EXPECT_LT(Log().size(), 3 * ErrTrap::kLongestLogMessage);
  EXPECT_TRUE(Log().contains(QStringLiteral("characters in all)"))) << Log().left(300).toStdString();
}

// A program that tells its user of a file it cannot read (pxtool) tells it plainly and logs no
// entry for it; other failures are told and logged as ever, and so are input errors by default.
TEST_F(ErrTrapTest, InputErrorsAreToldPlainlyAndNotLoggedWhenTheProgramSaysSo) {
  ErrTrap::SetInputErrorsPlain(true);
  prompter.Answer(AnswerIgnore);
  OkCommand_Click([] { praxel::RaiseInputError(QStringLiteral("Error reading file x.pxa, line 1: no plan")); });
  EXPECT_FALSE(QFile::exists(ErrTrap::LogFilePath()));
  EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Error reading file x.pxa, line 1: no plan"));
  prompter.Answer(AnswerIgnore);
  OkCommand_Click([] { praxel::RaiseProgramError(QStringLiteral("Boom")); });
  EXPECT_EQ(FullEntries(), 1);
  EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Internal error 10000: Boom"));
  ErrTrap::SetInputErrorsPlain(false);
  prompter.Answer(AnswerIgnore);
  OkCommand_Click([] { praxel::RaiseInputError(QStringLiteral("Error reading file x.pxa, line 1: no plan")); });
  EXPECT_EQ(FullEntries(), 2);
  EXPECT_EQ(prompter.Asked().size(), 3);
}

TEST_F(ErrTrapTest, AnUnwritableLogIsSkippedSilently) {
  // A folder where the log should be: it cannot be opened as a file, whoever runs the test.
  ASSERT_TRUE(QDir().mkpath(ErrTrap::LogFilePath()));
  prompter.Answer(AnswerAbort);
  OkCommand_Click([&] { Outer(); });
  EXPECT_EQ(prompter.Asked().size(), 1);
  EXPECT_FALSE(handlerContinued);
  EXPECT_EQ(mainWindow.shown, QStringList{QString()});
}

TEST_F(ErrTrapTest, AMainWindowWithoutStatusMessageOrNoneAtAllIsSkipped) {
  QObject plain;
  ErrTrap::SetErrTrapForm(&plain);
  prompter.Answer(AnswerAbort);
  OkCommand_Click([&] { Failing(); });
  {
    auto* gone = new FakeMainWindow;
    ErrTrap::SetErrTrapForm(gone);
    delete gone;
  }
  attempts = 0;
  prompter.Answer(AnswerAbort);
  OkCommand_Click([&] { Failing(); });
  EXPECT_EQ(Log().count(QStringLiteral("Call chain:")), 2);
  EXPECT_TRUE(mainWindow.shown.isEmpty());
}

TEST_F(ErrTrapTest, AChainFromALibraryContinuesInTheProgram) {
  prompter.Answer(AnswerAbort);
  OkCommand_Click([&] {
    Guard outer(QStringLiteral("Module:Outer"));
    outer([] { peer::FailingProcedure(); });
  });

  // The library's own log has the full entry, naming the library file.
  EXPECT_NE(peer::LogFilePath(), ErrTrap::LogFilePath());
  EXPECT_TRUE(peer::ModuleFile().endsWith(QStringLiteral("/libtrap_peer.so")));
  const QString libraryLog = testsupport::ReadTextFile(peer::LogFilePath());
  EXPECT_TRUE(libraryLog.contains(QStringLiteral("Internal error 10000: Peer failure\r\n")));
  EXPECT_TRUE(libraryLog.contains(QStringLiteral("Section:      Peer:FailingProcedure\r\n")));
  EXPECT_TRUE(libraryLog.contains(QStringLiteral("Exe file:     ") + peer::ModuleFile() + QStringLiteral("\r\n")));
  EXPECT_FALSE(libraryLog.contains(QStringLiteral("Call chain:")));

  // The program's log has the chain alone, ended by the program's handler.
  EXPECT_EQ(Log(), ChainEntry({QStringLiteral("TestForm:OkCommand_Click"), QStringLiteral("Module:Outer"),
                               QStringLiteral("Peer:FailingProcedure")}));
  EXPECT_EQ(mainWindow.shown, QStringList{QString()});
}

TEST(ErrTrap, JoinPathPutsOneSlashBetween) {
  EXPECT_EQ(ErrTrap::JoinPath(QStringLiteral("/home/ann"), QStringLiteral("Praxel.cfg")),
            QStringLiteral("/home/ann/Praxel.cfg"));
  EXPECT_EQ(ErrTrap::JoinPath(QStringLiteral("/home/ann/"), QStringLiteral("Praxel.cfg")),
            QStringLiteral("/home/ann/Praxel.cfg"));
  EXPECT_EQ(ErrTrap::JoinPath(QStringLiteral("/"), QStringLiteral("x")), QStringLiteral("/x"));
  EXPECT_EQ(ErrTrap::JoinPath(QString(), QStringLiteral("x")), QStringLiteral("/x"));
}

TEST(ErrTrap, FailuresHaveTheirRunTimeNumbers) {
  const auto number = [](auto&& thrower) {
    try {
      thrower();
    } catch (...) {
      return ErrTrap::ErrorOf(std::current_exception()).number;
    }
    return 0;
  };
  EXPECT_EQ(number([] { throw praxel::RuntimeError(6, QStringLiteral("Overflow")); }), 6);
  EXPECT_EQ(number([] { throw std::bad_alloc(); }), 7);
  EXPECT_EQ(number([] { throw std::out_of_range("x"); }), 9);
  EXPECT_EQ(number([] { throw ErrTrap::CallChain(QStringLiteral("  A")); }), 20000);
  EXPECT_EQ(number([] { throw std::runtime_error("x"); }), 51);
  EXPECT_EQ(number([] { throw 42; }), 51);
}

}  // namespace

#include "errtrap_test.moc"
