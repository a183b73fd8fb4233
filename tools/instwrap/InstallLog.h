#pragma once

#include <QFile>
#include <QString>

namespace instwrap {

// A log kept the way the installer's logs have always been written: lines end in CR LF, and a
// result is written after its text as a number with one blank before it (a minus sign instead when
// it is negative) and one blank after it.
class InstallLog {
 public:
  // Opens `path` for appending; false when it cannot be.
  bool Open(const QString& path);
  void Close();
  bool IsOpen() const { return file_.isOpen(); }
  QString ErrorString() const { return file_.errorString(); }

  void Line(const QString& text);
  void Result(const QString& text, int result);

 private:
  QFile file_;
};

}  // namespace instwrap
