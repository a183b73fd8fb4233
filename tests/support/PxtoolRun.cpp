#include "PxtoolRun.h"

#include <QProcess>

QStringList ToolRun::Lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

ToolRun RunPxtool(const QStringList& arguments) {
  QProcess process;
  // The user's locale decides how dates and money read: the tests read them in one.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(PRAXEL_PXTOOL), arguments);
  process.waitForFinished(120000);
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}
