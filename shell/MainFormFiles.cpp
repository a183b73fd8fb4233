// Saving everything, clearing memory and the recent-file list of the File menu.

#include "MainForm.h"

#include "Bundle.h"
#include "Common.h"
#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "Pool.h"
#include "Prompter.h"
#include "Settings.h"
#include "SolveState.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>

namespace {

constexpr int kRecentFiles = 9;

QString RecentFileSetting(int number) { return QStringLiteral("RecentFile%1").arg(number); }

// What unsaved changes there are: "projects", "templates", "projects and templates" or nothing.
QString ChangedData() {
  QString changed;
  for (const Yproject* project : Common::Projects()) {
    if (project->Dirty()) changed = QStringLiteral("projects");
  }
  for (const Ytemplate* templ : Common::Templates()) {
    if (templ->Dirty()) changed = changed.isEmpty() ? QStringLiteral("templates") : QStringLiteral("projects and templates");
  }
  return changed;
}

}  // namespace

bool MainForm::OkToDeleteAll() {
  bool ok = false;
  ErrTrap::Guarded(QStringLiteral("Main:OkToDeleteAll"), [&] {
    const QString changed = ChangedData();
    if (changed.isEmpty()) {
      ok = true;
      return;
    }
    const int answer = praxel::CurrentPrompter().MsgBox(
        QStringLiteral("Changes have been made to one or more ") + changed +
            QStringLiteral(".\nThese changes exist only in memory and will be lost unless they are saved to disk.\n\n"
                           "Do you want to save all changes to disk?"),
        praxel::MsgYesNoCancel | praxel::MsgExclamation, QStringLiteral("Save All Changes To Disk"));
    if (answer == praxel::AnswerYes) {
      ok = RequestSave();
    } else {
      ok = answer == praxel::AnswerNo;
    }
  });
  return ok;
}

bool MainForm::RequestSave() {
  bool saved = false;
  ErrTrap::Guarded(QStringLiteral("Main:RequestSave"), [&] {
    const QString path = Help::ShowSave(startDir_, currentFile_);
    if (path.isEmpty()) return;
    startDir_ = Bundle::RecoverPath(path);
    currentFile_ = path;
    const QString kind = path.right(4).toLower();
    if (kind == QLatin1String(".pxb") || kind == QLatin1String(".pxa")) {
      saved = Bundle::SaveAll(path);
      if (saved) AddRecentFile(path);
    } else if (kind == QLatin1String(".mpp")) {
      // Writing Microsoft Project files comes with the interchange; nothing was saved.
      Common::NotReadyYet();
    } else {
      praxel::CurrentPrompter().MsgBox(
          QStringLiteral("The file \"") + path + QStringLiteral("\" does not have a recognized type."),
          praxel::MsgCritical, QStringLiteral("File Type Not Recognized"));
    }
  });
  return saved;
}

void MainForm::DeleteAll() {
  ErrTrap::Guard guard(QStringLiteral("Main:DeleteAll"));
  // The help window and the trees stay loaded; they show the emptied model.
  guard([&] {
    for (QWidget* form : Forms::Loaded()) {
      const QString name = form->objectName();
      if (name != QLatin1String("HelpForm") && name != QLatin1String("ProjectTreeForm") &&
          name != QLatin1String("TemplateTreeForm") && Forms::IsLoaded(form)) {
        Forms::Unload(form);
      }
    }
  });
  guard([&] { StatusMessage(QStringLiteral("Clearing memory")); });
  guard([] { Common::FreeAllMemory(); });
  guard([&] { StatusMessage(QString()); });
  guard([] { Solve::RestartSolve(); });
  guard([&] {
    NewThisProject();
    NewThisTemplate();
  });
}

void MainForm::OpenFile(const QString& Path) {
  ErrTrap::Guarded(QStringLiteral("Main:OpenFile"), [&] {
    // Reading project files into the model comes with the file commands.
    (void)Path;
    Common::NotReadyYet();
  });
}

void MainForm::AddRecentFile(const QString& Path) {
  ErrTrap::Guarded(QStringLiteral("Main:AddRecentFile"), [&] {
    // A path already listed moves to the top; a new one pushes the last entry out.
    int number = kRecentFiles;
    for (int entry = 1; entry < kRecentFiles; ++entry) {
      if (Settings::ReadSettings(RecentFileSetting(entry)).compare(Path, Qt::CaseInsensitive) == 0) {
        number = entry;
        break;
      }
    }
    for (int entry = number; entry >= 2; --entry) {
      Settings::WriteSettings(RecentFileSetting(entry), Settings::ReadSettings(RecentFileSetting(entry - 1)));
    }
    Settings::WriteSettings(RecentFileSetting(1), Path);
    RedoRecentMenu();
  });
}

void MainForm::RedoRecentMenu() {
  ErrTrap::Guarded(QStringLiteral("Main:RedoRecentMenu"), [&] {
    QAction* separator = Control(QStringLiteral("FileSeparatorMenu"));
    separator->setVisible(false);
    for (int number = 1; number <= kRecentFiles; ++number) {
      const QString path = Settings::ReadSettings(RecentFileSetting(number));
      QAction* entry = Control(QStringLiteral("FileRecentMenu%1").arg(number));
      entry->setText(QStringLiteral("&%1 ").arg(number) + path);
      entry->setVisible(!path.isEmpty());
      if (!path.isEmpty()) separator->setVisible(true);
    }
  });
}
