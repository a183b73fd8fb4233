// The sample file that the README's run command opens: it holds what it promises and solves
// without a window.

#include "Bundle.h"
#include "Common.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>
#include <QStringList>

namespace {

const QString kSample = QStringLiteral(PRAXEL_EXAMPLES "/sample.pxa");

TEST(SampleFile, HoldsTwoTemplatesAProjectWithASubprojectAndAnotherOnTwoJournals) {
  testsupport::ScriptedPrompter prompter;
  Common::FreeAllMemory();
  Bundle::FirstRecords first;
  ASSERT_TRUE(Bundle::OpenBundle(kSample, &first));

  ASSERT_EQ(Common::Templates().Count(), 2);
  for (const Ytemplate* templ : Common::Templates()) {
    EXPECT_GE(templ->ShiftList.Count(), 2) << templ->TemplateName().toStdString();
    EXPECT_EQ(templ->NumJournals, 2);
  }
  int tasks = 0;
  int subprojects = 0;
  QSet<int> fromPercents;
  bool acrossProjects = false;
  for (const Yproject* project : Common::Projects()) {
    EXPECT_EQ(project->NumJournals, 2);
    if (project->Parent() != nullptr) ++subprojects;
    for (const Ytask* task : project->TaskList) {
      ++tasks;
      for (const Ydependency* dependency : task->DependencyList) {
        const Ytask* required = dependency->TaskRequired();
        if (required == nullptr) continue;
        fromPercents.insert(dependency->FromPercent());
        if (required->Project()->Master() != project->Master()) acrossProjects = true;
      }
    }
  }
  EXPECT_EQ(Common::Projects().Count(), 3);
  EXPECT_EQ(subprojects, 1);
  EXPECT_GE(tasks, 35);
  EXPECT_GE(fromPercents.size(), 3);
  EXPECT_TRUE(acrossProjects);
  ASSERT_NE(first.project, nullptr);
  EXPECT_EQ(first.project->Parent(), nullptr);
  Common::FreeAllMemory();
}

TEST(SampleFile, SolvesToSolveCompleteWithEveryTaskDated) {
  QProcess tool;
  tool.start(QStringLiteral(PRAXEL_PXTOOL), {QStringLiteral("solve"), kSample});
  ASSERT_TRUE(tool.waitForFinished(60000));
  const QString out = QString::fromLocal8Bit(tool.readAllStandardOutput());
  EXPECT_EQ(tool.exitCode(), 0) << QString::fromLocal8Bit(tool.readAllStandardError()).toStdString();
  QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.takeFirst(), QStringLiteral("Solve complete"));
  EXPECT_GE(lines.size(), 35);
  // Project, task, early start and finish, late start and finish, labor cost: every date lies in
  // the plan's months, none is left at day 0.
  for (const QString& line : lines) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 7) << line.toStdString();
    for (int date = 2; date <= 5; ++date) {
      EXPECT_TRUE(fields.at(date).contains(QStringLiteral("/2026 "))) << line.toStdString();
    }
  }
}

}  // namespace
