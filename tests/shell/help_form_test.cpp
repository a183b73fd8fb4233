#include "FakeForms.h"
#include "Forms.h"
#include "HelpForm.h"
#include "HelpKeys.h"
#include "MainForm.h"
#include "ShellFixture.h"
#include "TreeFixture.h"
#include "TreeView.h"
#include "WelcomeForm.h"
#include "Ytask.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

namespace {

class Help : public ShellTest {
 protected:
  HelpForm* Window() { return qobject_cast<HelpForm*>(Forms::Find(QStringLiteral("HelpForm"))); }
  HelpForm* Open(const QString& key) {
    mainForm->Control(QStringLiteral("HelpIndexMenu"));  // the program's own help window
    auto* help = qobject_cast<HelpForm*>(Forms::Load(QStringLiteral("HelpForm")));
    help->DisplayHelpPage(key);
    return help;
  }
  // Clicks the first link to the key on the page shown.
  static void ClickLink(HelpForm* help, const QString& key) {
    QTextBrowser* text = help->ViewableText();
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
      for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        if (fragment.fragment().charFormat().anchorHref() != key) continue;
        QTextCursor cursor(text->document());
        cursor.setPosition(fragment.fragment().position() + 1);
        text->setTextCursor(cursor);
        text->ensureCursorVisible();
        const QPoint at = text->cursorRect(cursor).center();
        QTest::mouseClick(text->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        return;
      }
    }
    ADD_FAILURE() << "no link to " << key.toStdString() << " on " << help->CurrentPage().toStdString();
  }
  // With PRAXEL_SCREENSHOTS set, saves the help window there under the name.
  static void SaveScreenshot(HelpForm* help, const QString& name) {
    if (const QByteArray dir = qgetenv("PRAXEL_SCREENSHOTS"); !dir.isEmpty()) {
      help->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
    }
  }
  static void Type(QWidget* to, Qt::Key key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(to, &press);
  }
};

TEST_F(Help, EveryPageIsCompiledIn) {
  for (const QString& key : Common::PageKeys()) {
    QString found = key;
    QString next;
    QString text;
    ::Help::GetHelpPage(found, next, text);
    EXPECT_EQ(found, key);
    EXPECT_TRUE(text.contains(QStringLiteral("<title>") + key + QStringLiteral("</title>"))) << key.toStdString();
  }
  QString icon = QStringLiteral("task.ico");
  QString next;
  QString text = QStringLiteral("old");
  ::Help::GetHelpPage(icon, next, text);
  EXPECT_EQ(icon, QStringLiteral("Task.ico"));
  EXPECT_TRUE(text.isEmpty());
}

// Back and Next walk the history; a new page empties the forward list; the buttons say where they
// lead.
TEST_F(Help, BackAndNextWalkTheHistory) {
  StartProgram();
  HelpForm* help = Open(QStringLiteral("Welcome"));
  EXPECT_TRUE(help->isVisible());
  EXPECT_FALSE(help->BackCommand()->isEnabled());
  help->DisplayHelpPage(QStringLiteral("Menu"));
  EXPECT_EQ(help->BackCommand()->toolTip(), QStringLiteral("Back to Welcome"));
  help->BackCommand()->click();
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("Welcome"));
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Welcome"));
  EXPECT_EQ(help->NextPages(), QStringList{QStringLiteral("Menu")});
  EXPECT_EQ(help->NextCommand()->toolTip(), QStringLiteral("Next to Menu"));
  help->NextCommand()->click();
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("Menu"));
  help->BackCommand()->click();
  help->DisplayHelpPage(QStringLiteral("Toolbar"));
  EXPECT_TRUE(help->NextPages().isEmpty());
  EXPECT_FALSE(help->NextCommand()->isEnabled());
  EXPECT_EQ(help->BackPages(), (QStringList{QStringLiteral("Welcome")}));
}

// "Guide me" leads through the list into tour 1 and back to the list; on a tour page a side trip
// and Back still leave Next on the tour.
TEST_F(Help, NextWalksTheTours) {
  StartProgram();
  HelpForm* help = Open(QStringLiteral("Guide me"));
  help->resize(900, 640);
  SaveScreenshot(help, QStringLiteral("help-guide-me.png"));
  QStringList walked{help->CurrentPage()};
  for (int step = 0; step < 11; ++step) {
    help->NextCommand()->click();
    walked.append(help->CurrentPage());
    if (walked.last().startsWith(QLatin1String("Tour 1.")) && walked.last() < QLatin1String("Tour 1.3")) {
      SaveScreenshot(help, QStringLiteral("help-") + Common::PageFileName(walked.last()).replace(QLatin1String(".html"), QLatin1String(".png")));
    }
  }
  EXPECT_EQ(walked, (QStringList{"Guide me", "Tour list", "Tour #1", "Tour 1.1", "Tour 1.2", "Tour 1.3", "Tour 1.4",
                                 "Tour 1.5", "Tour 1.6", "Tour 1.7", "Tour 1.8", "Tour list"}));
  help->DisplayHelpPage(QStringLiteral("Tour 2.16"));
  EXPECT_EQ(help->NextPages(), QStringList{QStringLiteral("Tour list")});
  ClickLink(help, QStringLiteral("Save"));
  ASSERT_EQ(help->CurrentPage(), QStringLiteral("Save"));
  help->BackCommand()->click();
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("Tour 2.16"));
  EXPECT_EQ(help->NextCommand()->toolTip(), QStringLiteral("Next to Tour list"));
}

// Keys find their page by plural, case and a control's word; a key without page says so in red.
TEST_F(Help, KeysFindTheirPages) {
  StartProgram();
  struct Case {
    const char* asked;
    const char* caption;
    const char* shown;  // the page whose title is shown; nullptr: the missing-page message
  };
  for (const Case& c : {Case{"Dependencies", "Dependency", "Dependency"}, Case{"using Help", "Using help", "Using help"},
                        Case{"Task.Units", "Task.Units", "Task.Units"},
                        Case{"Task.Description", "Task.Description", "Description"},
                        Case{"Task.Nothing", "Task.Nothing", nullptr}}) {
    SCOPED_TRACE(c.asked);
    HelpForm* help = Open(QString::fromLatin1(c.asked));
    EXPECT_EQ(help->windowTitle(), QString::fromLatin1(c.caption));
    QTextDocument* page = help->ViewableText()->document();
    if (c.shown != nullptr) {
      EXPECT_EQ(page->metaInformation(QTextDocument::DocumentTitle), QString::fromLatin1(c.shown));
    } else {
      EXPECT_EQ(page->toPlainText(), QStringLiteral("The help screen for Task.Nothing is missing."));
      QTextCursor first(page);
      first.movePosition(QTextCursor::NextCharacter);
      EXPECT_EQ(first.charFormat().foreground().color(), QColor(240, 0, 0));
      EXPECT_TRUE(first.charFormat().font().bold());
    }
  }
}

TEST_F(Help, AClickOnALinkOpensItsPage) {
  StartProgram();
  HelpForm* help = Open(QStringLiteral("Task.Units"));
  ClickLink(help, QStringLiteral("Effort"));
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("Effort"));
  EXPECT_EQ(help->BackPages(), QStringList{QStringLiteral("Task.Units")});
}

// On the index a letter jumps to the first entry that begins with it; elsewhere a letter is left
// to the page. Esc hides the window, closing it hides it too, and the history survives both.
TEST_F(Help, KeysOfTheWindow) {
  StartProgram();
  HelpForm* help = Open(QStringLiteral("Index"));
  QTextBrowser* text = help->ViewableText();
  Type(text, Qt::Key_Q, QStringLiteral("q"));
  EXPECT_TRUE(text->textCursor().block().text().startsWith(QLatin1Char('Q')));
  Type(text, Qt::Key_W, QStringLiteral("W"));
  EXPECT_TRUE(text->textCursor().block().text().startsWith(QLatin1Char('W')));
  Type(text, Qt::Key_A, QStringLiteral("a"));
  EXPECT_EQ(text->textCursor().position(), 0);

  help->DisplayHelpPage(QStringLiteral("Task"));
  Type(text, Qt::Key_Q, QStringLiteral("q"));
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("Task"));
  EXPECT_EQ(text->textCursor().position(), 0);

  Type(text, Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
  help->DisplayHelpPage(QStringLiteral("Effort"));
  EXPECT_FALSE(help->close());
  EXPECT_FALSE(help->isVisible());
  EXPECT_EQ(Window(), help);
  EXPECT_EQ(help->BackPages(), (QStringList{QStringLiteral("Index"), QStringLiteral("Task")}));
}

TEST_F(Help, ADoubleClickListsTheHistory) {
  StartProgram();
  HelpForm* help = Open(QStringLiteral("Welcome"));
  help->DisplayHelpPage(QStringLiteral("Menu"));
  help->DisplayHelpPage(QStringLiteral("Task"));
  help->BackCommand()->click();
  QTest::mouseDClick(help, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_EQ(help->ViewableText()->toPlainText(),
            QStringLiteral("BackPages:\n  1: Welcome\n\nNextPages:\n  1: Task\n"));
  EXPECT_EQ(help->CurrentPage(), QStringLiteral("Menu"));
}

TEST_F(Help, TheHelpMenuOpensItsPages) {
  StartProgram();
  struct Case {
    const char* menu;
    const char* page;
  };
  for (const Case& c : {Case{"HelpWelcomeMenu", "Welcome"}, Case{"HelpUsingHelpMenu", "Using help"},
                        Case{"HelpMenuMenu", "Menu"}, Case{"HelpToolbarMenu", "Toolbar"},
                        Case{"HelpGuideMeMenu", "Guide me"}, Case{"HelpIndexMenu", "Index"},
                        Case{"HelpTechnicalSupportMenu", "Technical Support"}}) {
    mainForm->Control(QString::fromLatin1(c.menu))->trigger();
    ASSERT_NE(Window(), nullptr) << c.menu;
    EXPECT_EQ(Window()->CurrentPage(), QString::fromLatin1(c.page)) << c.menu;
  }
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

TEST(HelpWords, FirstWordOfACaptionOrAControlName) {
  struct Case {
    const char* text;
    const char* word;
  };
  for (const Case& c : {Case{"Task entry", "Task"}, Case{"UnitsCombo", "Units"}, Case{"DescriptionText", "Description"},
                        Case{"OKCommand", "O"}, Case{"Task.Units", "Task"}, Case{"", ""}, Case{"x", "x"}}) {
    EXPECT_EQ(::Help::GetFirstWord(QString::fromLatin1(c.text)), QString::fromLatin1(c.word)) << c.text;
  }
}

// Context help: the index with no window open; a dialog's caption and focused control; a view's
// own page; F1 anywhere in a window of the client area; the toolbar's Help button.
TEST_F(Help, ContextHelpFitsTheActiveWindow) {
  StartProgram();
  mainForm->MdiArea()->setActiveSubWindow(nullptr);
  for (QAction* button : mainForm->ToolbarButtons()) {
    if (button->objectName() == QLatin1String("Help")) button->trigger();
  }
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Index"));
  EXPECT_TRUE(prompter.Asked().isEmpty());

  RegisterFake<FakeChart>(QStringLiteral("GanttForm"));
  QWidget* chart = Show(QStringLiteral("GanttForm"));
  chart->setProperty("HelpKey", QStringLiteral("Dudivizivo Voruv"));
  auto* inside = new QLineEdit(chart);
  inside->show();
  inside->setFocus();
  Type(inside, Qt::Key_F1);
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Dudivizivo Voruv"));

  RegisterFake<FakeDialog>(QStringLiteral("TaskEntryForm"));
  QWidget* dialog = Show(QStringLiteral("TaskEntryForm"));
  dialog->setWindowTitle(QStringLiteral("Task entry"));
  auto* units = new QLineEdit(dialog);
  units->setObjectName(QStringLiteral("UnitsCombo"));
  units->show();
  units->setFocus();
  Type(units, Qt::Key_F1);
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Task.Units"));
}

// The welcome screen: F1 opens the page of its focused button; the guide button opens the tours.
TEST_F(Help, FromTheWelcomeScreen) {
  StartProgram(true);
  auto* welcome = qobject_cast<WelcomeForm*>(Forms::Find(QStringLiteral("WelcomeForm")));
  ASSERT_NE(welcome, nullptr);
  welcome->OkCommand()->setFocus();
  Type(welcome->OkCommand(), Qt::Key_F1);
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Welcome.Ok"));
  welcome->GuideMeCommand()->click();
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Guide me"));
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

// The trees: the page of the selected node's kind, or of the tree itself.
class HelpOnTrees : public TreeTest {
 protected:
  HelpForm* Window() { return qobject_cast<HelpForm*>(Forms::Find(QStringLiteral("HelpForm"))); }
  // F1 in a tree, which is the active window then.
  void F1(TreeView* tree) {
    mainForm->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Forms::FrameOf(tree->parentWidget())));
    QTest::keyClick(tree, Qt::Key_F1);
  }
};

TEST_F(HelpOnTrees, WithoutAProjectOrTemplate) {
  StartProgram();
  F1(ProjectTreeView());
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Project Tree without project"));
  F1(TemplateTreeView());
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Template Tree without template"));
}

// Nothing selected is the tree's own page (the template tree once raised an internal error).
TEST_F(HelpOnTrees, PagesByTheSelectedNode) {
  StartWithModel();
  TemplateTreeView()->setCurrentItem(nullptr);
  F1(TemplateTreeView());
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Template Tree"));
  Press(DepartmentNode(QStringLiteral("Sales")));
  F1(TemplateTreeView());
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Department"));
  Press(NodeOf(build));
  F1(ProjectTreeView());
  EXPECT_EQ(Window()->CurrentPage(), QStringLiteral("Task"));
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

}  // namespace
