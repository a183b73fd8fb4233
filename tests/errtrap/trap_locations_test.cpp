// Holds every location that the program's sources hand to the error trap to the function it sits
// in, so that a location copied into another function, or left behind when a function is renamed
// or split, is caught here rather than in a user's log.

#include "LocationScanner.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QSet>

namespace {

// Locations that break a rule on purpose, each with its reason; the checks below leave them out.
struct Exception {
  const char* file;
  const char* location;
  const char* reason;
};

const Exception kExceptions[] = {
    {"solver/ResourceCalendar.cpp", "Ytask:EffortMinutes [Property Get]",
     "a task's solver-side members live with the resource calendars, among Solve's procedures"},
    {"solver/ResourceCalendar.cpp", "Ytask:Unsolve",
     "a task's solver-side members live with the resource calendars, among Solve's procedures"},
};

const Exception* ExceptionFor(const QString& file, const locations::Found& found) {
  for (const Exception& exception : kExceptions) {
    if (file == QLatin1String(exception.file) && found.Text() == QLatin1String(exception.location)) return &exception;
  }
  return nullptr;
}

// The program's own sources, relative to the source tree: every .cpp and .h outside the tests,
// the build folders and hidden folders.
QStringList SourceFiles() {
  const QDir root(QStringLiteral(PRAXEL_SOURCE_DIR));
  QStringList files;
  QDirIterator it(root.path(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = root.relativeFilePath(it.next());
    const QString top = file.section(QLatin1Char('/'), 0, 0);
    if (top == file || top == QLatin1String("tests") || top.startsWith(QLatin1String("build")) ||
        top.startsWith(QLatin1Char('.'))) {
      continue;
    }
    files.append(file);
  }
  files.sort();
  return files;
}

struct SourceLocations {
  QString file;
  QList<locations::Found> found;  // less the exceptions
};

QList<SourceLocations> ScanSources(QSet<const Exception*>* used) {
  QList<SourceLocations> sources;
  for (const QString& file : SourceFiles()) {
    SourceLocations source{file, {}};
    const QString text = testsupport::ReadTextFile(QStringLiteral(PRAXEL_SOURCE_DIR "/") + file);
    for (const locations::Found& found : locations::Scan(text)) {
      if (const Exception* exception = ExceptionFor(file, found)) {
        used->insert(exception);
        continue;
      }
      source.found.append(found);
    }
    if (!source.found.isEmpty()) sources.append(source);
  }
  return sources;
}

TEST(TrapLocations, EveryLocationNamesTheFunctionItSitsIn) {
  QSet<const Exception*> used;
  const QList<SourceLocations> sources = ScanSources(&used);
  QSet<QString> folders;
  QStringList problems;
  for (const SourceLocations& source : sources) {
    folders.insert(source.file.section(QLatin1Char('/'), 0, 0));
    for (const locations::Found& found : source.found) {
      const QString problem = locations::Problem(found);
      if (!problem.isEmpty()) {
        problems.append(QStringLiteral("%1:%2: %3").arg(source.file).arg(found.line).arg(problem));
      }
    }
  }
  for (const Exception& exception : kExceptions) {
    if (!used.contains(&exception)) {
      problems.append(
          QStringLiteral("%1: the exception for \"%2\" is no longer needed").arg(exception.file, exception.location));
    }
  }
  // The scan reached the folders that hand locations to the trap.
  for (const char* folder : {"model", "files", "solver", "shell", "control"}) {
    EXPECT_TRUE(folders.contains(QLatin1String(folder))) << "no locations found in " << folder;
  }
  EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

TEST(TrapLocations, OneClassOrNamespaceOfAFileNamesOneModule) {
  QSet<const Exception*> used;
  QStringList problems;
  for (const SourceLocations& source : ScanSources(&used)) {
    for (const QString& mix : locations::ModuleMixes(source.found)) {
      problems.append(source.file + QStringLiteral(": ") + mix);
    }
  }
  EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
