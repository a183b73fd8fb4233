#include "Streams.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace pxtool {

namespace {

bool IsStandardStream(const QString& name) { return name == QLatin1String(kStandardStream); }

}  // namespace

bool ReadInput(const QString& name, QByteArray* bytes) {
  QFile file;
  bool opened = false;
  if (IsStandardStream(name)) {
    opened = file.open(stdin, QIODevice::ReadOnly);
  } else {
    file.setFileName(name);
    opened = file.open(QIODevice::ReadOnly);
  }
  if (opened) {
    *bytes = file.readAll();
    if (file.error() == QFileDevice::NoError) return true;
  }
  const QString what = IsStandardStream(name) ? QStringLiteral("The standard input")
                                              : QStringLiteral("The file \"%1\"").arg(name);
  PrintError(QStringLiteral("%1 cannot be read: %2.").arg(what, file.errorString()));
  return false;
}

bool WriteOutput(const QString& name, const QByteArray& bytes) {
  if (IsStandardStream(name)) {
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush()) return true;
    PrintError(QStringLiteral("The standard output cannot be written: %1.").arg(out.errorString()));
    return false;
  }
  QSaveFile file(name);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
  PrintError(QStringLiteral("The file \"%1\" cannot be written: %2.").arg(name, file.errorString()));
  return false;
}

QString NameInMessages(const QString& name) { return IsStandardStream(name) ? QString() : name; }

void PrintError(const QString& message) {
  std::fprintf(stderr, "pxtool: %s\n", message.toLocal8Bit().constData());
}

}  // namespace pxtool
