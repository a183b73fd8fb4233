#include "DesktopRegistration.h"
#include "InstwrapFixture.h"
#include "Instwrap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace instwrap;

namespace {

// A setup program that takes a moment, keeps its arguments and installs Praxel into "installed".
const QByteArray kStubSetup =
    "#!/bin/sh\n"
    "sleep 0.3\n"
    "printf '%s\\n' \"$@\" > setup-arguments\n"
    "target=\"$(pwd)/../installed/bin\"\n"
    "mkdir -p \"$XDG_DATA_HOME/praxel\" \"$target\"\n"
    "printf '#!/bin/sh\\n' > \"$target/praxel\"\n"
    "chmod +x \"$target/praxel\"\n"
    "printf '%s\\n' \"$target/praxel\" > \"$XDG_DATA_HOME/praxel/program-path\"\n";

class FirstInstallTest : public InstwrapFixture {
 protected:
  void WriteStubSetup(const QString& name) {
    Write(QStringLiteral("media/") + name, kStubSetup);
    QFile::setPermissions(Path(QStringLiteral("media/") + name),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  bool RunWrapper(const QStringList& arguments) {
    Instwrap wrapper(arguments, Path(QStringLiteral("media")), Desktop(), prompts_);
    return wrapper.Load();
  }
  QString Target() const { return QDir::cleanPath(Path(QStringLiteral("media/../installed/bin"))); }
};

TEST_F(FirstInstallTest, HandsOverToTheSetupProgramThenRegistersTheFileTypes) {
  Write(QStringLiteral("media/Setup.lst"), "[Bootstrap]\r\nSpawn=setup.sh\r\n[Files]\r\n");
  WriteStubSetup(QStringLiteral("setup.sh"));
  prompts_.answers = {true};

  EXPECT_FALSE(RunWrapper({QStringLiteral("/media/new files"), QStringLiteral("--quiet")})) << "no window is shown";

  EXPECT_EQ(Read(QStringLiteral("media/setup-arguments")), "/media/new files\n--quiet\n")
      << "the arguments are handed over unchanged";
  ASSERT_EQ(prompts_.questions.size(), 1) << "the wrapper waited for the setup program to install Praxel";
  EXPECT_EQ(prompts_.questions[0],
            QStringLiteral("Create Desktop Shortcut: Do you want to create a shortcut to PRAXEL on your desktop?"));
  EXPECT_TRUE(prompts_.told.isEmpty()) << prompts_.told.value(0).text.toStdString();

  const QString data = Path(QStringLiteral("home/.local/share"));
  const QString shortcut = Path(QStringLiteral("home/Desktop/praxel.desktop"));
  const QString package = data + QStringLiteral("/mime/packages/praxel.xml");
  const QString entry = data + QStringLiteral("/applications/praxel.desktop");
  const QString defaults = Path(QStringLiteral("home/.config/mimeapps.list"));
  const QString expectedLog = QStringLiteral(
                                  "ACTION: ShellLink: \"\", \"%1\"\r\n\r\n"
                                  "ACTION: MimeType: \"%2\", \"application/x-praxel-bundle\"\r\n\r\n"
                                  "ACTION: MimeType: \"%2\", \"application/x-praxel-plan\"\r\n\r\n"
                                  "ACTION: DesktopEntry: \"%3\", \"\"\r\n\r\n"
                                  "ACTION: DefaultApplication: \"%4\", \"application/x-praxel-bundle\"\r\n\r\n"
                                  "ACTION: DefaultApplication: \"%4\", \"application/x-praxel-plan\"\r\n\r\n")
                                  .arg(shortcut, package, entry, defaults);
  EXPECT_EQ(QString::fromUtf8(Read(QStringLiteral("home/.local/share/praxel/St5unst.log"))), expectedLog);

  const QByteArray entryText = Read(QStringLiteral("home/.local/share/applications/praxel.desktop"));
  EXPECT_TRUE(entryText.contains("\nExec=" + Target().toUtf8() + "/praxel %f\n")) << entryText.toStdString();
  EXPECT_EQ(Read(QStringLiteral("home/Desktop/praxel.desktop")), entryText);
  EXPECT_TRUE(QFileInfo(shortcut).isExecutable());
  EXPECT_EQ(Read(QStringLiteral("home/.config/mimeapps.list")),
            "[Default Applications]\n"
            "application/x-praxel-bundle=praxel.desktop\n"
            "application/x-praxel-plan=praxel.desktop\n");
  const QString globs = QString::fromUtf8(Read(QStringLiteral("home/.local/share/mime/globs2")));
  EXPECT_TRUE(globs.contains(QStringLiteral("application/x-praxel-plan:*.pxa"))) << globs.toStdString();
  EXPECT_TRUE(globs.contains(QStringLiteral("application/x-praxel-bundle:*.pxb"))) << globs.toStdString();

  const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (!validate.isEmpty()) {
    for (const QString& file : {entry, shortcut}) {
      const ProgramRun result = RunProgram(validate, {file});
      EXPECT_EQ(result.exitCode, 0) << file.toStdString() << ": " << result.output.toStdString();
      EXPECT_EQ(result.output, QString()) << file.toStdString();
    }
  }
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (!xdgMime.isEmpty()) {
    for (const char* type : {kPlainType, kBundleType}) {
      const ProgramRun result = RunProgram(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                                                  QString::fromLatin1(type)});
      EXPECT_EQ(result.output, QStringLiteral("praxel.desktop")) << type;
    }
  }
  if (validate.isEmpty() || xdgMime.isEmpty()) GTEST_SKIP() << "desktop-file-validate or xdg-mime is not installed";
}

TEST_F(FirstInstallTest, NoShortcutUnlessAskedAndOtherDefaultsStay) {
  WriteStubSetup(QStringLiteral("Setup1"));
  Write(QStringLiteral("home/.config/mimeapps.list"),
        "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\n"
        "text/rtf=writer.desktop\napplication/x-praxel-plan=old.desktop\n");
  prompts_.answers = {false};

  EXPECT_FALSE(RunWrapper({}));

  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("home/Desktop/praxel.desktop"))));
  EXPECT_FALSE(Read(QStringLiteral("home/.local/share/praxel/St5unst.log")).contains("ShellLink"));
  EXPECT_EQ(Read(QStringLiteral("home/.config/mimeapps.list")),
            "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\n"
            "application/x-praxel-bundle=praxel.desktop\napplication/x-praxel-plan=praxel.desktop\n"
            "text/rtf=writer.desktop\n");
}

TEST_F(FirstInstallTest, RegistrationStepsThatFailAreReportedAndNotLogged) {
  WriteStubSetup(QStringLiteral("Setup1"));
  // Files stand where the desktop folder, the applications folder and the MIME database go.
  Write(QStringLiteral("home/Desktop"), "not a folder");
  Write(QStringLiteral("home/.local/share/applications"), "not a folder");
  Write(QStringLiteral("home/.local/share/mime"), "not a folder");
  prompts_.answers = {true};

  EXPECT_FALSE(RunWrapper({}));

  EXPECT_EQ(QString::fromUtf8(Read(QStringLiteral("home/.local/share/praxel/St5unst.log"))),
            QStringLiteral("ACTION: DefaultApplication: \"%1\", \"application/x-praxel-bundle\"\r\n\r\n"
                           "ACTION: DefaultApplication: \"%1\", \"application/x-praxel-plan\"\r\n\r\n")
                .arg(Path(QStringLiteral("home/.config/mimeapps.list"))));
  ASSERT_EQ(prompts_.told.size(), 1);
  const QString text = prompts_.told[0].text;
  EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Registration Incomplete"));
  EXPECT_EQ(prompts_.told[0].icon, PromptIcon::Warning);
  for (const char* step : {"The desktop shortcut: ", "The file types .pxb and .pxa: ", "The desktop entry: "}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(step))) << step << " in " << text.toStdString();
  }
  EXPECT_FALSE(text.contains(QStringLiteral("as the program for its files"))) << text.toStdString();
}

TEST_F(FirstInstallTest, ASetupProgramThatCannotStartIsReportedAndNothingIsRegistered) {
  struct Case {
    const char* name;
    const char* list;
    const char* message;
  } const cases[] = {
      {"missing program", "[Bootstrap]\r\nSpawn=Setup1\r\n", "Shell function failure"},
      {"a name with a folder", "[Bootstrap]\r\nSpawn=../Setup1\r\n",
       "Setup.lst names the setup program \"../Setup1\", which is not a plain file name."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompts_.told.clear();
    Write(QStringLiteral("media/Setup.lst"), c.list);
    WriteStubSetup(QStringLiteral("../Setup1"));
    EXPECT_FALSE(RunWrapper({}));
    ASSERT_EQ(prompts_.told.size(), 1);
    EXPECT_EQ(prompts_.told[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(prompts_.told[0].title, QStringLiteral("Internal Error"));
    EXPECT_EQ(prompts_.told[0].icon, PromptIcon::Critical);
    EXPECT_TRUE(prompts_.questions.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("home/.local/share/praxel/program-path"))));
  }
}

TEST(DesktopEntry, ProgramPathsAreQuotedForTheExecKey) {
  EXPECT_EQ(ExecProgram(QStringLiteral("/usr/local/bin/praxel")), QStringLiteral("/usr/local/bin/praxel"));
  EXPECT_EQ(ExecProgram(QStringLiteral("/opt/my apps/praxel")), QStringLiteral("\"/opt/my apps/praxel\""));
  EXPECT_EQ(ExecProgram(QStringLiteral("/opt/a$b\"c/praxel")), QStringLiteral("\"/opt/a\\\\$b\\\\\"c/praxel\""));
  EXPECT_EQ(ExecProgram(QStringLiteral("/opt/100%/praxel")), QStringLiteral("\"/opt/100%%/praxel\""));
}

}  // namespace
