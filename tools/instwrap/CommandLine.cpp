#include "CommandLine.h"

namespace instwrap {

QString JoinCommandLine(const QStringList& arguments) {
  QStringList parts;
  for (const QString& argument : arguments) {
    const bool quoted = argument.isEmpty() || argument.contains(QLatin1Char(' '));
    parts.append(quoted ? QLatin1Char('"') + argument + QLatin1Char('"') : argument);
  }
  return parts.join(QLatin1Char(' '));
}

QString NextArgument(QString& commandLine) {
  QString rest = commandLine;
  QChar end = QLatin1Char(' ');
  if (rest.startsWith(QLatin1Char('"'))) {
    rest.remove(0, 1);
    end = QLatin1Char('"');
  }
  const qsizetype cut = rest.indexOf(end);
  const QString argument = cut < 0 ? rest : rest.left(cut);
  commandLine = cut < 0 ? QString() : rest.mid(cut + 1).trimmed();
  return argument;
}

QString WithoutTrailingSlash(const QString& folder) {
  if (folder.length() > 1 && folder.endsWith(QLatin1Char('/'))) return folder.chopped(1);
  return folder;
}

}  // namespace instwrap
