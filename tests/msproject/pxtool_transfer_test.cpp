#include "PxtoolRun.h"
#include "TestSupport.h"
#include "TransferTestSupport.h"

#include <QFile>

namespace {

// pxtool resave goes both ways by extension: a project file to Microsoft Project XML and back.
TEST(PxtoolTransfer, ResaveExportsAndImportsByExtension) {
  testsupport::ClearProgramDataFolder();
  const QString xml = testsupport::DataFolderPath(QStringLiteral("depot.xml"));
  const QString back = testsupport::DataFolderPath(QStringLiteral("depot.pxa"));
  const ToolRun exported = RunPxtool({QStringLiteral("resave"), FixturePath(QStringLiteral("exchange.pxa")), xml});
  ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
  const ToolRun imported = RunPxtool({QStringLiteral("resave"), xml, back});
  ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
  const QString text = testsupport::ReadTextFile(back);
  EXPECT_TRUE(text.contains(QLatin1String("ProjectName,depot"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QLatin1String("Description,Painting")));
  EXPECT_TRUE(text.contains(QLatin1String("TemplateName,Resources")));
}

// A binary Microsoft Project file, or a file that is no project, is refused with its reason.
TEST(PxtoolTransfer, FilesThatCannotBeExchangedAreRefused) {
  testsupport::ClearProgramDataFolder();
  const QString out = testsupport::DataFolderPath(QStringLiteral("out.pxa"));
  struct Case {
    QString in;
    QString out;
    int exitCode;
    const char* message;
  };
  for (const Case& c : {Case{QStringLiteral("/plans/office.mpp"), out, 2, "save the project from Microsoft Project as"},
                        Case{FixturePath(QStringLiteral("exchange.pxa")), testsupport::DataFolderPath(QStringLiteral("o.MPP")),
                             3, "binary form"},
                        Case{FixturePath(QStringLiteral("notmspdi.xml")), out, 2, "is not a Microsoft Project XML file"}}) {
    SCOPED_TRACE(c.in.toStdString());
    const ToolRun run = RunPxtool({QStringLiteral("resave"), c.in, c.out});
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(c.out));
  }
}

}  // namespace
