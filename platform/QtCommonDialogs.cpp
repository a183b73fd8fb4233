#include "QtCommonDialogs.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QFontInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace praxel {

namespace {

// "Description|pattern|Description|pattern" as Qt's name filters, one per pair: the pattern is
// already part of each description.
QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters.append(parts.at(i));
  return filters;
}

void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
  const QStringList filters = NameFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters.at(request.filterIndex - 1));
  }
  dialog.setDirectory(request.initialFolder);
  QString suffix = request.defaultExtension;
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
}

QString Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

bool QtCommonDialogs::ChooseFont(FontChoice& font) {
  QFont preset(font.name);
  if (font.size > 0) preset.setPointSizeF(font.size);
  preset.setBold(font.bold);
  preset.setItalic(font.italic);
  // The dialog selects a style by the name the font's family gives it ("Book", "Bold Oblique");
  // left to guess from weight and slant it may pick the family's first style, a condensed italic.
  const QFontInfo shown(preset);
  if (shown.family().compare(preset.family(), Qt::CaseInsensitive) == 0) preset.setStyleName(shown.styleName());
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, preset, QApplication::activeWindow());
  if (!ok) return false;
  font = {chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
  return true;
}

QString QtCommonDialogs::ChooseOpenFile(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  Prepare(dialog, request);
  return Run(dialog);
}

QString QtCommonDialogs::ChooseSaveFile(const FileDialogRequest& request) {
  // Qt's save dialog asks before overwriting and accepts only folders that exist.
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  Prepare(dialog, request);
  return Run(dialog);
}

bool QtCommonDialogs::SetUpPrinter() {
  QPrintDialog dialog(&ProgramPrinter(), QApplication::activeWindow());
  // The set-up form: printer, paper and orientation, no print range or copies. Printing into a PDF
  // file stays among the printers, so that a machine without any printer can still print.
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintToFile);
  return dialog.exec() == QDialog::Accepted;
}

QPrinter& ProgramPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

}  // namespace praxel
