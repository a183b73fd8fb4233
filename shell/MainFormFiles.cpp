// The File menu: new, open (combining with what is loaded or not), save, and the recent files;
// the question before clearing memory, and the clearing itself.

#include "MainForm.h"

#include "Bundle.h"
#include "Common.h"
#include "CommonDialogService.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "Notifications.h"
#include "Pool.h"
#include "Prompter.h"
#include "Settings.h"
#include "SolveState.h"
#include "Transfer.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

namespace {

constexpr int kRecentFiles = 9;

// The kinds of file by the last four characters of the path.
enum class FileKind { Project, MSProject, BinaryMSProject, Unknown };

FileKind KindOf(const QString& path) {
  const QString ending = path.right(4).toLower();
  if (ending == QLatin1String(".pxb") || ending == QLatin1String(".pxa")) return FileKind::Project;
  if (Transfer::IsMSProjectXml(path)) return FileKind::MSProject;
  if (Transfer::IsBinaryMSProject(path)) return FileKind::BinaryMSProject;
  return FileKind::Unknown;
}

void FileTypeNotRecognized(const QString& path) {
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The file \"") + path + QStringLiteral("\" does not have a recognized type."), praxel::MsgCritical,
      QStringLiteral("File Type Not Recognized"));
}

// Whether the file can be opened at all: of a kind that is read, and there to read. The user is
// told when not, before anything loaded is touched.
bool CanOpen(const QString& path) {
  if (KindOf(path) == FileKind::Unknown) {
    FileTypeNotRecognized(path);
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    praxel::CurrentPrompter().MsgBox(QStringLiteral("The file \"") + path + QStringLiteral("\" cannot be opened: ") +
                                         file.errorString(),
                                     praxel::MsgCritical, QStringLiteral("File Open Error"));
    return false;
  }
  return true;
}

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
    switch (KindOf(path)) {
      case FileKind::Project:
        saved = Bundle::SaveAll(path);
        if (saved) AddRecentFile(path);
        break;
      case FileKind::MSProject:
        // An export is a copy for another program: the work itself is still to be saved.
        if (Transfer::MSProjectInstalled()) Transfer::ExportToMSProject(path);
        break;
      case FileKind::BinaryMSProject:
        Transfer::BinaryFileMessage(path);
        break;
      case FileKind::Unknown:
        FileTypeNotRecognized(path);
        break;
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

void MainForm::FileNewMenu_Click() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Main:FileNewMenu_Click")));
  bool clear = false;
  guard([&] {
    if (Common::Projects().IsEmpty() && Common::Templates().IsEmpty()) {
      praxel::CurrentPrompter().MsgBox(
          QStringLiteral("Memory is already empty.  There are no projects or templates loaded."),
          praxel::MsgExclamation, QStringLiteral("Memory Already Empty"));
      return;
    }
    clear = OkToDeleteAll();
  });
  if (!clear) return;
  guard([&] { DeleteAll(); });
  guard([] { Common::BroadcastNewThisProject(); });
  guard([] { Common::BroadcastNewThisTemplate(); });
}

void MainForm::FileOpenMenu_Click() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Main:FileOpenMenu_Click")));
  QString path;
  guard([&] { path = Help::ShowOpen(startDir_); });
  if (path.isEmpty()) return;
  guard([&] { startDir_ = Bundle::RecoverPath(path); });
  guard([&] { OpenFile(path); });
}

void MainForm::FileRecentMenu_Click(int Index) {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:FileRecentMenu_Click")), [&] {
    // The caption is "&", the entry's number, a blank and the path.
    const QString path = Control(QStringLiteral("FileRecentMenu%1").arg(Index))->text().mid(3);
    OpenFile(path);
  });
}

void MainForm::OpenFile(const QString& Path) {
  ErrTrap::Guard guard(QStringLiteral("Main:OpenFile"));
  bool openable = false;
  guard([&] { openable = CanOpen(Path); });
  if (!openable) return;
  // With data loaded: clear it first (after the save question), combine, or give up.
  int answer = praxel::AnswerNo;
  guard([&] {
    answer = praxel::AnswerNo;
    if (Common::ThisProject() == nullptr && Common::ThisTemplate() == nullptr) return;
    answer = praxel::CurrentPrompter().MsgBox(
        QStringLiteral("There are already projects and/or templates loaded into memory.\n\nIf you do not delete them, "
                       "then PRAXEL will combine the data in ") +
            Path +
            QStringLiteral(" with the data in memory.\n\nDo you want to delete all templates and projects first?"),
        praxel::MsgYesNoCancel | praxel::MsgQuestion, QStringLiteral("Delete All Projects and Templates"));
  });
  if (answer == praxel::AnswerCancel) return;
  if (answer == praxel::AnswerYes) {
    bool cleared = false;
    guard([&] {
      if (!OkToDeleteAll()) return;
      DeleteAll();
      cleared = true;
    });
    if (!cleared) return;
  }
  guard([&] { currentFile_ = Path; });
  guard([] { Solve::SuspendSolve(); });
  Bundle::FirstRecords first;
  bool read = false;
  const int failuresBefore = ErrTrap::FailuresAsked();
  try {
    guard([&] { read = ReadFileByKind(Path, first); });
  } catch (const ErrTrap::CallChain&) {
    // Given up while reading: what was read stays loaded, and the program goes on with it.
    guard([&] { FinishOpening(first); });
    guard([&] { WarnReadInPart(Path, first); });
    throw;
  }
  // Only a file that was read goes to the top of the recent files.
  if (read) guard([&] { AddRecentFile(Path); });
  guard([&] { FinishOpening(first); });
  if (ErrTrap::FailuresAsked() != failuresBefore) guard([&] { WarnReadInPart(Path, first); });
}

// After a failure while reading, what was read of the file stays loaded. The user is told that
// it is incomplete, and the file is no longer offered as the name to save to, so that the part
// that was read is not saved over the whole.
void MainForm::WarnReadInPart(const QString& Path, const Bundle::FirstRecords& first) {
  if (first.project == nullptr && first.templ == nullptr) return;
  currentFile_.clear();
  praxel::CurrentPrompter().MsgBox(
      QStringLiteral("The file ") + Path +
          QStringLiteral(" could not be read whole. What was loaded from it is incomplete.\n\n"
                         "Do not save it over ") +
          Path + QStringLiteral(": the part that could not be read would be lost."),
      praxel::MsgOkOnly | praxel::MsgExclamation, QStringLiteral("File Read In Part"));
}

bool MainForm::ReadFileByKind(const QString& Path, Bundle::FirstRecords& first) {
  switch (KindOf(Path)) {
    case FileKind::Project: {
      // The window goes on painting while a big file is read; the user's input waits, so
      // nothing changes the model under the reader, and no backup is taken of half a file.
      // The reader calls back often; the events run once every few milliseconds of it.
      constexpr qint64 kMillisecondsPerPump = 10;
      reading_ = true;
      struct Done {
        bool& flag;
        ~Done() { flag = false; }
      } done{reading_};
      QElapsedTimer sincePump;
      sincePump.start();
      return Bundle::OpenBundle(Path, &first, [&sincePump] {
        if (sincePump.elapsed() < kMillisecondsPerPump) return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        sincePump.start();
      });
    }
    case FileKind::MSProject:
      return Transfer::MSProjectInstalled() && Transfer::ImportMSProject(Path);
    case FileKind::BinaryMSProject:
      Transfer::BinaryFileMessage(Path);
      break;
    case FileKind::Unknown:
      FileTypeNotRecognized(Path);
      break;
  }
  return false;
}

void MainForm::FinishOpening(const Bundle::FirstRecords& first) {
  ErrTrap::Guard guard(QStringLiteral("Main:FinishOpening"));
  try {
    // The reading is over, however it ended: no busy message is left behind.
    guard([&] { StatusMessage(QString()); });
    // The first project and template read become the active ones when none is.
    guard([&] {
      if (Common::ThisProject() == nullptr && !Common::Projects().IsEmpty()) {
        Common::SetThisProject(first.project != nullptr ? first.project : Common::Projects().First());
      }
      if (Common::ThisTemplate() == nullptr && !Common::Templates().IsEmpty()) {
        Common::SetThisTemplate(first.templ != nullptr ? first.templ : Common::Templates().First());
      }
    });
    guard([] { Common::BroadcastNewThisTemplate(); });
    guard([] { Common::BroadcastNewThisProject(); });
  } catch (const ErrTrap::CallChain&) {
    Solve::ResumeSolve();
    throw;
  }
  guard([] { Solve::ResumeSolve(); });
}

void MainForm::AddRecentFile(const QString& Path) {
  ErrTrap::Guarded(QStringLiteral("Main:AddRecentFile"), [&] {
    // A path already listed moves to the top; a new one pushes the last entry out. File names
    // differing in case are different files here.
    int number = kRecentFiles;
    for (int entry = 1; entry < kRecentFiles; ++entry) {
      if (Settings::ReadSettings(RecentFileSetting(entry)) == Path) {
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
