// Dates at the ends of what the file holds, in the sample plan: a date the file cannot hold is
// refused naming the file, the line and the value, never read as another date, and never written.

#include "Bundle.h"
#include "Common.h"
#include "OleDate.h"
#include "Pool.h"
#include "PxtoolRun.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

const QString kSample = QStringLiteral(PRAXEL_EXAMPLES "/sample.pxa");
constexpr int kDepDateLine = 578;  // the sample's first DepDate

// The sample with the value of its first DepDate replaced.
QString SampleWithDepDate(const QString& value) {
  QList<QByteArray> lines = testsupport::ReadFileBytes(kSample).split('\n');
  lines[kDepDateLine - 1] = "  DepDate," + value.toLatin1() + '\r';
  const QString path = testsupport::DataFolderPath(QStringLiteral("dated.pxa"));
  testsupport::WriteFileBytes(path, lines.join('\n'));
  return path;
}

TEST(DateBounds, TheReaderTakesOnlyTheDatesTheFileHolds) {
  struct Case {
    const char* text;
    const char* writtenBack;  // nullptr: refused
  };
  const Case cases[] = {
      {"03/02/20260 12:00am", nullptr},  // a five-digit year, not 2026
      {"01/01/10000 12:00am", nullptr},  // not 1000
      {"12/31/9999 11:59pm", "12/31/9999 11:59pm"},
      {"01/01/1800 12:00am", nullptr},  // before the solver's day 0
      {"12/29/1899 11:59pm", nullptr},
      {"12/30/1899 12:00am", "12/30/1899 12:00am"},
  };
  const QString out = testsupport::DataFolderPath(QStringLiteral("out.pxa"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const QString path = SampleWithDepDate(QLatin1String(c.text));
    QFile::remove(out);
    const ToolRun run = RunPxtool({QStringLiteral("resave"), path, out});
    if (c.writtenBack == nullptr) {
      EXPECT_EQ(run.exitCode, 2);
      EXPECT_TRUE(run.err.contains(QStringLiteral("%1, line %2: \"DepDate\" value \"%3\"").arg(path).arg(kDepDateLine).arg(QLatin1String(c.text))))
          << run.err.toStdString();
      EXPECT_FALSE(QFile::exists(out));
    } else {
      EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
      EXPECT_TRUE(testsupport::ReadFileBytes(out).contains(QByteArray("  DepDate,") + c.writtenBack + "\r\n"));
    }
  }
}

// A date past the last minute of 9999 (or one that rounds into it) in the model: the save fails
// with the field's name even when the user answers Ignore, and the old file stays.
TEST(DateBounds, ADateTheFileCannotHoldIsNeverWritten) {
  testsupport::ScriptedPrompter prompter;
  const QString path = testsupport::DataFolderPath(QStringLiteral("plan.pxa"));
  for (const double day : {praxel::kEndOfDates, praxel::kEndOfDates - 10.0 / 86400.0, praxel::kFirstDay - 1.0}) {
    SCOPED_TRACE(day);
    Common::FreeAllMemory();
    ASSERT_TRUE(Bundle::OpenBundle(kSample));
    ASSERT_TRUE(Bundle::SaveAll(path));
    const QByteArray old = testsupport::ReadFileBytes(path);
    Ydependency* dependency = nullptr;
    for (Yproject* project : Common::Projects()) {
      for (Ytask* task : project->TaskList) {
        if (dependency == nullptr && task->DependencyList.Count() > 0) dependency = task->DependencyList.First();
      }
    }
    ASSERT_NE(dependency, nullptr);
    dependency->SetDepDate(day);
    // Asked at the field, and again when the file is to take the old one's place.
    prompter.Answer(praxel::AnswerIgnore);
    prompter.Answer(praxel::AnswerIgnore);
    EXPECT_FALSE(Bundle::SaveAll(path));
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_TRUE(prompter.Asked().last().text.contains(QStringLiteral("\"DepDate\" holds a date outside")))
        << prompter.Asked().last().text.toStdString();
    EXPECT_EQ(testsupport::ReadFileBytes(path), old);
  }
  Common::FreeAllMemory();
  EXPECT_TRUE(prompter.AllAnswered());
}

}  // namespace
