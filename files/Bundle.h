#pragma once

#include <QString>

#include <functional>

class Yproject;
class Ytemplate;

// Whole project files: every loaded template and project written to one file, and a file read
// into what is loaded.
namespace Bundle {

// Writes the active template, every other template, the active project and every other
// project to `Path` (the kind by its extension). True when the file is in place; only then are
// the dirty flags cleared. A failure leaves the old file and the flags as they were.
bool SaveAll(const QString& Path);

// Writes what SaveAll writes and leaves every dirty flag as it is: a copy of the work, such as
// the automatic backup, is not the user's own file, so what was changed stays to be saved.
// True when the file is in place.
bool SaveCopy(const QString& Path);

// Reads every record of the file at `Path` into what is loaded: a template already loaded
// under a record's name, or a placeholder project that links have named, takes the record's
// fields (a merge). A project loaded already from its own record is refused: merged again, its
// tasks would hold every dependency and assignment twice. The objects read stand in
// the collections in the order of their records. False when the file could not be opened or
// the user ignored a failure; an Abort passes the trap's call chain to the caller. What was
// read before a failure stays loaded. `first` receives the first project and template read,
// which the caller makes the active ones.
struct FirstRecords {
  Yproject* project = nullptr;
  Ytemplate* templ = nullptr;
};
// `whileReading`, when given, is called after each piece of the file's bytes and every
// Yfile::kLinesPerProgress lines (the main window keeps painting).
bool OpenBundle(const QString& Path, FirstRecords* first = nullptr, const std::function<void()>& whileReading = {});

// The folder part of a path, up to and including its last "/"; empty for a bare file name.
QString RecoverPath(const QString& path);

}  // namespace Bundle
