#pragma once

#include <QString>
#include <QStringList>

// The program the status report is edited in: the "RtfEditor" setting when the user named one (a
// program and its arguments), else the desktop's default application for RTF files (the command
// of its desktop entry). The report's path is added as an argument of its own: no quoting of a
// command line is involved.
namespace RtfEditor {

// The editor's program and arguments, looked up the first time a report is opened and kept for
// the rest of the run; empty when there is none (it is looked up again the next time).
QStringList Command();
// Forgets the editor found, so that the next launch looks it up again (a test's fresh start).
void ForgetCommand();
// Starts the editor on the report. With wait, the program is held until the editor ends: the
// windows keep painting and the timers run, but the user's input waits. False, after telling the
// user why, when there is no editor or it does not start ("Shell function error", with the
// program and the reason).
bool Launch(const QString& report, bool wait);

// The command of a desktop entry's "Exec" key, its field codes (%f, %U, ...) left out.
QStringList DesktopEntryCommand(const QString& execValue);

}  // namespace RtfEditor

// Where the status reports of the projects are kept: one RTF file per project in the folder
// "Reports" of the program data folder, named after the project with every character that could
// leave the folder or trouble a file system replaced by "_".
namespace StatusReports {

QString Folder();
QString FileFor(const QString& projectName);
// The layout a new report is made from: "StatusReportLayout.rtf" of the program data folder when
// the user keeps one there, else the one that comes with the program.
QString LayoutPath();

}  // namespace StatusReports
