// The status bar: the project, template and journal lists, the solver's panel and the busy panel.

#include "MainForm.h"

#include "Common.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "Notifications.h"
#include "SolveState.h"
#include "SolverHostQt.h"
#include "StatusPanels.h"
#include "Yproject.h"
#include "Ytemplate.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

namespace {

const QString kNoProjects = QStringLiteral("<no projects>");
const QString kNoTemplates = QStringLiteral("<no templates>");
const QString kNoJournal = QStringLiteral("<journal n/a>");

void ShowPlaceholder(QComboBox* list, const QString& placeholder) {
  list->addItem(placeholder);
  list->setCurrentIndex(0);
  list->setEnabled(false);
}

}  // namespace

JournalHolder* MainForm::ActiveJournals() {
  if (Yproject* project = Common::ThisProject()) return project;
  return Common::ThisTemplate();
}

QComboBox* MainForm::ProjectCombo() const { return panels_->ProjectCombo(); }
QComboBox* MainForm::TemplateCombo() const { return panels_->TemplateCombo(); }
QComboBox* MainForm::JournalCombo() const { return panels_->JournalCombo(); }

void MainForm::BuildStatusBar() {
  panels_ = new StatusPanels(this);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(panels_, 1);
  connect(ProjectCombo(), &QComboBox::activated, this, &MainForm::ProjectCombo_Click);
  connect(TemplateCombo(), &QComboBox::activated, this, &MainForm::TemplateCombo_Click);
  connect(JournalCombo(), &QComboBox::activated, this, &MainForm::JournalCombo_Click);
  ProjectCombo()->installEventFilter(this);
  connect(panels_, &StatusPanels::PanelClicked, this, &MainForm::StatusBar_PanelClick);
  connect(solverHost_, &Solve::QtSolverHost::SolveMessageChanged, panels_->SolvePanel(), &QLabel::setText);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ProjectCombo() && event->type() == QEvent::FocusIn) ProjectCombo_GotFocus();
  return QMainWindow::eventFilter(watched, event);
}

void MainForm::RebuildStatusBar() {
  ErrTrap::Guard guard(QStringLiteral("Main:RebuildStatusBar"));
  if (isMinimized()) return;
  guard([&] { panels_->Arrange(ClientSize().width()); });
  guard([&] { UpdateProjectCombo(); });
  guard([&] { UpdateTemplateCombo(); });
  guard([&] { UpdateJournalCombo(); });
}

void MainForm::UpdateProjectCombo() {
  ErrTrap::Guarded(QStringLiteral("Main:UpdateProjectCombo"), [&] {
    QComboBox* list = ProjectCombo();
    list->clear();
    const Yproject* active = Common::ThisProject();
    if (active == nullptr) {
      ShowPlaceholder(list, kNoProjects);
      return;
    }
    // The top-level projects, and the active one when it is a subproject.
    for (const Yproject* project : Common::Projects()) {
      if (project->Parent() == nullptr) list->addItem(project->ProjectName());
    }
    if (active->Parent() != nullptr) list->addItem(active->ProjectName());
    list->setCurrentIndex(list->findText(active->ProjectName(), Qt::MatchFixedString | Qt::MatchCaseSensitive));
    list->setEnabled(true);
  });
}

void MainForm::UpdateTemplateCombo() {
  ErrTrap::Guarded(QStringLiteral("Main:UpdateTemplateCombo"), [&] {
    QComboBox* list = TemplateCombo();
    list->clear();
    for (const Ytemplate* templ : Common::Templates()) list->addItem(templ->TemplateName());
    const Ytemplate* active = Common::ThisTemplate();
    if (active == nullptr) {
      ShowPlaceholder(list, kNoTemplates);
      return;
    }
    list->setCurrentIndex(list->findText(active->TemplateName(), Qt::MatchFixedString | Qt::MatchCaseSensitive));
    list->setEnabled(true);
  });
}

void MainForm::UpdateJournalCombo() {
  ErrTrap::Guarded(QStringLiteral("Main:UpdateJournalCombo"), [&] {
    QComboBox* list = JournalCombo();
    list->clear();
    const JournalHolder* journals = ActiveJournals();
    if (journals == nullptr) {
      ShowPlaceholder(list, kNoJournal);
      return;
    }
    for (int index = 0; index < journals->NumJournals; ++index) list->addItem(journals->JournalNodeText(index));
    list->setCurrentIndex(journals->CurrentIndex);
    list->setEnabled(true);
  });
}

void MainForm::ProjectCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:ProjectCombo_Click")), [&] {
    const QString chosen = ProjectCombo()->currentText();
    const Yproject* active = Common::ThisProject();
    if (chosen == kNoProjects || (active != nullptr && chosen == active->ProjectName())) return;
    Common::SetThisProject(Common::Projects().Find(chosen));
    Common::BroadcastNewThisProject();
  });
}

void MainForm::ProjectCombo_GotFocus() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:ProjectCombo_GotFocus")), [&] {
    if (Common::ThisProject() != nullptr) Forms::StartIfHidden(QStringLiteral("ProjectTreeForm"));
  });
}

void MainForm::TemplateCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:TemplateCombo_Click")), [&] {
    const QString chosen = TemplateCombo()->currentText();
    const Ytemplate* active = Common::ThisTemplate();
    if (chosen == kNoTemplates || (active != nullptr && chosen == active->TemplateName())) return;
    Common::SetThisTemplate(Common::Templates().Find(chosen));
    // Every window hears of the new template: the menus, the journal list, the template tree
    // (started when hidden) and the views that show the old one.
    Common::BroadcastNewThisTemplate();
  });
}

void MainForm::StatusBar_PanelClick(int Panel) {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Main:StatusBar_PanelClick")), [&] {
    // Not while a dialog holds the lock, nor without an active project.
    if (!ProjectCombo()->isEnabled()) return;
    if (Panel == 4) SolvePanelClick();
  });
}

void MainForm::SolvePanelClick() {
  ErrTrap::Guarded(QStringLiteral("Main:SolvePanelClick"), [&] {
    if (Solve::SolveMode() != Solve::ModeError) return;
    const QString message = Solve::SolveMessage() + QLatin1Char(' ');
    const QString word = message.left(message.indexOf(QLatin1Char(' ')));
    if ((word == QLatin1String("Overload") || word == QLatin1String("Overtime")) &&
        Forms::IsRegistered(QStringLiteral("OverageForm"))) {
      Forms::StartForm(QStringLiteral("OverageForm"), "Start");
      return;
    }
    if (word == QLatin1String("Dangling")) {
      HandleDanglingTask();
      return;
    }
    if (word == QLatin1String("Journal")) {
      ExplainJournalSync();
      return;
    }
    if (word == QLatin1String("Missing")) {
      HandleMissingDep();
      return;
    }
    // Every other failure shows the object it is about.
    SelectSolveErrorObject();
  });
}

void MainForm::SelectSolveErrorObject() {
  auto* object = dynamic_cast<Ymodel*>(Solve::SolveErrorObject());
  // A failure about no object (journals out of step) has nothing to show.
  if (object == nullptr || object->Project() == nullptr) return;
  Common::SetThisProject(object->Project());
  if (!Forms::IsRegistered(QStringLiteral("ProjectTreeForm"))) return;
  Forms::StartForm(QStringLiteral("ProjectTreeForm"), "Start");
  QWidget* tree = Forms::Find(QStringLiteral("ProjectTreeForm"));
  if (QWidget* view = tree->findChild<QWidget*>(QStringLiteral("Tree"))) view->setFocus();
  if (tree->metaObject()->indexOfMethod("SelectNodeOf(Ymodel*)") >= 0) {
    QMetaObject::invokeMethod(tree, "SelectNodeOf", Qt::DirectConnection, Q_ARG(Ymodel*, object));
  }
}
