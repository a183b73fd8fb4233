#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest print Qt strings in its failure messages.
void PrintTo(const QString& text, std::ostream* out);

namespace testsupport {

// The fresh folder that PRAXEL_HOME names for this test program.
QString ProgramDataFolder();
// Empties that folder, so a test sees only the files it makes.
void ClearProgramDataFolder();
// The whole content of a file as text (empty when it does not exist).
QString ReadTextFile(const QString& path);
// The whole content of a file (empty when it does not exist), and a file made of bytes.
QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
// A file of that name in the program data folder.
QString DataFolderPath(const QString& name);
// Midnight of that day as an OLE day number.
double OleDay(int year, int month, int day);

}  // namespace testsupport
