#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system of its own (a tmpfs) for the tests of a full disk or a read-only folder.
// It can be made only by root on a system that lets it mount; otherwise Mounted() is false and
// WhyNot() gives the reason to skip with:
//
//   SmallDisk disk;
//   if (!disk.Mounted()) GTEST_SKIP() << qPrintable(disk.WhyNot());
//
// The file system is unmounted when the object goes.
class SmallDisk {
 public:
  explicit SmallDisk(qint64 size = 64 * 1024);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  const QString& WhyNot() const { return whyNot_; }
  // A file of that name on the disk.
  QString Path(const QString& name) const;
  // Fills the disk with a file of its own until at most `room` bytes are free (the file system
  // counts in pages of 4 KB). A second call first frees what the first one took.
  void LeaveFree(qint64 room);
  // The bytes the disk still has free.
  qint64 Free() const;
  // Makes the whole disk read-only, as a folder the user may not write to.
  bool MakeReadOnly();

 private:
  QTemporaryDir folder_;
  bool mounted_ = false;
  QString whyNot_;
};
