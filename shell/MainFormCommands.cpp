// The commands behind the menus and the toolbar. A command whose window or code does not exist
// yet answers "Not Ready Yet", so that no click ever fails.

#include "MainForm.h"

#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "Prompter.h"

#include <QWidget>

void MainForm::BuildCommands() {
  commands_ = {
      {QStringLiteral("FileNewMenu"), [this] { FileNewMenu_Click(); }},
      {QStringLiteral("FileOpenMenu"), [this] { FileOpenMenu_Click(); }},
      {QStringLiteral("FileSaveMenu"), [this] { RequestSave(); }},
      {QStringLiteral("FileExitMenu"), [this] { close(); }},
      {QStringLiteral("ProjectNewMenu"), [] { Forms::StartForm(QStringLiteral("ProjectEntryForm"), "StartAdd"); }},
      {QStringLiteral("TemplateNewMenu"), [] { Forms::StartForm(QStringLiteral("TemplateEntryForm"), "StartAdd"); }},
      {QStringLiteral("ProjectModifyMenu"), [this] { ProjectModifyMenu_Click(); }},
      {QStringLiteral("TemplateModifyMenu"), [this] { TemplateModifyMenu_Click(); }},
      {QStringLiteral("PopupModifyMenu"), [this] { PopupModifyMenu_Click(); }},
      {QStringLiteral("SetupFontMenu"), [this] { SetupFontMenu_Click(); }},
      {QStringLiteral("SetupPrinterMenu"), [this] { SetupPrinterMenu_Click(); }},
      {QStringLiteral("SetupPreferencesMenu"), [this] { ShowFormNamed(QStringLiteral("PreferencesForm")); }},
      {QStringLiteral("HelpAboutMenu"), [this] { ShowFormNamed(QStringLiteral("WelcomeForm")); }},
      {QStringLiteral("CantCreateDepartment"), [this] { CantCreateDepartment(); }},
  };
  // The Help menu's pages.
  const QList<std::pair<const char*, const char*>> helpPages = {
      {"HelpWelcomeMenu", "Welcome"}, {"HelpUsingHelpMenu", "Using Help"},  {"HelpMenuMenu", "Menu"},
      {"HelpToolbarMenu", "Toolbar"}, {"HelpGuideMeMenu", "Guide me"},      {"HelpIndexMenu", "Index"},
      {"HelpTechnicalSupportMenu", "Technical Support"}};
  for (const auto& [menu, page] : helpPages) {
    commands_.insert(QString::fromLatin1(menu), [page] { Common::DisplayHelpPage(QString::fromLatin1(page)); });
  }
  BuildViewCommands();
  BuildAnalysisCommands();
  BuildJournalCommands();
  BuildProjectCommands();
  for (int index = 1; index <= 9; ++index) {
    commands_.insert(QStringLiteral("FileRecentMenu%1").arg(index), [this, index] { FileRecentMenu_Click(index); });
  }
}

void MainForm::RunCommand(const QString& Command, const ErrTrap::Site& Location) {
  ErrTrap::Guarded(Location, [&] {
    if (const auto command = commands_.constFind(Command); command != commands_.constEnd()) {
      (*command)();
      return;
    }
    const qsizetype dot = Command.indexOf(QLatin1Char('.'));
    if (dot > 0) {
      Forms::StartForm(Command.left(dot), Command.mid(dot + 1).toLatin1().constData());
      return;
    }
    Common::NotReadyYet();
  });
}

void MainForm::SetupFontMenu_Click() {
  QWidget* child = ActiveChild();
  if (child == nullptr) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("There is no active window."), praxel::MsgExclamation,
                                     QStringLiteral("Not Applicable"));
    return;
  }
  if (Forms::CallByName(child, "ChangeFont")) return;
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The font function is not supported for ") + Common::WindowCaptionName(child) + QStringLiteral("."),
      praxel::MsgExclamation, QStringLiteral("Font Not Supported"));
}

void MainForm::SetupPrinterMenu_Click() { Help::ShowPrinter(); }

void MainForm::CantCreateDepartment() {
  ErrTrap::Guarded(QStringLiteral("Main:CantCreateDepartment"), [] {
    praxel::CurrentPrompter().MsgBox(
        QStringLiteral("Departments do not need to be explicitly created.  If you use a department name for a "
                       "resource that hasn't been used before, the department will be created automatically."),
        praxel::MsgInformation, QStringLiteral("Can't Create Department"));
  });
}
