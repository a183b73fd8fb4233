#include "TaskEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "DateBox.h"
#include "EntryValues.h"
#include "Format.h"
#include "FormHelpers.h"
#include "Forms.h"
#include "Guard.h"
#include "MoneyText.h"
#include "OleDate.h"
#include "Pool.h"
#include "ProjectTreeForm.h"
#include "ResourceCalendar.h"
#include "ShortDate.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "TreeView.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include <cmath>
#include <limits>
#include <utility>

namespace {

const char* const kColumnHeadings[] = {"Optimistic", "Most likely", "Pessimistic"};

// A date dependency that the two date boxes stand for: included, no required task, no offset.
bool IsPlainDateDependency(const Ydependency& dependency) {
  return dependency.Include() && dependency.TaskRequired() == nullptr && dependency.Offset() == 0.0;
}

// The captions of the first two rows of estimates, split at the journal's date.
QString PriorCaption(const QString& journal) { return QStringLiteral("prior to ") + journal; }
QString LaterCaption(const QString& journal) { return journal + QStringLiteral(" and later"); }

QLabel* NewLabel(const QString& caption, QWidget* parent, const QString& name = QString()) {
  auto* label = new QLabel(caption, parent);
  if (!name.isEmpty()) label->setObjectName(name);
  return label;
}

}  // namespace

TaskEntryForm::TaskEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Task Data Entry"), QStringLiteral("TaskEntryForm"), parent) {
  taskIdText_ = NewTextBox(QStringLiteral("TaskIdText"));
  descriptionText_ = NewTextBox(QStringLiteral("DescriptionText"));
  startDateText_ = NewDateBox(QStringLiteral("StartDateText"), false);
  finishDateText_ = NewDateBox(QStringLiteral("FinishDateText"), false);
  materialCostText_ = new MoneyText(this);
  materialCostText_->setObjectName(QStringLiteral("MaterialCostText"));
  materialCostText_->setToolTip(HelpTip());
  ReformatMoneyOnLeave(materialCostText_);
  efficiencyText_ = NewTextBox(QStringLiteral("EfficiencyText"));
  for (QLineEdit* box : std::initializer_list<QLineEdit*>{taskIdText_, descriptionText_, startDateText_,
                                                         finishDateText_, materialCostText_, efficiencyText_}) {
    SelectAllOnFocus(box);
  }
  startDateText_->installEventFilter(this);
  specificStartLabel_ = NewLabel(QStringLiteral("Specific start date"), this, QStringLiteral("SpecificStartLabel"));
  specificFinishLabel_ = NewLabel(QStringLiteral("Specific finish date"), this, QStringLiteral("SpecificFinishLabel"));

  auto* duratiojnFrame = new QGroupBox(QStringLiteral("Duration control"), this);
  duratiojnFrame->setObjectName(QStringLiteral("DuratiojnFrame"));
  const auto option = [&](const char* name, const char* caption) {
    auto* button = new QRadioButton(QString::fromLatin1(caption), duratiojnFrame);
    button->setObjectName(QString::fromLatin1(name));
    return button;
  };
  effortDrivenOption_ = option("EffortDrivenOption", "Effort-driven");
  calendarTimeOption_ = option("CalendarTimeOption", "Calendar time");
  specificDatesOption_ = option("SpecificDatesOption", "Specific dates");
  toFinishOption_ = option("ToFinishOption", "To-finish dependencies");
  auto* durationLayout = new QVBoxLayout(duratiojnFrame);
  for (QRadioButton* button : {effortDrivenOption_, calendarTimeOption_, specificDatesOption_, toFinishOption_}) {
    durationLayout->addWidget(button);
  }
  // Either kind of time shows the same minutes in its own units.
  connect(effortDrivenOption_, &QRadioButton::clicked, this, [this] { DurationOption_Click(true); });
  connect(calendarTimeOption_, &QRadioButton::clicked, this, [this] { DurationOption_Click(true); });
  connect(specificDatesOption_, &QRadioButton::clicked, this, [this] { DurationOption_Click(false); });
  connect(toFinishOption_, &QRadioButton::clicked, this, [this] { DurationOption_Click(false); });

  estimatesFrame_ = new QGroupBox(QStringLiteral("Estimates"), this);
  estimatesFrame_->setObjectName(QStringLiteral("EstimatesFrame"));
  auto* grid = new QGridLayout(estimatesFrame_);
  for (int column = 0; column < 3; ++column) {
    estimateLabel_[column] = NewLabel(QString::fromLatin1(kColumnHeadings[column]), estimatesFrame_);
    estimateLabel_[column]->setAlignment(Qt::AlignCenter);
    grid->addWidget(estimateLabel_[column], 0, 1 + column);
  }
  // The row captions hold the journal's date (LoadData): they make room for the widest date, so
  // that no journal changes the dialog's size.
  const QString widestJournal = WidestDateText(estimatesFrame_);
  const QString rowHeadings[] = {PriorCaption(widestJournal), LaterCaption(widestJournal), QStringLiteral("total")};
  for (int row = 0; row < 3; ++row) {
    QLabel* label = NewLabel(rowHeadings[row], estimatesFrame_);
    label->setMinimumWidth(label->sizeHint().width());
    estimateLabel_[3 + row] = label;
    grid->addWidget(label, 1 + row, 0);
  }
  for (int index = 0; index < 6; ++index) estimateLabel_[index]->setObjectName(QStringLiteral("EstimateLabel%1").arg(index));
  for (int index = 0; index < TaskEstimates::kCells; ++index) {
    QLineEdit* cell = NewTextBox(QStringLiteral("EstimateText%1").arg(index));
    cell->setParent(estimatesFrame_);
    cell->setAlignment(Qt::AlignRight);
    cell->setFixedWidth(cell->fontMetrics().horizontalAdvance(QStringLiteral("0000000.00")) + 12);
    SelectAllOnFocus(cell);
    connect(cell, &QLineEdit::textEdited, this, [this, index] { EstimateText_Change(index); });
    estimateText_[index] = cell;
    grid->addWidget(cell, 1 + index / 3, 1 + index % 3);
  }
  enable3EstimatesCheck_ = new QCheckBox(QStringLiteral("Enable 3 estimates"), estimatesFrame_);
  enable3EstimatesCheck_->setObjectName(QStringLiteral("Enable3EstimatesCheck"));
  connect(enable3EstimatesCheck_, &QCheckBox::clicked, this, [this] { Enable3EstimatesCheck_Click(); });
  grid->addWidget(enable3EstimatesCheck_, 4, 1, 1, 3);
  auto* units = new QVBoxLayout;
  for (int unit = 0; unit < TaskEstimates::kUnitCount; ++unit) {
    // The longest captions make room, so that no recaption changes the dialog's size.
    auto* button = new QRadioButton(TaskEstimates::UnitCaption(unit, false), estimatesFrame_);
    button->setObjectName(QStringLiteral("UnitsOption%1").arg(unit));
    button->setMinimumWidth(button->sizeHint().width());
    connect(button, &QRadioButton::clicked, this, [this] { UnitsOption_Click(); });
    unitsOption_[unit] = button;
    units->addWidget(button);
  }
  unitsOption_[TaskEstimates::Minutes]->setText(QStringLiteral("minutes"));
  unitsOption_[TaskEstimates::Hours]->setText(QStringLiteral("hours"));
  grid->setColumnMinimumWidth(4, 16);
  grid->addLayout(units, 0, 5, 5, 1);

  // Left: ID, description, the dates, cost and efficiency; the duration frame beside the dates;
  // the estimates across the foot.
  auto* top = new QGridLayout;
  top->addWidget(NewLabel(QStringLiteral("Task ID"), this), 0, 0);
  top->addWidget(taskIdText_, 0, 1);
  top->addWidget(NewLabel(QStringLiteral("Description"), this), 1, 0);
  top->addWidget(descriptionText_, 1, 1, 1, 3);
  top->addWidget(specificStartLabel_, 2, 0);
  top->addWidget(startDateText_, 2, 1);
  top->addWidget(specificFinishLabel_, 3, 0);
  top->addWidget(finishDateText_, 3, 1);
  top->addWidget(NewLabel(QStringLiteral("Material cost"), this), 4, 0);
  top->addWidget(materialCostText_, 4, 1);
  top->addWidget(NewLabel(QStringLiteral("Efficiency"), this), 5, 0);
  top->addWidget(efficiencyText_, 5, 1);
  top->setColumnMinimumWidth(2, 16);
  top->addWidget(duratiojnFrame, 2, 3, 4, 1);
  top->setColumnStretch(3, 1);

  auto* fields = new QVBoxLayout;
  fields->addLayout(top);
  fields->addWidget(estimatesFrame_);
  SetFields(fields);
}

int TaskEntryForm::GetUnits() const {
  for (int unit = 0; unit < TaskEstimates::kUnitCount; ++unit) {
    if (unitsOption_[unit]->isChecked()) return TaskEstimates::UnitMinutes(unit, effortDrivenOption_->isChecked());
  }
  TRAP_ASSERT(false, "LoadData always selects a unit");
}

bool TaskEntryForm::EstimatesUsed() const { return !specificDatesOption_->isChecked() && !toFinishOption_->isChecked(); }

bool TaskEntryForm::OtherJournal() const {
  const Yproject* project = task_ != nullptr ? task_->Project() : nullptr;
  return project != nullptr && project->CurrentIndex != project->PlanIndex;
}

void TaskEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  bool ready = false;
  guard([&] { ready = Common::ThisProjectSet(); });
  if (!ready) {
    guard([&] { Close(); });
    return;
  }
  guard([&] {
    SetAdding(true);
    task_ = Common::NewY<Ytask>(ytTask);
  });
  guard([&] { LoadData(); });
  guard([&] { taskIdText_->setText(QString::number(qint64{Common::ThisProject()->HighestTaskID()} + 1)); });
  guard([&] { ShowEntryForm(descriptionText_); });
}

void TaskEntryForm::StartModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    SetAdding(false);
    task_ = dynamic_cast<Ytask*>(Common::DragObject());
    TRAP_ASSERT(task_ != nullptr, "the trees open this dialog on task nodes only");
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(descriptionText_); });
}

void TaskEntryForm::LoadData() {
  ErrTrap::Guard guard(Location(QStringLiteral("LoadData")));
  const Yproject* project = task_->Project();
  guard([&] {
    const QString journal = praxel::DateTimeText(Common::ThisProject()->Journal());
    estimateLabel_[3]->setText(PriorCaption(journal));
    estimateLabel_[4]->setText(LaterCaption(journal));
  });
  guard([&] {
    taskIdText_->setText(QString::number(task_->TaskID()));
    descriptionText_->setText(task_->Description);
  });
  guard([&] { LoadDates(); });
  guard([&] {
    const int effortUnits = task_->EffortUnits();
    unitsOption_[TaskEstimates::UnitOf(effortUnits)]->setChecked(true);
    QRadioButton* duration = effortUnits < 0 ? effortDrivenOption_ : effortUnits == 0 ? specificDatesOption_ : calendarTimeOption_;
    duration->setChecked(true);
  });
  guard([&] {
    materialCostText_->SetAmount(task_->MaterialCost().ToDouble());
    // The shortest text that reads back as the same number, so that Ok keeps it.
    efficiencyText_->setText(QLocale().toString(task_->Efficiency(), 'g', QLocale::FloatingPointShortest));
  });
  guard([&] {
    // The work the last solve booked before the journal date: none for a task not yet in a project.
    const std::int64_t prior =
        project != nullptr ? Solve::EffortMinutes(*task_, praxel::kFirstDay, std::floor(project->Journal()) - 1) : 0;
    estimates_.Load(prior, task_->Optimistic(), task_->MostLikely(), task_->Pessimistic());
    enable3EstimatesCheck_->setChecked(task_->Optimistic() < task_->Pessimistic());
  });
  guard([&] { UpdateEstimates(-1); });
  guard([&] { UpdateEnabled(); });
}

void TaskEntryForm::LoadDates() {
  ErrTrap::Guarded(Location(QStringLiteral("LoadDates")), [&] {
    for (const Ydependency* dependency : task_->DependencyList) {
      if (!IsPlainDateDependency(*dependency)) continue;
      if (dependency->ToPercent() == 0) startDateText_->SetDate(dependency->DepDate());
      if (dependency->ToPercent() == 100) finishDateText_->SetDate(dependency->DepDate());
    }
  });
}

void TaskEntryForm::UpdateEstimates(int SkipIndex) {
  ErrTrap::Guarded(Location(QStringLiteral("UpdateEstimates")), [&] {
    const int units = GetUnits();
    for (int index = 0; index < TaskEstimates::kCells; ++index) {
      if (index != SkipIndex) estimateText_[index]->setText(estimates_.CellText(index, units));
    }
    if (SkipIndex < 0) estimates_.ForgetTyped();
  });
}

void TaskEntryForm::UpdateEnabled() {
  ErrTrap::Guarded(Location(QStringLiteral("UpdateEnabled")), [&] {
    const bool used = EstimatesUsed();
    const bool three = enable3EstimatesCheck_->isChecked();
    const bool otherJournal = OtherJournal();
    const bool datesUsed = specificDatesOption_->isChecked();
    estimatesFrame_->setEnabled(used);
    enable3EstimatesCheck_->setEnabled(used);
    for (QRadioButton* unit : unitsOption_) unit->setEnabled(used);
    for (int column = 0; column < 3; ++column) {
      estimateLabel_[column]->setEnabled(used && TaskEstimates::ColumnEnabled(column, three));
    }
    for (int row = 0; row < 3; ++row) {
      estimateLabel_[3 + row]->setEnabled(used && TaskEstimates::RowEnabled(row, otherJournal));
    }
    for (int index = 0; index < TaskEstimates::kCells; ++index) {
      Common::EnableTextBox(estimateText_[index], used && TaskEstimates::CellEnabled(index, three, otherJournal));
    }
    specificStartLabel_->setEnabled(datesUsed);
    specificFinishLabel_->setEnabled(datesUsed);
    Common::EnableTextBox(startDateText_, datesUsed);
    Common::EnableTextBox(finishDateText_, datesUsed);
    const bool effortDriven = effortDrivenOption_->isChecked();
    for (int unit = TaskEstimates::Days; unit < TaskEstimates::kUnitCount; ++unit) {
      unitsOption_[unit]->setText(TaskEstimates::UnitCaption(unit, effortDriven));
    }
  });
}

void TaskEntryForm::DurationOption_Click(bool redraw) {
  ErrTrap::Guard guard(ErrTrap::Handler(Location(QStringLiteral("DurationOption_Click"))));
  if (redraw) guard([&] { UpdateEstimates(-1); });
  guard([&] { UpdateEnabled(); });
}

void TaskEntryForm::UnitsOption_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("UnitsOption_Click"))), [&] { UpdateEstimates(-1); });
}

void TaskEntryForm::Enable3EstimatesCheck_Click() {
  ErrTrap::Guard guard(ErrTrap::Handler(Location(QStringLiteral("Enable3EstimatesCheck_Click"))));
  guard([&] { UpdateEnabled(); });
  guard([&] {
    if (isVisible()) estimateText_[enable3EstimatesCheck_->isChecked() ? 3 : 4]->setFocus();
  });
}

void TaskEntryForm::EstimateText_Change(int Index) {
  ErrTrap::Guard guard(ErrTrap::Handler(Location(QStringLiteral("EstimateText_Change"))));
  guard([&] { estimates_.Type(Index, estimateText_[Index]->text(), GetUnits()); });
  guard([&] { UpdateEstimates(Index); });
}

void TaskEntryForm::StartDateText_DblClick() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("StartDateText_DblClick"))), [&] {
    startDateText_->SetDate(praxel::ToOleDate(QDate::currentDate()));
  });
}

bool TaskEntryForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == startDateText_ && event->type() == QEvent::MouseButtonDblClick && startDateText_->isEnabled()) {
    StartDateText_DblClick();
    return true;
  }
  return EntryForm::eventFilter(watched, event);
}

bool TaskEntryForm::VerifyData() {
  if (!specificDatesOption_->isChecked()) return true;
  return ReadDate(startDateText_, QStringLiteral("Specific start date")) &&
         ReadDate(finishDateText_, QStringLiteral("Specific finish date"));
}

bool TaskEntryForm::GatherEstimates(TaskEntry& entry) {
  const int units = EstimatesUsed() ? GetUnits() : 0;
  entry.effortUnits = effortDrivenOption_->isChecked() ? -units : calendarTimeOption_->isChecked() ? units : 0;
  if (units == 0) {
    entry.estimates = {0, 0, 0};
    return true;
  }
  const bool three = enable3EstimatesCheck_->isChecked();
  const int typed = estimates_.TypedCell();
  const auto refusal = estimates_.Check(typed >= 0 ? estimateText_[typed]->text() : QString(), units, three);
  if (!refusal) {
    entry.estimates = estimates_.ToStore(three);
    return true;
  }
  const QString field = QStringLiteral("The %1 estimate (%2)")
                            .arg(QString::fromLatin1(kColumnHeadings[refusal->cell % 3]),
                                 estimateLabel_[3 + refusal->cell / 3]->text());
  const QString text = refusal->fault == TaskEstimates::Fault::NotANumber
                           ? field + QStringLiteral(" must be a number.")
                           : field + QStringLiteral(" is out of range: an estimate holds from %1 to %2 minutes.")
                                         .arg(std::numeric_limits<std::int32_t>::min())
                                         .arg(std::numeric_limits<std::int32_t>::max());
  return Refuse(text, QStringLiteral("Invalid Estimate"), estimateText_[refusal->cell]);
}

bool TaskEntryForm::GatherData() {
  if (!VerifyData()) return false;
  TaskEntry entry;
  // A box not in use may hold what is no date: its dependency is kept, never taken for no date.
  for (const auto& [box, point] : {std::pair{startDateText_, &entry.start}, std::pair{finishDateText_, &entry.finish}}) {
    if (box->IsBlank()) continue;
    point->date = box->Date();
    point->keep = !point->date;
  }

  const std::optional<int> id = EntryValues::ReadWholeNumber(taskIdText_->text(), 1, std::numeric_limits<int>::max());
  if (!id) {
    return Refuse(QStringLiteral("The Task ID must be a whole number from 1 to %1.").arg(std::numeric_limits<int>::max()),
                  QStringLiteral("Invalid Task ID"), taskIdText_);
  }
  const Yproject* project = Adding() ? Common::ThisProject() : task_->Project();
  if (const QString refusal = task_->TaskIDRefusal(*project, *id); !refusal.isEmpty()) {
    return Refuse(refusal, QStringLiteral("Task ID In Use"), taskIdText_);
  }
  entry.taskId = *id;
  entry.description = descriptionText_->text();

  if (!GatherEstimates(entry)) return false;

  const std::optional<praxel::Currency> cost = materialCostText_->Money();
  if (!cost) {
    return Refuse(MoneyText::Refusal(QStringLiteral("Material cost")), QStringLiteral("Invalid Material Cost"),
                  materialCostText_);
  }
  entry.materialCost = *cost;

  const std::optional<double> efficiency = EntryValues::ReadNumber(efficiencyText_->text());
  if (!efficiency) {
    return Refuse(QStringLiteral("The Efficiency must be a number, such as %1.").arg(QLocale().toString(0.85)),
                  QStringLiteral("Invalid Efficiency"), efficiencyText_);
  }
  entry.efficiency = *efficiency;
  entry_ = entry;
  return true;
}

void TaskEntryForm::SaveData(const TaskEntry& entry) {
  ErrTrap::Guard guard(Location(QStringLiteral("SaveData")));
  guard([&] {
    task_->SetTaskID(entry.taskId);
    task_->Description = entry.description;
    task_->SetOptimistic(entry.estimates.optimistic);
    task_->SetMostLikely(entry.estimates.mostLikely);
    task_->SetPessimistic(entry.estimates.pessimistic);
    task_->SetMaterialCost(entry.materialCost);
    task_->SetEfficiency(entry.efficiency);
    task_->SetEffortUnits(entry.effortUnits);
  });
  guard([&] { SaveDates(entry); });
  guard([&] { task_->Project()->SetDirty(true); });
}

void TaskEntryForm::SaveDates(const TaskEntry& entry) {
  ErrTrap::Guarded(Location(QStringLiteral("SaveDates")), [&] {
    std::optional<double> start = entry.start.date;
    std::optional<double> finish = entry.finish.date;
    // The first matching dependency of each point takes its date; any later one goes.
    const QList<Ydependency*> dependencies = task_->DependencyList.Items();  // Delete may take one out
    for (Ydependency* dependency : dependencies) {
      if (!IsPlainDateDependency(*dependency)) continue;
      const bool atStart = dependency->ToPercent() == 0;
      if (!atStart && dependency->ToPercent() != 100) continue;
      if ((atStart ? entry.start : entry.finish).keep) continue;
      std::optional<double>* pending = atStart ? &start : &finish;
      if (*pending) {
        dependency->SetDepDate(**pending);
        pending->reset();
      } else {
        dependency->Delete();
      }
    }
    for (const auto& [date, toPercent] : {std::pair{start, 0}, std::pair{finish, 100}}) {
      if (!date) continue;
      auto* dependency = Common::NewY<Ydependency>(ytDependency);
      dependency->SetTask(task_);
      dependency->SetDepDate(*date);
      dependency->SetToPercent(toPercent);
    }
  });
}

void TaskEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  guard([&] { FileNewTask(); });
  // The task is in its project whole: whatever befalls the tree, the dialog has done its work and
  // closes, so that no Cancel can seem to take back a task that stays.
  try {
    guard([&] { Common::RebuildProjectInTree(task_->Project()); });
    // Selecting the new node tells every window, and this dialog closes on it.
    guard([&] { Common::SetDragNode(Common::FindNodeFromObject(task_)); });
  } catch (...) {
    Close();
    throw;
  }
  guard([&] { Close(); });
}

void TaskEntryForm::FileNewTask() {
  try {
    task_->SetProject(Common::ThisProject());
    SaveData(entry_);
  } catch (...) {
    // Nothing is left half filed: the task leaves the project's list and forgets the project.
    task_->SetTaskID(0);
    throw;
  }
}

void TaskEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  guard([&] { SaveData(entry_); });
  guard([&] {
    if (QTreeWidgetItem* node = Common::DragNode()) {
      node->setText(0, task_->BuildNodeText());
      node->setData(0, TreeView::TagRole, task_->Tag());
    }
  });
  guard([&] { Common::RebuildTaskInTree(task_); });
  guard([&] { Close(); });
}
