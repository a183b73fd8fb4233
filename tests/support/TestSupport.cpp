#include "TestSupport.h"

#include <QDir>
#include <QFile>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace testsupport {

QString ProgramDataFolder() { return qEnvironmentVariable("PRAXEL_HOME"); }

void ClearProgramDataFolder() {
  QDir folder(ProgramDataFolder());
  folder.removeRecursively();
  QDir().mkpath(folder.path());
}

QString ReadTextFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

}  // namespace testsupport
