// Saves on a disk that is full or nearly full, on a real file system: every way of saving fails
// whole, tells the user the file and "No space left on device", and leaves the old file byte for
// byte as it was, whether the new text is smaller or larger than what the disk buffers.

#include "Bundle.h"
#include "Common.h"
#include "Pool.h"
#include "PxtoolRun.h"
#include "ScriptedPrompter.h"
#include "Settings.h"
#include "SmallDisk.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

const QString kSample = QStringLiteral(PRAXEL_EXAMPLES "/sample.pxa");
const QString kSmall = QStringLiteral(PRAXEL_EXAMPLES "/plant.pxa");

// Sets PRAXEL_HOME for one scope, so that the settings store is written on the small disk.
class HomeScope {
 public:
  explicit HomeScope(const QString& folder) : saved_(qgetenv("PRAXEL_HOME")) { qputenv("PRAXEL_HOME", folder.toLocal8Bit()); }
  ~HomeScope() { qputenv("PRAXEL_HOME", saved_); }

 private:
  QByteArray saved_;
};

class FullDiskTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!disk.Mounted()) GTEST_SKIP() << qPrintable(disk.WhyNot());
    Common::FreeAllMemory();
    Settings::ForgetStore();
  }
  void TearDown() override {
    Common::FreeAllMemory();
    Settings::ForgetStore();
  }

  static void Load(const QString& path) {
    Common::FreeAllMemory();
    ASSERT_TRUE(Bundle::OpenBundle(path));
  }

  void EmptyDisk() const {
    for (const QString& file : QDir(disk.Path(QString())).entryList(QDir::Files)) QFile::remove(disk.Path(file));
  }

  // The disk's files but the filler and the error log: a failed save leaves no temporary file behind.
  QStringList DiskFiles() const {
    QStringList files = QDir(disk.Path(QString())).entryList(QDir::Files);
    files.removeAll(QStringLiteral("fill.bin"));
    files.removeAll(QStringLiteral("ErrTrap.log"));
    return files;
  }

  SmallDisk disk;
  testsupport::ScriptedPrompter prompter;
};

// Each way of saving in the program: the sample saved once whole, then again (the same or a
// smaller plan) with no room at all and with one page left where the new version needs more.
TEST_F(FullDiskTest, EverySaveFailsWholeAndKeepsTheOldFile) {
  struct Way {
    const char* name;
    QString file;
    std::function<void(const QString& path)> save;
  };
  const Way ways[] = {
      {"plain project file", QStringLiteral("plan.pxa"), [](const QString& path) { Bundle::SaveAll(path); }},
      {"packed project file", QStringLiteral("plan.pxb"), [](const QString& path) { Bundle::SaveAll(path); }},
      {"automatic backup", QStringLiteral("Backup03.pxb"), [](const QString& path) { Bundle::SaveCopy(path); }},
      {"settings store", QStringLiteral("Praxel.cfg"), [](const QString&) { Settings::WriteConfigFile(); }},
  };
  const QString ample = testsupport::ProgramDataFolder();
  const HomeScope home(disk.Path(QString()));
  for (const Way& way : ways) {
    for (const QString& second : {kSample, kSmall}) {
      for (const qint64 room : {qint64{0}, qint64{4096}}) {
        SCOPED_TRACE(testing::Message() << way.name << ", " << qPrintable(second) << ", room " << room);
        EmptyDisk();
        Load(kSample);
        Settings::ForgetStore();
        Settings::WriteSettings(QStringLiteral("RecentFile1"), kSample);
        way.save(disk.Path(way.file));
        const QByteArray old = testsupport::ReadFileBytes(disk.Path(way.file));
        ASSERT_FALSE(old.isEmpty());
        const QStringList files = DiskFiles();

        Load(second);
        Settings::WriteSettings(QStringLiteral("RecentFile1"), second);
        {
          const HomeScope ampleHome(ample);
          way.save(ample + QLatin1Char('/') + way.file);
        }
        if (QFileInfo(ample + QLatin1Char('/') + way.file).size() <= room) continue;  // it fits
        disk.LeaveFree(room);
        const qsizetype asked = prompter.Asked().size();
        prompter.Answer(praxel::AnswerIgnore);
        way.save(disk.Path(way.file));
        ASSERT_GT(prompter.Asked().size(), asked);
        const QString told = prompter.Asked().at(asked).text;
        EXPECT_TRUE(told.contains(disk.Path(way.file)) && told.contains(QStringLiteral("No space left on device")))
            << told.toStdString();
        EXPECT_EQ(testsupport::ReadFileBytes(disk.Path(way.file)), old);
        EXPECT_EQ(DiskFiles(), files);
      }
    }
  }
}

// pxtool's commands that write a file: exit 3 with the file and the disk's error, the old file
// unchanged, for outputs smaller and larger than the disk's buffer.
TEST_F(FullDiskTest, PxtoolRefusesToWriteOnAFullDisk) {
  const QString packedSample = disk.Path(QStringLiteral("source.pxb"));
  ASSERT_EQ(RunPxtool({QStringLiteral("pack"), kSample, packedSample}).exitCode, 0);
  struct Call {
    const char* name;
    QStringList arguments;
    QString output;
  };
  const Call calls[] = {
      {"resave, large", {QStringLiteral("resave"), kSample}, disk.Path(QStringLiteral("plan.pxa"))},
      {"resave, small", {QStringLiteral("resave"), kSmall}, disk.Path(QStringLiteral("plan.pxa"))},
      {"resave packed", {QStringLiteral("resave"), kSample}, disk.Path(QStringLiteral("plan.pxb"))},
      {"export", {QStringLiteral("resave"), kSmall}, disk.Path(QStringLiteral("plan.xml"))},
      {"pack", {QStringLiteral("pack"), kSample}, disk.Path(QStringLiteral("plan.pxb"))},
      {"unpack", {QStringLiteral("unpack"), packedSample}, disk.Path(QStringLiteral("plan.pxa"))},
  };
  for (const Call& call : calls) {
    for (const qint64 room : {qint64{0}, qint64{4096}}) {
      SCOPED_TRACE(testing::Message() << call.name << ", room " << room);
      disk.LeaveFree(1 << 20);
      const QByteArray before = testsupport::ReadFileBytes(kSmall);
      testsupport::WriteFileBytes(call.output, before);
      disk.LeaveFree(room);
      const ToolRun run = RunPxtool(call.arguments + QStringList{call.output});
      EXPECT_EQ(run.exitCode, 3) << run.err.toStdString();
      EXPECT_TRUE(run.err.contains(call.output) && run.err.contains(QStringLiteral("No space left on device")))
          << run.err.toStdString();
      EXPECT_EQ(testsupport::ReadFileBytes(call.output), before);
      QFile::remove(call.output);
    }
  }
}

}  // namespace
