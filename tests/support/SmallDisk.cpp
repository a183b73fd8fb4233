#include "SmallDisk.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const char kFillName[] = "fill.bin";

}  // namespace

SmallDisk::SmallDisk(qint64 size) {
  if (::geteuid() != 0) {
    whyNot_ = QStringLiteral("a small file system can be mounted only by root");
    return;
  }
  if (!folder_.isValid()) {
    whyNot_ = QStringLiteral("no temporary folder to mount on");
    return;
  }
  const QByteArray options = "size=" + QByteArray::number(size);
  if (::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
    whyNot_ = QStringLiteral("a tmpfs cannot be mounted here: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    return;
  }
  mounted_ = true;
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

QString SmallDisk::Path(const QString& name) const { return folder_.path() + QLatin1Char('/') + name; }

qint64 SmallDisk::Free() const {
  struct statvfs info {};
  if (::statvfs(QFile::encodeName(folder_.path()).constData(), &info) != 0) return -1;
  return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

void SmallDisk::LeaveFree(qint64 room) {
  QFile fill(Path(QLatin1String(kFillName)));
  fill.remove();
  if (!fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
  const QByteArray page(4096, '\0');
  while (Free() > room) {
    const qint64 excess = Free() - room;
    if (fill.write(page.constData(), std::min<qint64>(excess, page.size())) <= 0) break;
  }
}

bool SmallDisk::MakeReadOnly() {
  return mounted_ && ::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs",
                             MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
