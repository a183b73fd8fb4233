#pragma once

#include <QString>

class QIODevice;

namespace MSProject {

class Document;

// Reads a Microsoft Project XML file into `document`: the project's name, title, start date and
// working time, its tasks (outline built), resources and assignments. Elements the import does not
// use (calendars, baselines, timephased data, elements of later schema versions) are skipped, and
// elements are taken in whatever order they come. Returns why the text is no such file (not XML,
// or its first element is not a Project), or an empty text.
QString ReadMspdi(QIODevice& device, Document& document);

}  // namespace MSProject
