#include "AutoBackup.h"

#include "Bundle.h"
#include "Common.h"
#include "ErrTrap.h"
#include "ProgramInfo.h"

AutoBackup::AutoBackup() : clock_([] { return QDateTime::currentDateTime(); }) {}

QString AutoBackup::BackupPath(int minute) {
  return ErrTrap::JoinPath(praxel::ProgramDataFolder(),
                           QStringLiteral("Backup%1.pxb").arg(minute, 2, 10, QLatin1Char('0')));
}

void AutoBackup::Tick(int periodMinutes) {
  if (Common::Projects().IsEmpty() || periodMinutes <= 0) return;
  QDateTime now = clock_();
  const int minute = now.time().minute();
  if (minute % periodMinutes != 0) return;
  // The ticks within one minute write once. The whole minute counts, so that the same minute of
  // a later hour is not taken for the minute already done.
  now.setTime(QTime(now.time().hour(), minute));
  if (last_.isValid() && last_ == now) return;
  last_ = now;
  Bundle::SaveCopy(BackupPath(minute));
}
