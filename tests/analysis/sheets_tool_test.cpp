// pxtool sheet: every sheet type of a solved fixture (three projects, one of them a subproject,
// two journals, objects excluded in the current journal and included in the plan) against its
// golden text, the cost totals of the sample's sheets against the cells printed above them, and
// the calls it refuses. PRAXEL_UPDATE_GOLDEN=1 writes the golden texts anew.

#include "CaseName.h"
#include "Format.h"
#include "PxtoolRun.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <array>

namespace {

const QString kFixture = QStringLiteral(PRAXEL_ANALYSIS_DATA "/data/sheets.pxa");

QString GoldenPath(const QString& name) { return QStringLiteral(PRAXEL_ANALYSIS_DATA "/golden/") + name; }

struct SheetCase {
  const char* name;
  QStringList arguments;
  const char* golden;
};

class PxtoolSheet : public testing::TestWithParam<SheetCase> {};

TEST_P(PxtoolSheet, PrintsTheSheetAsTheGridCopiesIt) {
  const ToolRun run = RunPxtool(QStringList{QStringLiteral("sheet"), kFixture} + GetParam().arguments);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QString golden = GoldenPath(QString::fromLatin1(GetParam().golden));
  if (qEnvironmentVariableIsSet("PRAXEL_UPDATE_GOLDEN")) testsupport::WriteFileBytes(golden, run.out.toUtf8());
  EXPECT_EQ(run.out, QString::fromUtf8(testsupport::ReadFileBytes(golden)));
}

INSTANTIATE_TEST_SUITE_P(
    Types, PxtoolSheet,
    testing::Values(SheetCase{"ResourceEntry", {"1"}, "sheet-01.txt"}, SheetCase{"TaskEntry", {"2"}, "sheet-02.txt"},
                    SheetCase{"ProjectSummary", {"3"}, "sheet-03.txt"}, SheetCase{"ProjectUpdate", {"4"}, "sheet-04.txt"},
                    SheetCase{"LoadingByResource", {"5"}, "sheet-05.txt"},
                    SheetCase{"LoadingByProject", {"6"}, "sheet-06.txt"},
                    SheetCase{"LoadingByDay", {"7"}, "sheet-07.txt"},
                    SheetCase{"LoadingByDayInMay", {"7", "--month", "05/2026"}, "sheet-07-may-2026.txt"},
                    SheetCase{"OvertimeAndOverload", {"8"}, "sheet-08.txt"}, SheetCase{"Overload", {"9"}, "sheet-09.txt"},
                    SheetCase{"DateDependency", {"10"}, "sheet-10.txt"}),
    testsupport::CaseName());

using praxel::Currency;
using CostSums = std::array<Currency, 3>;

// Checks the cost totals of a printed sheet (the project summary or the project update) against
// its cost cells, read as the user reads them: each total is the sum of the amounts shown above it
// in its column (of its journal's rows, on the update sheet), the difference the plan's total
// less the current one.
void ExpectTotalsAddTheCellsShown(const QStringList& lines) {
  const testsupport::LocaleScope pxtoolLocale("en_US");  // the locale pxtool ran in
  ASSERT_GT(lines.size(), 2);
  const QStringList heading = lines.first().split(QLatin1Char('\t'));
  const qsizetype material = heading.indexOf(QStringLiteral("Material cost"));
  ASSERT_GE(material, 0);
  ASSERT_EQ(heading.mid(material), QStringList({"Material cost", "Labor cost", "Total cost"}));
  const bool byJournal = heading.at(1) == QLatin1String("Journal");
  const auto amount = [](const QString& cell) {
    const std::optional<Currency> read = Common::TextToCurrency(cell);
    EXPECT_TRUE(read.has_value()) << cell.toStdString();
    return read.value_or(Currency());
  };
  QHash<QString, CostSums> sums;  // by journal; one sum for the summary sheet
  int totalRows = 0;
  for (const QString& line : lines.mid(1)) {
    const QStringList cells = line.split(QLatin1Char('\t'));
    ASSERT_EQ(cells.size(), heading.size()) << line.toStdString();
    const QString journal = byJournal ? cells.at(1) : QString();
    if (cells.at(0) != QLatin1String("Total")) {
      EXPECT_EQ(totalRows, 0) << "a task row after the totals: " << line.toStdString();
      for (int kind = 0; kind < 3; ++kind) sums[journal][kind] += amount(cells.at(material + kind));
      continue;
    }
    ++totalRows;
    for (int kind = 0; kind < 3; ++kind) {
      const Currency expected = journal == QLatin1String("Difference")
                                    ? sums.value(QStringLiteral("Plan"))[kind] - sums.value(QStringLiteral("Current"))[kind]
                                    : sums.value(journal)[kind];
      EXPECT_EQ(amount(cells.at(material + kind)), expected)
          << "the cells above add up to " << Common::FormatCurrency(expected).toStdString() << ": " << line.toStdString();
    }
  }
  EXPECT_EQ(totalRows, byJournal ? 3 : 1);
}

// The sample as it comes, and with every resource's rate raised by a fraction of a cent, so that
// the labour costs are not whole cents.
TEST(PxtoolSheetTotals, EachCostTotalIsTheSumOfTheCellsPrintedAboveIt) {
  QByteArray odd = testsupport::ReadFileBytes(QStringLiteral(PRAXEL_SAMPLE));
  ASSERT_TRUE(odd.contains("BurdenedRate,95"));
  static const QRegularExpression rate(QStringLiteral("(BurdenedRate,\\d+)"));
  odd = QString::fromLatin1(odd).replace(rate, QStringLiteral("\\1.3337")).toLatin1();
  const QString oddRates = testsupport::DataFolderPath(QStringLiteral("odd-rates.pxa"));
  testsupport::WriteFileBytes(oddRates, odd);
  for (const QString& file : {QStringLiteral(PRAXEL_SAMPLE), oddRates}) {
    for (const char* type : {"3", "4"}) {
      SCOPED_TRACE(QStringLiteral("%1, sheet %2").arg(QFileInfo(file).fileName(), QLatin1String(type)).toStdString());
      const ToolRun run = RunPxtool({QStringLiteral("sheet"), file, QString::fromLatin1(type)});
      ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
      ExpectTotalsAddTheCellsShown(run.Lines());
    }
  }
}

TEST(PxtoolSheetCalls, RefusesAnUnknownTypeAndAMonthItCannotRead) {
  const struct {
    QStringList arguments;
    const char* message;
  } cases[] = {{{"11"}, "the spreadsheet type is a number from 1 to 10, not 11"},
               {{"x"}, "the spreadsheet type is a number from 1 to 10, not x"},
               {{"7", "--month", "13/2026"}, "--month takes a month as mm/yyyy"},
               {{"7", "--month", "01/0001"}, "--month takes a month as mm/yyyy, in the years 0100 to 9999"}};
  for (const auto& c : cases) {
    const ToolRun run = RunPxtool(QStringList{QStringLiteral("sheet"), kFixture} + c.arguments);
    EXPECT_EQ(run.exitCode, 64) << c.message;
    EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.message))) << run.err.toStdString();
  }
  EXPECT_EQ(RunPxtool({QStringLiteral("sheet"), QStringLiteral("/no/such/file.pxa"), QStringLiteral("1")}).exitCode, 2);
}

// The project update sheet compares two journals: a project whose current journal is its plan
// has nothing to compare, and the sheet says so.
TEST(PxtoolSheetCalls, TheProjectUpdateNeedsTwoJournals) {
  QByteArray text = testsupport::ReadFileBytes(kFixture);
  text.replace("PlanIndex,0", "PlanIndex,1");
  const QString path = testsupport::DataFolderPath(QStringLiteral("plan.pxa"));
  testsupport::WriteFileBytes(path, text);
  const ToolRun run = RunPxtool({QStringLiteral("sheet"), path, QStringLiteral("4")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("current journal to be different from the plan journal")))
      << run.err.toStdString();
}

// A sheet that does not need the schedule is printed after a failed solve, but the exit code and
// the solve's message say the figures are no schedule.
TEST(PxtoolSheetCalls, ASheetAfterAFailedSolveSaysWhyTheSolveStopped) {
  // A task with effort and nobody assigned to it stops the solve.
  const QString path = QStringLiteral(PRAXEL_ANALYSIS_DATA "/data/unstaffed.pxa");
  for (const char* type : {"2", "10"}) {
    const ToolRun run = RunPxtool({QStringLiteral("sheet"), path, QString::fromLatin1(type)});
    EXPECT_EQ(run.exitCode, 1) << type;
    EXPECT_FALSE(run.out.isEmpty()) << type;
    EXPECT_EQ(run.err, QStringLiteral("pxtool: Effort without resources\n")) << type;
  }
}

// The largest offset a dependency holds is shown on the sheet that lists it, and the solve says
// which task it carries past the last date, instead of an internal error in the sheet.
TEST(PxtoolSheetCalls, TheLargestOffsetIsShownAndTheTaskItCarriesTooFarNamed) {
  QByteArray text = testsupport::ReadFileBytes(kFixture);
  const qsizetype at = text.indexOf("  Offset,0\r\n");
  ASSERT_GE(at, 0);
  text.replace(at, 12, "  Offset,2147483647\r\n");
  const QString path = testsupport::DataFolderPath(QStringLiteral("far-offset.pxa"));
  testsupport::WriteFileBytes(path, text);
  const ToolRun run = RunPxtool({QStringLiteral("sheet"), path, QStringLiteral("2")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(run.err.contains(QStringLiteral("Internal error"))) << run.err.toStdString();
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("pxtool: Date out of range: "))) << run.err.toStdString();
  EXPECT_TRUE(run.out.contains(QStringLiteral("+ 71582788.23 months"))) << run.out.toStdString();
}

}  // namespace
