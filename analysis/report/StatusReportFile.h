#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The monthly status report: an RTF document the user edits in an RTF editor. It holds a status
// table (table rows of four cells: the previous month's light, the item, the present month's
// light, comments; the first such row is the heading) and two pictures, the financial plot and
// the Gantt chart. The report is read as a list of tokens kept in order, the table's lights and
// items are taken from it, and on writing only the lights and the two pictures' data change.
class StatusReportFile {
 public:
  // A light: "G", "Y", "R", or empty for none.
  struct Row {
    QString previous;
    QString item;
    QString present;
  };

  // Reads the report. False, with the reason, when the file cannot be read.
  bool Read(const QString& path, QString* error);
  // Writes the report with the lights of `rows` (as Rows() gave them, lights changed) and the two
  // pictures (metafiles as hex text; an empty one keeps the old picture) into a temporary file
  // that then replaces the report, so a failed write leaves the old report as it was. A light
  // that was not changed keeps its letter and colour as read.
  bool Write(const QString& path, const QList<Row>& rows, const QString& budgetPicture, const QString& ganttPicture,
             QString* error) const;

  // The status table: the heading row first, then one row per item; a gap between four-cell rows
  // gives an empty row.
  const QList<Row>& Rows() const { return rows_; }
  const QStringList& Tokens() const { return tokens_; }
  // The colour-table number a light is written in: the colour the report gives that letter in its
  // light cells (the colour word in force at the letter, or else the first one after it in the
  // cell), or for a letter no light cell holds, the green, yellow or red of the colour table; 0
  // (the text's own colour) when neither tells.
  int ColorIndex(const QString& light) const;

  // The tokens of RTF text, as the report is read: braces, control words with their delimiting
  // blank (a control word that ends a line is given one), control symbols, and runs of text.
  static QStringList Tokenize(const QString& text);

 private:
  // The lights' colours by the colour table's entries, for the letters the report does not use.
  void GuessColorsFromTable();

  QStringList tokens_;
  QList<Row> rows_;
  int headingRow_ = -1;
  QSet<int> itemTableRows_;  // the table rows read as four cells
  QHash<QString, int> colors_;  // colour-table numbers by light letter
};
