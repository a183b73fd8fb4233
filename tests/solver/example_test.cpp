// The headless road on the sample file: read it, solve it, print the schedule.

#include "Bundle.h"
#include "Common.h"
#include "HeadlessSolve.h"
#include "ScheduleReport.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "SolverHost.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTextStream>

namespace {

TEST(ExampleFile, SolvesHeadlessAndPrintsItsSchedule) {
  testsupport::ScriptedPrompter prompter;
  Common::FreeAllMemory();
  Bundle::FirstRecords first;
  ASSERT_TRUE(Bundle::OpenBundle(QStringLiteral(PRAXEL_EXAMPLES "/plant.pxa"), &first));
  Common::SetThisProject(first.project);
  Common::SetThisTemplate(first.templ);
  Solve::SetSolveMode(Solve::ModeIdle);

  QString text;
  QTextStream out(&text);
  PrintSchedule(out, Solve::SolveHeadless());
  out.flush();
  // Survey 16 hours; design 24 hours after it; steel ordered when design is half done (three
  // calendar days); the frame after both (two people); inspection a day later; handover.
  EXPECT_EQ(text.split(QLatin1Char('\n')),
            (QStringList{
                "Solve complete",
                "Plant\t1\t03/02/2026 12:00am\t03/03/2026 05:00pm\t03/02/2026 12:00am\t03/03/2026 05:00pm\t960",
                "Plant\t2\t03/03/2026 05:00pm\t03/06/2026 05:00pm\t03/03/2026 05:00pm\t03/08/2026 12:00pm\t1332",
                "Plant\t3\t03/05/2026 12:00pm\t03/08/2026 12:00pm\t03/05/2026 12:00pm\t03/08/2026 12:00pm\t0",
                "Plant\t4\t03/08/2026 12:00pm\t03/11/2026 12:00pm\t03/08/2026 12:00pm\t03/11/2026 12:00pm\t2045",
                "Plant\t5\t03/12/2026 12:00pm\t03/12/2026 05:00pm\t03/12/2026 12:00pm\t03/12/2026 05:00pm\t222",
                "Plant\t6\t03/12/2026 05:00pm\t03/12/2026 05:00pm\t03/12/2026 05:00pm\t03/12/2026 05:00pm\t0",
                ""}));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  Common::FreeAllMemory();
  Solve::SetTrySolve(nullptr);
}

}  // namespace
