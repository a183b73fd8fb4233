#include "OverageForm.h"

#include "HelpKeys.h"

#include "Common.h"
#include "FormHelpers.h"
#include "FormHost.h"
#include "Guard.h"
#include "Notifications.h"
#include "ProjectTreeForm.h"
#include "ShortDate.h"
#include "SolveState.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"
#include "YwindowControl.h"
#include "YwindowLibrary.h"
#include "ZoomList.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

constexpr int kTextOnly = 0;

}  // namespace

OverageForm::OverageForm(QWidget* parent)
    : QWidget(parent),
      chart_(qobject_cast<YwindowControl*>(Ywindow::CreateObject(QStringLiteral("Ywindow.YwindowControl"), this))) {
  setObjectName(QStringLiteral("OverageForm"));
  setWindowTitle(QStringLiteral("Over???? detected"));
  chart_->setObjectName(QStringLiteral("Ywindow"));
  chart_->Style(kTextOnly);
  connect(chart_, &YwindowControl::RedoLayout, this, &OverageForm::Ywindow_RedoLayout, Qt::DirectConnection);
  connect(chart_, &YwindowControl::RedoGraphics, this, &OverageForm::Ywindow_RedoGraphics, Qt::DirectConnection);

  const auto box = [this](const char* name) {
    auto* text = new QLineEdit(this);
    text->setObjectName(QString::fromLatin1(name));
    text->setReadOnly(true);
    return text;
  };
  templateText_ = box("TemplateText");
  resourceText_ = box("ResourceText");
  projectText_ = box("ProjectText");
  taskText_ = box("TaskText");
  beginningText_ = box("BeginningText");
  requestedHoursText_ = box("RequestedHoursText");
  assignedHoursText_ = box("AssignedHoursText");
  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Template"), this), 0, 0);
  fields->addWidget(templateText_, 0, 1, 1, 3);
  fields->addWidget(new QLabel(QStringLiteral("Resource"), this), 1, 0);
  fields->addWidget(resourceText_, 1, 1, 1, 3);
  fields->addWidget(new QLabel(QStringLiteral("Project"), this), 2, 0);
  fields->addWidget(projectText_, 2, 1, 1, 3);
  fields->addWidget(new QLabel(QStringLiteral("Task"), this), 3, 0);
  fields->addWidget(taskText_, 3, 1);
  fields->addWidget(new QLabel(QStringLiteral("Requested hours"), this), 3, 2);
  fields->addWidget(requestedHoursText_, 3, 3);
  fields->addWidget(new QLabel(QStringLiteral("Beginning"), this), 4, 0);
  fields->addWidget(beginningText_, 4, 1);
  fields->addWidget(new QLabel(QStringLiteral("Assigned hours"), this), 4, 2);
  fields->addWidget(assignedHoursText_, 4, 3);

  auto* actions = new QGroupBox(QStringLiteral("Corrective action"), this);
  actions->setObjectName(QStringLiteral("Frame1"));
  modifyAssignment_ = new QRadioButton(QStringLiteral("Modify the assignment"), actions);
  modifyAssignment_->setObjectName(QStringLiteral("ModifyAssignmentOption"));
  modifyAssignment_->setChecked(true);
  changeSolveRules_ = new QRadioButton(QStringLiteral("Change solve rules"), actions);
  changeSolveRules_->setObjectName(QStringLiteral("ChangeSolveRulesOption"));
  auto* actionLayout = new QVBoxLayout(actions);
  actionLayout->addWidget(modifyAssignment_);
  actionLayout->addWidget(changeSolveRules_);

  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  ok->setObjectName(QStringLiteral("OkCommand"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("CancelCommand"));
  cancel->setShortcut(Qt::Key_Escape);
  connect(ok, &QPushButton::clicked, this, &OverageForm::OkCommand_Click);
  connect(cancel, &QPushButton::clicked, this, &OverageForm::CancelCommand_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch();
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  chart_->setMinimumSize(440, 110);
  layout->addWidget(chart_, 1);
  layout->addWidget(actions);
  layout->addLayout(buttons);
  resize(480, 390);
}

Yassignment* OverageForm::FailedAssignment() { return dynamic_cast<Yassignment*>(Solve::SolveErrorObject()); }

void OverageForm::Start() {
  ErrTrap::Guard guard(QStringLiteral("Overage:Start"));
  const Yassignment* assignment = FailedAssignment();
  // The failure may be gone by now (a freed assignment, a new solve): there is nothing to show.
  if (assignment == nullptr || assignment->Task() == nullptr) return;
  guard([&] {
    setWindowTitle(Solve::SolveMessage());
    setProperty("HelpKey", Common::FindPageKey(Solve::SolveMessage()));
    const Yresource* resource = assignment->ResourceRequired();
    templateText_->setText(resource != nullptr && resource->Template() != nullptr ? resource->Template()->TemplateName()
                                                                                  : QString());
    resourceText_->setText(resource != nullptr ? resource->BuildNodeText() : QString());
    projectText_->setText(assignment->Project() != nullptr ? assignment->Project()->BuildNodeText() : QString());
    taskText_->setText(assignment->Task()->BuildNodeText());
    beginningText_->setText(praxel::ShortDateText(Solve::OverageDay()));
    requestedHoursText_->setText(QString::number(Solve::OverageHoursRequested()));
    assignedHoursText_->setText(QString::number(Solve::OverageHoursExcess()));
  });
  guard([&] { FillSlotList(); });
  guard([&] {
    if (FormHost* host = Forms::Host()) host->ShowForm(this);
  });
}

void OverageForm::Ywindow_RedoLayout() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Overage:Ywindow_RedoLayout")), [&] { FillSlotList(); });
}

void OverageForm::Ywindow_RedoGraphics() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Overage:Ywindow_RedoGraphics")), [&] { chart_->Refresh(); });
}

void OverageForm::FillSlotList() {
  Common::StartZoomYwindow(chart_, false);
  const Yassignment* assignment = FailedAssignment();
  if (assignment != nullptr && assignment->ResourceRequired() != nullptr) {
    Common::FillInZoomYwindow(chart_, false, assignment->ResourceRequired(), Solve::OverageDay());
  }
  chart_->LayoutComplete(0, 0);
}

void OverageForm::OkCommand_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Overage:OkCommand_Click")), [&] {
    if (modifyAssignment_->isChecked()) {
      DoModify();
    } else {
      DoAuthorize();
    }
    Forms::Unload(this);
  });
}

void OverageForm::CancelCommand_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(QStringLiteral("Overage:CancelCommand_Click")), [&] { Forms::Unload(this); });
}

void OverageForm::DoModify() {
  Yassignment* assignment = FailedAssignment();
  if (assignment == nullptr || assignment->Project() == nullptr) return;
  // Every window hears of the other project, as after any change of the active project.
  if (assignment->Project() != Common::ThisProject()) {
    Common::SetThisProject(assignment->Project());
    Common::BroadcastNewThisProject();
  }
  Forms::StartForm(QStringLiteral("ProjectTreeForm"), "Start");
  if (QTreeWidgetItem* node = Common::FindNodeFromObject(assignment)) {
    Common::SetDragNode(node);
    if (node->parent() != nullptr) node->parent()->setExpanded(true);
  }
  if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  if (auto* trees = dynamic_cast<TreeHost*>(Forms::MainWindow())) trees->PopupModify();
}

void OverageForm::DoAuthorize() {
  const Yassignment* assignment = FailedAssignment();
  Yproject* project = assignment != nullptr ? assignment->Project() : nullptr;
  Common::SetDragNode(nullptr);
  if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  if (project == nullptr) return;
  if (QWidget* dialog = Forms::Load(QStringLiteral("ProjectEntryForm"))) {
    QMetaObject::invokeMethod(dialog, "StartModify", Qt::DirectConnection, Q_ARG(Yproject*, project));
  } else {
    Common::NotReadyYet();
  }
}

void OverageForm::closeEvent(QCloseEvent* event) {
  // However the dialog closes, the main window is free again.
  if (FormHost* host = Forms::Host()) host->UnlockEntryForm(this);
  QWidget::closeEvent(event);
}
