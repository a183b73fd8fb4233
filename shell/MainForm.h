#pragma once

#include "AutoBackup.h"
#include "ErrTrap.h"
#include "FileProgress.h"
#include "FormHost.h"
#include "Forms.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>

class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class StatusPanels;
class JournalHolder;
class QTreeWidgetItem;
class Ymodel;
class Yproject;

namespace Bundle {
struct FirstRecords;
}

namespace Solve {
class QtSolverHost;
}

// The main window: the MDI frame of the program and its start-up object. It carries the menus,
// the toolbar and the status bar, places every other window (ShowForm) and locks itself while a
// dialog is open, pumps the background solve through its solver host, and answers the
// notifications that concern it. It is the host of the windows it makes (the trees and the welcome
// screen), which reach it through TreeHost only. Its procedures trap their own failures under
// "Main:<procedure>".
//
// Its members are grouped by purpose over several files: start-up, shut-down and the resize
// poll (MainForm.cpp); placement and the dialog lock (MainFormPlacement.cpp); the status bar
// (MainFormStatusBar.cpp); the menus and toolbar (MainFormMenus.cpp); the commands behind them
// (MainFormCommands.cpp), by kind: the file commands, saving and clearing memory
// (MainFormFiles.cpp), Modify (MainFormModify.cpp), the views (MainFormViews.cpp), the analyses
// (MainFormAnalyses.cpp), the journals (MainFormJournals.cpp), deleting projects and templates
// and the rest of the tree popup (MainFormProjects.cpp), and the explanations of a failed solve
// (MainFormExplanations.cpp).
class MainForm : public QMainWindow, public TreeHost, public FileProgress {
  Q_OBJECT

 public:
  // Loads the window (MDIForm_Load). CommandLineFile, when not empty, is opened at the first
  // activation.
  explicit MainForm(const QString& CommandLineFile = QString(), QWidget* parent = nullptr);
  ~MainForm() override;

  QMdiArea* MdiArea() const { return mdiArea_; }

  // Shows a text followed by " ..." in the busy panel, with the busy mouse pointer; an empty
  // text clears the panel and restores the normal pointer. The file objects report here too
  // ("Reading from ...", "Writing to ...") while this window is their progress.
  Q_INVOKABLE void StatusMessage(const QString& Text) override;
  QString StatusMessageText() const;
  // The solver's message, panel 4.
  QString SolvePanelText() const;

  // Loads the form if needed, places it by its border style and shows it; a dialog locks the
  // main window until its unload calls UnlockEntryForm.
  Q_INVOKABLE void ShowForm(QWidget* frm) override;
  Q_INVOKABLE void UnlockEntryForm(QWidget* frm) override;

  // The notifications the main window answers (it has no NewSolution).
  Q_INVOKABLE void NewDragNode();
  Q_INVOKABLE void NewJournal();
  Q_INVOKABLE void NewThisProject();
  Q_INVOKABLE void NewThisTemplate();

  // Setup > Font (the active window's font) and Setup > Printer (the printer set-up). The print
  // preview calls them too, while its lock keeps their menus disabled.
  void SetupFontMenu_Click();
  void SetupPrinterMenu_Click();

  // Prepares the tree popup menu for the node the trees pass: its tag (kind letter and key;
  // empty when no node is selected, which changes nothing) and its model object.
  void UpdatePopupMenu(const QString& NodeTag, const Ymodel* NodeObject);
  QMenu* PopupMenu() const { return popupMenu_; }
  void ShowPopupMenu(const QString& NodeTag, const Ymodel* NodeObject, const QPoint& At) override;
  // Triggers the popup's Modify entry, whose command is in BuildCommands ("PopupModifyMenu").
  void PopupModify() override;

  // A menu entry (by its control name, "FileSaveMenu", "FileRecentMenu3") or a toolbar button
  // (by its key, "Save"); nullptr for another name.
  QAction* Control(const QString& Name) const;
  QList<QAction*> MenuControls() const { return menuControls_; }
  QList<QAction*> ToolbarButtons() const { return toolbarButtons_; }
  QToolBar* Toolbar() const { return toolbar_; }
  // The pictures of the tree nodes by kind letter ("p" .. "r", and "n" for a refused drop).
  QIcon TreeImage(const QString& Letter) const override { return treeImages_.value(Letter); }
  QStringList TreeImageKeys() const { return treeImageKeys_; }
  int TreeImageSize() const override { return treeImageSize_; }

  StatusPanels* Panels() const { return panels_; }
  QComboBox* ProjectCombo() const;
  QComboBox* TemplateCombo() const;
  QComboBox* JournalCombo() const;
  Solve::QtSolverHost* SolverHost() const { return solverHost_; }

  // The size poll (50 ms, from the first activation), the tree scroll while dragging (50 ms, off
  // until the trees turn it on) and the automatic-backup check (10 s, from start-up): the trees
  // and the automatic backup connect their work to the last two. The solve timer is the host's.
  QTimer* ResizeTimer() const { return resizeTimer_; }
  QTimer* ScrollTreeTimer() const { return scrollTreeTimer_; }
  QTimer* AutoBackupTimer() const { return autoBackupTimer_; }
  // Runs ScrollTreeTimer for that tree and direction; stopping clears its tag.
  void StartTreeScroll(const QString& Tag) override;
  void StopTreeScroll() override;

  // The automatic backup that AutoBackupTimer drives (a test sets its clock).
  AutoBackup& Backup() { return autoBackup_; }

  // Program-wide values kept by the main window.
  const QString& StartDir() const { return startDir_; }
  const QString& CurrentFile() const { return currentFile_; }
  int AutoBackupMinutes() const { return autoBackupMinutes_; }
  void SetAutoBackupMinutes(int Minutes) { autoBackupMinutes_ = Minutes; }

  // The current client-area size, in which windows are placed.
  QSize ClientSize() const;

  // The picture sizes of the toolbar and of the tree nodes for a screen of that width in pixels.
  struct ImageSizes {
    int toolbar;
    int tree;
  };
  static ImageSizes ImageSizesFor(int screenWidth);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Start-up, shut-down and the resize poll.
  void MDIForm_Load();
  void MDIForm_Activate();
  void MDIForm_QueryUnload(bool& Cancel);
  void MDIForm_Resize();
  void ResizeTimer_Timer();
  void DelayedResize();
  void AutoBackupTimer_Timer();
  void ScrollTreeTimer_Timer();
  void PlaceInScreen();
  QWidget* ActiveChild() const;
  // Registers a window that this window makes and hosts; it is unregistered with this window.
  void RegisterOwnForm(const QString& Name, Forms::Maker Make);

  // Placement and the lock.
  void LockEntryForms(QWidget* frm);
  static bool IsPrintable(const QWidget* frm);
  // Loads a form by name and shows it; "Not Ready Yet" when no such form exists yet.
  void ShowFormNamed(const QString& Name);

  // The status bar.
  void BuildStatusBar();
  void RebuildStatusBar();
  void UpdateProjectCombo();
  void UpdateTemplateCombo();
  void UpdateJournalCombo();
  // The journals the journal list shows: the active project's, else the active template's.
  static JournalHolder* ActiveJournals();
  void ProjectCombo_Click();
  void ProjectCombo_GotFocus();
  void TemplateCombo_Click();
  void JournalCombo_Click();
  void StatusBar_PanelClick(int Panel);
  void SolvePanelClick();
  void SelectSolveErrorObject();
  // The explanations of three solve failures, each with its repair (MainFormExplanations.cpp).
  void HandleDanglingTask();
  static void GenerateDummy(Yproject* project);
  void ExplainJournalSync();
  void HandleMissingDep();
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The menus and toolbar.
  void BuildMenus();
  void BuildToolbar();
  void AddImage(const QString& Name, const QString& Letter);
  void Toolbar_ButtonClick(QAction* Button);
  void UpdateMenu();

  // The commands.
  void BuildCommands();
  // Runs a command as an event handler of that location: a menu entry's ("FileSaveMenu"), a
  // form's entry point ("TaskEntryForm.StartAdd") or a procedure of this window. A command
  // whose code does not exist yet answers "Not Ready Yet".
  void RunCommand(const QString& Command, const ErrTrap::Site& Location);
  void CantCreateDepartment();
  // The Modify commands (MainFormModify.cpp): the Project and Template menus' on the active
  // project and template, and the trees' popup Modify (also a double click on a node) on the
  // selected node's object, each in its entry dialog.
  void ProjectModifyMenu_Click();
  void TemplateModifyMenu_Click();
  void PopupModifyMenu_Click();

  // The view commands (MainFormViews.cpp): the Graphics entries, Calendar, the spreadsheet types
  // and Output > Copy and Print.
  void BuildViewCommands();
  // Closes the chart window while its entry is checked, else starts it; nothing unless Allowed.
  static void ToggleChart(const QString& Control, bool Allowed, const QString& Form);
  static void GraphicsCrashAnalysisMenu_Click();
  static void SpreadsheetTypeMenu_Click(int Index);
  void OutputCopyMenu_Click();
  void OutputPrintMenu_Click();
  // The chart control of the active window, for Output > Copy and Print ("copy", "print"); none,
  // after telling the user why, when no window is active or it has no chart.
  QWidget* ActiveChart(const QString& Verb, const QString& Title);

  // The Iterative menu (MainFormAnalyses.cpp).
  void BuildAnalysisCommands();
  void CrashSolve(bool Quick);
  void RiskSolve(bool Quick);
  // Before an analysis: True when no loaded project has a solve rule that halts; else asks to
  // open the first such project's dialog and gives False. Analysis names it in the question.
  static bool NoHaltingProject(const QString& Analysis);

  // The journal commands (MainFormJournals.cpp).
  void BuildJournalCommands();
  void JournalNewMenu_Click();
  static void JournalSetAsPlanMenu_Click();

  // Projects, templates and the tree popup (MainFormProjects.cpp).
  void BuildProjectCommands();
  void ProjectDeleteMenu_Click();
  void TemplateDeleteMenu_Click();
  void PopupDeleteMenu_Click();
  static void GlobalExpand(bool Expand);
  // Whether every node above the node is expanded.
  static bool IsShown(const QTreeWidgetItem* node);
  static void PopupSetActiveMenu_Click();

  // The file commands, saving and clearing memory.
  void FileNewMenu_Click();
  void FileOpenMenu_Click();
  void FileRecentMenu_Click(int Index);
  bool OkToDeleteAll();
  bool RequestSave();
  void DeleteAll();
  // Opens a project file (asking first whether to clear what is loaded or combine with it). The
  // solver is suspended while the file is read; however the reading ends, the first project and
  // template read become the active ones when none is, every window is told and the solver
  // resumes.
  void OpenFile(const QString& Path);
  // Reads the file by its kind, noting the first project and template read; True when the whole
  // file was read.
  bool ReadFileByKind(const QString& Path, Bundle::FirstRecords& first);
  void FinishOpening(const Bundle::FirstRecords& first);
  // After a failure while reading: tells the user that what was loaded is incomplete.
  void WarnReadInPart(const QString& Path, const Bundle::FirstRecords& first);
  void AddRecentFile(const QString& Path);
  void RedoRecentMenu();

  QMdiArea* mdiArea_;
  StatusPanels* panels_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  Solve::QtSolverHost* solverHost_ = nullptr;
  QTimer* resizeTimer_ = nullptr;
  QTimer* scrollTreeTimer_ = nullptr;
  QTimer* autoBackupTimer_ = nullptr;
  AutoBackup autoBackup_;

  QStringList ownForms_;  // the windows registered by RegisterOwnForm
  QList<QAction*> menuControls_;  // every menu control, in design order
  QList<QAction*> toolbarButtons_;
  QHash<QString, QAction*> controls_;
  QHash<QString, std::function<void()>> commands_;
  QHash<QString, QIcon> treeImages_;
  QStringList treeImageKeys_;
  int treeImageSize_ = 16;

  QString commandLineFile_;
  QString startDir_;
  QString currentFile_;
  int autoBackupMinutes_ = 0;
  QString lastJournalAnswer_;  // proposed by the next Journal > New
  bool reading_ = false;  // a project file is being read
  bool activated_ = false;
  bool helpHidden_ = false;
  QSize lastScale_{0, 0};
  bool busy_ = false;
};
