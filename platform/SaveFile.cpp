#include "SaveFile.h"

#include <cerrno>

#include <unistd.h>

namespace praxel {

namespace {

// What a failed call on the file left as its error; a device that gave none is still named.
QString ErrorOf(const QFileDevice& file) {
  const QString error = file.errorString();
  return error.isEmpty() ? QStringLiteral("Unknown error") : error;
}

}  // namespace

bool OpenForSave(QSaveFile& file) { return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

bool WriteAll(QFileDevice& file, QByteArrayView bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
    if (written <= 0) return false;
    done += static_cast<qsizetype>(written);
  }
  return true;
}

QString CommitSave(QSaveFile& file) {
  // A file system that learns of a full disk only when the text is synced says so here; one
  // that cannot sync (a device, a pipe) has nothing to lose by it.
  const int handle = file.handle();
  if (handle >= 0 && ::fsync(handle) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EROFS) {
    const QString error = qt_error_string(errno);
    file.cancelWriting();
    file.commit();  // removes the temporary file
    return error;
  }
  if (!file.commit()) return ErrorOf(file);
  return QString();
}

QString SaveWhole(const QString& path, QByteArrayView bytes) {
  QSaveFile file(path);
  if (!OpenForSave(file)) return ErrorOf(file);
  if (!WriteAll(file, bytes)) {
    const QString error = ErrorOf(file);
    file.cancelWriting();
    return error;
  }
  return CommitSave(file);
}

}  // namespace praxel
