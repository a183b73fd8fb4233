#include "TextLines.h"

namespace Ywindow {

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
  if (first == 0 && last == text.size()) return text;  // shared, not copied
  return text.mid(first, last - first);
}

bool SplitFirstLine(const QString& text, QString* line, QString* rest) {
  const qsizetype cr = text.indexOf(QLatin1Char('\r'));
  if (cr < 0) {
    *line = text;
    if (!rest->isEmpty()) rest->clear();
    return false;
  }
  qsizetype next = cr + 1;
  if (next < text.size() && text.at(next) == QLatin1Char('\n')) ++next;
  const QString before = text.left(cr);
  *rest = text.mid(next);
  *line = before;
  return true;
}

int LineCount(const QString& text) {
  // Counted in place: every break that has text after it (a CR, or a CR LF) starts a line.
  int lines = 1;
  qsizetype cr = text.indexOf(QLatin1Char('\r'));
  while (cr >= 0) {
    qsizetype next = cr + 1;
    if (next < text.size() && text.at(next) == QLatin1Char('\n')) ++next;
    if (next >= text.size()) break;  // a break at the very end
    ++lines;
    cr = text.indexOf(QLatin1Char('\r'), next);
  }
  return lines;
}

}  // namespace Ywindow
