#include "SetupList.h"

#include <QRegularExpression>

namespace instwrap {

namespace {

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  return lines;
}

}  // namespace

QStringList FileLines(const QString& listText) {
  QStringList files;
  bool inFiles = false;
  for (const QString& line : Lines(listText)) {
    if (line.startsWith(QLatin1Char('['))) {
      inFiles = line == QLatin1String("[Files]");
    } else if (inFiles && line.startsWith(QLatin1String("File"))) {
      files.append(line);
    }
  }
  return files;
}

QString SetupProgramName(const QString& listText) {
  bool inBootstrap = false;
  for (const QString& line : Lines(listText)) {
    if (line.startsWith(QLatin1Char('['))) {
      inBootstrap = line == QLatin1String("[Bootstrap]");
    } else if (inBootstrap && line.startsWith(QLatin1String("Spawn="))) {
      const QString name = line.mid(6).trimmed();
      if (!name.isEmpty()) return name;
    }
  }
  return QString::fromLatin1(kDefaultSetupProgram);
}

namespace {

// The positions of the first ",," and of the next two commas after it (the second one the end of
// the line when it has none); false when the line has no destination field.
bool FieldCommas(const QString& line, qsizetype& a, qsizetype& b, qsizetype& c) {
  a = line.indexOf(QLatin1String(",,"));
  if (a < 0) return false;
  b = line.indexOf(QLatin1Char(','), a + 2);
  if (b < 0) return false;
  c = line.indexOf(QLatin1Char(','), b + 1);
  if (c < 0) c = line.length();
  return true;
}

}  // namespace

FileNames SplitFileLine(const QString& line) {
  qsizetype a = 0, b = 0, c = 0;
  if (!FieldCommas(line, a, b, c)) return {};
  return {line.mid(a + 2, b - a - 2), line.mid(b + 1, c - b - 1)};
}

QString FileLineVersion(const QString& line) {
  static const QRegularExpression version(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
  qsizetype a = 0, b = 0, c = 0;
  if (!FieldCommas(line, a, b, c) || c == line.length()) return QString();
  const QString last = line.section(QLatin1Char(','), -1).trimmed();
  return version.match(last).hasMatch() ? last : QString();
}

bool IsPlainFileName(const QString& name) {
  return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
         name != QLatin1String("..") && !name.contains(QChar(0));
}

}  // namespace instwrap
