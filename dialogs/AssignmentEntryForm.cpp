#include "AssignmentEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "EntryValues.h"
#include "Guard.h"
#include "Notifications.h"
#include "Pool.h"
#include "ProjectTreeForm.h"
#include "SelectedTask.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "WorkdaysFrame.h"
#include "Yassignment.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

// An assignment asks for some of the hours of a day.
constexpr double kMostHours = 24.0;

// Hours in the user's number form, as short as they read exactly ("8", "7.5").
QString HoursText(double hours) { return QLocale().toString(hours, 'g', QLocale::FloatingPointShortest); }

// A shift's single-precision hours as the number they were typed as (7.3, not 7.300000190734863).
QString HoursText(float hours) { return QLocale().toString(double(hours), 'g', 6); }

}  // namespace

AssignmentEntryForm::AssignmentEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Assignment Data Entry"), QStringLiteral("AssignmentEntryForm"), parent),
      templateCombo_(new QComboBox(this)),
      resourceIdCombo_(new QComboBox(this)),
      hoursText_(NewTextBox(QStringLiteral("HoursText"))) {
  templateCombo_->setObjectName(QStringLiteral("TemplateCombo"));
  resourceIdCombo_->setObjectName(QStringLiteral("ResourceIdCombo"));
  resourceIdCombo_->setMinimumWidth(200);
  SelectAllOnFocus(hoursText_);

  auto* workdays = new WorkdaysFrame(this);
  workdays->setObjectName(QStringLiteral("Frame1"));
  workDayCheck_ = workdays->Checks();

  // The two lists and the hours one under another, the work days to their right.
  auto* boxes = new QFormLayout;
  boxes->addRow(QStringLiteral("Template"), templateCombo_);
  boxes->addRow(QStringLiteral("Resource ID"), resourceIdCombo_);
  boxes->addRow(QStringLiteral("Hours"), hoursText_);
  auto* left = new QVBoxLayout;
  left->addLayout(boxes);
  left->addStretch(1);
  auto* fields = new QHBoxLayout;
  fields->addLayout(left);
  fields->addWidget(workdays);

  // The templates, loaded once with the dialog.
  for (const Ytemplate* templ : Common::Templates()) templateCombo_->addItem(templ->BuildNodeText());
  templateCombo_->setCurrentIndex(-1);

  connect(templateCombo_, &QComboBox::activated, this, &AssignmentEntryForm::TemplateCombo_Click);
  connect(resourceIdCombo_, &QComboBox::activated, this, &AssignmentEntryForm::ResourceIdCombo_Click);
  SetFields(fields);
}

void AssignmentEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  bool ready = false;
  guard([&] { ready = Common::ThisProjectSet() && Common::ThisTemplateSet(); });
  // The task is taken now: choosing a template in the dialog clears the tree's selection.
  if (ready) {
    guard([&] {
      task_ = Dialogs::SelectedTask(QStringLiteral("You must click on a task before trying to add a new assignment."),
                                    QStringLiteral("Task Not Selected"));
    });
  }
  if (task_ == nullptr) {
    guard([&] { Close(); });
    return;
  }
  guard([&] {
    SetAdding(true);
    if (assignment_ == nullptr) assignment_ = Common::NewY<Yassignment>(ytAssignment);
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(); });
}

void AssignmentEntryForm::StartModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    SetAdding(false);
    assignment_ = dynamic_cast<Yassignment*>(Common::DragObject());
    TRAP_ASSERT(assignment_ != nullptr, "the trees open this dialog on assignment nodes only");
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(); });
}

Yresource* AssignmentEntryForm::ChosenResource() const {
  const Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr || resourceIdCombo_->currentIndex() < 0) return nullptr;
  const std::optional<int> id = EntryValues::ReadLeadingId(resourceIdCombo_->currentText());
  return id ? templ->ResourceList.Find(QString::number(*id)) : nullptr;
}

void AssignmentEntryForm::FillResourceList(const Yresource* kept) {
  ErrTrap::Guarded(Location(QStringLiteral("FillResourceList")), [&] {
    resourceIdCombo_->clear();
    if (const Ytemplate* templ = Common::ThisTemplate()) {
      // The edited assignment keeps its own resource even when the journal no longer has it.
      for (const Yresource* resource : templ->ResourceList) {
        if (resource->Include() || resource == kept) resourceIdCombo_->addItem(resource->BuildNodeText());
      }
    }
    resourceIdCombo_->setCurrentIndex(-1);
  });
}

void AssignmentEntryForm::ShowWorkDays(const Yresource* resource) {
  ErrTrap::Guarded(Location(QStringLiteral("ShowWorkDays")), [&] {
    hoursText_->setText(HoursText(resource->NormalHours()));
    for (int kind = 0; kind < kDayKinds; ++kind) workDayCheck_[kind]->setChecked(resource->WorkDay(kind));
  });
}

void AssignmentEntryForm::LoadData() {
  ErrTrap::Guard guard(Location(QStringLiteral("LoadData")));
  const Yresource* resource = nullptr;
  // The resource's template is chosen, which makes it the active one; a new assignment starts on
  // the active template.
  guard([&] {
    resource = assignment_->ResourceRequired();
    const Ytemplate* templ = resource != nullptr ? resource->Template() : Common::ThisTemplate();
    templateCombo_->setCurrentIndex(templ != nullptr ? templateCombo_->findText(templ->BuildNodeText()) : -1);
  });
  guard([&] { UseChosenTemplate(); });
  guard([&] {
    if (resource != nullptr) resourceIdCombo_->setCurrentIndex(resourceIdCombo_->findText(resource->BuildNodeText()));
  });
  // The assignment's own hours and days, which may differ from its resource's.
  guard([&] {
    hoursText_->setText(HoursText(assignment_->Hours()));
    for (int kind = 0; kind < kDayKinds; ++kind) workDayCheck_[kind]->setChecked(assignment_->WorkDay(kind));
  });
}

void AssignmentEntryForm::TemplateCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("TemplateCombo_Click"))), [&] { UseChosenTemplate(); });
}

void AssignmentEntryForm::UseChosenTemplate() {
  ErrTrap::Guard guard(Location(QStringLiteral("UseChosenTemplate")));
  guard([&] {
    const QString chosen = templateCombo_->currentText();
    const Ytemplate* active = Common::ThisTemplate();
    if (chosen.isEmpty() || (active != nullptr && chosen == active->BuildNodeText())) return;
    Common::SetThisTemplate(Common::Templates().Find(chosen));
    // Every window hears of it: the template tree starts again and the main window follows.
    Common::BroadcastNewThisTemplate();
  });
  guard([&] { FillResourceList(assignment_->ResourceRequired()); });
}

void AssignmentEntryForm::ResourceIdCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("ResourceIdCombo_Click"))), [&] {
    // The resource's normal hours and days, for the user to keep or change.
    const Yresource* resource = ChosenResource();
    if (resource != nullptr && resource->Include()) ShowWorkDays(resource);
  });
}

bool AssignmentEntryForm::GatherData() {
  AssignmentEntry entry;
  entry.resource = ChosenResource();
  if (entry.resource == nullptr) {
    return Refuse(QStringLiteral("Please choose a resource from the Resource ID list."),
                  QStringLiteral("No Resource Selected"), resourceIdCombo_);
  }
  const std::optional<double> hours = EntryValues::ReadNumber(hoursText_->text());
  if (!hours || *hours < 0 || *hours > kMostHours) {
    return Refuse(QStringLiteral("The Hours must be a number from 0 to 24: the hours a day that the resource "
                                 "works on the task."),
                  QStringLiteral("Invalid Hours"), hoursText_);
  }
  entry.hours = *hours;
  for (int kind = 0; kind < kDayKinds; ++kind) entry.workDay[kind] = workDayCheck_[kind]->isChecked();
  entry_ = entry;
  return true;
}

void AssignmentEntryForm::SaveData(const AssignmentEntry& entry) {
  ErrTrap::Guard guard(Location(QStringLiteral("SaveData")));
  // The resource first: storing it copies its hours and days, which the entry's own then replace.
  guard([&] { assignment_->SetResourceRequired(entry.resource); });
  guard([&] { assignment_->SetHours(entry.hours); });
  guard([&] {
    for (int kind = 0; kind < kDayKinds; ++kind) assignment_->SetWorkDay(kind, entry.workDay[kind]);
  });
  guard([&] {
    if (Yproject* project = assignment_->Project()) project->SetDirty(true);
  });
}

void AssignmentEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  // Attached only now that every value has been accepted; from the current journal on.
  guard([&] { assignment_->SetTask(task_); });
  guard([&] { SaveData(entry_); });
  guard([&] { Common::RebuildTaskInTree(task_); });
  guard([&] { Close(); });
}

void AssignmentEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  guard([&] { SaveData(entry_); });
  // The assignment's node, found again: a template chosen in the dialog clears the selection.
  guard([&] {
    TreeView* tree = Common::ProjectTree();
    QTreeWidgetItem* node = tree != nullptr ? Common::FindNodeFromKey(tree, Common::MakeKey(assignment_)) : nullptr;
    if (node != nullptr) node->setText(0, assignment_->BuildNodeText());
  });
  guard([&] { Close(); });
}
