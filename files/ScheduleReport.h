#pragma once

#include <QString>

class QTextStream;

// The schedule as text lines, for the command-line companion: the solve message on the first
// line, then one line per task of every loaded project (projects in load order, tasks by ID),
// tab-separated: project name, task ID, early start, early finish, late start, late finish,
// labour cost, dates and money written as the project file writes them.
void PrintSchedule(QTextStream& out, const QString& message);
