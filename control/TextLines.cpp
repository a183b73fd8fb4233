#include "TextLines.h"

namespace Ywindow {

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

bool SplitFirstLine(const QString& text, QString* line, QString* rest) {
  const qsizetype cr = text.indexOf(QLatin1Char('\r'));
  if (cr < 0) {
    *line = text;
    rest->clear();
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
  int lines = 1;
  QString rest = text;
  QString line;
  while (SplitFirstLine(rest, &line, &rest)) {
    if (rest.isEmpty()) break;  // a break at the very end
    ++lines;
  }
  return lines;
}

}  // namespace Ywindow
