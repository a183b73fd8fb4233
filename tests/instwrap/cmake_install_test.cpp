#include "InstwrapFixture.h"
#include "Instwrap.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace instwrap;

namespace {

// This build tree installed into the fixture's prefix, as `cmake --install` does it.
class CmakeInstallTest : public InstwrapFixture {
 protected:
  void SetUp() override {
    InstwrapFixture::SetUp();
    const ProgramRun install = RunProgram(QStringLiteral(PRAXEL_CMAKE_COMMAND),
                                   {QStringLiteral("--install"), QStringLiteral(PRAXEL_BINARY_DIR),
                                    QStringLiteral("--prefix"), Path(QStringLiteral("prefix"))});
    ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();
  }
};

TEST_F(CmakeInstallTest, PlacesTheProgramsLibraryDataAndDesktopFiles) {
  for (const char* file : {"bin/praxel", "bin/pxtool", "bin/instwrap", "lib/libywindow.so",
                           "share/praxel/StatusReportLayout.rtf", "share/praxel/examples/sample.pxa",
                           "share/applications/praxel.desktop", "share/mime/packages/praxel.xml",
                           "share/icons/hicolor/scalable/apps/praxel.svg"}) {
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("prefix/") + QString::fromLatin1(file))).isFile()) << file;
  }
  EXPECT_EQ(Read(QStringLiteral("prefix/share/praxel/program-path")), (Path(QStringLiteral("prefix/bin/praxel")) + "\n").toUtf8());
  static const QRegularExpression versions(QStringLiteral(
      "^instwrap=(\\d+\\.\\d+\\.\\d+)\nlibywindow.so=\\1\npraxel=\\1\npxtool=\\1\n$"));
  const QString recorded = QString::fromUtf8(Read(QStringLiteral("prefix/share/praxel/versions")));
  EXPECT_TRUE(versions.match(recorded).hasMatch()) << recorded.toStdString();
  EXPECT_TRUE(Read(QStringLiteral("prefix/share/applications/praxel.desktop")).contains("\nExec=praxel %f\n"));

  // The installed program finds the installed library.
  const ProgramRun ldd = RunProgram(QStringLiteral("ldd"), {Path(QStringLiteral("prefix/bin/praxel"))});
  EXPECT_TRUE(ldd.output.contains(QStringLiteral("libywindow.so => ") + Path(QStringLiteral("prefix/bin/../lib/libywindow.so"))))
      << ldd.output.toStdString();
  EXPECT_FALSE(ldd.output.contains(QStringLiteral("not found"))) << ldd.output.toStdString();

  const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
  if (!validate.isEmpty()) {
    const ProgramRun result = RunProgram(validate, {Path(QStringLiteral("prefix/share/applications/praxel.desktop"))});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(result.output, QString());
  }
  if (!updateMime.isEmpty()) {
    const ProgramRun result = RunProgram(updateMime, {Path(QStringLiteral("prefix/share/mime"))});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    const QString globs = QString::fromUtf8(Read(QStringLiteral("prefix/share/mime/globs2")));
    EXPECT_TRUE(globs.contains(QStringLiteral("application/x-praxel-plan:*.pxa"))) << globs.toStdString();
    EXPECT_TRUE(globs.contains(QStringLiteral("application/x-praxel-bundle:*.pxb"))) << globs.toStdString();
  }
  if (validate.isEmpty() || updateMime.isEmpty()) GTEST_SKIP() << "desktop-file-utils or shared-mime-info is not installed";
}

TEST_F(CmakeInstallTest, AnUpdateReplacesOlderFilesAndKeepsNewerOnes) {
  const qint64 installedSize = QFileInfo(Path(QStringLiteral("prefix/bin/praxel"))).size();
  WriteMedia("[Files]\r\n"
             "File1=1,,praxel,praxel,$(AppPath),,,1/1/2020,12,0.9.0\r\n"
             "File2=1,,pxtool,pxtool,$(AppPath),,,1/1/2099,10,99.0.0\r\n",
             {{QStringLiteral("praxel"), "older praxel"}, {QStringLiteral("pxtool"), "new pxtool"}});
  Instwrap wrapper(UpdateArguments(), Path(QStringLiteral("media")), Desktop(), prompts_);
  ASSERT_TRUE(wrapper.Load()) << "the program path record of the installation is found";
  EXPECT_EQ(wrapper.TargetPath(), Path(QStringLiteral("prefix/bin")));
  wrapper.Update();

  EXPECT_EQ(QFileInfo(Path(QStringLiteral("prefix/bin/praxel"))).size(), installedSize);
  EXPECT_EQ(Read(QStringLiteral("prefix/bin/pxtool")), "new pxtool");
  const QString log = QString::fromUtf8(Read(QStringLiteral("prefix/share/praxel/Update.log")));
  EXPECT_TRUE(log.contains(QStringLiteral("VerInstallFile(0, praxel, %1) returned 6 \r\n").arg(Path(QStringLiteral("prefix/bin")))))
      << log.toStdString();
  ASSERT_EQ(prompts_.told.size(), 1);
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Update Complete"));
}

}  // namespace
