#include "PxtoolRun.h"

#include <QProcess>

QStringList ToolRun::Lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

ToolRun RunPxtool(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(PRAXEL_PXTOOL), arguments);
  process.waitForFinished(120000);
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}
