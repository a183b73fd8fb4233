#include "Ytemplate.h"

#include "Common.h"
#include "Guard.h"
#include "Pool.h"
#include "Rounding.h"
#include "SolveState.h"
#include "Yresource.h"
#include "Yshift.h"

#include <algorithm>

void Ytemplate::Reset() {
  ErrTrap::Guarded(QStringLiteral("Ytemplate:Reset"), [&] {
    // Each shift and resource leaves its list in its own Reset; FreeYlist walks a copy.
    Common::FreeYlist(ShiftList);
    Common::FreeYlist(ResourceList);
    // A template object reused from the pool starts clean. The name is cleared without
    // re-keying: Delete has already taken the template out of Common::Templates().
    Description.clear();
    ViewPassword.clear();
    ModifyPassword.clear();
    templateName_.clear();
    path_.clear();
    ResetJournals();
  });
}

void Ytemplate::Delete() {
  ErrTrap::Guarded(QStringLiteral("Ytemplate:Delete"), [&] { SetTemplateName(QString()); });
}

void Ytemplate::SetTemplateName(const QString& name) {
  ErrTrap::Guarded(QStringLiteral("Ytemplate:TemplateName [Property Let]"), [&] {
    if (name == templateName_) return;
    KeyedList<Ytemplate>& templates = Common::Templates();
    const QString refusal = TemplateNameRefusal(name);
    if (!refusal.isEmpty()) praxel::RaiseProgramError(refusal);
    if (!templateName_.isEmpty()) templates.Remove(templateName_);
    templateName_ = name;
    if (!name.isEmpty()) templates.Add(name, this);
  });
}

QString Ytemplate::TemplateNameRefusal(const QString& name) const {
  // Keys ignore case, so a change of case alone finds this very template: that is no clash.
  const Ytemplate* holder = name.isEmpty() ? nullptr : Common::Templates().Find(name);
  if (holder == nullptr || holder == this) return QString();
  return QStringLiteral("There is already a template with the name \"%1\"").arg(name);
}

void Ytemplate::SetPath(const QString& path) {
  ErrTrap::Guarded(QStringLiteral("Ytemplate:Path [Property Let]"), [&] {
    // A folder path keeps no closing backslash, but a drive root such as "C:\" does.
    path_ = path.size() >= 4 && path.endsWith(QLatin1Char('\\')) ? path.chopped(1) : path;
  });
}

void Ytemplate::SetDirty(bool dirty) {
  ErrTrap::Guarded(QStringLiteral("Ytemplate:Dirty [Property Let]"), [&] {
    dirty_ = dirty;
    if (dirty) Solve::RestartSolve();
  });
}

Yresource* Ytemplate::FindOrCreateResource(int ID) {
  Yresource* resource = nullptr;
  ErrTrap::Guard guard(QStringLiteral("Ytemplate:FindOrCreateResource"));
  guard([&] { resource = ResourceList.Find(QString::number(ID)); });
  if (resource != nullptr) return resource;
  guard([&] { resource = Common::NewY<Yresource>(ytResource); });
  if (resource == nullptr) return nullptr;
  guard([&] { resource->SetTemplate(this); });
  guard([&] { resource->SetResourceID(ID); });
  guard([&] { resource->Description = QStringLiteral("<stub>"); });
  return resource;
}

Yshift* Ytemplate::FindOrCreateShift(const QString& name) {
  Yshift* shift = nullptr;
  ErrTrap::Guard guard(QStringLiteral("Ytemplate:FindOrCreateShift"));
  guard([&] { shift = ShiftList.Find(name); });
  if (shift != nullptr) return shift;
  guard([&] { shift = Common::NewY<Yshift>(ytShift); });
  if (shift == nullptr) return nullptr;
  guard([&] { shift->Template = this; });
  guard([&] { shift->SetShiftName(name); });
  return shift;
}

int Ytemplate::HighestResourceID() const {
  int highest = 0;
  ErrTrap::Guarded(QStringLiteral("Ytemplate:HighestResourceID [Property Get]"), [&] {
    for (const Yresource* resource : ResourceList) {
      if (resource->Include()) highest = std::max(highest, resource->ResourceID());
    }
  });
  return highest;
}

int Ytemplate::NextResourceID() const {
  int next = 1;
  ErrTrap::Guarded(QStringLiteral("Ytemplate:NextResourceID"), [&] {
    // The list is kept in ascending ID order, so its last resource holds the highest.
    if (!ResourceList.IsEmpty()) {
      next = praxel::AddChecked(ResourceList.Item(ResourceList.Count() - 1)->ResourceID(), 1);
    }
  });
  return next;
}

void Ytemplate::ChangeNumJournals() {
  // JournalDates follows in JournalHolder; the resources' fields follow here.
  ErrTrap::Guarded(QStringLiteral("Ytemplate:ChangeNumJournals"), [&] {
    for (Yresource* resource : ResourceList) resource->ChangeNumJournals();
  });
}
