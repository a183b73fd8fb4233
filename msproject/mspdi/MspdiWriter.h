#pragma once

#include <QString>

class QIODevice;

namespace MSProject {

class Document;

// Writes the document as a Microsoft Project XML file (the 2007 interchange schema): every
// element in the schema's order, the tasks in outline order with their outline numbers, one
// standard calendar (Monday to Friday, 8:00 to 12:00 and 13:00 to 17:00) that the project uses,
// and the definitions of the custom fields the tasks and assignments carry. `fileName` is the
// name the file is saved under, which the project's Name element holds.
void WriteMspdi(const Document& document, const QString& fileName, QIODevice& device);

}  // namespace MSProject
