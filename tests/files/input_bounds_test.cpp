// Inputs that are not plans and have no end, or no lines: refused with a message naming the
// file, before they fill the memory.

#include "Bundle.h"
#include "Pool.h"
#include "PxtoolRun.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

struct Input {
  const char* name;
  QString path;
  const char* says;  // what the window's message says of it
};

// Whether a message refuses a file for its size or for having no lines. (pxtool's pack takes any
// input as text, so it finds a packed device to have no lines.)
bool Refused(const QString& message) {
  return message.contains(QLatin1String("no line break")) || message.contains(QLatin1String("larger than"));
}

// A device that never ends, as a plain and as a packed file; a file of one endless line; a file
// past the largest size (sparse, so that it takes no room).
std::vector<Input> Inputs() {
  const QString endlessLine = testsupport::DataFolderPath(QStringLiteral("line.pxa"));
  testsupport::WriteFileBytes(endlessLine, QByteArray(2 << 20, 'x'));
  const QString packedZero = testsupport::DataFolderPath(QStringLiteral("zero.pxb"));
  QFile::remove(packedZero);
  QFile::link(QStringLiteral("/dev/zero"), packedZero);
  const QString huge = testsupport::DataFolderPath(QStringLiteral("huge.pxa"));
  QFile file(huge);
  if (file.open(QIODevice::WriteOnly)) file.resize(qint64{300} << 20);
  return {{"device", QStringLiteral("/dev/zero"), "no line break"},
          {"packed device", packedZero, "larger than"},
          {"one endless line", endlessLine, "no line break"},
          {"too large", huge, "larger than"}};
}

TEST(InputBounds, PxtoolRefusesAFileThatIsNoPlan) {
  for (const Input& input : Inputs()) {
    SCOPED_TRACE(input.name);
    for (const char* command : {"solve", "pack", "unpack"}) {
      SCOPED_TRACE(command);
      // A short line of text is no packed file either, and unpacking says it is damaged.
      if (QLatin1String(command) == QLatin1String("unpack") && QLatin1String(input.name) == QLatin1String("one endless line")) continue;
      QStringList arguments{QLatin1String(command), input.path};
      if (QLatin1String(command) != QLatin1String("solve")) arguments << testsupport::DataFolderPath(QStringLiteral("out.pxb"));
      const ToolRun run = RunPxtool(arguments);
      EXPECT_EQ(run.exitCode, 2);
      EXPECT_TRUE(run.err.contains(input.path) && Refused(run.err)) << run.err.toStdString();
    }
  }
}

TEST(InputBounds, TheWindowRefusesAFileThatIsNoPlan) {
  testsupport::ScriptedPrompter prompter;
  for (const Input& input : Inputs()) {
    SCOPED_TRACE(input.name);
    Common::FreeAllMemory();
    prompter.Answer(praxel::AnswerIgnore);
    EXPECT_FALSE(Bundle::OpenBundle(input.path));
    ASSERT_FALSE(prompter.Asked().isEmpty());
    const QString told = prompter.Asked().last().text;
    EXPECT_TRUE(told.contains(input.path) && told.contains(QLatin1String(input.says))) << told.toStdString();
  }
  Common::FreeAllMemory();
}

// A file that is no plan is the user's mistake, not the program's: pxtool tells it in a line that
// quotes the file in part, and writes nothing to the error log.
TEST(InputBounds, PxtoolTellsAReadingErrorShortAndLogsNothing) {
  const QString notAPlan = testsupport::DataFolderPath(QStringLiteral("notes.pxa"));
  testsupport::WriteFileBytes(notAPlan, QByteArray(100000, 'x') + "\n");
  const QString log = testsupport::DataFolderPath(QStringLiteral("ErrTrap.log"));
  QFile::remove(log);
  for (const char* command : {"solve", "resave"}) {
    SCOPED_TRACE(command);
    QStringList arguments{QLatin1String(command), notAPlan};
    if (QLatin1String(command) == QLatin1String("resave")) arguments << testsupport::DataFolderPath(QStringLiteral("out.pxa"));
    const ToolRun run = RunPxtool(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("pxtool: ") + notAPlan + QStringLiteral(", line 1: read \"xxx")));
    EXPECT_LT(run.err.size(), 200) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(log));
  }
}

}  // namespace
