#include "ResourceEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "EntryValues.h"
#include "Forms.h"
#include "Guard.h"
#include "MoneyText.h"
#include "Pool.h"
#include "RateCalculatorForm.h"
#include "TreeDragDrop.h"
#include "TreeView.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidgetItem>

#include <limits>
#include <tuple>

namespace {

constexpr int kLargestId = std::numeric_limits<int>::max();

}  // namespace

ResourceEntryForm::ResourceEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Resource Data Entry"), QStringLiteral("ResourceEntryForm"), parent),
      templateText_(NewTextBox(QStringLiteral("TemplateText"))),
      resourceIdText_(NewTextBox(QStringLiteral("ResourceIdText"))),
      descriptionText_(NewTextBox(QStringLiteral("DescriptionText"))),
      departmentCombo_(new QComboBox(this)),
      titleText_(NewTextBox(QStringLiteral("TitleText"))),
      burdenedRateText_(new MoneyText(this)),
      overtimeRateText_(new MoneyText(this)),
      offDayRateText_(new MoneyText(this)),
      holidayRateText_(new MoneyText(this)),
      rateCalculatorCommand_(new QPushButton(QStringLiteral("Burdened rate calculator"), this)),
      workdays_(new WorkdaysFrame(this)),
      shiftCombo_(new QComboBox(this)) {
  // The template is shown, not edited: on the menu bar's colour, and outside the tab order.
  templateText_->setReadOnly(true);
  templateText_->setFocusPolicy(Qt::ClickFocus);
  QPalette shown = templateText_->palette();
  shown.setColor(QPalette::Base, shown.color(QPalette::Window));
  templateText_->setPalette(shown);
  for (QLineEdit* box : {resourceIdText_, descriptionText_, titleText_}) SelectAllOnFocus(box);
  const QList<QPair<MoneyText*, const char*>> rates = {{burdenedRateText_, "BurdenedRateText"},
                                                        {overtimeRateText_, "OvertimeRateText"},
                                                        {offDayRateText_, "OffDayRateText"},
                                                        {holidayRateText_, "HolidayRateText"}};
  for (const auto& [box, name] : rates) {
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(HelpTip());
    SelectAllOnFocus(box);
    ReformatMoneyOnLeave(box);
  }
  departmentCombo_->setObjectName(QStringLiteral("DepartmentCombo"));
  departmentCombo_->setEditable(true);
  // Typing a department names it for this resource only; the list stays the template's.
  departmentCombo_->setInsertPolicy(QComboBox::NoInsert);
  shiftCombo_->setObjectName(QStringLiteral("ShiftCombo"));
  rateCalculatorCommand_->setObjectName(QStringLiteral("RateCalculatorCommand"));
  rateCalculatorCommand_->setAutoDefault(false);
  workdays_->setObjectName(QStringLiteral("WorkdaysFrame"));
  descriptionText_->setMinimumWidth(220);

  auto* fields = new QGridLayout;
  const auto addRow = [&](int row, const QString& label, QWidget* field) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    fields->addWidget(caption, row, 0);
    fields->addWidget(field, row, 1);
  };
  addRow(0, QStringLiteral("Template"), templateText_);
  addRow(1, QStringLiteral("Resource ID"), resourceIdText_);
  addRow(2, QStringLiteral("Description"), descriptionText_);
  addRow(3, QStringLiteral("Department"), departmentCombo_);
  addRow(4, QStringLiteral("Title"), titleText_);
  addRow(5, QStringLiteral("Burdened rate"), burdenedRateText_);
  addRow(6, QStringLiteral("Overtime rate"), overtimeRateText_);
  addRow(7, QStringLiteral("Off-day rate"), offDayRateText_);
  addRow(8, QStringLiteral("Holiday rate"), holidayRateText_);
  addRow(9, QStringLiteral("Shift"), shiftCombo_);
  fields->addWidget(workdays_, 0, 2, 5, 1, Qt::AlignTop);
  fields->addWidget(rateCalculatorCommand_, 5, 2);
  fields->setColumnMinimumWidth(2, workdays_->sizeHint().width());

  connect(rateCalculatorCommand_, &QPushButton::clicked, this, &ResourceEntryForm::RateCalculatorCommand_Click);
  SetFields(fields);
  // The shift box comes last in the tab order, after Cancel.
  setTabOrder(CancelCommand(), shiftCombo_);
}

void ResourceEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  bool ready = false;
  guard([&] { ready = StartsWhen(Common::ThisTemplateSet); });
  if (!ready) return;
  guard([&] {
    SetAdding(true);
    template_ = Common::ThisTemplate();
    if (resource_ == nullptr) resource_ = Common::NewY<Yresource>(ytResource);
  });
  guard([&] { LoadData(); });
  guard([&] { resourceIdText_->setText(QString::number(template_->NextResourceID())); });
  guard([&] { ShowEntryForm(descriptionText_); });
}

void ResourceEntryForm::StartModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    SetAdding(false);
    resource_ = dynamic_cast<Yresource*>(Common::DragObject());
    TRAP_ASSERT(resource_ != nullptr && resource_->Template() != nullptr,
                "the dialog modifies the resource of a resource node");
    template_ = resource_->Template();
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(descriptionText_); });
}

void ResourceEntryForm::BuildShiftList() {
  ErrTrap::Guarded(Location(QStringLiteral("BuildShiftList")), [&] {
    shiftCombo_->clear();
    for (const Yshift* shift : template_->ShiftList) shiftCombo_->addItem(shift->BuildNodeText());
  });
}

void ResourceEntryForm::BuildDepartmentList() {
  ErrTrap::Guarded(Location(QStringLiteral("BuildDepartmentList")), [&] {
    QStringList departments;
    for (const Yresource* resource : template_->ResourceList) {
      if (!resource->Include()) continue;
      const QString department = resource->Department();
      if (!departments.contains(department, Qt::CaseInsensitive)) departments << department;
    }
    departmentCombo_->clear();
    departmentCombo_->addItems(departments);
  });
}

void ResourceEntryForm::LoadData() {
  ErrTrap::Guard guard(Location(QStringLiteral("LoadData")));
  guard([&] { BuildShiftList(); });
  guard([&] { BuildDepartmentList(); });
  guard([&] {
    templateText_->setText(template_->TemplateName());
    resourceIdText_->setText(QString::number(resource_->ResourceID()));
    descriptionText_->setText(resource_->Description);
    departmentCombo_->setEditText(resource_->Department());
    titleText_->setText(resource_->Title());
  });
  guard([&] {
    burdenedRateText_->SetAmount(resource_->BurdenedRate().ToDouble());
    overtimeRateText_->SetAmount(resource_->OvertimeRate().ToDouble());
    offDayRateText_->SetAmount(resource_->OffDayRate().ToDouble());
    holidayRateText_->SetAmount(resource_->HolidayRate().ToDouble());
  });
  guard([&] {
    // A resource without a shift is shown the template's first.
    const Yshift* shift = resource_->Shift();
    shiftCombo_->setCurrentIndex(shift != nullptr ? shiftCombo_->findText(shift->BuildNodeText()) : 0);
  });
  guard([&] {
    for (int kind = 0; kind < WorkdaysFrame::kDayKinds; ++kind) {
      workdays_->Checks()[kind]->setChecked(resource_->WorkDay(kind));
    }
  });
}

bool ResourceEntryForm::GatherData() {
  ResourceEntry entry;
  // Exactly empty: blanks are a department, stored as "None".
  entry.department = departmentCombo_->currentText();
  if (entry.department.isEmpty()) {
    return Refuse(QStringLiteral("The department must be filled in."), QStringLiteral("Missing Department"),
                  departmentCombo_);
  }
  const std::optional<int> id = EntryValues::ReadWholeNumber(resourceIdText_->text(), 1, kLargestId);
  if (!id) {
    return Refuse(QStringLiteral("The Resource ID must be a whole number from 1 to %1.").arg(kLargestId),
                  QStringLiteral("Invalid Resource ID"), resourceIdText_);
  }
  if (const QString refusal = resource_->ResourceIDRefusal(*template_, *id); !refusal.isEmpty()) {
    return Refuse(refusal, QStringLiteral("Resource ID In Use"), resourceIdText_);
  }
  entry.id = *id;
  entry.description = descriptionText_->text();
  entry.title = titleText_->text();
  const QList<std::tuple<MoneyText*, praxel::Currency*, QString>> rates = {
      {burdenedRateText_, &entry.burdenedRate, QStringLiteral("Burdened rate")},
      {overtimeRateText_, &entry.overtimeRate, QStringLiteral("Overtime rate")},
      {offDayRateText_, &entry.offDayRate, QStringLiteral("Off-day rate")},
      {holidayRateText_, &entry.holidayRate, QStringLiteral("Holiday rate")}};
  for (const auto& [box, rate, name] : rates) {
    const std::optional<praxel::Currency> money = box->Money();
    if (!money) return Refuse(MoneyText::Refusal(name), QStringLiteral("Invalid ") + name, box);
    *rate = *money;
  }
  entry.shift = template_->ShiftList.Find(shiftCombo_->currentText());
  for (int kind = 0; kind < WorkdaysFrame::kDayKinds; ++kind) {
    entry.workDay[kind] = workdays_->Checks()[kind]->isChecked();
  }
  entry_ = entry;
  return true;
}

void ResourceEntryForm::SaveData(const ResourceEntry& entry) {
  ErrTrap::Guarded(Location(QStringLiteral("SaveData")), [&] {
    resource_->SetResourceID(entry.id);
    resource_->Description = entry.description;
    resource_->SetDepartment(entry.department);
    resource_->SetTitle(entry.title);
    resource_->SetBurdenedRate(entry.burdenedRate);
    resource_->SetOvertimeRate(entry.overtimeRate);
    resource_->SetOffDayRate(entry.offDayRate);
    resource_->SetHolidayRate(entry.holidayRate);
    resource_->SetShift(entry.shift);
    for (int kind = 0; kind < WorkdaysFrame::kDayKinds; ++kind) resource_->SetWorkDay(kind, entry.workDay[kind]);
    template_->SetDirty(true);
  });
}

void ResourceEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  // Joining sizes the resource's fields to the template's journals; the ID files it.
  guard([&] { resource_->SetTemplate(template_); });
  guard([&] { SaveData(entry_); });
  guard([] { Forms::StartForm(QStringLiteral("TemplateTreeForm"), "Start"); });
  guard([&] { Close(); });
}

void ResourceEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  // Compared exactly, before anything is stored: "sales" for "Sales" moves the node as well.
  bool departmentChanged = false;
  guard([&] { departmentChanged = entry_.department != resource_->Department(); });
  guard([&] { SaveData(entry_); });
  guard([&] {
    if (departmentChanged) {
      Forms::StartForm(QStringLiteral("TemplateTreeForm"), "Start");
    } else if (QTreeWidgetItem* node = Common::DragNode()) {
      // The node shows, and finds, the resource under its new ID.
      node->setText(0, resource_->BuildNodeText());
      node->setData(0, TreeView::TagRole, resource_->Tag());
    }
  });
  guard([&] { Close(); });
}

void ResourceEntryForm::RateCalculatorCommand_Click() {
  ErrTrap::Guarded(ErrTrap::Handler(Location(QStringLiteral("RateCalculatorCommand_Click"))), [&] {
    auto* calculator = qobject_cast<RateCalculatorForm*>(Forms::Load(QStringLiteral("RateCalculatorForm")));
    TRAP_ASSERT(calculator != nullptr, "the rate calculator is registered with the dialogs");
    calculator->Start({burdenedRateText_, overtimeRateText_, offDayRateText_, holidayRateText_});
  });
}
