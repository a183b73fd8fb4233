#include "Yresource.h"

#include "Check.h"
#include "Format.h"
#include "Guard.h"
#include "Journals.h"
#include "RuntimeError.h"
#include "Yshift.h"
#include "Ytemplate.h"

#include <algorithm>

namespace {

// A resource works Monday (kind 2) to Friday (kind 6) unless told otherwise.
constexpr bool DefaultWorkDay(int kind) { return kind >= 2 && kind <= 6; }

void CheckDayKind(int kind) {
  if (kind < 0 || kind >= Yresource::kDayKinds) {
    throw praxel::RuntimeError(praxel::errSubscript, QStringLiteral("Subscript out of range"));
  }
}

}  // namespace

void Yresource::Reset() {
  ErrTrap::Guard guard(QStringLiteral("Yresource:Reset"));
  // Leaves the template's ResourceList and the template, so every field below becomes one
  // value shared by all journals.
  guard([&] { SetResourceID(0); });
  guard([&] {
    Description.clear();
    include_.SetSingle(true);
    department_.SetSingle(QStringLiteral("None"));
    title_.SetSingle(QString());
    burdenedRate_.SetSingle(praxel::Currency());
    overtimeRate_.SetSingle(praxel::Currency());
    offDayRate_.SetSingle(praxel::Currency());
    holidayRate_.SetSingle(praxel::Currency());
    shift_.SetSingle(nullptr);
    for (int kind = 0; kind < kDayKinds; ++kind) workDay_[kind].SetSingle(DefaultWorkDay(kind));
  });
}

QString Yresource::BuildNodeText() const {
  const QString id = QString::number(resourceId_);
  return Description.isEmpty() ? id : id + QStringLiteral(": ") + Description;
}

void Yresource::SetResourceID(int ID) {
  ErrTrap::Guarded(QStringLiteral("Yresource:ResourceID [Property Let]"), [&] {
    if (ID != 0 && ID == resourceId_) return;
    if (ID == 0) {
      // Out of the template altogether: unfiled, and no longer attached.
      if (MyTemplate != nullptr && resourceId_ != 0) MyTemplate->ResourceList.Remove(Key());
      MyTemplate = nullptr;
      resourceId_ = 0;
      return;
    }
    TRAP_ASSERT(MyTemplate != nullptr, "a resource is attached before it is filed");
    KeyedList<Yresource>& list = MyTemplate->ResourceList;
    const QString key = QString::number(ID);
    const QString refusal = ResourceIDRefusal(*MyTemplate, ID);
    if (!refusal.isEmpty()) praxel::RaiseProgramError(refusal);
    if (resourceId_ != 0) list.Remove(Key());
    // Keep the list in ascending ID order: file before the first higher ID, found by halving
    // (a file's resources come in ascending order, so a walk from the front would be quadratic).
    const auto after = std::upper_bound(list.begin(), list.end(), ID,
                                        [](int id, const Yresource* resource) { return id < resource->ResourceID(); });
    const qsizetype before = after - list.begin();
    resourceId_ = ID;
    list.Insert(before, key, this);
  });
}

QString Yresource::ResourceIDRefusal(const Ytemplate& templ, int ID) const {
  const Yresource* holder = templ.ResourceList.Find(QString::number(ID));
  return holder != nullptr && holder != this ? QStringLiteral("The Resource ID %1 is already in use.").arg(ID)
                                             : QString();
}

void Yresource::SetTemplate(Ytemplate* templ) {
  ErrTrap::Guarded(QStringLiteral("Yresource:Template [Property Set]"), [&] {
    MyTemplate = templ;
    if (templ == nullptr) return;
    // Joined while a later journal is current: absent from the journals before it.
    include_.Join(templ->NumJournals, templ->CurrentIndex);
    // The template's first shift, for every journal; none while the template has no shift yet
    // (a placeholder template whose record has not been read).
    shift_.SetSingle(templ->ShiftList.First());
  });
}

// Unlike a task's, a resource's shared Include can say absent: a resource deleted on the first
// journal is absent from every journal.
bool Yresource::Include() const { return ReadField(MyTemplate, include_.Field()); }

void Yresource::SetInclude(bool include) { WriteField(MyTemplate, include_.Field(), include); }

QString Yresource::Department() const { return ReadField(MyTemplate, department_); }

void Yresource::SetDepartment(const QString& department) {
  ErrTrap::Guarded(QStringLiteral("Yresource:Department [Property Let]"), [&] {
    const QString trimmed = Common::TrimBlanks(department);
    WriteField(MyTemplate, department_, trimmed.isEmpty() ? QStringLiteral("None") : trimmed);
  });
}

QString Yresource::Title() const { return ReadField(MyTemplate, title_); }

void Yresource::SetTitle(const QString& title) {
  ErrTrap::Guarded(QStringLiteral("Yresource:Title [Property Let]"), [&] { WriteField(MyTemplate, title_, title); });
}

praxel::Currency Yresource::BurdenedRate() const { return ReadField(MyTemplate, burdenedRate_); }

void Yresource::SetBurdenedRate(praxel::Currency rate) {
  ErrTrap::Guarded(QStringLiteral("Yresource:BurdenedRate [Property Let]"),
                   [&] { WriteField(MyTemplate, burdenedRate_, rate); });
}

praxel::Currency Yresource::OvertimeRate() const { return ReadField(MyTemplate, overtimeRate_); }

void Yresource::SetOvertimeRate(praxel::Currency rate) {
  ErrTrap::Guarded(QStringLiteral("Yresource:OvertimeRate [Property Let]"),
                   [&] { WriteField(MyTemplate, overtimeRate_, rate); });
}

praxel::Currency Yresource::OffDayRate() const { return ReadField(MyTemplate, offDayRate_); }

void Yresource::SetOffDayRate(praxel::Currency rate) {
  ErrTrap::Guarded(QStringLiteral("Yresource:OffDayRate [Property Let]"),
                   [&] { WriteField(MyTemplate, offDayRate_, rate); });
}

praxel::Currency Yresource::HolidayRate() const { return ReadField(MyTemplate, holidayRate_); }

void Yresource::SetHolidayRate(praxel::Currency rate) {
  ErrTrap::Guarded(QStringLiteral("Yresource:HolidayRate [Property Let]"),
                   [&] { WriteField(MyTemplate, holidayRate_, rate); });
}

Yshift* Yresource::Shift() const { return ReadField(MyTemplate, shift_); }

void Yresource::SetShift(Yshift* shift) {
  ErrTrap::Guarded(QStringLiteral("Yresource:Shift [Property Set]"), [&] {
    WriteField(MyTemplate, shift_, shift);
  });
}

bool Yresource::WorkDay(int kind) const {
  bool works = false;
  ErrTrap::Guarded(QStringLiteral("Yresource:WorkDay [Property Get]"), [&] {
    CheckDayKind(kind);
    works = ReadField(MyTemplate, workDay_[kind]);
  });
  return works;
}

void Yresource::SetWorkDay(int kind, bool works) {
  ErrTrap::Guarded(QStringLiteral("Yresource:WorkDay [Property Let]"), [&] {
    CheckDayKind(kind);
    WriteField(MyTemplate, workDay_[kind], works);
  });
}

PerJournal<bool>& Yresource::WorkDayField(int kind) {
  CheckDayKind(kind);
  return workDay_[kind];
}

const PerJournal<bool>& Yresource::WorkDayField(int kind) const {
  CheckDayKind(kind);
  return workDay_[kind];
}

float Yresource::NormalHours() const {
  float hours = 0.0f;
  ErrTrap::Guarded(QStringLiteral("Yresource:NormalHours [Property Get]"), [&] {
    // A resource without a shift (its template had none when it joined) has no normal time.
    const Yshift* shift = Shift();
    hours = shift != nullptr ? shift->NormalHours() : 0.0f;
  });
  return hours;
}

void Yresource::Delete() {
  ErrTrap::Guarded(QStringLiteral("Yresource:Delete"), [&] { SetInclude(false); });
}

void Yresource::ChangeNumJournals() {
  ErrTrap::Guarded(QStringLiteral("Yresource:ChangeNumJournals"), [&] {
    TRAP_ASSERT(MyTemplate != nullptr, "only a resource of a template follows its journals");
    const JournalHolder& holder = *MyTemplate;
    ResizeField(holder, include_.Field());
    ResizeField(holder, department_);
    ResizeField(holder, title_);
    ResizeField(holder, burdenedRate_);
    ResizeField(holder, overtimeRate_);
    ResizeField(holder, offDayRate_);
    ResizeField(holder, holidayRate_);
    ResizeField(holder, shift_);
    for (PerJournal<bool>& workDay : workDay_) ResizeField(holder, workDay);
  });
}
