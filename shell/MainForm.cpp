#include "MainForm.h"
#include "PreferencesForm.h"

#include "Common.h"
#include "CrashAnalysis.h"
#include "ErrTrap.h"
#include "FormHelpers.h"
#include "HelpForm.h"
#include "Forms.h"
#include "Guard.h"
#include "Notifications.h"
#include "Pool.h"
#include "ProjectTreeForm.h"
#include "ResourceKeys.h"
#include "Rounding.h"
#include "Settings.h"
#include "SolveState.h"
#include "SolverHostQt.h"
#include "StatusPanels.h"
#include "TemplateTreeForm.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "WelcomeForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kResizePollMs = 50;
constexpr int kScrollTreeMs = 50;
constexpr int kAutoBackupMs = 10000;
// The main window keeps this much of the screen free on the left, right and top, and twice
// as much at the bottom.
constexpr int kScreenInset = 24;

QTimer* MakeTimer(QObject* parent, int interval) {
  auto* timer = new QTimer(parent);
  timer->setInterval(interval);
  return timer;
}

}  // namespace

MainForm::MainForm(const QString& CommandLineFile, QWidget* parent)
    : QMainWindow(parent),
      mdiArea_(new QMdiArea(this)),
      solverHost_(new Solve::QtSolverHost(this)),
      resizeTimer_(MakeTimer(this, kResizePollMs)),
      scrollTreeTimer_(MakeTimer(this, kScrollTreeMs)),
      autoBackupTimer_(MakeTimer(this, kAutoBackupMs)),
      commandLineFile_(CommandLineFile) {
  setCentralWidget(mdiArea_);
  Forms::SetMainWindow(this, mdiArea_);
  RegisterOwnForm(QStringLiteral("WelcomeForm"), [this] { return new WelcomeForm(*this); });
  RegisterOwnForm(QStringLiteral("PreferencesForm"), [this] { return new PreferencesForm(*this); });
  // The help window and the trees, unless stand-ins were registered in their place.
  if (!Forms::IsRegistered(QStringLiteral("HelpForm"))) {
    RegisterOwnForm(QStringLiteral("HelpForm"), [this] { return new HelpForm(this); });
  }
  if (!Forms::IsRegistered(QStringLiteral("ProjectTreeForm"))) {
    RegisterOwnForm(QStringLiteral("ProjectTreeForm"), [this] { return new ProjectTreeForm(*this); });
  }
  if (!Forms::IsRegistered(QStringLiteral("TemplateTreeForm"))) {
    RegisterOwnForm(QStringLiteral("TemplateTreeForm"), [this] { return new TemplateTreeForm(*this); });
  }
  Solve::SetHost(solverHost_);
  SetFileProgress(this);
  connect(solverHost_, &Solve::QtSolverHost::NewSolution, this, [] { Common::BroadcastNewSolution(); });
  connect(solverHost_, &Solve::QtSolverHost::StatusMessageRequested, this, &MainForm::StatusMessage);
  connect(resizeTimer_, &QTimer::timeout, this, &MainForm::ResizeTimer_Timer);
  connect(autoBackupTimer_, &QTimer::timeout, this, &MainForm::AutoBackupTimer_Timer);
  connect(scrollTreeTimer_, &QTimer::timeout, this, &MainForm::ScrollTreeTimer_Timer);
  BuildStatusBar();
  BuildCommands();
  MDIForm_Load();
}

MainForm::~MainForm() {
  // Forms that stand alone are no children of this window.
  for (QWidget* form : Forms::Loaded()) delete Forms::FrameOf(form);
  // Their makers would hand out this window as the host.
  for (const QString& name : ownForms_) Forms::Unregister(name);
  Forms::SetMainWindow(nullptr, nullptr);
  if (busy_) QApplication::restoreOverrideCursor();
}

void MainForm::MDIForm_Load() {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Main:MDIForm_Load")));
  guard([&] { ErrTrap::SetErrTrapForm(this); });
  guard([&] { startDir_ = QDir::currentPath(); });
  guard([&] { Common::FreeAllMemory(); });
  guard([&] {
    setWindowTitle(QStringLiteral("PRAXEL ") + Common::GetAppVersion());
    // The program's own icon, which every window shows unless it has its own.
    QString programIcon = QStringLiteral("Praxel.ico");
    QApplication::setWindowIcon(Common::GetResIcon(programIcon));
  });
  guard([&] {
    BuildMenus();
    BuildToolbar();
  });
  guard([&] { UpdateMenu(); });
  guard([&] { RedoRecentMenu(); });
  guard([&] {
    autoBackupMinutes_ = PreferencesForm::BackupMinutes(Settings::ReadSettings(QStringLiteral("AutomaticBackupCombo")));
  });
  guard([&] {
    Solve::SuspendSolve();
    Solve::ResumeSolve();
  });
  guard([&] {
    if (windowState() == Qt::WindowNoState) PlaceInScreen();
  });
  guard([&] { autoBackupTimer_->start(); });
}

void MainForm::RegisterOwnForm(const QString& Name, Forms::Maker Make) {
  Forms::Register(Name, std::move(Make));
  ownForms_.append(Name);
}

void MainForm::PlaceInScreen() {
  const QRect screen = this->screen()->geometry();
  move(screen.left() + kScreenInset, screen.top() + kScreenInset);
  resize(screen.width() - 2 * kScreenInset, screen.height() - 3 * kScreenInset);
}

void MainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first activation runs once the window is on screen.
  if (!activated_) QMetaObject::invokeMethod(this, &MainForm::MDIForm_Activate, Qt::QueuedConnection);
}

void MainForm::MDIForm_Activate() {
  if (activated_) return;
  // Set first: what the activation shows may activate the window again.
  activated_ = true;
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Main:MDIForm_Activate")));
  for (const QString& tree : {QStringLiteral("ProjectTreeForm"), QStringLiteral("TemplateTreeForm")}) {
    guard([&] {
      if (Forms::IsRegistered(tree)) ShowForm(Forms::Load(tree));
    });
  }
  // A failure of the command-line file ends its own chain; the activation goes on.
  guard([&] {
    if (!commandLineFile_.isEmpty()) {
      ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:MDIForm_Activate")), [&] { OpenFile(commandLineFile_); });
    }
  });
  guard([&] { resizeTimer_->start(); });
  guard([&] { ShowFormNamed(QStringLiteral("WelcomeForm")); });
}

void MainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) MDIForm_Resize();
}

void MainForm::MDIForm_Resize() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:MDIForm_Resize")), [&] {
    QWidget* help = Forms::Find(QStringLiteral("HelpForm"));
    if (isMinimized()) {
      if (help != nullptr && help->isVisible()) {
        helpHidden_ = true;
        help->hide();
      }
    } else if (helpHidden_) {
      helpHidden_ = false;
      if (help != nullptr) help->show();
    }
  });
}

QSize MainForm::ClientSize() const { return mdiArea_->viewport()->size(); }

void MainForm::ResizeTimer_Timer() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:ResizeTimer_Timer")), [&] {
    const QSize client = ClientSize();
    if (client == lastScale_) return;
    lastScale_ = client;
    DelayedResize();
  });
}

void MainForm::AutoBackupTimer_Timer() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:AutoBackupTimer_Timer")), [&] {
    // Not while a file is read, nor while an analysis re-dates the tasks over and over.
    if (!reading_ && Solve::SolveMode() != Solve::ModeAnalysis) autoBackup_.Tick(autoBackupMinutes_);
  });
}

void MainForm::ScrollTreeTimer_Timer() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:ScrollTreeTimer_Timer")), [&] {
    const QString tag = scrollTreeTimer_->property("Tag").toString();
    if (tag == QLatin1String("ProjectTreeUp")) {
      Common::ScrollTree(Common::ProjectTree(), true);
    } else if (tag == QLatin1String("ProjectTreeDown")) {
      Common::ScrollTree(Common::ProjectTree(), false);
    } else if (tag == QLatin1String("TemplateTreeUp")) {
      Common::ScrollTree(Common::TemplateTree(), true);
    } else if (tag == QLatin1String("TemplateTreeDown")) {
      Common::ScrollTree(Common::TemplateTree(), false);
    } else {
      scrollTreeTimer_->stop();
    }
  });
}

void MainForm::StartTreeScroll(const QString& Tag) {
  scrollTreeTimer_->setProperty("Tag", Tag);
  scrollTreeTimer_->start();
}

void MainForm::StopTreeScroll() {
  scrollTreeTimer_->setProperty("Tag", QString());
  scrollTreeTimer_->stop();
}

void MainForm::DelayedResize() {
  ErrTrap::Guard guard(QStringLiteral("Main:DelayedResize"));
  if (!isVisible() || isMinimized()) return;
  guard([&] { RebuildStatusBar(); });
  for (QWidget* form : Forms::Loaded()) {
    guard([&] {
      if (Forms::IsLoaded(form) && Forms::FrameOf(form)->isVisible()) ShowForm(form);
    });
  }
}

QWidget* MainForm::ActiveChild() const { return Forms::ActiveForm(); }

void MainForm::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  MDIForm_QueryUnload(cancel);
  if (cancel) {
    event->ignore();
  } else {
    event->accept();
  }
}

void MainForm::MDIForm_QueryUnload(bool& Cancel) {
  ErrTrap::Guard guard(ErrTrap::Handler(QStringLiteral("Main:MDIForm_QueryUnload")));
  // Until the user's data is dealt with, a failure keeps the program open.
  Cancel = true;
  // A chart window or a dialog in front is closed alone (a dialog without saving); the next close
  // request goes on.
  bool closedInFront = false;
  guard([&] {
    QWidget* child = ActiveChild();
    const int style = Forms::BorderStyleOf(child);
    closedInFront = child != nullptr && (style == Forms::BorderChart || style == Forms::BorderDialog);
    if (closedInFront) Forms::Unload(child);
  });
  if (closedInFront || guard.Left()) return;
  bool mayClose = false;
  guard([&] { mayClose = OkToDeleteAll(); });
  if (!mayClose) return;
  Cancel = false;
  guard([&] { hide(); });
  guard([&] {
    Solve::SuspendSolve();
    solverHost_->SetSolveTimerEnabled(false);
  });
  guard([&] { Settings::WriteConfigFile(); });
  guard([&] { DeleteAll(); });
  guard([&] {
    if (QWidget* help = Forms::Find(QStringLiteral("HelpForm"))) Forms::Unload(help);
  });
}

void MainForm::StatusMessage(const QString& Text) {
  ErrTrap::Guarded(QStringLiteral("Main:StatusMessage"), [&] {
    QLabel* panel = panels_->BusyPanel();
    if (Text.isEmpty()) {
      panel->clear();
      if (busy_) QApplication::restoreOverrideCursor();
      busy_ = false;
    } else {
      panel->setText(Text + QStringLiteral(" ..."));
      if (!busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
      busy_ = true;
      // Shown at once: the lengthy work that follows lets no paint run before it ends.
      panel->repaint();
    }
  });
}

QString MainForm::StatusMessageText() const { return panels_->BusyPanel()->text(); }

QString MainForm::SolvePanelText() const { return panels_->SolvePanel()->text(); }

void MainForm::NewDragNode() {
  ErrTrap::Guarded(QStringLiteral("Main:NewDragNode"), [&] { UpdateProjectCombo(); });
}

void MainForm::NewJournal() {
  ErrTrap::Guard guard(QStringLiteral("Main:NewJournal"));
  guard([] { Solve::RestartSolve(); });
  guard([&] { UpdateJournalCombo(); });
}

void MainForm::NewThisProject() {
  ErrTrap::Guard guard(QStringLiteral("Main:NewThisProject"));
  // The steps of the last crash analysis belong to the project that was active.
  guard([] { Solve::ClearCrashItems(); });
  guard([&] { UpdateMenu(); });
  guard([&] { UpdateProjectCombo(); });
  guard([&] { UpdateJournalCombo(); });
}

void MainForm::NewThisTemplate() {
  ErrTrap::Guard guard(QStringLiteral("Main:NewThisTemplate"));
  guard([&] { UpdateMenu(); });
  guard([&] { UpdateTemplateCombo(); });
  guard([&] { UpdateJournalCombo(); });
}
