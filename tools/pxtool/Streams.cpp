#include "Streams.h"

#include "BoundedRead.h"
#include "SaveFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pxtool {

namespace {

bool IsStandardStream(const QString& name) { return name == QLatin1String(kStandardStream); }

}  // namespace

bool ReadInput(const QString& name, QByteArray* bytes, bool text) {
  QFile file;
  bool opened = false;
  if (IsStandardStream(name)) {
    opened = file.open(stdin, QIODevice::ReadOnly);
  } else {
    file.setFileName(name);
    opened = file.open(QIODevice::ReadOnly);
  }
  const QString what = IsStandardStream(name) ? QStringLiteral("The standard input")
                                              : QStringLiteral("The file \"%1\"").arg(name);
  if (opened) {
    BoundedRead::Content content = BoundedRead::ReadAll(file, text);
    if (!content.refused.isEmpty()) {
      PrintError(QStringLiteral("%1 %2.").arg(what, content.refused));
      return false;
    }
    *bytes = std::move(content.bytes);
    if (file.error() == QFileDevice::NoError) return true;
  }
  PrintError(QStringLiteral("%1 cannot be read: %2.").arg(what, file.errorString()));
  return false;
}

bool WriteOutput(const QString& name, const QByteArray& bytes) {
  if (IsStandardStream(name)) {
    const auto size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0) return true;
    PrintError(QStringLiteral("The standard output cannot be written: %1.").arg(QString::fromLocal8Bit(std::strerror(errno))));
    return false;
  }
  const QFileInfo target(name);
  if (target.exists() && !target.isFile()) {
    // A device or a pipe is written in place: replacing it by a plain file would destroy it.
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && praxel::WriteAll(file, bytes)) return true;
    PrintError(QStringLiteral("The file \"%1\" cannot be written: %2.").arg(name, file.errorString()));
    return false;
  }
  const QString error = praxel::SaveWhole(name, bytes);
  if (error.isEmpty()) return true;
  PrintError(QStringLiteral("The file \"%1\" cannot be written: %2.").arg(name, error));
  return false;
}

bool FinishStandardOutput(QTextStream& out) {
  out.flush();
  if (out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  PrintError(QStringLiteral("The standard output cannot be written: %1.").arg(QString::fromLocal8Bit(std::strerror(errno))));
  return false;
}

QString NameInMessages(const QString& name) { return IsStandardStream(name) ? QString() : name; }

void PrintError(const QString& message) {
  std::fprintf(stderr, "pxtool: %s\n", message.toLocal8Bit().constData());
}

}  // namespace pxtool
