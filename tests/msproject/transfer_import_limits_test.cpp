// The import of files made to break it: outlines thousands of levels deep, values the model
// cannot hold, dates at the end of the calendar, lags too small or too large for their text.

#include "Common.h"
#include "MspdiDocument.h"
#include "Transfer.h"
#include "TransferTestSupport.h"
#include "Yproject.h"
#include "Ytask.h"

namespace {

using MSProject::kDeepestOutline;

class ImportLimits : public TransferTest {};

// An outline as deep as the limit imports as a chain of subprojects, each summary standing for
// the next; a staircase of 20,000 levels is refused with the reason before anything changes.
TEST_F(ImportLimits, AnOutlineImportsAsDeepAsTheLimitAndNoDeeper) {
  prompter.Answer(praxel::AnswerOk);
  EXPECT_FALSE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("stairs.xml"), MspdiStaircase(20000))));
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_TRUE(prompter.Asked()[0].text.contains(
      QStringLiteral("task %1 lies below %2 summary tasks").arg(kDeepestOutline + 1).arg(kDeepestOutline)))
      << prompter.Asked()[0].text.toStdString();
  EXPECT_TRUE(Common::Projects().IsEmpty());
  EXPECT_TRUE(Common::Templates().IsEmpty());

  ASSERT_TRUE(Transfer::ImportMSProject(WriteDataFile(QStringLiteral("deepest.xml"), MspdiStaircase(kDeepestOutline))));
  const Yproject* project = Common::ThisProject();
  for (int level = 1; level < kDeepestOutline; ++level) {
    ASSERT_EQ(project->TaskList.Count(), 1) << level;
    const Ytask* summary = project->TaskList.First();
    ASSERT_NE(summary->Subproject(), nullptr) << level;
    project = summary->Subproject();
  }
  ASSERT_EQ(project->TaskList.Count(), 1);
  EXPECT_EQ(project->TaskList.First()->TaskID(), kDeepestOutline);
  EXPECT_EQ(project->TaskList.First()->Subproject(), nullptr);
}

}  // namespace
