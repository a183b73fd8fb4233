#include "DependencyEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "EntryValues.h"
#include "Format.h"
#include "FormHelpers.h"
#include "Guard.h"
#include "Journals.h"
#include "OleDate.h"
#include "Pool.h"
#include "Prerequisites.h"
#include "ProjectTreeForm.h"
#include "SelectedTask.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include <cmath>

using namespace DependencyChoices;

namespace {

// An offset longer than the whole calendar would carry every date out of it.
constexpr double kLongestOffset = praxel::kEndOfDates - praxel::kFirstDay;

QScrollBar* NewPercentBar(const QString& name, QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(0, 100);
  bar->setPageStep(10);
  return bar;
}

QComboBox* NewEditableList(const QString& name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(true);
  // What is typed is read as it stands; it never becomes an item of the list.
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMinimumWidth(200);
  return list;
}

}  // namespace

DependencyEntryForm::DependencyEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Dependency Entry"), QStringLiteral("DependencyEntryForm"), parent),
      sentenceText_(new QLabel(this)),
      toScroll_(NewPercentBar(QStringLiteral("ToScroll"), this)),
      offsetText_(NewTextBox(QStringLiteral("OffsetText"), false)),
      dateOption_(new QRadioButton(QStringLiteral("date"), this)),
      dateText_(NewDateBox(QStringLiteral("DateText"), false)),
      taskOption_(new QRadioButton(QStringLiteral("task"), this)),
      projectRequiredCombo_(NewEditableList(QStringLiteral("ProjectRequiredCombo"), this)),
      taskRequiredCombo_(NewEditableList(QStringLiteral("TaskRequiredCombo"), this)),
      fromScroll_(NewPercentBar(QStringLiteral("FromScroll"), this)) {
  sentenceText_->setObjectName(QStringLiteral("SentenceText"));
  sentenceText_->setWordWrap(true);
  sentenceText_->setFrameShape(QFrame::Panel);
  sentenceText_->setFrameShadow(QFrame::Sunken);
  sentenceText_->setMinimumHeight(3 * sentenceText_->fontMetrics().height());
  sentenceText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SelectAllOnFocus(dateText_);
  SelectAllOnFocus(offsetText_);

  // The option arrays, each one group of its own; a click runs the array's handler with the index.
  const auto makeOptions = [this](auto& options, const QString& name, const QStringList& captions,
                                  QButtonGroup* group) {
    for (int index = 0; index < int(options.size()); ++index) {
      options[index] = new QRadioButton(captions.value(index), this);
      options[index]->setObjectName(name + QString::number(index));
      group->addButton(options[index], index);
    }
  };
  auto* toGroup = new QButtonGroup(this);
  makeOptions(toOption_, QStringLiteral("ToOption"), {QStringLiteral("start"), QString(), QStringLiteral("finish")},
              toGroup);
  auto* offsetGroup = new QButtonGroup(this);
  makeOptions(offsetOption_, QStringLiteral("OffsetOption"),
              {QStringLiteral("no offset"), QStringLiteral("before"), QStringLiteral("after")}, offsetGroup);
  offsetOption_[OffsetBefore]->setToolTip(QStringLiteral("Phase back"));
  offsetOption_[OffsetAfter]->setToolTip(QStringLiteral("Phase forward"));
  auto* fromGroup = new QButtonGroup(this);
  makeOptions(fromOption_, QStringLiteral("FromOption"),
              {QStringLiteral("starts"), QString(), QStringLiteral("finishes")}, fromGroup);
  auto* prerequisiteGroup = new QButtonGroup(this);
  dateOption_->setObjectName(QStringLiteral("DateOption"));
  taskOption_->setObjectName(QStringLiteral("TaskOption"));
  prerequisiteGroup->addButton(dateOption_);
  prerequisiteGroup->addButton(taskOption_);
  // The design values, until LoadData shows the dependency.
  offsetOption_[NoOffset]->setChecked(true);
  dateOption_->setChecked(true);
  auto* quickGroup = new QButtonGroup(this);
  QStringList codes;
  for (const QuickOption& quick : kQuickOptions) codes.append(QString::fromLatin1(quick.code));
  makeOptions(quickOption_, QStringLiteral("QuickOption"), codes, quickGroup);
  for (std::size_t index = 0; index < kQuickOptions.size(); ++index) {
    quickOption_[index]->setToolTip(QString::fromLatin1(kQuickOptions[index].toolTip));
  }

  // The frames, in the order in which the dialog reads as a sentence.
  auto* cannotFrame = new QGroupBox(QStringLiteral("cannot"), this);
  auto* cannot = new QGridLayout(cannotFrame);
  for (int index = 0; index < 3; ++index) cannot->addWidget(toOption_[index], 0, index);
  cannot->addWidget(toScroll_, 1, 0, 1, 3);

  auto* untilFrame = new QGroupBox(QStringLiteral("until"), this);
  auto* until = new QHBoxLayout(untilFrame);
  for (QRadioButton* option : offsetOption_) until->addWidget(option);
  until->addWidget(offsetText_);

  auto* prerequisiteFrame = new QGroupBox(QStringLiteral("prerequisite"), this);
  auto* prerequisite = new QGridLayout(prerequisiteFrame);
  prerequisite->addWidget(dateOption_, 0, 0);
  prerequisite->addWidget(dateText_, 0, 1);
  prerequisite->addWidget(taskOption_, 1, 0);
  prerequisite->addWidget(taskRequiredCombo_, 1, 1);
  prerequisite->addWidget(new QLabel(QStringLiteral("in project"), this), 1, 2);
  prerequisite->addWidget(projectRequiredCombo_, 1, 3);
  auto* fromOptions = new QHBoxLayout;
  for (QRadioButton* option : fromOption_) fromOptions->addWidget(option);
  prerequisite->addLayout(fromOptions, 2, 0, 1, 4);
  prerequisite->addWidget(fromScroll_, 3, 0, 1, 4);

  auto* quickFrame = new QGroupBox(this);
  auto* quick = new QGridLayout(quickFrame);
  const int perRow = int(kQuickOptions.size()) / 2;
  for (int index = 0; index < int(kQuickOptions.size()); ++index) {
    quick->addWidget(quickOption_[index], index / perRow, index % perRow);
  }

  auto* fields = new QVBoxLayout;
  fields->addWidget(sentenceText_);
  fields->addWidget(cannotFrame);
  fields->addWidget(untilFrame);
  fields->addWidget(prerequisiteFrame);
  fields->addWidget(quickFrame);

  // Every change of a scroll bar, the date-or-task choice or the chosen task brings the other
  // controls in step; an option of a side moves its bar.
  connect(toScroll_, &QScrollBar::valueChanged, this, &DependencyEntryForm::ToScroll_Change);
  connect(fromScroll_, &QScrollBar::valueChanged, this, &DependencyEntryForm::FromScroll_Change);
  connect(dateOption_, &QRadioButton::clicked, this, &DependencyEntryForm::DateOption_Click);
  connect(taskOption_, &QRadioButton::clicked, this, &DependencyEntryForm::TaskOption_Click);
  connect(taskRequiredCombo_, &QComboBox::activated, this, &DependencyEntryForm::TaskRequiredCombo_Click);
  connect(offsetText_, &QLineEdit::textChanged, this, &DependencyEntryForm::OffsetText_Change);
  connect(toGroup, &QButtonGroup::idClicked, this, &DependencyEntryForm::ToOption_Click);
  connect(fromGroup, &QButtonGroup::idClicked, this, &DependencyEntryForm::FromOption_Click);
  connect(offsetGroup, &QButtonGroup::idClicked, this, &DependencyEntryForm::OffsetOption_Click);
  connect(quickGroup, &QButtonGroup::idClicked, this, &DependencyEntryForm::QuickOption_Click);
  connect(projectRequiredCombo_, &QComboBox::activated, this, &DependencyEntryForm::ProjectRequiredCombo_Click);
  SetFields(fields);
}

void DependencyEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  guard([&] {
    task_ = Dialogs::SelectedTask(QStringLiteral("Please click on a task first."), QStringLiteral("No Task Selected"));
  });
  if (task_ == nullptr) {
    guard([&] { Close(); });
    return;
  }
  guard([&] {
    SetAdding(true);
    if (dependency_ == nullptr) dependency_ = Common::NewY<Ydependency>(ytDependency);
  });
  // A new dependency waits for the current journal's date.
  guard([&] {
    if (const Yproject* project = Common::ThisProject()) dependency_->SetDepDate(project->Journal());
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(dateText_); });
}

void DependencyEntryForm::StartModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    SetAdding(false);
    dependency_ = dynamic_cast<Ydependency*>(Common::DragObject());
    TRAP_ASSERT(dependency_ != nullptr, "the trees open this dialog on dependency nodes only");
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(); });
}

Ytask* DependencyEntryForm::DependentTask() const { return Adding() ? task_ : dependency_->Task(); }

bool DependencyEntryForm::DateChosen() const { return dateOption_->isChecked(); }

OffsetChoice DependencyEntryForm::OffsetChosen() const {
  for (const OffsetChoice choice : {NoOffset, OffsetBefore, OffsetAfter}) {
    if (offsetOption_[choice]->isChecked()) return choice;
  }
  TRAP_ASSERT(false, "one offset option is always selected");
  return NoOffset;
}

void DependencyEntryForm::LoadData() {
  ErrTrap::Guard guard(Location(QStringLiteral("LoadData")));
  // The bars change quietly here; the screen is brought in step once, at the end.
  const QSignalBlocker blockTo(toScroll_);
  const QSignalBlocker blockFrom(fromScroll_);
  guard([&] {
    projectRequiredCombo_->clear();
    for (const Yproject* project : Common::Projects()) projectRequiredCombo_->addItem(project->BuildNodeText());
    projectRequiredCombo_->setCurrentIndex(-1);
  });
  guard([&] {
    const Ytask* required = dependency_->TaskRequired();
    if (required == nullptr) {
      dateOption_->setChecked(true);
      dateText_->setText(Common::DateText(dependency_->DepDate()));
      return;
    }
    taskOption_->setChecked(true);
    // The list offers the required task's project's tasks at once.
    projectRequiredCombo_->setCurrentText(required->Project()->BuildNodeText());
    FillTaskList();
    taskRequiredCombo_->setCurrentText(required->BuildNodeText());
  });
  guard([&] {
    toScroll_->setValue(dependency_->ToPercent());
    fromScroll_->setValue(dependency_->FromPercent());
  });
  guard([&] {
    // The option first: the text's change rebuilds the sentence, which reads the option.
    const double offset = dependency_->Offset();
    if (offset == 0) {
      offsetOption_[NoOffset]->setChecked(true);
      offsetText_->clear();
    } else {
      offsetOption_[offset < 0 ? OffsetBefore : OffsetAfter]->setChecked(true);
      offsetText_->setText(Common::FormatDuration(std::fabs(offset), true));
    }
  });
  guard([&] { UpdateScreen(); });
}

void DependencyEntryForm::UpdateScreen() {
  // The options this sets would bring it back; one pass is enough.
  if (busy_) return;
  busy_ = true;
  const auto done = qScopeGuard([this] { busy_ = false; });
  ErrTrap::Guard guard(Location(QStringLiteral("UpdateScreen")));
  const bool date = DateChosen();
  guard([&] {
    Common::ShowInUse(offsetText_, OffsetChosen() != NoOffset);
    Common::ShowInUse(dateText_, date);
    Common::ShowInUse(taskRequiredCombo_, taskOption_->isChecked());
    Common::ShowInUse(projectRequiredCombo_, !date);
  });
  const Point to = PointOf(toScroll_->value());
  const Point from = PointOf(fromScroll_->value());
  guard([&] {
    toOption_[PointPartial]->setText(PartialToCaption(toScroll_->value()));
    toOption_[to]->setChecked(true);
  });
  guard([&] {
    fromOption_[PointPartial]->setText(PartialFromCaption(fromScroll_->value()));
    fromOption_[from]->setChecked(true);
  });
  // A date has no start or finish.
  guard([&] {
    for (QRadioButton* option : fromOption_) option->setEnabled(!date);
    fromScroll_->setEnabled(!date);
  });
  guard([&] { UpdateSentence(); });
  guard([&] {
    const int quick = QuickIndex(QuickCode(date, from, to));
    TRAP_ASSERT(quick >= 0, "every combination has its quick option");
    quickOption_[quick]->setChecked(true);
  });
}

void DependencyEntryForm::UpdateSentence() {
  ErrTrap::Guarded(Location(QStringLiteral("UpdateSentence")), [&] {
    SentenceParts parts;
    // The waiting task's caption: the selected task's, or the task above the selected dependency.
    if (const QTreeWidgetItem* node = Common::DragNode()) {
      const QString kind = Common::NodeKind(node);
      if (kind == QLatin1String("d") && node->parent() != nullptr) {
        parts.label = node->parent()->text(0);
      } else if (kind == QLatin1String("t")) {
        parts.label = node->text(0);
      }
    }
    parts.toPercent = toScroll_->value();
    parts.offset = OffsetChosen();
    parts.offsetText = offsetText_->text();
    parts.isDate = DateChosen();
    parts.dateText = dateText_->text();
    parts.taskText = taskRequiredCombo_->currentText();
    parts.fromPercent = fromScroll_->value();
    sentenceText_->setText(Sentence(parts));
  });
}

void DependencyEntryForm::FillTaskList() {
  ErrTrap::Guarded(Location(QStringLiteral("FillTaskList")), [&] {
    taskRequiredCombo_->clear();
    taskRequiredCombo_->clearEditText();
    // A text that names no loaded project offers no task.
    const Yproject* project = Common::ProjectFromNodeText(projectRequiredCombo_->currentText());
    if (project == nullptr) return;
    for (const Ytask* task : project->TaskList) {
      if (task->Include()) taskRequiredCombo_->addItem(task->BuildNodeText());
    }
    taskRequiredCombo_->setCurrentIndex(-1);
    taskRequiredCombo_->clearEditText();
  });
}

void DependencyEntryForm::ToScroll_Change() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("ToScroll_Change"))), [&] { UpdateScreen(); });
}

void DependencyEntryForm::FromScroll_Change() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("FromScroll_Change"))), [&] { UpdateScreen(); });
}

void DependencyEntryForm::DateOption_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("DateOption_Click"))), [&] { UpdateScreen(); });
}

void DependencyEntryForm::TaskOption_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("TaskOption_Click"))), [&] { UpdateScreen(); });
}

void DependencyEntryForm::TaskRequiredCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("TaskRequiredCombo_Click"))), [&] { UpdateScreen(); });
}

void DependencyEntryForm::OffsetText_Change() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("OffsetText_Change"))), [&] { UpdateSentence(); });
}

void DependencyEntryForm::ToOption_Click(int index) {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("ToOption_Click"))), [&] {
    toScroll_->setValue(PercentFor(Point(index), toScroll_->value()));
  });
}

void DependencyEntryForm::FromOption_Click(int index) {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("FromOption_Click"))), [&] {
    fromScroll_->setValue(PercentFor(Point(index), fromScroll_->value()));
  });
}

void DependencyEntryForm::OffsetOption_Click(int index) {
  ErrTrap::Guard guard(ErrTrap::Handler(Location(QStringLiteral("OffsetOption_Click"))));
  guard([&] {
    if (index == NoOffset) {
      offsetText_->clear();
    } else if (offsetText_->text().isEmpty()) {
      offsetText_->setText(QStringLiteral("0 days"));
    }
  });
  guard([&] { UpdateScreen(); });
}

void DependencyEntryForm::QuickOption_Click(int index) {
  ErrTrap::Guard guard(ErrTrap::Handler(Location(QStringLiteral("QuickOption_Click"))));
  guard([&] {
    const QString code = QString::fromLatin1(kQuickOptions.at(index).code);
    // Both sides are chosen before the screen follows them.
    const QSignalBlocker blockTo(toScroll_);
    const QSignalBlocker blockFrom(fromScroll_);
    if (code.at(0) == QLatin1Char('D')) {
      dateOption_->setChecked(true);
    } else {
      taskOption_->setChecked(true);
      fromScroll_->setValue(PercentFor(PointOfLetter(code.at(0)), fromScroll_->value()));
    }
    toScroll_->setValue(PercentFor(PointOfLetter(code.at(1)), toScroll_->value()));
  });
  guard([&] { UpdateScreen(); });
}

void DependencyEntryForm::ProjectRequiredCombo_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("ProjectRequiredCombo_Click"))),
                   [&] { FillTaskList(); });
}

bool DependencyEntryForm::GatherData() {
  DependencyEntry entry;
  if (DateChosen()) {
    const std::optional<double> date = Common::TextToDate(dateText_->text());
    if (!date) {
      return Refuse(QStringLiteral("The prerequisite date must be a date, such as ") +
                        Common::DateText(praxel::ToOleDate(QDate::currentDate())) + QLatin1Char('.'),
                    QStringLiteral("Invalid Date"), dateText_);
    }
    entry.depDate = *date;
  } else if (!GatherTaskRequired(entry)) {
    return false;
  }
  entry.toPercent = toScroll_->value();
  entry.fromPercent = fromScroll_->value();
  const OffsetChoice offset = OffsetChosen();
  if (offset != NoOffset) {
    const QString text = offsetText_->text();
    const std::optional<double> days = Common::ReadDuration(text);
    if (!days) {
      return Refuse(QStringLiteral("\"%1\" is not a duration. Please type the offset as a number and a unit, such as "
                                   "2 days, 3 hours or 1 week.")
                        .arg(text),
                    QStringLiteral("Invalid Offset"), offsetText_);
    }
    if (std::fabs(*days) >= kLongestOffset) {
      return Refuse(QStringLiteral("An offset of %1 would carry the prerequisite beyond every date from the year 100 "
                                   "to the year 9999.")
                        .arg(text),
                    QStringLiteral("Invalid Offset"), offsetText_);
    }
    entry.offset = offset == OffsetBefore ? -*days : *days;
  }
  entry_ = entry;
  return true;
}

bool DependencyEntryForm::GatherTaskRequired(DependencyEntry& entry) {
  const QString projectText = projectRequiredCombo_->currentText();
  Yproject* project = Common::ProjectFromNodeText(projectText);
  if (project == nullptr) {
    const QString text = projectText.isEmpty()
                             ? QStringLiteral("Please choose the project of the prerequisite task.")
                             : QStringLiteral("No loaded project is called \"%1\". Please choose the project of the "
                                              "prerequisite task from the list.")
                                   .arg(projectText);
    return Refuse(text, QStringLiteral("Invalid Project"), projectRequiredCombo_);
  }
  const QString taskText = taskRequiredCombo_->currentText();
  const std::optional<int> id = EntryValues::ReadLeadingId(taskText);
  Ytask* required = id ? project->TaskList.Find(QString::number(*id)) : nullptr;
  if (required == nullptr || !required->Include()) {
    const QString text =
        taskText.isEmpty()
            ? QStringLiteral("Please choose the prerequisite task.")
            : QStringLiteral("%1 has no task \"%2\" in its current journal. Please choose the prerequisite task from "
                             "the list.")
                  .arg(project->ProjectName(), taskText);
    return Refuse(text, QStringLiteral("Invalid Task"), taskRequiredCombo_);
  }
  const QString refusal = Common::PrerequisiteRefusal(*DependentTask(), *required);
  if (!refusal.isEmpty()) {
    return Refuse(refusal, QLatin1String(Common::kCircularDependencyTitle), taskRequiredCombo_);
  }
  entry.taskRequired = required;
  return true;
}

void DependencyEntryForm::SaveData(const DependencyEntry& entry) {
  ErrTrap::Guard guard(Location(QStringLiteral("SaveData")));
  guard([&] {
    // A task dependency keeps its date: the solver writes there when the prerequisite is reached.
    if (entry.taskRequired == nullptr) dependency_->SetDepDate(entry.depDate);
    dependency_->SetTaskRequired(entry.taskRequired);
  });
  guard([&] {
    dependency_->SetToPercent(entry.toPercent);
    dependency_->SetFromPercent(entry.fromPercent);
    dependency_->SetOffset(entry.offset);
  });
  guard([&] {
    if (Yproject* project = dependency_->Project()) project->SetDirty(true);
  });
}

void DependencyEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  // Attached only now that every value has been accepted, so that its values are stored for the
  // task's current journal and every later one.
  guard([&] { dependency_->SetTask(task_); });
  guard([&] { SaveData(entry_); });
  guard([&] { Common::RebuildTaskInTree(task_); });
  guard([&] { Close(); });
}

void DependencyEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  guard([&] { SaveData(entry_); });
  guard([&] {
    if (QTreeWidgetItem* node = Common::DragNode()) node->setText(0, dependency_->BuildNodeText());
  });
  guard([&] { Close(); });
}
