#include "TemplateEntryForm.h"

#include "Check.h"
#include "Common.h"
#include "Format.h"
#include "Guard.h"
#include "Notifications.h"
#include "OleDate.h"
#include "Pool.h"
#include "TreeDragDrop.h"
#include "TreeNodes.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <QDate>
#include <QFormLayout>
#include <QLineEdit>
#include <QTreeWidgetItem>

TemplateEntryForm::TemplateEntryForm(QWidget* parent)
    : EntryForm(QStringLiteral("Template Data Entry"), QStringLiteral("TemplateEntryForm"), parent),
      templateNameText_(NewTextBox(QStringLiteral("TemplateNameText"))),
      descriptionText_(NewTextBox(QStringLiteral("DescriptionText"))),
      viewPasswordText_(NewTextBox(QStringLiteral("ViewPasswordText"))),
      modifyPasswordText_(NewTextBox(QStringLiteral("ModifyPasswordText"))) {
  // Focusing the description leaves the caret where it falls.
  for (QLineEdit* box : {templateNameText_, viewPasswordText_, modifyPasswordText_}) SelectAllOnFocus(box);
  viewPasswordText_->setEchoMode(QLineEdit::Password);
  modifyPasswordText_->setEchoMode(QLineEdit::Password);
  templateNameText_->setMinimumWidth(240);

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("Template name"), templateNameText_);
  fields->addRow(QStringLiteral("Description"), descriptionText_);
  fields->addRow(QStringLiteral("View password"), viewPasswordText_);
  fields->addRow(QStringLiteral("Modify password"), modifyPasswordText_);
  SetFields(fields);
}

void TemplateEntryForm::StartAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("StartAdd")));
  guard([&] {
    if (template_ == nullptr) template_ = Common::NewY<Ytemplate>(ytTemplate);
    SetAdding(true);
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(templateNameText_); });
}

void TemplateEntryForm::StartModify(Ytemplate* templ) {
  ErrTrap::Guard guard(Location(QStringLiteral("StartModify")));
  guard([&] {
    template_ = templ != nullptr ? templ : dynamic_cast<Ytemplate*>(Common::DragObject());
    TRAP_ASSERT(template_ != nullptr, "the dialog modifies a template node's template or the one it is given");
    SetAdding(false);
  });
  guard([&] { LoadData(); });
  guard([&] { ShowEntryForm(); });
}

void TemplateEntryForm::LoadData() {
  ErrTrap::Guarded(Location(QStringLiteral("LoadData")), [&] {
    templateNameText_->setText(template_->TemplateName());
    descriptionText_->setText(template_->Description);
    viewPasswordText_->setText(template_->ViewPassword);
    modifyPasswordText_->setText(template_->ModifyPassword);
  });
}

bool TemplateEntryForm::GatherData() {
  TemplateEntry entry;
  entry.name = templateNameText_->text();
  if (Common::TrimBlanks(entry.name).isEmpty()) {
    return Refuse(QStringLiteral("The Template name must be filled in."), QStringLiteral("Template Name Is Blank"),
                  templateNameText_);
  }
  const QString refusal = template_->TemplateNameRefusal(entry.name);
  if (!refusal.isEmpty()) return Refuse(refusal, QStringLiteral("Template Name In Use"), templateNameText_);
  entry.description = descriptionText_->text();
  entry.viewPassword = viewPasswordText_->text();
  entry.modifyPassword = modifyPasswordText_->text();
  entry_ = entry;
  return true;
}

void TemplateEntryForm::SaveData(const TemplateEntry& entry) {
  ErrTrap::Guard guard(Location(QStringLiteral("SaveData")));
  guard([&] { template_->SetTemplateName(entry.name); });
  guard([&] {
    template_->Description = entry.description;
    template_->ViewPassword = entry.viewPassword;
    template_->ModifyPassword = entry.modifyPassword;
  });
  guard([&] { template_->SetDirty(true); });
}

void TemplateEntryForm::FinishAdd() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishAdd")));
  guard([&] { SaveData(entry_); });
  // The first journal: today, the date alone.
  guard([&] { template_->AddJournal(praxel::ToOleDate(QDate::currentDate())); });
  guard([&] { Common::SetThisTemplate(template_); });
  guard([] { Common::BroadcastNewThisTemplate(); });
  // The shift joins the template before it is named: the name files it in that template's list.
  Yshift* shift = nullptr;
  guard([&] {
    if (shift == nullptr) shift = Common::NewY<Yshift>(ytShift);
    shift->Template = template_;
    shift->SetShiftName(QStringLiteral("Standard"));
  });
  // The notification came before the shift existed: the template tree is built again to show it.
  guard([] { Forms::StartForm(QStringLiteral("TemplateTreeForm"), "Start"); });
  guard([&] { Close(); });
}

void TemplateEntryForm::FinishModify() {
  ErrTrap::Guard guard(Location(QStringLiteral("FinishModify")));
  // The selected node is looked up while it still names the template by its old name; another
  // node keeps its caption.
  QTreeWidgetItem* node = nullptr;
  guard([&] {
    node = Common::DragNode();
    if (Common::NodeKind(node) != QLatin1String("l") || Common::DragObject() != template_) node = nullptr;
  });
  guard([&] { SaveData(entry_); });
  guard([&] {
    if (node != nullptr) node->setText(0, template_->BuildNodeText());
  });
  // Every window that shows templates follows the new name.
  guard([] { Common::BroadcastNewThisTemplate(); });
  guard([&] { Close(); });
}
