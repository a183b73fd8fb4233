#pragma once

#include <QString>
#include <QStringList>

namespace instwrap {

// The file list "Setup.lst": sections headed by a line in brackets, the files to install in the
// "[Files]" section, one line each:
//   File1=1,,SOURCE,DESTINATION,$(AppPath),$(DLLSelfRegister),$(Shared),DATE,SIZE,VERSION
// where the folder macro, the two markers and the fields after them are optional; the last field is
// the file's version when it is made of numbers and dots. The setup program run on a first
// installation is named by "Spawn=" in the "[Bootstrap]" section ("Setup1" when not named).
inline constexpr char kSetupListName[] = "Setup.lst";
inline constexpr char kDefaultSetupProgram[] = "Setup1";

// The lines of the "[Files]" section (the header exactly so, case and blanks counting) that
// begin with "File".
QStringList FileLines(const QString& listText);

// The setup program that the list names.
QString SetupProgramName(const QString& listText);

struct FileNames {
  QString source;
  QString destination;
};

// The source and destination names of a file line: the fields after the first ",," (the
// example line above gives SOURCE and DESTINATION). Empty names when the line has no such fields.
FileNames SplitFileLine(const QString& line);

// The version at the end of a file line, empty when it has none.
QString FileLineVersion(const QString& line);

// Whether a name from the list may be used as a file name inside a folder: not empty, no "/"
// (so nothing absolute and nothing in another folder), and neither "." nor "..".
bool IsPlainFileName(const QString& name);

}  // namespace instwrap
