#pragma once

#include <QString>

namespace pxtool {

class ToolPrompter;

// Loads a project file through the model (a Microsoft Project XML file is imported) and makes
// its first template and project the active ones. Answers kExitSuccess, or prints why it could not (the first message the file raised)
// and answers kExitUnreadable.
int LoadProjectFile(const QString& path, const ToolPrompter& prompter);

}  // namespace pxtool
