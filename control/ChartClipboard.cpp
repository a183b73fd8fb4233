#include "ChartClipboard.h"

#include "GridModel.h"
#include "TextLines.h"

#include <QApplication>
#include <QBuffer>
#include <QRegularExpression>
#include <QClipboard>
#include <QMimeData>

namespace Ywindow {

void PutOnClipboard(const ChartClipboardContent& content) {
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kWmfMimeType), content.wmf);
  data->setData(QStringLiteral("image/svg+xml"), content.svg);
  // The picture as PNG bytes for other programs, and as an image for Qt's own readers.
  QBuffer png;
  png.open(QIODevice::WriteOnly);
  content.image.save(&png, "PNG");
  data->setData(QStringLiteral("image/png"), png.data());
  data->setImageData(content.image);
  if (!content.text.isEmpty()) data->setText(content.text);
  QApplication::clipboard()->setMimeData(data);
}

namespace {

// A cell's text on one line: its own line breaks become blanks, so that a row pastes as one row.
QString CellLine(const GridModel& grid, int row, int col) {
  static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\r\n]+\\s*"));
  return TrimSpaces(QString(grid.Text(row, col)).replace(lineBreaks, QStringLiteral(" ")));
}

}  // namespace

QString GridClipboardText(const GridModel& grid) {
  QString text;
  for (int row = 0; row < grid.Rows(); ++row) {
    QString line;
    for (int col = 0; col < grid.Cols(); ++col) {
      if (grid.ColWidth(col) <= 0) continue;
      line += CellLine(grid, row, col) + QLatin1Char('\t');
    }
    if (line.endsWith(QLatin1Char('\t'))) line.chop(1);
    text += line + QLatin1Char('\n');
  }
  return text;
}

}  // namespace Ywindow
