#pragma once

#include <QByteArray>
#include <QString>
#include <QTextStream>

namespace pxtool {

// The name that stands for standard input or output.
inline constexpr char kStandardStream[] = "-";

// The whole content of the named file, or of standard input for "-"; a `text` must have a line
// break in its first megabyte, and no input may be larger than a project file can be. On failure
// prints the message and returns false.
bool ReadInput(const QString& name, QByteArray* bytes, bool text);

// Writes the bytes to the named file, or to standard output for "-". A file is replaced only
// once it is complete. On failure prints the message and returns false.
bool WriteOutput(const QString& name, const QByteArray& bytes);

// Flushes what was printed on `out` (standard output) and checks that all of it was written. On
// failure prints the message and returns false.
bool FinishStandardOutput(QTextStream& out);

// The file name to put in a message: empty for standard input or output.
QString NameInMessages(const QString& name);

// Prints "pxtool: " and the message as one line on standard error.
void PrintError(const QString& message);

}  // namespace pxtool
