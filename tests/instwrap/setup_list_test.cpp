#include "SetupList.h"
#include "VersionRecord.h"

#include <gtest/gtest.h>

using namespace instwrap;

namespace {

TEST(SetupList, OnlyFileLinesOfTheFilesSectionInstall) {
  const QString list = QStringLiteral(
      "[Bootstrap]\r\n"
      "File1=1,,boot,boot,$(AppPath)\r\n"
      "[Files]\r\n"
      "File1=1,,praxel,praxel,$(AppPath)\r\n"
      "Note=1,,skipped,skipped,$(AppPath)\r\n"
      "File2=1,,libywindow.so,libywindow.so,$(WinSysPath),$(DLLSelfRegister),$(Shared)\r\n"
      "[files]\r\n"
      "File3=1,,lower,lower,$(AppPath)\r\n"
      "[Files] \r\n"
      "File4=1,,blank,blank,$(AppPath)\r\n"
      "[Files]\n"
      "File5=1,,again,again,$(AppPath)\n");
  EXPECT_EQ(FileLines(list),
            QStringList({QStringLiteral("File1=1,,praxel,praxel,$(AppPath)"),
                         QStringLiteral("File2=1,,libywindow.so,libywindow.so,$(WinSysPath),$(DLLSelfRegister),$(Shared)"),
                         QStringLiteral("File5=1,,again,again,$(AppPath)")}));
}

TEST(SetupList, SplitsNamesAndVersionOffALine) {
  struct Case {
    const char* line;
    const char* source;
    const char* destination;
    const char* version;
  } const cases[] = {
      {"File1=1,,NAME.EX_,NAME.EXE,$(AppPath),,,1/1/2025,1024,1.2.0", "NAME.EX_", "NAME.EXE", "1.2.0"},
      {"File1=1,,praxel,praxel", "praxel", "praxel", ""},
      {"File1=1,,praxel,praxel,$(AppPath)", "praxel", "praxel", ""},
      {"File1=1,,praxel,2", "praxel", "2", ""},
      {"File1=1,,praxel,praxel,$(AppPath),,,1/1/2025,1024,new", "praxel", "praxel", ""},
      {"File1=1,praxel,praxel", "", "", ""},
      {"File1=1,,praxel", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const FileNames names = SplitFileLine(QString::fromUtf8(c.line));
    EXPECT_EQ(names.source, QString::fromUtf8(c.source));
    EXPECT_EQ(names.destination, QString::fromUtf8(c.destination));
    EXPECT_EQ(FileLineVersion(QString::fromUtf8(c.line)), QString::fromUtf8(c.version));
  }
}

TEST(SetupList, NamesWithAFolderInThemAreNotPlainFileNames) {
  for (const char* name : {"praxel", "libywindow.so", "..hidden", "a b"}) {
    EXPECT_TRUE(IsPlainFileName(QString::fromUtf8(name))) << name;
  }
  for (const char* name : {"", ".", "..", "../praxel", "/usr/bin/praxel", "bin/praxel", "praxel/"}) {
    EXPECT_FALSE(IsPlainFileName(QString::fromUtf8(name))) << name;
  }
}

TEST(SetupList, TheSetupProgramIsNamedInTheBootstrapSection) {
  EXPECT_EQ(SetupProgramName(QStringLiteral("[Bootstrap]\r\nSpawn=setup.sh\r\n[Files]\r\n")), QStringLiteral("setup.sh"));
  EXPECT_EQ(SetupProgramName(QStringLiteral("[Files]\nSpawn=elsewhere\n")), QStringLiteral("Setup1"));
  EXPECT_EQ(SetupProgramName(QString()), QStringLiteral("Setup1"));
}

TEST(VersionRecord, ComparesPartByPart) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } const cases[] = {{"1.10", "1.9", 1}, {"1.0", "1.0.0", 0}, {"0.9.9", "1.0", -1}, {"2", "1.99.99", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " against " + c.b);
    const int result = CompareVersions(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
    EXPECT_EQ((result > 0) - (result < 0), c.sign);
  }
}

}  // namespace
