// Saves that fail part of the way: the first write refused, the disk filling up at any point,
// the process killed while it saves. The old file stays whole and readable every time, for the
// project files, the settings store and the automatic backups.

#include "Bundle.h"
#include "Common.h"
#include "ErrTrap.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "Settings.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yfile.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QThread>

#include <functional>
#include <memory>

namespace {

// A save target on a disk with `room` bytes left: what fits is written, then every write fails
// as a full disk does.
class FullDiskFile final : public QSaveFile {
 public:
  FullDiskFile(const QString& name, qint64 room) : QSaveFile(name), room_(room) {}

 protected:
  qint64 writeData(const char* data, qint64 size) override {
    const qint64 fits = std::min(size, room_);
    const qint64 written = fits > 0 ? QSaveFile::writeData(data, fits) : -1;
    room_ -= std::max<qint64>(written, 0);
    if (written < size) setErrorString(QStringLiteral("No space left on device"));
    return written;
  }

 private:
  qint64 room_;
};

// A save target whose disk fills up at its `failAt`-th write (counting from 1; 0 never), the one
// that puts the last of the text out included. That write is cut short (half of it written, as
// a disk does that fills up in the middle of it) or refused whole; every later write fails.
// `writes` counts the writes made.
class FailingWriteFile final : public QSaveFile {
 public:
  FailingWriteFile(const QString& name, int failAt, bool cutShort, std::shared_ptr<int> writes)
      : QSaveFile(name), failAt_(failAt), cutShort_(cutShort), writes_(std::move(writes)) {}

 protected:
  qint64 writeData(const char* data, qint64 size) override {
    const int call = ++*writes_;
    if (failAt_ == 0 || call < failAt_) return QSaveFile::writeData(data, size);
    // A write cut short reports no error, as write(2) does; the next one fails with it.
    if (call == failAt_ && cutShort_ && size > 1) return QSaveFile::writeData(data, size / 2);
    setErrorString(QStringLiteral("No space left on device"));
    return -1;
  }

 private:
  int failAt_;
  bool cutShort_;
  std::shared_ptr<int> writes_;
};

class SaveFaultTest : public testing::Test {
 protected:
  void SetUp() override {
    testsupport::ClearProgramDataFolder();
    Common::FreeAllMemory();
    Settings::ForgetStore();
  }
  void TearDown() override {
    Yfile::SetSaveFileMaker(nullptr);
    Common::FreeAllMemory();
    Settings::ForgetStore();
    Solve::SetSolveMode(Solve::ModeIdle);
    EXPECT_TRUE(prompter.AllAnswered());
  }

  // A project of `tasks` described tasks, the active one.
  static void MakeProject(int tasks, const QString& description) {
    Yproject* project = Common::FindOrCreateProject(QStringLiteral("Plant"));
    project->AddJournal(46000.0);
    for (int id = 1; id <= tasks; ++id) project->FindOrCreateTask(id)->Description = description;
    Common::SetThisProject(project);
  }

  // The files in the program data folder but the error log: a save that failed leaves no
  // temporary file behind.
  static QStringList FolderFiles() {
    QStringList files = QDir(testsupport::DataFolderPath(QString())).entryList(QDir::Files);
    files.removeAll(QStringLiteral("ErrTrap.log"));
    return files;
  }

  testsupport::ScriptedPrompter prompter;
};

// Each way of saving writes a first version whole, then fails on a full disk at every stage of
// a second one: the first version stays byte for byte, and reads.
TEST_F(SaveFaultTest, AFullDiskNeverHarmsTheOldFile) {
  struct Way {
    const char* name;
    QString file;
    std::function<void()> save;
    std::function<bool(const QString&)> reads;
  };
  const auto openable = [](const QString& path) {
    Common::FreeAllMemory();
    return Bundle::OpenBundle(path) && Common::Projects().Find(QStringLiteral("Plant")) != nullptr;
  };
  const Way ways[] = {
      {"plain project file", QStringLiteral("plan.pxa"),
       [] { Bundle::SaveAll(testsupport::DataFolderPath(QStringLiteral("plan.pxa"))); }, openable},
      {"packed project file", QStringLiteral("plan.pxb"),
       [] { Bundle::SaveAll(testsupport::DataFolderPath(QStringLiteral("plan.pxb"))); }, openable},
      {"automatic backup", QStringLiteral("Backup07.pxb"),
       [] { Bundle::SaveCopy(testsupport::DataFolderPath(QStringLiteral("Backup07.pxb"))); }, openable},
      {"settings store", QStringLiteral("Praxel.cfg"), [] { Settings::WriteConfigFile(); },
       [](const QString&) {
         Settings::ForgetStore();
         return Settings::ReadSettings(QStringLiteral("RtfEditor")) == QLatin1String("first");
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    const QString path = testsupport::DataFolderPath(way.file);
    Common::FreeAllMemory();
    MakeProject(40, QStringLiteral("First"));
    Settings::WriteSettings(QStringLiteral("RtfEditor"), QStringLiteral("first"));
    way.save();
    const QByteArray first = testsupport::ReadFileBytes(path);
    ASSERT_FALSE(first.isEmpty());
    const QStringList files = FolderFiles();

    Common::FreeAllMemory();
    MakeProject(80, QStringLiteral("Second, longer than the first"));
    Settings::WriteSettings(QStringLiteral("RtfEditor"), QStringLiteral("second"));
    // The second version is the longer: with room for less than the first, it never fits.
    for (const qint64 room : {qint64{0}, qint64{1}, first.size() / 2, first.size() - 1}) {
      SCOPED_TRACE(room);
      Yfile::SetSaveFileMaker([room](const QString& name) { return std::make_unique<FullDiskFile>(name, room); });
      prompter.Answer(praxel::AnswerIgnore);
      way.save();
      ASSERT_FALSE(prompter.Asked().isEmpty());
      EXPECT_TRUE(prompter.Asked().last().text.contains(QStringLiteral("No space left on device")))
          << prompter.Asked().last().text.toStdString();
      EXPECT_EQ(testsupport::ReadFileBytes(path), first);
      EXPECT_EQ(FolderFiles(), files);
    }
    Yfile::SetSaveFileMaker(nullptr);
    EXPECT_TRUE(way.reads(path));
  }
}

// A large plain file goes to the disk in parts as it is written: the disk filling up in the first
// part, between parts or in the last one still leaves the old file, and the error is reported.
TEST_F(SaveFaultTest, AFullDiskPartWayThroughALargePlainFileKeepsTheOldFile) {
  const QString path = testsupport::DataFolderPath(QStringLiteral("plan.pxa"));
  const QString copy = testsupport::DataFolderPath(QStringLiteral("copy.pxa"));
  MakeProject(7000, QStringLiteral("A task of the big plan"));
  ASSERT_TRUE(Bundle::SaveAll(copy));
  const qint64 large = QFileInfo(copy).size();
  constexpr qint64 kPart = 1 << 20;  // as the writer's parts
  ASSERT_GT(large, 2 * kPart);
  Common::FreeAllMemory();
  MakeProject(10, QStringLiteral("Small"));
  ASSERT_TRUE(Bundle::SaveAll(path));
  const QByteArray old = testsupport::ReadFileBytes(path);

  Common::FreeAllMemory();
  MakeProject(7000, QStringLiteral("A task of the big plan"));
  for (const qint64 room : {qint64{0}, kPart / 2, kPart, kPart + 1, large - 1}) {
    SCOPED_TRACE(room);
    Yfile::SetSaveFileMaker([room](const QString& name) { return std::make_unique<FullDiskFile>(name, room); });
    prompter.Answer(praxel::AnswerIgnore);
    EXPECT_FALSE(Bundle::SaveAll(path));
    ASSERT_FALSE(prompter.Asked().isEmpty());
    EXPECT_TRUE(prompter.Asked().last().text.contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(testsupport::ReadFileBytes(path), old);
  }
  Yfile::SetSaveFileMaker(nullptr);
  ASSERT_TRUE(Bundle::SaveAll(path));
  EXPECT_EQ(testsupport::ReadFileBytes(path), testsupport::ReadFileBytes(copy));
}

// The disk filling up at any one write of a large plain file, the last included, cut short or
// refused: the save fails with the disk's error and the old file stays.
TEST_F(SaveFaultTest, AFullDiskAtAnyWriteKeepsTheOldFile) {
  const QString path = testsupport::DataFolderPath(QStringLiteral("plan.pxa"));
  MakeProject(10, QStringLiteral("Small"));
  ASSERT_TRUE(Bundle::SaveAll(path));
  const QByteArray old = testsupport::ReadFileBytes(path);
  Common::FreeAllMemory();
  MakeProject(7000, QStringLiteral("A task of the big plan"));
  const auto writes = std::make_shared<int>(0);
  Yfile::SetSaveFileMaker([writes](const QString& name) { return std::make_unique<FailingWriteFile>(name, 0, false, writes); });
  ASSERT_TRUE(Bundle::SaveAll(testsupport::DataFolderPath(QStringLiteral("copy.pxa"))));
  const int count = *writes;
  ASSERT_GT(count, 2);  // the file goes out in parts
  for (int failAt = 1; failAt <= count; ++failAt) {
    for (const bool cutShort : {false, true}) {
      SCOPED_TRACE(testing::Message() << "write " << failAt << (cutShort ? ", cut short" : ", refused"));
      Yfile::SetSaveFileMaker([=](const QString& name) {
        return std::make_unique<FailingWriteFile>(name, failAt, cutShort, std::make_shared<int>(0));
      });
      prompter.Answer(praxel::AnswerIgnore);
      EXPECT_FALSE(Bundle::SaveAll(path));
      ASSERT_FALSE(prompter.Asked().isEmpty());
      EXPECT_TRUE(prompter.Asked().last().text.contains(QStringLiteral("No space left on device")))
          << prompter.Asked().last().text.toStdString();
      EXPECT_EQ(testsupport::ReadFileBytes(path), old);
    }
  }
}

// A save killed at any moment leaves the old file or the new one, whole: the text is written
// to a temporary file that takes the old one's place only when complete.
TEST_F(SaveFaultTest, ASaveKilledPartWayLeavesAWholeFile) {
  MakeProject(3000, QStringLiteral("A task of the big plan"));
  const QString source = testsupport::DataFolderPath(QStringLiteral("big.pxa"));
  ASSERT_TRUE(Bundle::SaveAll(source));
  Common::FreeAllMemory();
  MakeProject(10, QStringLiteral("Small"));
  const QString target = testsupport::DataFolderPath(QStringLiteral("target.pxb"));
  ASSERT_TRUE(Bundle::SaveAll(target));
  const QByteArray old = testsupport::ReadFileBytes(target);
  QByteArray whole;  // the new file, as a save that is not killed writes it

  for (int delay = 0; delay < 200; delay += 25) {
    SCOPED_TRACE(delay);
    QProcess process;
    process.start(QStringLiteral(PRAXEL_PXTOOL), {QStringLiteral("resave"), source, target});
    ASSERT_TRUE(process.waitForStarted());
    QThread::msleep(static_cast<unsigned long>(delay));
    process.kill();
    process.waitForFinished();
    const QByteArray now = testsupport::ReadFileBytes(target);
    if (now != old) {
      if (whole.isEmpty()) whole = now;
      EXPECT_EQ(now, whole);
      Common::FreeAllMemory();
      EXPECT_TRUE(Bundle::OpenBundle(target));
      EXPECT_EQ(Common::Projects().Find(QStringLiteral("Plant"))->TaskList.Count(), 3000);
    }
  }
}

}  // namespace
