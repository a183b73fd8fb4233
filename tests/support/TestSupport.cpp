#include "TestSupport.h"

#include "OleDate.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace testsupport {

QLocale TestLocale() {
  const QString name = qEnvironmentVariable("PRAXEL_TEST_LOCALE");
  return name.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale(name);
}

bool InPinnedLocale() { return qEnvironmentVariableIsEmpty("PRAXEL_TEST_LOCALE"); }

QString ProgramDataFolder() { return qEnvironmentVariable("PRAXEL_HOME"); }

void ClearProgramDataFolder() {
  QDir folder(ProgramDataFolder());
  folder.removeRecursively();
  QDir().mkpath(folder.path());
}

QString ReadTextFile(const QString& path) { return QString::fromUtf8(ReadFileBytes(path)); }

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    ADD_FAILURE() << "cannot write " << path.toStdString();
  }
}

QString DataFolderPath(const QString& name) { return ProgramDataFolder() + QLatin1Char('/') + name; }

double OleDay(int year, int month, int day) { return praxel::ToOleDate(QDate(year, month, day)); }

}  // namespace testsupport
