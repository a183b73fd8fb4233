// The headless companion's analyses: pxtool crash and pxtool risk on the example project.

#include "PxtoolRun.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>
#include <QStringList>

#include <cmath>

namespace {

const QString kPlant = QStringLiteral(PRAXEL_EXAMPLES "/plant.pxa");

// A date as the project file writes it.
QDateTime DateOf(const QString& text) { return QDateTime::fromString(text, QStringLiteral("MM/dd/yyyy hh:mmap")); }

// The example with its solve rule (or another line) changed, in the program data folder.
QString Variant(const QString& name, const QByteArray& from, const QByteArray& to) {
  QByteArray text = testsupport::ReadFileBytes(kPlant);
  EXPECT_TRUE(text.contains(from));
  text.replace(from, to);
  const QString path = testsupport::DataFolderPath(name);
  testsupport::WriteFileBytes(path, text);
  return path;
}

TEST(PxtoolAnalysis, CrashPrintsTheBaselineAndEveryStep) {
  for (const QString& variant : {QStringLiteral("--detailed"), QStringLiteral("--quick")}) {
    const ToolRun run = RunPxtool({QStringLiteral("crash"), kPlant, variant, QStringLiteral("--increment"), QStringLiteral("0.5")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_GE(run.Lines().size(), 3) << variant.toStdString();
    // The baseline: no task, the solved finish and cost (the same as pxtool solve reports).
    EXPECT_EQ(run.Lines()[0], QStringLiteral("\t0\t0\t0\t03/12/2026 05:00pm\t4559"));
    QDateTime previous = DateOf(QStringLiteral("03/12/2026 05:00pm"));
    for (qsizetype i = 1; i < run.Lines().size(); ++i) {
      const QStringList fields = run.Lines()[i].split(QLatin1Char('\t'));
      ASSERT_EQ(fields.size(), 6) << run.Lines()[i].toStdString();
      EXPECT_TRUE(fields[0].startsWith(QStringLiteral("(Plant: Pump house) "))) << fields[0].toStdString();
      EXPECT_GE(fields[3].toDouble(), 1.5);
      EXPECT_EQ(std::fmod(fields[3].toDouble(), 0.5), 0.0) << "multipliers grow by the increment";
      const QDateTime end = DateOf(fields[4]);
      ASSERT_TRUE(end.isValid()) << fields[4].toStdString();
      EXPECT_LE(end, previous) << "a step never finishes later";
      previous = end;
    }
    EXPECT_LT(previous, DateOf(QStringLiteral("03/12/2026 05:00pm"))) << variant.toStdString();
  }
}

TEST(PxtoolAnalysis, RiskPrintsTheResultsInOrderOfFinish) {
  // The example's estimates all equal: every iteration finishes as the unsampled schedule does.
  const ToolRun flat = RunPxtool({QStringLiteral("risk"), kPlant, QStringLiteral("--iterations"), QStringLiteral("3")});
  ASSERT_EQ(flat.exitCode, 0) << flat.err.toStdString();
  EXPECT_EQ(flat.Lines(), QStringList({QStringLiteral("0\t03/12/2026 05:00pm\t4559"), QStringLiteral("1\t03/12/2026 05:00pm\t4559"),
                                     QStringLiteral("2\t03/12/2026 05:00pm\t4559"), QStringLiteral("3\t03/12/2026 05:00pm\t4559")}));

  // With a spread on "Build frame" the sampled finishes spread too, and come out sorted.
  const QString spread = Variant(QStringLiteral("spread.pxa"), "Pessimistic,2400", "Pessimistic,4800");
  for (const QString& variant : {QStringLiteral("--detailed"), QStringLiteral("--quick")}) {
    const ToolRun run = RunPxtool({QStringLiteral("risk"), spread, QStringLiteral("--iterations"), QStringLiteral("20"), variant});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(run.Lines().size(), 21);
    QDateTime previous;
    for (int i = 0; i <= 20; ++i) {
      const QStringList fields = run.Lines()[i].split(QLatin1Char('\t'));
      ASSERT_EQ(fields.size(), 3);
      EXPECT_EQ(fields[0], QString::number(i));
      const QDateTime finish = DateOf(fields[1]);
      ASSERT_TRUE(finish.isValid()) << fields[1].toStdString();
      if (i >= 2) {
        EXPECT_GE(finish, previous) << variant.toStdString() << " entry " << i;
      }
      previous = finish;
    }
    EXPECT_GT(DateOf(run.Lines()[20].split(QLatin1Char('\t'))[1]), DateOf(run.Lines()[1].split(QLatin1Char('\t'))[1]));
  }
}

TEST(PxtoolAnalysis, RefusesWhatItCannotAnalyse) {
  // A solve rule that halts: the analysis is refused with the reason, and prints nothing.
  const QString halting = Variant(QStringLiteral("halting.pxa"), "SolveRules,1", "SolveRules,0");
  for (const QStringList& arguments : {QStringList{QStringLiteral("crash"), halting},
                                       QStringList{QStringLiteral("risk"), halting, QStringLiteral("--iterations"), QStringLiteral("5")}}) {
    const ToolRun run = RunPxtool(arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("pxtool: The project Plant: Pump house has a solve rule that halts")))
        << run.err.toStdString();
    EXPECT_TRUE(run.Lines().isEmpty());
  }

  const struct {
    QStringList arguments;
    int exitCode;
  } cases[] = {
      {{QStringLiteral("risk"), kPlant}, 64},  // no --iterations
      {{QStringLiteral("risk"), kPlant, QStringLiteral("--iterations"), QStringLiteral("0")}, 64},
      {{QStringLiteral("crash"), kPlant, QStringLiteral("--increment"), QStringLiteral("-1")}, 64},
      {{QStringLiteral("crash"), kPlant, QStringLiteral("--quick"), QStringLiteral("--detailed")}, 64},
      {{QStringLiteral("crash"), testsupport::DataFolderPath(QStringLiteral("none.pxa"))}, 2},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunPxtool(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(run.Lines().isEmpty());
  }
}

}  // namespace

namespace {

// A dependency offset of a million million minutes stops the solve with "Date out of range" and
// exit code 1; the schedule printed after it holds only dates it can print.
TEST(PxtoolErrors, AnOffsetPastEveryDateStopsTheSolveWithItsMessage) {
  const QString file = Variant(QStringLiteral("far.pxa"), "TaskRequired,Plant,1\r\n  FromPercent,100\r\n  ToPercent,0\r\n  Offset,0",
                               "TaskRequired,Plant,1\r\n  FromPercent,100\r\n  ToPercent,0\r\n  Offset,1E+12");
  const ToolRun run = RunPxtool({QStringLiteral("solve"), file});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.startsWith(QStringLiteral("Date out of range: (Plant) "))) << run.out.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

}  // namespace
