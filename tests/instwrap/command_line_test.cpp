#include "CommandLine.h"

#include <gtest/gtest.h>

using namespace instwrap;

namespace {

struct ArgumentCase {
  const char* name;
  const char* commandLine;
  const char* first;
  const char* rest;
};

TEST(NextArgument, TakesQuotedOrBlankEndedArguments) {
  const ArgumentCase cases[] = {
      {"quoted keeps its blanks", "\"/media/new files\" /tmp/update.log", "/media/new files", "/tmp/update.log"},
      {"unquoted ends at the first blank", "/media/new files /tmp/log", "/media/new", "files /tmp/log"},
      {"a quote left open runs to the end", "\"/media/new files", "/media/new files", ""},
      {"the last argument", "/tmp/update.log", "/tmp/update.log", ""},
      {"blanks after the cut are trimmed", "\"a b\"   c  ", "a b", "c"},
      {"an empty line gives nothing", "", "", ""},
  };
  for (const ArgumentCase& c : cases) {
    SCOPED_TRACE(c.name);
    QString line = QString::fromUtf8(c.commandLine);
    EXPECT_EQ(NextArgument(line), QString::fromUtf8(c.first));
    EXPECT_EQ(line, QString::fromUtf8(c.rest));
  }
}

TEST(NextArgument, ReadsBackTheJoinedArguments) {
  const QStringList arguments = {QStringLiteral("/media/new files/"), QStringLiteral("/tmp/log"), QString()};
  QString line = JoinCommandLine(arguments);
  EXPECT_EQ(line, QStringLiteral("\"/media/new files/\" /tmp/log \"\""));
  for (const QString& argument : arguments) EXPECT_EQ(NextArgument(line), argument);
}

TEST(WithoutTrailingSlash, KeepsTheRootAndDropsItElsewhere) {
  EXPECT_EQ(WithoutTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
  EXPECT_EQ(WithoutTrailingSlash(QStringLiteral("/media/")), QStringLiteral("/media"));
  EXPECT_EQ(WithoutTrailingSlash(QStringLiteral("/media")), QStringLiteral("/media"));
  EXPECT_EQ(WithoutTrailingSlash(QString()), QString());
}

}  // namespace
