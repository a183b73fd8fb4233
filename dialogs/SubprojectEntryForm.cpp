#include "SubprojectEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "EntryValues.h"
#include "Guard.h"
#include "Notifications.h"
#include "Pool.h"
#include "Rounding.h"
#include "TreeDragDrop.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

constexpr int kHighestTaskID = std::numeric_limits<std::int32_t>::max();

}  // namespace

QString SubprojectEntryForm::Prompt() { return QStringLiteral("<choose one of the following projects>"); }

SubprojectEntryForm::SubprojectEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Subproject Entry (link to project)"), QStringLiteral("SubprojectEntryForm"), parent),
      taskIdText_(NewTextBox(QStringLiteral("TaskIdText"))),
      projectCombo_(new QComboBox(this)) {
  SelectAllOnFocus(taskIdText_);
  projectCombo_->setObjectName(QStringLiteral("ProjectCombo"));
  projectCombo_->setMinimumWidth(260);
  projectCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Task ID"), taskIdText_);
  fields->addRow(QStringLiteral("Project"), projectCombo_);
  SetFields(fields);
  // The project list comes after the buttons in the tab order.
  setTabOrder(taskIdText_, OkCommand());
  setTabOrder(OkCommand(), CancelCommand());
  setTabOrder(CancelCommand(), projectCombo_);
}

Yproject* SubprojectEntryForm::OwnerProject() const {
  return Adding() ? Common::ThisProject() : task_->Project();
}

void SubprojectEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  bool ready = false;
  guard([&] { ready = StartsWhen(Common::ThisProjectSet); });
  if (!ready) return;
  guard([&] {
    if (task_ == nullptr) task_ = Common::NewY<Ytask>(ytTask);
    SetAdding(true);
  });
  guard([&] { LoadData(); });
  guard([&] {
    taskIdText_->setText(QString::number(praxel::AddChecked(Common::ThisProject()->HighestTaskID(), 1)));
  });
  guard([&] {
    projectCombo_->insertItem(0, Prompt());
    projectCombo_->setCurrentIndex(0);
  });
  guard([&] { ShowEntryForm(); });
}

void SubprojectEntryForm::StartModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    task_ = dynamic_cast<Ytask*>(Common::DragObject());
    TRAP_ASSERT(task_ != nullptr && task_->Subproject() != nullptr,
                "the dialog modifies the task of a subproject node");
    SetAdding(false);
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(taskIdText_); });
}

void SubprojectEntryForm::LoadData() {
  ErrTrap::Guarded(Location(QStringLiteral("LoadData")), [&] {
    taskIdText_->setText(QString::number(task_->TaskID()));
    projectCombo_->clear();
    if (Adding()) {
      const Yproject* current = Common::ThisProject();
      for (const Yproject* project : Common::Projects()) {
        if (project->Parent() == nullptr && current->CanLinkSubproject(project)) {
          projectCombo_->addItem(project->ProjectName());
        }
      }
    } else {
      // The link is shown, not offered for change.
      projectCombo_->addItem(task_->Subproject()->ProjectName());
      projectCombo_->setCurrentIndex(0);
    }
  });
}

bool SubprojectEntryForm::GatherData() {
  SubprojectEntry entry;
  if (projectCombo_->currentText() == Prompt()) {
    return Refuse(QStringLiteral("Please select a parent project, or click [Cancel]."),
                  QStringLiteral("No Project Selected"), projectCombo_);
  }
  const std::optional<int> taskId = EntryValues::ReadWholeNumber(taskIdText_->text(), 1, kHighestTaskID);
  if (!taskId) {
    return Refuse(QStringLiteral("The Task ID must be a whole number from 1 to %1.").arg(kHighestTaskID),
                  QStringLiteral("Invalid Task ID"), taskIdText_);
  }
  const QString refusal = task_->TaskIDRefusal(*OwnerProject(), *taskId);
  if (!refusal.isEmpty()) return Refuse(refusal, QStringLiteral("Task ID In Use"), taskIdText_);
  entry.taskId = *taskId;
  entry.subproject = Common::Projects().Find(projectCombo_->currentText());
  TRAP_ASSERT(entry.subproject != nullptr, "the list offers loaded projects only");
  entry_ = entry;
  return true;
}

void SubprojectEntryForm::SaveData(const SubprojectEntry& entry) {
  ErrTrap::Guard guard(Location(QStringLiteral("SaveData")));
  guard([&] { task_->SetTaskID(entry.taskId); });
  guard([&] { task_->SetSubproject(entry.subproject); });
  guard([&] { task_->Project()->SetDirty(true); });
}

void SubprojectEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  guard([&] { task_->SetProject(Common::ThisProject()); });
  guard([&] { SaveData(entry_); });
  // The trees show the new task; this dialog closes.
  guard([] { Common::BroadcastNewThisProject(); });
  guard([&] { Close(); });
}

void SubprojectEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  guard([&] { SaveData(entry_); });
  guard([] { Common::BroadcastNewThisProject(); });
  guard([&] { Close(); });
}
