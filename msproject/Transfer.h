#pragma once

#include <QString>

// Moving schedules between the model and Microsoft Project files. The files are Microsoft
// Project's XML interchange format (".xml"), read and written through the Microsoft Project
// objects of mspdi/; its binary ".mpp" files cannot be read or written here.
//
// The import makes the file a new project, the current one, with its summary tasks as subprojects,
// and puts its resources into the current template (a new "Resources" template when there is
// none). The export writes the current project with its subprojects and the current template's
// resources. Both report progress through the file progress (the main window's busy text) and
// hand failures to the error trap with their location; the caller suspends the solver around
// them and tells the windows of the new current project and template afterwards.
namespace Transfer {

// ".xml" at the end of the path, in any letter case.
bool IsMSProjectXml(const QString& path);
// ".mpp" at the end of the path, in any letter case.
bool IsBinaryMSProject(const QString& path);
// Tells the user that a binary Microsoft Project file must be saved as XML first.
void BinaryFileMessage(const QString& path);

// True: the Microsoft Project objects are part of the program.
bool MSProjectInstalled();

// Imports the file. False when nothing was imported: the file is no Microsoft Project XML file
// (the user has been told why), or the user cancelled at "Using Active Template". What an import
// that failed half-way created stays in the model.
bool ImportMSProject(const QString& FileName);

// Writes the current project and template to the file, which is replaced only when the new one
// is complete. The file holds less than the work (no journals, shifts or efficiencies), so the
// changed flags stay as they are. False when there is no current project or the file could not be
// written (the user has been told).
bool ExportToMSProject(const QString& FileName);

}  // namespace Transfer
