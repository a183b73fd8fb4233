#pragma once

#include <QString>
#include <QStringList>

// One run of pxtool, the headless companion, as the tests start it: in the United States English
// locale, whatever the machine's.
struct ToolRun {
  int exitCode;
  QString out;
  QString err;

  // Standard output, line by line, without empty lines.
  QStringList Lines() const;
};

// Runs pxtool with these arguments and waits for it (two minutes at most).
ToolRun RunPxtool(const QStringList& arguments);
