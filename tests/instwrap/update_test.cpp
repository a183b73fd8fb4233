#include "FileInstaller.h"
#include "InstwrapFixture.h"
#include "Instwrap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace instwrap;

namespace {

const QByteArray kVersionsInstalled = "libywindow.so=1.0.0\npraxel=1.0.0\npxtool=1.0.0\n";

class UpdateTest : public InstwrapFixture {
 protected:
  void SetUp() override {
    InstwrapFixture::SetUp();
    InstallPrefix({{QStringLiteral("praxel"), "old praxel"}, {QStringLiteral("pxtool"), "old pxtool"}},
                  {{QStringLiteral("libywindow.so"), "old library"}}, kVersionsInstalled);
  }

  // Loads the wrapper for an update and runs it.
  void RunUpdate(FileInstaller* installer = nullptr) {
    Instwrap wrapper(UpdateArguments(), Path(QStringLiteral("media")), Desktop(), prompts_);
    if (installer != nullptr) wrapper.SetFileInstaller(installer);
    ASSERT_TRUE(wrapper.Load());
    EXPECT_EQ(wrapper.SourcePath(), Path(QStringLiteral("media")));
    EXPECT_EQ(wrapper.TargetPath(), Path(QStringLiteral("prefix/bin")));
    wrapper.Update();
  }

  QByteArray UpdateLog() const { return Read(QStringLiteral("prefix/share/praxel/Update.log")); }
  QString UpdateLogPath() const { return Path(QStringLiteral("prefix/share/praxel/Update.log")); }
};

TEST_F(UpdateTest, InstallsTheListKeepsNewerFilesAndLogsEveryStep) {
  WriteMedia("[Setup]\r\nTitle=PRAXEL\r\n[Files]\r\n"
             "File1=1,,praxel.new,praxel,$(AppPath),,,1/6/2025,10,1.1.0\r\n"
             "File2=1,,libywindow.so,libywindow.so,$(WinSysPath),$(DLLSelfRegister),$(Shared),1/6/2025,11,1.1.0\r\n"
             "File3=1,,pxtool,pxtool,$(AppPath),,,1/6/2025,10,0.9.0\r\n"
             "File4=1,,instwrap,instwrap,$(AppPath)\r\n",
             {{QStringLiteral("praxel.new"), "new praxel"},
              {QStringLiteral("libywindow.so"), "new library"},
              {QStringLiteral("pxtool"), "older pxtool"},
              {QStringLiteral("instwrap"), "new instwrap"}});
  QFile::setPermissions(Path(QStringLiteral("media/instwrap")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  Write(QStringLiteral("update.tmp"), "earlier lines\r\n");
  Write(QStringLiteral("prefix/share/praxel/Update.log"), "the log of the last update\r\n");

  RunUpdate();

  const QString bin = Path(QStringLiteral("prefix/bin"));
  const QString lib = Path(QStringLiteral("prefix/lib"));
  const QString expected = QStringLiteral(
                               "earlier lines\r\n"
                               "\r\n"
                               "VerFindFile(praxel) returned 0 \r\n"
                               "VerInstallFile(0, praxel.new, %1) returned 0 \r\n"
                               "\r\n"
                               "VerFindFile(libywindow.so) returned 0 \r\n"
                               "VerInstallFile(0, libywindow.so, %2) returned 0 \r\n"
                               "DLLSelfRegister(libywindow.so) returned 0 \r\n"
                               "\r\n"
                               "VerFindFile(pxtool) returned 0 \r\n"
                               "VerInstallFile(0, pxtool, %1) returned 6 \r\n"
                               "\r\n"
                               "VerFindFile(instwrap) returned 0 \r\n"
                               "VerInstallFile(0, instwrap, %1) returned 0 \r\n")
                               .arg(bin, lib);
  EXPECT_EQ(QString::fromUtf8(UpdateLog()), expected);
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("update.tmp")))) << "the log moved";

  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "new praxel");
  EXPECT_EQ(Read(QStringLiteral("prefix/lib/libywindow.so")), "new library");
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/pxtool")), "old pxtool") << "the newer copy in place is kept";
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/instwrap")), "new instwrap");
  EXPECT_TRUE(QFileInfo(Path(QStringLiteral("prefix/bin/instwrap"))).isExecutable());
  EXPECT_EQ(Read(QStringLiteral("prefix/share/praxel/versions")),
            "libywindow.so=1.1.0\npraxel=1.1.0\npxtool=1.0.0\n");
  EXPECT_TRUE(QDir(bin).entryList(QDir::Files | QDir::Hidden).size() == 3) << "no temporary copy is left";

  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_EQ(prompts_.told[0].text, QStringLiteral("The update process has completed."));
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Update Complete"));
  EXPECT_EQ(prompts_.told[0].icon, PromptIcon::Information);
}

// Answers as a test wants and records what it was asked.
class ScriptedInstaller : public FileInstaller {
 public:
  int findResult = FindFine;
  QString foundIn;
  QList<int> installResults;
  int registerResult = 0;
  QList<int> installFlags;

  int FindFile(int, const QString&, const QString&, const QString&, QString& currentFolder,
               QString& destinationFolder) override {
    currentFolder = foundIn;
    destinationFolder = QStringLiteral("/recommended/but/unused");
    return findResult;
  }
  int InstallFile(int flags, const QString&, const QString&, const QString&, const QString&, const QString&,
                  const QString&) override {
    installFlags.append(flags);
    return installResults.isEmpty() ? 0 : installResults.takeFirst();
  }
  int SelfRegister(const QString&) override { return registerResult; }
};

TEST_F(UpdateTest, InstallerAnswersDecideWhatIsForcedSkippedAndReported) {
  struct Case {
    const char* name;
    int findResult;
    const char* foundIn;
    QList<int> installResults;
    int registerResult;
    const char* logTail;  // %1 the program folder
    bool failed;
  } const cases[] = {
      {"file in use is skipped", FindFileInUse, "", {}, 0, "VerFindFile(praxel) returned 2 \r\n", true},
      {"copy elsewhere is replaced where it is", FindCopyElsewhere, "/opt/praxel", {0}, 0,
       "VerFindFile(praxel) returned 1 \r\nVerInstallFile(0, praxel, /opt/praxel) returned 0 \r\n"
       "DLLSelfRegister(praxel) returned 0 \r\n", false},
      {"another file type is forced", FindFine, "", {0x22, 0}, 0,
       "VerFindFile(praxel) returned 0 \r\nVerInstallFile(0, praxel, %1) returned 34 \r\n"
       "VerInstallFile(VIFF_FORCEINSTALL, praxel, %1) returned 0 \r\nDLLSelfRegister(praxel) returned 0 \r\n",
       false},
      {"an older source is not forced even in another language", FindFine, "", {0x2 | 0x4 | 0x8}, 0,
       "VerFindFile(praxel) returned 0 \r\nVerInstallFile(0, praxel, %1) returned 14 \r\n", false},
      {"a forced install that fails", FindFine, "", {0x10, 0x800}, 0,
       "VerFindFile(praxel) returned 0 \r\nVerInstallFile(0, praxel, %1) returned 16 \r\n"
       "VerInstallFile(VIFF_FORCEINSTALL, praxel, %1) returned 2048 \r\n", true},
      {"a failure that forcing cannot mend", FindFine, "", {0x10000}, 0,
       "VerFindFile(praxel) returned 0 \r\nVerInstallFile(0, praxel, %1) returned 65536 \r\n", true},
      {"self-registration that fails", FindFine, "", {0}, 7,
       "VerFindFile(praxel) returned 0 \r\nVerInstallFile(0, praxel, %1) returned 0 \r\n"
       "DLLSelfRegister(praxel) returned 7 \r\n", true},
  };
  WriteMedia("[Files]\r\nFile1=1,,praxel,praxel,$(AppPath),$(DLLSelfRegister)\r\n", {});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(UpdateLogPath());
    prompts_.told.clear();
    ScriptedInstaller installer;
    installer.findResult = c.findResult;
    installer.foundIn = QString::fromUtf8(c.foundIn);
    installer.installResults = c.installResults;
    installer.registerResult = c.registerResult;

    RunUpdate(&installer);

    EXPECT_EQ(QString::fromUtf8(UpdateLog()),
              QStringLiteral("\r\n") +
                  QString::fromUtf8(c.logTail).replace(QStringLiteral("%1"), Path(QStringLiteral("prefix/bin"))));
    ASSERT_EQ(prompts_.told.size(), 1);
    EXPECT_EQ(prompts_.told[0].title, c.failed ? QStringLiteral("Update Incomplete") : QStringLiteral("Update Complete"));
    if (c.failed) {
      EXPECT_TRUE(prompts_.told[0].text.contains(UpdateLogPath())) << prompts_.told[0].text.toStdString();
    }
  }
}

TEST_F(UpdateTest, NamesThatReachOutsideTheFolderAreRefused) {
  WriteMedia("[Files]\r\n"
             "File1=1,,../outside,praxel,$(AppPath)\r\n"
             "File2=1,,pxtool,../../escaped,$(AppPath)\r\n"
             "File3=1,,pxtool,/tmp/instwrap-absolute-name,$(AppPath)\r\n"
             "File4=1,,pxtool,..,$(AppPath)\r\n"
             "File5=1,,pxtool,pxtool,$(AppPath)\r\n",
             {{QStringLiteral("pxtool"), "new pxtool"}});
  Write(QStringLiteral("outside"), "a file beside the media folder");

  RunUpdate();

  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "old praxel");
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("escaped"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("prefix/escaped"))));
  EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/tmp/instwrap-absolute-name")));
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/pxtool")), "new pxtool") << "the sound line still installs";

  const QString log = QString::fromUtf8(UpdateLog());
  EXPECT_TRUE(log.startsWith(QStringLiteral(
      "\r\nRefused file line (a name is not a plain file name): File1=1,,../outside,praxel,$(AppPath)\r\n")))
      << log.toStdString();
  EXPECT_EQ(log.count(QStringLiteral("Refused file line")), 4);
  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Update Incomplete"));
  EXPECT_EQ(prompts_.told[0].icon, PromptIcon::Warning);
  for (const char* line : {"File1=1,,../outside", "File2=1,,pxtool,../../escaped", "File3=1,,pxtool,/tmp/", "File4="}) {
    EXPECT_TRUE(prompts_.told[0].text.contains(QString::fromUtf8(line))) << line;
  }
}

// The source folder is not trusted: a link listed there is not followed, a pipe is not read (it
// would wait for ever), and a link already at a destination is replaced, not written through.
TEST_F(UpdateTest, OnlyRegularFilesOfTheSourceFolderAreCopiedAndNoLinkIsWrittenThrough) {
  Write(QStringLiteral("secret"), "a file outside the source folder");
  Write(QStringLiteral("outside-target"), "a file outside the installation");
  WriteMedia("[Files]\r\n"
             "File1=1,,praxel,praxel,$(AppPath)\r\n"
             "File2=1,,pipe,pipe,$(AppPath)\r\n"
             "File3=1,,folder,folder,$(AppPath)\r\n"
             "File4=1,,pxtool,pxtool,$(AppPath)\r\n",
             {{QStringLiteral("pxtool"), "new pxtool"}});
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("secret")), Path(QStringLiteral("media/praxel"))));
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path(QStringLiteral("media/pipe"))).constData(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("media/folder"))));
  // The installed pxtool is a link out of the installation.
  QFile::remove(Path(QStringLiteral("prefix/bin/pxtool")));
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("outside-target")), Path(QStringLiteral("prefix/bin/pxtool"))));

  RunUpdate();

  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "old praxel") << "the link's target was not copied";
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("prefix/bin/pipe"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("prefix/bin/folder"))));
  EXPECT_EQ(Read(QStringLiteral("outside-target")), "a file outside the installation");
  EXPECT_FALSE(QFileInfo(Path(QStringLiteral("prefix/bin/pxtool"))).isSymLink());
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/pxtool")), "new pxtool");

  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Update Incomplete"));
  for (const char* name : {"praxel", "pipe", "folder"}) {
    EXPECT_TRUE(prompts_.told[0].text.contains(QStringLiteral("%1 was refused: in the source folder it is not a regular file")
                                                   .arg(QString::fromUtf8(name))))
        << prompts_.told[0].text.toStdString();
  }
}

// The versions record holds "name=version" lines: a name that would forge a line is refused, and a
// forged or damaged line never keeps a genuine update out.
TEST_F(UpdateTest, TheVersionsRecordCannotBeForged) {
  WriteMedia("[Files]\r\n"
             "File1=1,,forged,praxel=99.9,$(AppPath),,,1/6/2025,10,1.0.0\r\n"
             "File2=1,,praxel,praxel,$(AppPath),,,1/6/2025,10,1.2.0\r\n",
             {{QStringLiteral("forged"), "forged"}, {QStringLiteral("praxel"), "new praxel"}});
  Write(QStringLiteral("prefix/share/praxel/versions"), "praxel=99.9=1\npxtool=1.0.0\nlibywindow.so=1.0.0\n");

  RunUpdate();

  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("prefix/bin/praxel=99.9"))));
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "new praxel") << "the damaged line kept the update out";
  EXPECT_EQ(Read(QStringLiteral("prefix/share/praxel/versions")), "libywindow.so=1.0.0\npraxel=1.2.0\npxtool=1.0.0\n");
  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_TRUE(prompts_.told[0].text.contains(
      QStringLiteral("Refused, the versions record cannot hold the name: File1=1,,forged,praxel=99.9")))
      << prompts_.told[0].text.toStdString();
}

TEST_F(UpdateTest, MissingFilesAreReportedWithTheLogsPlace) {
  WriteMedia("[Files]\r\nFile1=1,,praxel,praxel,$(AppPath)\r\nFile2=1,,pxtool,pxtool,$(AppPath)\r\n",
             {{QStringLiteral("pxtool"), "new pxtool"}});
  RunUpdate();
  ASSERT_EQ(prompts_.told.size(), 1);
  const QString text = prompts_.told[0].text;
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Update Incomplete"));
  EXPECT_TRUE(text.contains(QStringLiteral("praxel cannot be read from the source folder"))) << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("pxtool"))) << text.toStdString();
  EXPECT_TRUE(text.contains(UpdateLogPath())) << text.toStdString();
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/praxel")), "old praxel");

  QFile::remove(Path(QStringLiteral("media/Setup.lst")));
  prompts_.told.clear();
  RunUpdate();
  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_TRUE(prompts_.told[0].text.startsWith(QStringLiteral("The update process has ended, but not everything")));
  EXPECT_TRUE(prompts_.told[0].text.contains(QStringLiteral("Setup.lst cannot be read from ")));
}

TEST_F(UpdateTest, CancelMovesTheLogOverTheLastOne) {
  Write(QStringLiteral("update.tmp"), "started\r\n");
  Write(QStringLiteral("prefix/share/praxel/Update.log"), "the last update\r\n");
  Instwrap wrapper(UpdateArguments(), Path(QStringLiteral("media")), Desktop(), prompts_);
  ASSERT_TRUE(wrapper.Load());
  wrapper.Cancel();
  EXPECT_EQ(UpdateLog(), "started\r\n");
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("update.tmp"))));
  EXPECT_TRUE(prompts_.told.isEmpty());

  // A log that is named Update.log in its place already stays.
  Instwrap again({Path(QStringLiteral("media")), UpdateLogPath()}, Path(QStringLiteral("media")), Desktop(), prompts_);
  ASSERT_TRUE(again.Load());
  again.Cancel();
  EXPECT_EQ(UpdateLog(), "started\r\n");
}

TEST_F(UpdateTest, AnUpdateWithoutItsArgumentsExplainsThem) {
  Instwrap wrapper({Path(QStringLiteral("media"))}, Path(QStringLiteral("media")), Desktop(), prompts_);
  EXPECT_FALSE(wrapper.Load());
  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_TRUE(prompts_.told[0].text.contains(QStringLiteral("two arguments"))) << prompts_.told[0].text.toStdString();
}

}  // namespace
