#include "HelpKeys.h"
#include "PageCheck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kPages = QStringLiteral(PRAXEL_HELP_PAGES);
const QString kIcons = QStringLiteral(PRAXEL_ICON_LIST);

QString ReadFile(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return QString::fromUtf8(file.readAll());
}

void WriteFile(const QString& path, const QString& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(text.toUtf8());
}

// A copy of the program's pages and icon list, to damage.
class PageCheck : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir().mkpath(Pages()));
    for (const QString& name : QDir(kPages).entryList({QStringLiteral("*.html")}, QDir::Files)) {
      ASSERT_TRUE(QFile::copy(QDir(kPages).filePath(name), QDir(Pages()).filePath(name)));
    }
  }
  QString Pages() const { return folder.filePath(QStringLiteral("pages")); }
  QString Page(const QString& key) const { return QDir(Pages()).filePath(Common::PageFileName(key)); }
  void Edit(const QString& key, const QString& from, const QString& to) {
    QString text = ReadFile(Page(key));
    ASSERT_TRUE(text.contains(from)) << key.toStdString() << ": " << from.toStdString();
    WriteFile(Page(key), text.replace(from, to));
  }

  QTemporaryDir folder;
};

TEST_F(PageCheck, TheProgramsHelpIsWhole) {
  EXPECT_EQ(Common::CheckHelpPages(kPages, kIcons), QStringList());
}

// Each kind of fault is found and named by its file and what is wrong.
TEST_F(PageCheck, FindsEveryKindOfFault) {
  ASSERT_TRUE(QFile::remove(Page(QStringLiteral("Task.Units"))));
  Edit(QStringLiteral("Effort"), QStringLiteral("<title>Effort</title>"), QStringLiteral("<title>Efort</title>"));
  Edit(QStringLiteral("Budget"), QStringLiteral("</body>"), QStringLiteral("<a href=\"Nowhere\">x</a></body>"));
  Edit(QStringLiteral("Index"), QStringLiteral("<p><a href=\"Vacation\">Vacation</a></p>"), QString());
  WriteFile(QDir(Pages()).filePath(QStringLiteral("stray.html")), QStringLiteral("<html></html>"));
  const QString icons = folder.filePath(QStringLiteral("icons.qrc"));
  WriteFile(icons, ReadFile(kIcons).replace(QStringLiteral("alias=\"Task.ico\""), QStringLiteral("alias=\"Tusk.ico\"")));
  for (const QString& picture : QDir(QFileInfo(kIcons).dir()).entryList({QStringLiteral("*.svg")})) {
    QFile::copy(QFileInfo(kIcons).dir().filePath(picture), folder.filePath(picture));
  }

  EXPECT_EQ(Common::CheckHelpPages(Pages(), icons),
            (QStringList{QStringLiteral("budget.html: the link \"Nowhere\" leads to no page"),
                         QStringLiteral("effort.html: the title is \"Efort\", not \"Effort\""),
                         QStringLiteral("index.html: the index does not list \"Vacation\""),
                         QStringLiteral("the page \"Task.Units\" is missing (task-units.html)"),
                         QStringLiteral("stray.html: no help key has this page"),
                         QStringLiteral("the icon \"Task.ico\" has no picture")}));
}

// A link may name a page by a plural ("Dependencies" finds "Dependency"), as a click does; an
// icon's key is no page.
TEST_F(PageCheck, LinksFindPagesAsAClickDoes) {
  Edit(QStringLiteral("Budget"), QStringLiteral("</body>"),
       QStringLiteral("<a href=\"Dependencies\">d</a><a href=\"tasks\">t</a><a href=\"Task.ico\">i</a></body>"));
  EXPECT_EQ(Common::CheckHelpPages(Pages(), kIcons),
            QStringList{QStringLiteral("budget.html: the link \"Task.ico\" leads to no page")});
}

TEST(HelpKeys, PageFilesAndSingularForms) {
  struct Case {
    const char* key;
    const char* file;
  };
  for (const Case& c : {Case{"Task.Units", "task-units.html"}, Case{"Tour #1", "tour-1.html"},
                        Case{"Tour 2.10", "tour-2-10.html"},
                        Case{"Normal only, halt if more needed", "normal-only-halt-if-more-needed.html"}}) {
    EXPECT_EQ(Common::PageFileName(QString::fromLatin1(c.key)), QString::fromLatin1(c.file)) << c.key;
  }
  struct Lookup {
    const char* asked;
    const char* found;
  };
  for (const Lookup& c : {Lookup{"Dependencies", "Dependency"}, Lookup{"Tasks", "Task"}, Lookup{"using HELP", "Using help"},
                          Lookup{"Class", ""}, Lookup{"", ""}}) {
    EXPECT_EQ(Common::FindPageKey(QString::fromLatin1(c.asked)), QString::fromLatin1(c.found)) << c.asked;
  }
}

}  // namespace
