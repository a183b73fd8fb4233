// The status report's RTF reader: every input is read or refused cleanly; a report that reads is
// written back with its lights and pictures as they are, and reads again to the same table.

#include "FuzzSupport.h"

#include "StatusReportFile.h"

namespace {

bool SameRows(const QList<StatusReportFile::Row>& a, const QList<StatusReportFile::Row>& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (a[i].previous != b[i].previous || a[i].item != b[i].item || a[i].present != b[i].present) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(data, size, QStringLiteral("report.rtf"));
  StatusReportFile report;
  QString error;
  if (!report.Read(path, &error)) return 0;
  const QString again = fuzz::DataPath(QStringLiteral("again.rtf"));
  if (!report.Write(again, report.Rows(), QString(), QString(), &error)) {
    fuzz::Fail(QStringLiteral("a report that was read cannot be written: ") + error);
  }
  StatusReportFile reread;
  if (!reread.Read(again, &error)) fuzz::Fail(QStringLiteral("a written report cannot be read back: ") + error);
  if (!SameRows(report.Rows(), reread.Rows())) fuzz::Fail(QStringLiteral("a report read back has another table"));
  return 0;
}
