// The status report's RTF reader: every input is read or refused cleanly; a report that reads is
// written back with its lights and pictures as they are, and reads again to the same table.

#include "FuzzSupport.h"

#include "StatusReportFile.h"

#include <algorithm>

namespace {

// The first row in which the tables differ, as text; empty when they are the same.
QString FirstDifference(const QList<StatusReportFile::Row>& a, const QList<StatusReportFile::Row>& b) {
  const auto text = [](const QList<StatusReportFile::Row>& rows, qsizetype i) {
    return i < rows.size() ? QStringLiteral("[%1|%2|%3]").arg(rows[i].previous, rows[i].item, rows[i].present)
                           : QStringLiteral("none");
  };
  for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
    if (text(a, i) != text(b, i)) return QStringLiteral("row %1: %2 became %3").arg(i).arg(text(a, i), text(b, i));
  }
  return QString();
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
  const QString difference = FirstDifference(report.Rows(), reread.Rows());
  if (!difference.isEmpty()) fuzz::Fail(QStringLiteral("a report read back has another table: ") + difference);
  return 0;
}
