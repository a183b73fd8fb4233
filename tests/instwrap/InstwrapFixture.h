#pragma once

#include "InstallPaths.h"
#include "Prompts.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A program run to its end: its exit code (-1 when it did not end in two minutes) and its
// output, both channels together.
struct ProgramRun {
  int exitCode = -1;
  QString output;
};
ProgramRun RunProgram(const QString& program, const QStringList& arguments);

// A message the wrapper showed.
struct ToldMessage {
  QString text;
  QString title;
  instwrap::PromptIcon icon;
};

// Answers the wrapper's questions from a queue (No when it runs dry) and keeps every message.
class ScriptedPrompts : public instwrap::Prompts {
 public:
  void Tell(const QString& text, const QString& title, instwrap::PromptIcon icon) override;
  bool AskYesNo(const QString& text, const QString& title) override;

  QList<bool> answers;
  QStringList questions;
  QList<ToldMessage> told;
};

// A temporary machine: a home with its data, configuration and desktop folders (the XDG variables
// point into it while the fixture lives), a system data folder, an installation prefix and the
// folder of the new files with its "Setup.lst".
class InstwrapFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString Path(const QString& relative) const;
  // Writes a file below the temporary folder, making its folders.
  void Write(const QString& relative, const QByteArray& bytes) const;
  QByteArray Read(const QString& relative) const;

  // An installation in "prefix" as `cmake --install` lays it out: the program path record in the
  // system data folder and the programs and library with these versions.
  void InstallPrefix(const QMap<QString, QByteArray>& binFiles, const QMap<QString, QByteArray>& libFiles,
                     const QByteArray& versions);
  // The folder of the new files with its list.
  void WriteMedia(const QByteArray& setupList, const QMap<QString, QByteArray>& files);

  instwrap::DesktopFolders Desktop() const;
  // The arguments of an update from the media folder (given with a trailing "/") with its log
  // in the temporary folder.
  QStringList UpdateArguments() const;

  QTemporaryDir root_;
  ScriptedPrompts prompts_;

 private:
  QMap<QByteArray, QByteArray> savedEnvironment_;
};
