#pragma once

#include "KeyedList.h"
#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <optional>

class Yproject;
class Yresource;
class Ytask;
class Ytemplate;

// The keys of a collection's members, in its order.
template <class T>
QStringList KeysOf(const KeyedList<T>& list) {
  QStringList keys;
  for (const T* item : list) keys.append(item->Key());
  return keys;
}

// A fixture file of this folder's data.
QString FixturePath(const QString& name);

// A Microsoft Project XML document around the given task elements (and, after the tasks, further
// elements of the project such as Resources and Assignments).
QByteArray MspdiDocumentText(const QString& tasks, const QString& rest = QString());
// One task element: UID and ID `id`, the outline level, and further fields as they stand.
QString MspdiTask(int id, int outlineLevel, const QString& fields = QString());
// A document of tasks 1 to `levels`, each one outline level below the one before.
QByteArray MspdiStaircase(int levels);
// Writes the text to a file of that name in the program data folder; answers its path.
QString WriteDataFile(const QString& name, const QByteArray& text);

// Runs a program and answers its exit code and output; nothing when it cannot be started.
struct ProgramRun {
  int exitCode = -1;
  QString output;
};
std::optional<ProgramRun> RunProgram(const QString& program, const QStringList& arguments);

// Why the file does not validate against the published interchange schema (xmllint's report),
// or an empty text when it does; nothing when the schema or xmllint is not at hand.
std::optional<QString> SchemaProblems(const QString& path);

// Each test starts and ends with an empty model, a scripted prompter and a transfer that has
// not yet asked whether to add to-start dependencies.
class TransferTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads a project file of the data folder and makes its first project and template current.
  void LoadFixture(const QString& name);
  // A file of that name in the program data folder.
  static QString OutputPath(const QString& name);

  static Yproject* ProjectNamed(const QString& name);
  static Ytask* TaskOf(const QString& project, int id);
  static Yresource* ResourceOf(const Ytemplate& templ, int id);

  testsupport::ScriptedPrompter prompter;
};
