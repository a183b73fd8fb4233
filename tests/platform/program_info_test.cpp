#include "ProgramInfo.h"
#include "TestSupport.h"
#include "praxel_version.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace praxel;

namespace {

TEST(ProgramInfo, DataFolderIsPraxelHomeAndIsCreated) {
  const QByteArray saved = qgetenv("PRAXEL_HOME");
  const QString folder = QDir::tempPath() + QStringLiteral("/praxel-info-test/nested");
  QDir(folder).removeRecursively();
  qputenv("PRAXEL_HOME", folder.toLocal8Bit());
  EXPECT_EQ(ProgramDataFolder(), folder);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  qputenv("PRAXEL_HOME", saved);
  QDir(QDir::tempPath() + QStringLiteral("/praxel-info-test")).removeRecursively();
}

TEST(ProgramInfo, DataFolderFallsBackToTheUsersDataFolder) {
  const QByteArray saved = qgetenv("PRAXEL_HOME");
  const QByteArray savedData = qgetenv("XDG_DATA_HOME");
  const QString dataHome = testsupport::ProgramDataFolder() + QStringLiteral("/xdg");
  qunsetenv("PRAXEL_HOME");
  qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());
  EXPECT_EQ(ProgramDataFolder(), dataHome + QStringLiteral("/Praxel"));
  qputenv("PRAXEL_HOME", saved);
  if (savedData.isEmpty()) qunsetenv("XDG_DATA_HOME"); else qputenv("XDG_DATA_HOME", savedData);
}

TEST(ProgramInfo, ProgramFileIsThisTestProgram) {
  EXPECT_EQ(ProgramFilePath(), QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
  EXPECT_EQ(ModuleFilePath(reinterpret_cast<const void*>(&ProgramFilePath)), ProgramFilePath());
  EXPECT_TRUE(FileChangeDate(ProgramFilePath()).isValid());
  EXPECT_FALSE(FileChangeDate(QStringLiteral("/no/such/file")).isValid());
}

TEST(ProgramInfo, VersionTextWritesMinorAndRevisionTogether) {
  EXPECT_EQ(VersionText({2, 5, 1}), QStringLiteral("2.51"));
  EXPECT_EQ(VersionText({1, 0, 0}), QStringLiteral("1.00"));
  EXPECT_EQ(VersionText({3, 12, 7}), QStringLiteral("3.127"));
  const ProgramVersion version = CurrentVersion();
  EXPECT_EQ(version.major, PRAXEL_VERSION_MAJOR);
  EXPECT_EQ(version.minor, PRAXEL_VERSION_MINOR);
  EXPECT_EQ(version.revision, PRAXEL_VERSION_PATCH);
}

}  // namespace
