#include "CaseName.h"
#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "ShellFixture.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

const QStringList kButtons = {
    QStringLiteral("Open"),     QStringLiteral("Save"),       QStringLiteral("Project"),
    QStringLiteral("Subproject"), QStringLiteral("Task"),     QStringLiteral("Dependency"),
    QStringLiteral("Assignment"), QStringLiteral("Template"), QStringLiteral("Shift"),
    QStringLiteral("Department"), QStringLiteral("Resource"), QStringLiteral("Journal"),
    QStringLiteral("Copy"),     QStringLiteral("Print"),      QStringLiteral("Font"),
    QStringLiteral("Calendar"), QStringLiteral("Dudivizivo Voruv"), QStringLiteral("Histogram"),
    QStringLiteral("Budget"),   QStringLiteral("Work breakdown structure"), QStringLiteral("Precedence diagram"),
    QStringLiteral("Help")};

// Whether an action's picture has anything drawn at that size.
bool Drawn(const QIcon& icon, int size) {
  const QImage image = icon.pixmap(size, size).toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) return true;
    }
  }
  return false;
}

using Toolbar = ShellTest;
using Menus = ShellTest;

TEST_F(Toolbar, TwentyTwoButtonsKeyedByNameAndTenTreePictures) {
  StartProgram();
  QStringList keys;
  for (const QAction* button : mainForm->ToolbarButtons()) {
    keys.append(button->objectName());
    EXPECT_EQ(button->toolTip(), button->objectName());
    EXPECT_TRUE(Drawn(button->icon(), mainForm->Toolbar()->iconSize().width())) << button->toolTip().toStdString();
  }
  EXPECT_EQ(keys, kButtons);
  EXPECT_EQ(mainForm->Toolbar()->actions().size(), 22);
  EXPECT_EQ(mainForm->TreeImageKeys(),
            (QStringList{QStringLiteral("p"), QStringLiteral("s"), QStringLiteral("t"), QStringLiteral("d"),
                         QStringLiteral("a"), QStringLiteral("l"), QStringLiteral("h"), QStringLiteral("g"),
                         QStringLiteral("r"), QStringLiteral("n")}));
  for (const QString& letter : mainForm->TreeImageKeys()) EXPECT_TRUE(Drawn(mainForm->TreeImage(letter), 16));
}

TEST(ToolbarImages, SizesFollowTheScreenWidth) {
  struct Case {
    int width;
    int toolbar;
    int tree;
  };
  for (const Case& c : {Case{640, 16, 16}, Case{641, 24, 16}, Case{800, 24, 16}, Case{801, 32, 24}, Case{1920, 32, 24}}) {
    const MainForm::ImageSizes sizes = MainForm::ImageSizesFor(c.width);
    EXPECT_EQ(sizes.toolbar, c.toolbar) << c.width;
    EXPECT_EQ(sizes.tree, c.tree) << c.width;
  }
}

// Every button runs its command: an entry dialog's StartAdd, the department message, the save
// dialog, the font command, and "Not Ready Yet" for commands whose windows do not exist yet. The
// Gantt button among them: its key, not the first word of its tool tip, picks the command.
struct ButtonCase {
  const char* key;
  const char* outcome;  // a message box title, "Form.Member" called, "open dialog" or "save dialog"
};
void PrintTo(const ButtonCase& button, std::ostream* out) { *out << button.key; }

class ToolbarButtons : public ShellTest, public testing::WithParamInterface<ButtonCase> {};

TEST_P(ToolbarButtons, RunTheirCommand) {
  const ButtonCase button = GetParam();
  for (const char* form : {"ProjectEntryForm", "SubprojectEntryForm", "TaskEntryForm", "DependencyEntryForm",
                           "AssignmentEntryForm", "TemplateEntryForm", "ShiftEntryForm", "ResourceEntryForm"}) {
    RegisterFake<FakeDialog>(QString::fromLatin1(form));
  }
  StartProgram();
  mainForm->MdiArea()->setActiveSubWindow(nullptr);  // the trees are open, none in front
  const QString outcome = QString::fromLatin1(button.outcome);
  if (outcome == QLatin1String("save dialog")) {
    dialogs.SaveAnswer(QString());
  } else if (outcome == QLatin1String("open dialog")) {
    dialogs.OpenAnswer(QString());
  } else if (!outcome.contains(QLatin1Char('.'))) {
    prompter.Answer(praxel::AnswerOk);
  }
  FormCalls().clear();

  mainForm->Control(QString::fromLatin1(button.key))->trigger();

  if (outcome == QLatin1String("save dialog")) {
    ASSERT_EQ(dialogs.Asked().size(), 1);
    EXPECT_EQ(dialogs.Asked().at(0).kind, testsupport::AskedDialog::Kind::Save);
  } else if (outcome == QLatin1String("open dialog")) {
    ASSERT_EQ(dialogs.Asked().size(), 1);
    EXPECT_EQ(dialogs.Asked().at(0).kind, testsupport::AskedDialog::Kind::Open);
  } else if (outcome.contains(QLatin1Char('.'))) {
    EXPECT_EQ(FormCalls().value(0), outcome);
  } else {
    ASSERT_EQ(prompter.Asked().size(), 1);
    EXPECT_EQ(prompter.Asked().at(0).title, outcome);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ToolbarButtons,
    testing::Values(ButtonCase{"Open", "open dialog"}, ButtonCase{"Save", "save dialog"},
                    ButtonCase{"Project", "ProjectEntryForm.StartAdd"},
                    ButtonCase{"Subproject", "SubprojectEntryForm.StartAdd"},
                    ButtonCase{"Task", "TaskEntryForm.StartAdd"},
                    ButtonCase{"Dependency", "DependencyEntryForm.StartAdd"},
                    ButtonCase{"Assignment", "AssignmentEntryForm.StartAdd"},
                    ButtonCase{"Template", "TemplateEntryForm.StartAdd"},
                    ButtonCase{"Shift", "ShiftEntryForm.StartAdd"},
                    ButtonCase{"Department", "Can't Create Department"},
                    ButtonCase{"Resource", "ResourceEntryForm.StartAdd"}, ButtonCase{"Journal", "Not Ready Yet"},
                    ButtonCase{"Copy", "Not Ready Yet"}, ButtonCase{"Print", "Not Ready Yet"},
                    ButtonCase{"Font", "Not Applicable"}, ButtonCase{"Calendar", "Not Ready Yet"},
                    ButtonCase{"Dudivizivo Voruv", "Not Ready Yet"}, ButtonCase{"Histogram", "Not Ready Yet"},
                    ButtonCase{"Budget", "Not Ready Yet"}, ButtonCase{"Work breakdown structure", "Not Ready Yet"},
                    ButtonCase{"Precedence diagram", "Not Ready Yet"}, ButtonCase{"Help", "Not Ready Yet"}),
    [](const testing::TestParamInfo<ButtonCase>& info) { return testsupport::TestName(info.param.key); });

TEST_F(Menus, MenuBarInDesignOrderWithThePopupOffIt) {
  StartProgram();
  QStringList captions;
  for (const QAction* item : mainForm->menuBar()->actions()) captions.append(item->text());
  EXPECT_EQ(captions, (QStringList{QStringLiteral("File"), QStringLiteral("Project"), QStringLiteral("Template"),
                                   QStringLiteral("Journal"), QStringLiteral("Spreadsheet"), QStringLiteral("Calendar"),
                                   QStringLiteral("Iterative"), QStringLiteral("Graphics"), QStringLiteral("Output"),
                                   QStringLiteral("Setup"), QStringLiteral("Help")}));
  EXPECT_EQ(mainForm->PopupMenu()->actions().size(), 5);
  EXPECT_EQ(mainForm->Control(QStringLiteral("SpreadsheetTypeMenu10"))->text(), QStringLiteral("Date dependency"));
  EXPECT_TRUE(mainForm->Control(QStringLiteral("GraphicsGanttMenu"))->isCheckable());
  EXPECT_FALSE(mainForm->Control(QStringLiteral("GraphicsStatusReportMenu"))->isCheckable());
}

// Every menu entry answers a click: its command, or "Not Ready Yet"; none fails, and a view's
// check mark is left to the view.
TEST_F(Menus, EveryEntryAnswersAClick) {
  StartProgram();
  Common::SetThisProject(AddProject(QStringLiteral("Office move")));
  Common::SetThisTemplate(AddTemplate(QStringLiteral("Staff")));
  Common::BroadcastNewThisProject();
  Common::BroadcastNewThisTemplate();
  mainForm->MdiArea()->setActiveSubWindow(nullptr);  // the trees are open, none in front
  Common::ThisProject()->SetDirty(true);             // File > New asks, and is cancelled
  for (QAction* entry : mainForm->MenuControls()) {
    const QString name = entry->objectName();
    if (entry->isSeparator() || entry->menu() != nullptr || !entry->isVisible() || name == QLatin1String("FileExitMenu")) {
      continue;
    }
    ASSERT_TRUE(entry->isEnabled()) << name.toStdString();
    const qsizetype asked = prompter.Asked().size();
    QString expected = QStringLiteral("Not Ready Yet");
    if (name == QLatin1String("FileSaveMenu")) {
      dialogs.SaveAnswer(QString());
      expected.clear();
    } else if (name == QLatin1String("FileOpenMenu")) {
      dialogs.OpenAnswer(QString());
      expected.clear();
    } else if (name == QLatin1String("FileNewMenu")) {
      prompter.Answer(praxel::AnswerCancel);
      expected = QStringLiteral("Save All Changes To Disk");
    } else if (name == QLatin1String("SetupPrinterMenu")) {
      dialogs.PrinterAnswer(false);
      expected.clear();
    } else if (name == QLatin1String("HelpAboutMenu") || name == QLatin1String("PopupModifyMenu")) {
      // The popup's Modify acts on the selected node; none is selected.
      expected.clear();
    } else {
      if (name == QLatin1String("SetupFontMenu")) expected = QStringLiteral("Not Applicable");
      prompter.Answer(praxel::AnswerOk);
    }

    entry->trigger();

    if (expected.isEmpty()) {
      EXPECT_EQ(prompter.Asked().size(), asked) << name.toStdString();
    } else {
      ASSERT_EQ(prompter.Asked().size(), asked + 1) << name.toStdString();
      EXPECT_EQ(prompter.Asked().last().title, expected) << name.toStdString();
    }
    EXPECT_FALSE(entry->isChecked()) << name.toStdString();
    if (name == QLatin1String("HelpAboutMenu")) {
      QWidget* welcome = Forms::Find(QStringLiteral("WelcomeForm"));
      ASSERT_NE(welcome, nullptr);
      EXPECT_FALSE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
      Forms::Unload(welcome);
    }
  }
}

// File > Save and the Project and Template entries after New follow what is loaded.
TEST_F(Menus, EnabledStatesFollowTheDataInMemory) {
  StartProgram();
  const auto states = [this] {
    QString text;
    for (const char* entry : {"FileNewMenu", "FileSaveMenu", "ProjectNewMenu", "ProjectSelectMenu", "ProjectModifyMenu",
                              "ProjectDeleteMenu", "TemplateNewMenu", "TemplateSelectMenu", "TemplateModifyMenu",
                              "TemplateDeleteMenu"}) {
      text += mainForm->Control(QString::fromLatin1(entry))->isEnabled() ? QLatin1Char('X') : QLatin1Char('-');
    }
    return text;
  };
  EXPECT_EQ(states(), QStringLiteral("X-X---X---"));

  Common::SetThisTemplate(AddTemplate(QStringLiteral("Staff")));
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(states(), QStringLiteral("XXX---XXXX"));

  Common::SetThisProject(AddProject(QStringLiteral("Office move")));
  Common::BroadcastNewThisProject();
  EXPECT_EQ(states(), QStringLiteral("XXXXXXXXXX"));

  Common::FreeAllMemory();
  Common::BroadcastNewThisProject();
  Common::BroadcastNewThisTemplate();
  EXPECT_EQ(states(), QStringLiteral("X-X---X---"));
}

TEST_F(Menus, PopupNamesTheNodeKindAndOffersOtherProjectsAsActive) {
  StartProgram();
  Yproject* office = AddProject(QStringLiteral("Office move"));
  Yproject* shop = AddProject(QStringLiteral("Web shop"));
  Common::SetThisProject(office);
  QAction* modify = mainForm->Control(QStringLiteral("PopupModifyMenu"));
  QAction* remove = mainForm->Control(QStringLiteral("PopupDeleteMenu"));
  QAction* setActive = mainForm->Control(QStringLiteral("PopupSetActiveMenu"));

  mainForm->UpdatePopupMenu(QStringLiteral("r12"), nullptr);
  EXPECT_EQ(modify->text(), QStringLiteral("Modify this resource"));
  EXPECT_EQ(remove->text(), QStringLiteral("Delete this resource"));
  EXPECT_FALSE(setActive->isEnabled());

  mainForm->UpdatePopupMenu(QStringLiteral("pWeb shop"), shop);
  EXPECT_EQ(remove->text(), QStringLiteral("Delete this project"));
  EXPECT_TRUE(setActive->isEnabled());
  mainForm->UpdatePopupMenu(QStringLiteral("pOffice move"), office);
  EXPECT_FALSE(setActive->isEnabled());

  // No node selected: nothing changes.
  mainForm->UpdatePopupMenu(QString(), nullptr);
  EXPECT_EQ(remove->text(), QStringLiteral("Delete this project"));
  mainForm->UpdatePopupMenu(QStringLiteral("x1"), nullptr);
  EXPECT_EQ(modify->text(), QStringLiteral("Modify this n/a"));
}

}  // namespace
