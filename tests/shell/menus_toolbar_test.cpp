#include "CaseName.h"
#include "Common.h"
#include "FakeForms.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "ShellFixture.h"
#include "SolveState.h"
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
  } else if (!outcome.contains(QLatin1Char('.')) && outcome != QLatin1String("help window")) {
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
  } else if (outcome == QLatin1String("help window")) {
    EXPECT_TRUE(prompter.Asked().isEmpty());
    ASSERT_NE(Forms::Find(QStringLiteral("HelpForm")), nullptr);
    EXPECT_TRUE(Forms::Find(QStringLiteral("HelpForm"))->isVisible());
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
                    ButtonCase{"Resource", "ResourceEntryForm.StartAdd"}, ButtonCase{"Journal", "No Projects in Memory"},
                    ButtonCase{"Copy", "Not Applicable"}, ButtonCase{"Print", "Not Applicable"},
                    ButtonCase{"Font", "Not Applicable"}, ButtonCase{"Calendar", "No Templates in Memory"},
                    ButtonCase{"Dudivizivo Voruv", "No Projects in Memory"}, ButtonCase{"Histogram", "No Projects in Memory"},
                    ButtonCase{"Budget", "No Projects in Memory"},
                    ButtonCase{"Work breakdown structure", "No Projects in Memory"},
                    ButtonCase{"Precedence diagram", "No Projects in Memory"}, ButtonCase{"Help", "help window"}),
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

// Every menu entry answers a click: its command, or "Not Ready Yet" where its window does not exist
// yet; none fails, and a view's check mark is left to the view. Each question is turned down, so
// the project and template stay for the next entry.
TEST_F(Menus, EveryEntryAnswersAClick) {
  StartProgram();
  Common::SetThisProject(AddProject(QStringLiteral("Office move")));
  Common::SetThisTemplate(AddTemplate(QStringLiteral("Staff")));
  Common::BroadcastNewThisProject();
  Common::BroadcastNewThisTemplate();
  // File > New and the deletes ask first, and are cancelled.
  Common::ThisProject()->SetDirty(true);
  Common::ThisTemplate()->SetDirty(true);
  // The entries that ask something else than "Not Ready Yet", the answer they get, and those
  // that ask nothing ("").
  struct Reply {
    const char* title;
    int answer;
  };
  const QHash<QString, Reply> replies = {
      {QStringLiteral("FileSaveMenu"), {"", 0}},
      {QStringLiteral("FileOpenMenu"), {"", 0}},
      {QStringLiteral("FileNewMenu"), {"Save All Changes To Disk", praxel::AnswerCancel}},
      {QStringLiteral("ProjectDeleteMenu"), {"Save All Changes To Disk", praxel::AnswerCancel}},
      {QStringLiteral("TemplateDeleteMenu"), {"Save All Changes To Disk", praxel::AnswerCancel}},
      {QStringLiteral("JournalNewMenu"), {"Enter New Journal Date", 0}},
      {QStringLiteral("JournalSelectMenu"), {"", 0}},
      {QStringLiteral("JournalSetAsPlanMenu"), {"", 0}},
      // The popup acts on the selected node; none is selected.
      {QStringLiteral("PopupModifyMenu"), {"", 0}},
      {QStringLiteral("PopupDeleteMenu"), {"", 0}},
      {QStringLiteral("PopupExpandMenu"), {"", 0}},
      {QStringLiteral("PopupContractMenu"), {"", 0}},
      {QStringLiteral("PopupSetActiveMenu"), {"", 0}},
      {QStringLiteral("SpreadsheetTypeMenu4"), {"Plan Equals Current", praxel::AnswerOk}},
      // A new project halts on an error, which an analysis cannot live with.
      {QStringLiteral("IterativeQuickRiskSolveMenu"), {"Halt Rule Must Be Changed", praxel::AnswerNo}},
      {QStringLiteral("IterativeDetailedRiskSolveMenu"), {"Halt Rule Must Be Changed", praxel::AnswerNo}},
      {QStringLiteral("IterativeQuickCrashSolveMenu"), {"Halt Rule Must Be Changed", praxel::AnswerNo}},
      {QStringLiteral("IterativeDetailedCrashSolveMenu"), {"Halt Rule Must Be Changed", praxel::AnswerNo}},
      {QStringLiteral("GraphicsCrashAnalysisMenu"), {"Crash Data Unavailable", praxel::AnswerOk}},
      {QStringLiteral("OutputPrintMenu"), {"Not Applicable", praxel::AnswerOk}},
      {QStringLiteral("OutputCopyMenu"), {"Not Applicable", praxel::AnswerOk}},
      {QStringLiteral("SetupFontMenu"), {"Not Applicable", praxel::AnswerOk}},
      {QStringLiteral("SetupPrinterMenu"), {"", 0}},
      {QStringLiteral("SetupPreferencesMenu"), {"", 0}},
      {QStringLiteral("HelpAboutMenu"), {"", 0}},
      {QStringLiteral("ProjectSelectMenu"), {"", 0}},
      {QStringLiteral("TemplateSelectMenu"), {"", 0}},
      {QStringLiteral("HelpWelcomeMenu"), {"", 0}},
      {QStringLiteral("HelpUsingHelpMenu"), {"", 0}},
      {QStringLiteral("HelpMenuMenu"), {"", 0}},
      {QStringLiteral("HelpToolbarMenu"), {"", 0}},
      {QStringLiteral("HelpGuideMeMenu"), {"", 0}},
      {QStringLiteral("HelpIndexMenu"), {"", 0}},
      {QStringLiteral("HelpTechnicalSupportMenu"), {"", 0}},
  };
  for (QAction* entry : mainForm->MenuControls()) {
    const QString name = entry->objectName();
    if (entry->isSeparator() || entry->menu() != nullptr || !entry->isVisible() || name == QLatin1String("FileExitMenu")) {
      continue;
    }
    ASSERT_TRUE(entry->isEnabled()) << name.toStdString();
    // Solved, whatever the entry before asked for: the views and analyses go past their guards.
    Solve::SetSolveMode(Solve::ModeIdle);
    mainForm->MdiArea()->setActiveSubWindow(nullptr);  // an entry before may have brought a tree to the front
    const qsizetype asked = prompter.Asked().size();
    const Reply reply = replies.value(name, Reply{"Not Ready Yet", praxel::AnswerOk});
    const QString expected = QString::fromLatin1(reply.title);
    if (name == QLatin1String("FileSaveMenu")) dialogs.SaveAnswer(QString());
    if (name == QLatin1String("FileOpenMenu")) dialogs.OpenAnswer(QString());
    if (name == QLatin1String("SetupPrinterMenu")) dialogs.PrinterAnswer(false);
    if (name == QLatin1String("JournalNewMenu")) {
      prompter.Type(QString());
    } else if (!expected.isEmpty()) {
      prompter.Answer(reply.answer);
    }

    entry->trigger();

    if (expected.isEmpty()) {
      EXPECT_EQ(prompter.Asked().size(), asked) << name.toStdString();
    } else {
      ASSERT_EQ(prompter.Asked().size(), asked + 1) << name.toStdString();
      EXPECT_EQ(prompter.Asked().last().title, expected) << name.toStdString();
    }
    EXPECT_FALSE(entry->isChecked()) << name.toStdString();
    if (name == QLatin1String("SetupPreferencesMenu")) {
      QWidget* preferences = Forms::Find(QStringLiteral("PreferencesForm"));
      ASSERT_NE(preferences, nullptr);
      Forms::Unload(preferences);
    }
    if (name == QLatin1String("HelpAboutMenu")) {
      QWidget* welcome = Forms::Find(QStringLiteral("WelcomeForm"));
      ASSERT_NE(welcome, nullptr);
      EXPECT_FALSE(mainForm->Control(QStringLiteral("FileOpenMenu"))->isEnabled());
      Forms::Unload(welcome);
    }
  }
  EXPECT_NE(Common::ThisProject(), nullptr);
  EXPECT_NE(Common::ThisTemplate(), nullptr);
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
