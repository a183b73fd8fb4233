#include "InstallLog.h"

namespace instwrap {

bool InstallLog::Open(const QString& path) {
  Close();
  file_.setFileName(path);
  return file_.open(QIODevice::WriteOnly | QIODevice::Append);
}

void InstallLog::Close() {
  if (file_.isOpen()) file_.close();
}

void InstallLog::Line(const QString& text) {
  if (!file_.isOpen()) return;
  file_.write((text + QStringLiteral("\r\n")).toUtf8());
  file_.flush();
}

void InstallLog::Result(const QString& text, int result) {
  Line(text + (result < 0 ? QString() : QStringLiteral(" ")) + QString::number(result) + QLatin1Char(' '));
}

}  // namespace instwrap
