#include "Bundle.h"
#include "Common.h"
#include "FileProgress.h"
#include "Pool.h"
#include "PooledFile.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>

namespace {

// Keeps every busy text, in order.
class RecordingProgress final : public FileProgress {
 public:
  void StatusMessage(const QString& Text) override { texts.append(Text); }
  QStringList texts;
};

class FileProgressTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    Common::FreeAllMemory();
    SetFileProgress(&progress);
  }
  void TearDown() override {
    SetFileProgress(nullptr);
    Common::FreeAllMemory();
    EXPECT_TRUE(prompter.AllAnswered());
  }

  testsupport::ScriptedPrompter prompter;
  RecordingProgress progress;
};

// Each file object names the file it works on while it is open; closing it clears the text.
TEST_F(FileProgressTest, SavingAndOpeningNameTheFileUntilItIsClosed) {
  const QString path = testsupport::DataFolderPath(QStringLiteral("plan.pxb"));
  Common::FindOrCreateProject(QStringLiteral("Office move"))->AddJournal(46000.0);
  ASSERT_TRUE(Bundle::SaveAll(path));
  Common::FreeAllMemory();
  ASSERT_TRUE(Bundle::OpenBundle(path));
  EXPECT_EQ(progress.texts,
            QStringList({QStringLiteral("Writing to ") + path, QString(), QStringLiteral("Reading from ") + path, QString()}));
}

// A big file is taken in by pieces with the reader's hook between them, the busy text already
// standing: the window is painted even before the first line is read, and a file of few lines
// (a long text in one record) is no exception.
TEST_F(FileProgressTest, TheHookRunsWhileTheBytesComeInWithTheFileNamed) {
  const QString path = testsupport::DataFolderPath(QStringLiteral("long.pxa"));
  Yproject* project = Common::FindOrCreateProject(QStringLiteral("Office move"));
  project->AddJournal(46000.0);
  const QString notes(3 * 1024 * 1024, QLatin1Char('n'));
  project->FindOrCreateTask(1)->Description = notes;
  ASSERT_TRUE(Bundle::SaveAll(path));
  Common::FreeAllMemory();
  progress.texts.clear();
  QStringList seenByHook;
  ASSERT_TRUE(Bundle::OpenBundle(path, nullptr, [&] { seenByHook.append(progress.texts.join(QLatin1Char('|'))); }));
  EXPECT_GE(seenByHook.size(), 3) << "a piece of the bytes at a time";
  for (const QString& seen : seenByHook) EXPECT_EQ(seen, QStringLiteral("Reading from ") + path);
  EXPECT_EQ(Common::FindOrCreateProject(QStringLiteral("Office move"))->FindOrCreateTask(1)->Description, notes);
}

// A file that could not be opened is reported in a message box and never shown as busy.
TEST_F(FileProgressTest, AFileThatCannotBeOpenedShowsNoBusyText) {
  {
    PooledFile missing(testsupport::DataFolderPath(QStringLiteral("missing.pxa")));
    prompter.Answer(praxel::AnswerOk);
    EXPECT_FALSE(missing->OpenRead());
  }
  ASSERT_TRUE(QDir().mkpath(testsupport::DataFolderPath(QStringLiteral("folder.pxa"))));
  {
    PooledFile folder(testsupport::DataFolderPath(QStringLiteral("folder.pxa")));
    prompter.Answer(praxel::AnswerOk);
    EXPECT_FALSE(folder->OpenWrite());
  }
  EXPECT_TRUE(progress.texts.isEmpty()) << progress.texts.join(QLatin1Char('|')).toStdString();
}

// A progress destroyed while installed is uninstalled, so the next file object does not report
// to a dead window.
TEST(FileProgressInstall, ADestroyedProgressIsUninstalled) {
  FileProgress* destroyed = nullptr;
  {
    RecordingProgress progress;
    SetFileProgress(&progress);
    EXPECT_EQ(&CurrentFileProgress(), &progress);
    destroyed = &progress;
  }
  EXPECT_NE(&CurrentFileProgress(), destroyed);
  CurrentFileProgress().StatusMessage(QStringLiteral("Reading from nowhere"));  // the default shows nothing
}

}  // namespace
