// Saving a file whole or not at all, on a real small disk: the helper that the status report,
// the Microsoft Project export and pxtool's outputs save through.

#include "SaveFile.h"
#include "SmallDisk.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(SaveWhole, AFullDiskOrAReadOnlyFolderKeepsTheOldFileAndSaysWhy) {
  SmallDisk disk;
  if (!disk.Mounted()) GTEST_SKIP() << qPrintable(disk.WhyNot());
  const QString path = disk.Path(QStringLiteral("report.rtf"));
  const QByteArray old(5000, 'o');
  ASSERT_EQ(praxel::SaveWhole(path, old), QString());
  ASSERT_EQ(testsupport::ReadFileBytes(path), old);

  // Smaller than the disk's buffer and larger, with no room and with a page.
  for (const qsizetype size : {qsizetype{6000}, qsizetype{40000}}) {
    for (const qint64 room : {qint64{0}, qint64{4096}}) {
      SCOPED_TRACE(testing::Message() << size << " bytes, room " << room);
      disk.LeaveFree(room);
      EXPECT_EQ(praxel::SaveWhole(path, QByteArray(size, 'n')), QStringLiteral("No space left on device"));
      EXPECT_EQ(testsupport::ReadFileBytes(path), old);
      EXPECT_EQ(QDir(disk.Path(QString())).entryList(QDir::Files),
                (QStringList{QStringLiteral("fill.bin"), QStringLiteral("report.rtf")}));
    }
  }
  disk.LeaveFree(1 << 20);
  ASSERT_TRUE(disk.MakeReadOnly());
  EXPECT_FALSE(praxel::SaveWhole(path, QByteArray(10, 'n')).isEmpty());
  EXPECT_EQ(testsupport::ReadFileBytes(path), old);
}

}  // namespace
