#include "ProjectEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "EntryValues.h"
#include "Format.h"
#include "Guard.h"
#include "Journals.h"
#include "Notifications.h"
#include "OleDate.h"
#include "Pool.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Yproject.h"
#include "Yresource.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

constexpr int kLowestPriority = 255;

}  // namespace

const QStringList& ProjectEntryForm::SolveRuleTexts() {
  static const QStringList texts = {
      QStringLiteral("Normal only, halt if more needed"),
      QStringLiteral("Normal only, extend if more needed"),
      QStringLiteral("Normal and overtime, halt if more needed"),
      QStringLiteral("Normal and overtime, extend if more needed"),
      QStringLiteral("Up to 24 hours, halt if more needed"),
      QStringLiteral("Up to 24 hours, extend if more needed"),
      QStringLiteral("Unlimited hours per day"),
  };
  return texts;
}

const QStringList& ProjectEntryForm::ApplyOptionTexts() {
  static const QStringList texts = {QStringLiteral("this project only"), QStringLiteral("include subprojects"),
                                    QStringLiteral("all projects in this master")};
  return texts;
}

ProjectEntryForm::ProjectEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Project Data Entry"), QStringLiteral("ProjectEntryForm"), parent),
      projectNameText_(NewTextBox(QStringLiteral("ProjectNameText"))),
      descriptionText_(NewTextBox(QStringLiteral("DescriptionText"))),
      viewPasswordText_(NewTextBox(QStringLiteral("ViewPasswordText"))),
      modifyPasswordText_(NewTextBox(QStringLiteral("ModifyPasswordText"))),
      initialJournalText_(NewDateBox(QStringLiteral("InitialJournalText"))),
      priorityText_(NewTextBox(QStringLiteral("PriorityText"))),
      managerText_(NewTextBox(QStringLiteral("ManagerText"))),
      solveRulesCombo_(new QComboBox(this)),
      applyFrame_(new QGroupBox(QStringLiteral("Apply changes in this section to:"), this)),
      applyOption_(new QButtonGroup(this)) {
  for (QLineEdit* box : {projectNameText_, descriptionText_, viewPasswordText_, modifyPasswordText_,
                         initialJournalText_, priorityText_, managerText_}) {
    SelectAllOnFocus(box);
  }
  viewPasswordText_->setEchoMode(QLineEdit::Password);
  modifyPasswordText_->setEchoMode(QLineEdit::Password);
  solveRulesCombo_->setObjectName(QStringLiteral("SolveRulesCombo"));
  solveRulesCombo_->addItems(SolveRuleTexts());
  applyFrame_->setObjectName(QStringLiteral("ApplyFrame"));
  auto* options = new QVBoxLayout(applyFrame_);
  for (int index = 0; index < ApplyOptionTexts().size(); ++index) {
    auto* option = new QRadioButton(ApplyOptionTexts().at(index), applyFrame_);
    option->setObjectName(QStringLiteral("ApplyOption%1").arg(index));
    applyOption_->addButton(option, index);
    options->addWidget(option);
  }
  applyOption_->button(AllInMaster)->setChecked(true);
  projectNameText_->setMinimumWidth(260);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Project name"), projectNameText_);
  fields->addRow(QStringLiteral("Description"), descriptionText_);
  fields->addRow(QStringLiteral("Initial journal"), initialJournalText_);
  fields->addRow(QStringLiteral("Project manager"), managerText_);
  fields->addRow(QStringLiteral("Priority"), priorityText_);
  fields->addRow(QString(), new QLabel(QStringLiteral("Use 1 for the highest priority"), this));
  fields->addRow(QString(), new QLabel(QStringLiteral("Use larger numbers for lower priority"), this));
  fields->addRow(QStringLiteral("View password"), viewPasswordText_);
  fields->addRow(QStringLiteral("Modify password"), modifyPasswordText_);
  fields->addRow(QStringLiteral("Solve rules"), solveRulesCombo_);
  fields->addRow(applyFrame_);
  SetFields(fields);
}

void ProjectEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  guard([&] { applyFrame_->hide(); });
  guard([&] {
    SetAdding(true);
    if (project_ == nullptr) project_ = Common::NewY<Yproject>(ytProject);
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(projectNameText_); });
}

void ProjectEntryForm::StartModify(Yproject* project) {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    SetAdding(false);
    applyFrame_->show();
  });
  guard([&] {
    project_ = project != nullptr ? project : Common::ThisProject();
    TRAP_ASSERT(project_ != nullptr, "the commands open the dialog on a project only when there is one");
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(solveRulesCombo_); });
}

void ProjectEntryForm::LoadData() {
  ErrTrap::Guarded(Location(QStringLiteral("LoadData")), [&] {
    projectNameText_->setText(project_->ProjectName());
    descriptionText_->setText(project_->Description);
    priorityText_->setText(project_->Priority());
    viewPasswordText_->setText(project_->ViewPassword);
    modifyPasswordText_->setText(project_->ModifyPassword);
    solveRulesCombo_->setCurrentIndex(project_->SolveRules());
    if (const Yresource* manager = project_->Manager()) managerText_->setText(manager->BuildNodeText());
    if (Adding()) {
      const Yproject* current = Common::ThisProject();
      const double journal = current != nullptr ? current->Journal() : praxel::ToOleDate(QDate::currentDate());
      initialJournalText_->setText(Common::DateText(journal));
    }
  });
}

bool ProjectEntryForm::GatherData() {
  ProjectEntry entry;
  entry.name = projectNameText_->text();
  if (Common::TrimBlanks(entry.name).isEmpty()) {
    return Refuse(QStringLiteral("The Project name must be filled in."), QStringLiteral("Project Name Is Blank"),
                  projectNameText_);
  }
  entry.description = descriptionText_->text();
  if (Adding()) {
    const std::optional<double> journal = ReadDate(initialJournalText_, QStringLiteral("Initial journal"));
    if (!journal) return false;
    entry.initialJournal = *journal;
  }
  const std::optional<int> priority = EntryValues::ReadWholeNumber(priorityText_->text(), 0, kLowestPriority);
  if (!priority) {
    return Refuse(QStringLiteral("The Priority must be a whole number from 0 to %1.").arg(kLowestPriority),
                  QStringLiteral("Invalid Priority"), priorityText_);
  }
  entry.priority = QString::number(*priority);
  entry.viewPassword = viewPasswordText_->text();
  entry.modifyPassword = modifyPasswordText_->text();
  entry.solveRules = solveRulesCombo_->currentIndex();
  if (entry.solveRules < 0) {
    return Refuse(QStringLiteral("Please choose one of the Solve rules."), QStringLiteral("No Solve Rules Selected"),
                  solveRulesCombo_);
  }
  entry.scope = applyOption_->checkedId();
  entry_ = entry;
  return true;
}

bool ProjectEntryForm::Receives(const Yproject* project, int scope) const {
  switch (scope) {
    case ThisProjectOnly:
      return project == project_;
    case IncludeSubprojects:
      return project->DescendsFrom(project_);
    default:
      return project->DescendsFrom(project_->Master());
  }
}

void ProjectEntryForm::SaveData(const ProjectEntry& entry) {
  ErrTrap::Guard guard(Location(QStringLiteral("SaveData")));
  guard([&] {
    project_->SetProjectName(entry.name);
    project_->Description = entry.description;
  });
  // The receivers are chosen before any of them changes. The edited project is always one of
  // them (a new one is in the project list since it was named).
  QList<Yproject*> receivers;
  guard([&] {
    receivers.clear();
    for (Yproject* project : Common::Projects()) {
      if (Receives(project, entry.scope)) receivers.append(project);
    }
  });
  for (Yproject* project : receivers) {
    guard([&] {
      project->SetPriority(entry.priority);
      project->ViewPassword = entry.viewPassword;
      project->ModifyPassword = entry.modifyPassword;
      project->SetSolveRules(entry.solveRules);
      project->SetDirty(true);
    });
  }
}

void ProjectEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  guard([&] { SaveData(entry_); });
  guard([&] { project_->AddJournal(entry_.initialJournal); });
  guard([&] { Common::SetThisProject(project_); });
  // Every window hears of the new active project: this dialog closes, the project tree starts
  // again (or comes back when it was closed).
  guard([] { Common::BroadcastNewThisProject(); });
  guard([&] { Close(); });
}

void ProjectEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  // The selected node is looked up while it still names the project by its old name.
  QTreeWidgetItem* node = nullptr;
  guard([&] {
    node = Common::DragNode();
    const QString kind = Common::NodeKind(node);
    const bool projectNode = kind == QLatin1String("p") || kind == QLatin1String("s");
    if (!projectNode || Common::FindProjectFromNode(node) != project_) node = nullptr;
  });
  guard([&] { SaveData(entry_); });
  guard([&] {
    if (node != nullptr) node->setText(0, project_->BuildNodeText());
  });
  // This dialog closes and the project tree is rebuilt.
  guard([] { Common::BroadcastNewThisProject(); });
  guard([&] { Close(); });
}
