#pragma once

#include <QString>
#include <QStringList>

namespace instwrap {

// The arguments as one command line: each joined by a blank, one holding a blank or nothing at all
// written in double quotes, so that NextArgument takes them apart again.
QString JoinCommandLine(const QStringList& arguments);

// Takes the first argument off the front of `commandLine`: when it begins with a double quote,
// up to the next double quote (or the end), else up to the first blank. `commandLine` keeps the
// rest after that character, blanks trimmed.
QString NextArgument(QString& commandLine);

// A folder without its trailing "/", except the root "/" itself.
QString WithoutTrailingSlash(const QString& folder);

}  // namespace instwrap
