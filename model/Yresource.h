#pragma once

#include "Currency.h"
#include "PerJournal.h"
#include "Ypooled.h"

#include <array>

class Yshift;
class Ytemplate;

// A resource of a template: its ID, rates, shift and the kinds of day it works (0 holiday,
// 1 Sunday .. 7 Saturday, 8 shutdown). Its time-varying fields follow the template's journals.
//
// Calling order: take it from the pool, set Template, then ResourceID (which files it in the
// template's ResourceList, ascending), then the rest.
class Yresource final : public Ymodel {
 public:
  static constexpr int kDayKinds = 9;

  QString Description;
  int MinutesLeft = 0;        // the solver's
  bool Interference = false;  // the solver's
  Ytemplate* MyTemplate = nullptr;  // set through SetTemplate

  int Ytype() const override { return ytResource; }
  void Reset() override;

  QString BuildNodeText() const override;
  QString ImageType() const override { return QStringLiteral("r"); }
  QString Key() const override { return QString::number(resourceId_); }

  int ResourceID() const { return resourceId_; }
  // Files the resource under the new ID, refusing one in use (ResourceIDRefusal); 0 takes it out
  // of its template.
  void SetResourceID(int ID);
  // Why the resource may not take the ID in `templ` (its own, or the one it is about to join):
  // "The Resource ID 7 is already in use." when another resource of the template holds it, absent
  // from the current journal or not; empty when it may.
  QString ResourceIDRefusal(const Ytemplate& templ, int ID) const;
  Ytemplate* Template() const { return MyTemplate; }
  // Attaches the resource to a template: it exists from the current journal on and works the
  // template's first shift (none while the template has no shift).
  void SetTemplate(Ytemplate* templ);

  bool Include() const;
  QString Department() const;
  // Trims blanks; an empty result is stored as "None".
  void SetDepartment(const QString& department);
  QString Title() const;
  void SetTitle(const QString& title);
  praxel::Currency BurdenedRate() const;
  void SetBurdenedRate(praxel::Currency rate);
  praxel::Currency OvertimeRate() const;
  void SetOvertimeRate(praxel::Currency rate);
  praxel::Currency OffDayRate() const;
  void SetOffDayRate(praxel::Currency rate);
  praxel::Currency HolidayRate() const;
  void SetHolidayRate(praxel::Currency rate);
  Yshift* Shift() const;
  void SetShift(Yshift* shift);
  // Day kind 0..8; another kind is error 9 "Subscript out of range".
  bool WorkDay(int kind) const;
  void SetWorkDay(int kind, bool works);

  // The normal hours a day of the resource's shift in the current journal (0 without a shift).
  float NormalHours() const;

  // Absent from the current journal on; the resource stays in its template.
  void Delete();
  void ChangeNumJournals();

  Presence& IncludeField() { return include_; }
  const Presence& IncludeField() const { return include_; }
  PerJournal<QString>& DepartmentField() { return department_; }
  const PerJournal<QString>& DepartmentField() const { return department_; }
  PerJournal<QString>& TitleField() { return title_; }
  const PerJournal<QString>& TitleField() const { return title_; }
  PerJournal<praxel::Currency>& BurdenedRateField() { return burdenedRate_; }
  const PerJournal<praxel::Currency>& BurdenedRateField() const { return burdenedRate_; }
  PerJournal<praxel::Currency>& OvertimeRateField() { return overtimeRate_; }
  const PerJournal<praxel::Currency>& OvertimeRateField() const { return overtimeRate_; }
  PerJournal<praxel::Currency>& OffDayRateField() { return offDayRate_; }
  const PerJournal<praxel::Currency>& OffDayRateField() const { return offDayRate_; }
  PerJournal<praxel::Currency>& HolidayRateField() { return holidayRate_; }
  const PerJournal<praxel::Currency>& HolidayRateField() const { return holidayRate_; }
  PerJournal<Yshift*>& ShiftField() { return shift_; }
  const PerJournal<Yshift*>& ShiftField() const { return shift_; }
  PerJournal<bool>& WorkDayField(int kind);
  const PerJournal<bool>& WorkDayField(int kind) const;

 private:
  void SetInclude(bool include);

  int resourceId_ = 0;
  Presence include_;
  PerJournal<QString> department_{QStringLiteral("None")};
  PerJournal<QString> title_;
  PerJournal<praxel::Currency> burdenedRate_;
  PerJournal<praxel::Currency> overtimeRate_;
  PerJournal<praxel::Currency> offDayRate_;
  PerJournal<praxel::Currency> holidayRate_;
  PerJournal<Yshift*> shift_{nullptr};
  std::array<PerJournal<bool>, kDayKinds> workDay_;
};
