#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// The automatic backup: while a project is loaded, everything is saved every so many minutes to
// "Backup" and the two-digit minute of the hour, ".pxb", in the program data folder, without
// asking. With a period of 10 minutes Backup00 to Backup50 are written over every hour.
//
// A backup is a copy: the dirty flags, the recent-file list and the current file name stay as
// they were, so closing the program still offers to save the user's own file. A backup that
// cannot be written has told the user and is tried again at the next due minute.
class AutoBackup {
 public:
  using Clock = std::function<QDateTime()>;

  AutoBackup();

  // The clock the ticks read (the system clock unless a test sets another).
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // One tick of the main window's backup timer: writes the backup when one is due, that is when
  // a project is loaded, the period (minutes, 0 off) divides the current minute and no backup was
  // made in this minute yet.
  void Tick(int periodMinutes);

  // The backup file of a minute of the hour.
  static QString BackupPath(int minute);

 private:
  Clock clock_;
  QDateTime last_;  // the minute of the last backup; invalid until the first
};
