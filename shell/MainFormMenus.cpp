// The menu bar, the toolbar with its pictures, and the enabled states that follow the data.

#include "MainForm.h"

#include "OpenViews.h"

#include "Check.h"
#include "Common.h"
#include "Guard.h"
#include "ResourceKeys.h"
#include "Yproject.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace {

// A menu entry: its control name, its caption, whether it carries a check mark.
struct MenuEntry {
  const char* control;
  const char* caption;
  bool checkable = false;
};

struct MenuDefinition {
  const char* control;
  const char* caption;
  QList<MenuEntry> entries;
};

// The menu bar in design order. "-" is a separator. The recent files and the spreadsheet types
// are control arrays, added after this table; the Calendar item is itself the command.
const QList<MenuDefinition>& MenuBarDefinition() {
  static const QList<MenuDefinition> menus = {
      {"FileMenu", "File", {{"FileNewMenu", "New"}, {"FileOpenMenu", "Open"}, {"FileSaveMenu", "Save"},
                            {"FileExitMenu", "Exit"}, {"FileSeparatorMenu", "-"}}},
      {"ProjectMenu", "Project", {{"ProjectNewMenu", "New"}, {"ProjectSelectMenu", "Select"},
                                  {"ProjectModifyMenu", "Modify"}, {"ProjectDeleteMenu", "Delete"}}},
      {"TemplateMenu", "Template", {{"TemplateNewMenu", "New"}, {"TemplateSelectMenu", "Select"},
                                    {"TemplateModifyMenu", "Modify"}, {"TemplateDeleteMenu", "Delete"}}},
      {"JournalMenu", "Journal", {{"JournalNewMenu", "New"}, {"JournalSelectMenu", "Select"},
                                  {"JournalModifyMenu", "Modify"}, {"JournalDeleteMenu", "Delete"},
                                  {"JournalSetAsPlanMenu", "Set as plan"}}},
      {"PopupMainMenu", "Popup", {{"PopupModifyMenu", "Modify"}, {"PopupDeleteMenu", "Delete"},
                                  {"PopupExpandMenu", "Expand all"}, {"PopupContractMenu", "Contract all"},
                                  {"PopupSetActiveMenu", "Set as active project"}}},
      {"SpreadsheetMenu", "Spreadsheet", {}},
      {"CalendarMenu", "Calendar", {}},
      {"IterativeMenu", "Iterative", {{"IterativeQuickRiskSolveMenu", "Quick risk solve"},
                                      {"IterativeDetailedRiskSolveMenu", "Detailed risk solve"},
                                      {"IterativeQuickCrashSolveMenu", "Quick crash solve"},
                                      {"IterativeDetailedCrashSolveMenu", "Detailed crash solve"}}},
      {"GraphicsMenu", "Graphics", {{"GraphicsGanttMenu", "Dudivizivo Voruv", true},
                                    {"GraphicsHistogramMenu", "Histogram", true},
                                    {"GraphicsBudgetMenu", "Budget", true},
                                    {"GraphicsRiskAnalysisMenu", "Risk analysis", true},
                                    {"GraphicsCrashAnalysisMenu", "Crash analysis", true},
                                    {"GraphicsWorkBreakdownMenu", "Work breakdown structure", true},
                                    {"GraphicsPrecedenceMenu", "Precedence diagram", true},
                                    {"GraphicsStatusReportMenu", "Status report"}}},
      {"OutputMenu", "Output", {{"OutputPrintMenu", "Print"}, {"OutputCopyMenu", "Copy"}}},
      {"SetupMenu", "Setup", {{"SetupFontMenu", "Font"}, {"SetupPrinterMenu", "Printer"},
                              {"SetupPreferencesMenu", "Preferences"}}},
      {"HelpMenu", "Help", {{"HelpWelcomeMenu", "Welcome"}, {"HelpUsingHelpMenu", "Using help"},
                            {"HelpMenuMenu", "Menu"}, {"HelpToolbarMenu", "Toolbar"},
                            {"HelpGuideMeMenu", "Guide me"}, {"HelpIndexMenu", "Index"},
                            {"HelpTechnicalSupportMenu", "Technical support"}, {"HelpSeparatorMenu", "-"},
                            {"HelpAboutMenu", "About"}}},
  };
  return menus;
}

constexpr int kRecentFiles = 9;

// A toolbar button: its name (key, tool tip and picture), the kind letter of the tree objects
// that share its picture, and the command a click runs: a menu entry's, a form's entry point
// ("Form.Member") or a procedure of the main window.
struct ToolbarButton {
  const char* name;
  const char* letter;
  const char* command;
};

const ToolbarButton kToolbarButtons[] = {
    {"Open", "", "FileOpenMenu"},
    {"Save", "", "FileSaveMenu"},
    {"Project", "p", "ProjectEntryForm.StartAdd"},
    {"Subproject", "s", "SubprojectEntryForm.StartAdd"},
    {"Task", "t", "TaskEntryForm.StartAdd"},
    {"Dependency", "d", "DependencyEntryForm.StartAdd"},
    {"Assignment", "a", "AssignmentEntryForm.StartAdd"},
    {"Template", "l", "TemplateEntryForm.StartAdd"},
    {"Shift", "h", "ShiftEntryForm.StartAdd"},
    {"Department", "g", "CantCreateDepartment"},
    {"Resource", "r", "ResourceEntryForm.StartAdd"},
    {"Journal", "", "JournalNewMenu"},
    {"Copy", "", "OutputCopyMenu"},
    {"Print", "", "OutputPrintMenu"},
    {"Font", "", "SetupFontMenu"},
    {"Calendar", "", "CalendarMenu"},
    {"Dudivizivo Voruv", "", "GraphicsGanttMenu"},
    {"Histogram", "", "GraphicsHistogramMenu"},
    {"Budget", "", "GraphicsBudgetMenu"},
    {"Work breakdown structure", "", "GraphicsWorkBreakdownMenu"},
    {"Precedence diagram", "", "GraphicsPrecedenceMenu"},
    {"Help", "", "HelpForm.ContextHelp"},
};

// The word of a tree node's kind, as the popup menu's captions name it.
QString KindWord(const QString& kind) {
  static const QHash<QString, QString> words = {
      {QStringLiteral("p"), QStringLiteral("project")},    {QStringLiteral("s"), QStringLiteral("subproject")},
      {QStringLiteral("t"), QStringLiteral("task")},       {QStringLiteral("d"), QStringLiteral("dependency")},
      {QStringLiteral("a"), QStringLiteral("assignment")}, {QStringLiteral("l"), QStringLiteral("template")},
      {QStringLiteral("h"), QStringLiteral("shift")},      {QStringLiteral("g"), QStringLiteral("department")},
      {QStringLiteral("r"), QStringLiteral("resource")}};
  return words.value(kind, QStringLiteral("n/a"));
}

}  // namespace

QAction* MainForm::Control(const QString& Name) const { return controls_.value(Name); }

MainForm::ImageSizes MainForm::ImageSizesFor(int screenWidth) {
  if (screenWidth <= 640) return {16, 16};
  if (screenWidth <= 800) return {24, 16};
  return {32, 24};
}

void MainForm::BuildMenus() {
  const auto enlist = [this](QAction* control, const QString& name) {
    control->setObjectName(name);
    menuControls_.append(control);
    controls_.insert(name, control);
  };
  // A click runs the command through the handler of the control (of the array, for an array).
  // A check mark shows which view is open: the views set and clear it, a click does not.
  const auto addEntry = [&](QMenu* menu, const QString& name, const QString& caption, const QString& handler,
                            bool checkable = false) {
    QAction* entry = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    enlist(entry, name);
    entry->setCheckable(checkable);
    if (!entry->isSeparator()) {
      connect(entry, &QAction::triggered, this, [this, entry, name, handler](bool checked) {
        if (entry->isCheckable()) entry->setChecked(!checked);
        RunCommand(name, ErrTrap::Handler(QStringLiteral("Main:") + handler + QStringLiteral("_Click")));
      });
    }
    return entry;
  };
  for (const MenuDefinition& definition : MenuBarDefinition()) {
    const QString name = QString::fromLatin1(definition.control);
    const QString caption = QString::fromLatin1(definition.caption);
    if (name == QLatin1String("CalendarMenu")) {
      // A menu-bar item without entries: choosing it is the command.
      QAction* item = menuBar()->addAction(caption);
      enlist(item, name);
      connect(item, &QAction::triggered, this, [this, name] {
        RunCommand(name, ErrTrap::Handler(QStringLiteral("Main:") + name + QStringLiteral("_Click")));
      });
      continue;
    }
    // The popup menu opens over the trees only; it is not on the menu bar.
    const bool popup = name == QLatin1String("PopupMainMenu");
    QMenu* menu = popup ? new QMenu(caption, this) : menuBar()->addMenu(caption);
    if (popup) popupMenu_ = menu;
    enlist(menu->menuAction(), name);
    for (const MenuEntry& entry : definition.entries) {
      const QString control = QString::fromLatin1(entry.control);
      addEntry(menu, control, QString::fromLatin1(entry.caption), control, entry.checkable);
    }
    if (name == QLatin1String("FileMenu")) {
      for (int index = 1; index <= kRecentFiles; ++index) {
        addEntry(menu, QStringLiteral("FileRecentMenu%1").arg(index), QString::number(index), QStringLiteral("FileRecentMenu"))
            ->setVisible(false);
      }
    }
    if (name == QLatin1String("SpreadsheetMenu")) {
      for (int type = 1; type <= Common::kSpreadsheetTypes; ++type) {
        addEntry(menu, QStringLiteral("SpreadsheetTypeMenu%1").arg(type), Common::SpreadsheetTypeName(type),
                 QStringLiteral("SpreadsheetTypeMenu"), true);
      }
    }
  }
}

void MainForm::BuildToolbar() {
  ErrTrap::Guard guard(QStringLiteral("Main:BuildToolbar"));
  guard([&] {
    const ImageSizes sizes = ImageSizesFor(screen()->geometry().width());
    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("Toolbar"));
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setIconSize(QSize(sizes.toolbar, sizes.toolbar));
    treeImageSize_ = sizes.tree;
    connect(toolbar_, &QToolBar::actionTriggered, this, &MainForm::Toolbar_ButtonClick);
  });
  for (const ToolbarButton& button : kToolbarButtons) {
    guard([&] { AddImage(QString::fromLatin1(button.name), QString::fromLatin1(button.letter)); });
  }
  guard([&] { AddImage(QStringLiteral("NoDrop"), QStringLiteral("n")); });
}

void MainForm::AddImage(const QString& Name, const QString& Letter) {
  ErrTrap::Guard guard(QStringLiteral("Main:AddImage"));
  if (Letter != QLatin1String("n")) {
    guard([&] {
      QString key = Name + QStringLiteral(".ico");
      QAction* button = toolbar_->addAction(Common::GetResIcon(key), Name);
      button->setObjectName(Name);
      button->setToolTip(Name);
      toolbarButtons_.append(button);
      controls_.insert(Name, button);
    });
  }
  if (!Letter.isEmpty()) {
    guard([&] {
      QString key = Name + QStringLiteral(".ico");
      treeImages_.insert(Letter, Common::GetResIcon(key));
      treeImageKeys_.append(Letter);
    });
  }
}

void MainForm::Toolbar_ButtonClick(QAction* Button) {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:Toolbar_ButtonClick")), [&] {
    // A button is known by its key, which is also its name and tool tip.
    const QString key = Button->objectName();
    for (const ToolbarButton& button : kToolbarButtons) {
      if (key != QLatin1String(button.name)) continue;
      const QString command = QString::fromLatin1(button.command);
      // A menu's command runs through the menu entry's handler.
      RunCommand(command, ErrTrap::Handler(controls_.contains(command)
                                               ? QStringLiteral("Main:") + command + QStringLiteral("_Click")
                                               : QStringLiteral("Main:Toolbar_ButtonClick")));
      return;
    }
    TRAP_ASSERT(false, "every toolbar button has a command");
  });
}

void MainForm::UpdateMenu() {
  ErrTrap::Guarded(QStringLiteral("Main:UpdateMenu"), [&] {
    const bool loaded = !Common::Projects().IsEmpty() || !Common::Templates().IsEmpty();
    const bool project = Common::ThisProject() != nullptr;
    const bool templ = Common::ThisTemplate() != nullptr;
    Control(QStringLiteral("FileNewMenu"))->setEnabled(true);
    Control(QStringLiteral("FileSaveMenu"))->setEnabled(loaded);
    for (const char* entry : {"ProjectSelectMenu", "ProjectModifyMenu", "ProjectDeleteMenu"}) {
      Control(QString::fromLatin1(entry))->setEnabled(project);
    }
    for (const char* entry : {"TemplateSelectMenu", "TemplateModifyMenu", "TemplateDeleteMenu"}) {
      Control(QString::fromLatin1(entry))->setEnabled(templ);
    }
  });
}

void MainForm::ShowPopupMenu(const QString& NodeTag, const Ymodel* NodeObject, const QPoint& At) {
  UpdatePopupMenu(NodeTag, NodeObject);
  popupMenu_->popup(At);
}

void MainForm::PopupModify() { Control(QStringLiteral("PopupModifyMenu"))->trigger(); }

void MainForm::UpdatePopupMenu(const QString& NodeTag, const Ymodel* NodeObject) {
  ErrTrap::Guarded(QStringLiteral("Main:UpdatePopupMenu"), [&] {
    if (NodeTag.isEmpty()) return;
    const QString kind = NodeTag.left(1);
    const QString word = KindWord(kind);
    Control(QStringLiteral("PopupModifyMenu"))->setText(QStringLiteral("Modify this ") + word);
    Control(QStringLiteral("PopupDeleteMenu"))->setText(QStringLiteral("Delete this ") + word);
    for (const char* entry : {"PopupModifyMenu", "PopupDeleteMenu", "PopupExpandMenu", "PopupContractMenu"}) {
      Control(QString::fromLatin1(entry))->setEnabled(true);
    }
    const bool projectNode = kind == QLatin1String("p") || kind == QLatin1String("s");
    Control(QStringLiteral("PopupSetActiveMenu"))->setEnabled(projectNode && NodeObject != Common::ThisProject());
  });
}
