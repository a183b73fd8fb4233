#pragma once

#include "Ypooled.h"

#include <array>

class Ytemplate;

// A shift: one working day in five-minute cells, the same in every journal. Each of the 24
// hours holds 12 codes: "N" normal, "O" overtime, "B" break, "X" overload.
class Yshift final : public Ymodel {
 public:
  static constexpr int kHours = 24;

  float BurdenedMultiplier = 1.5f;
  float OvertimeMultiplier = 1.5f;
  float OffDayMultiplier = 2.0f;
  QString HolidayMultiplier = QStringLiteral("3");  // held as text
  Ytemplate* Template = nullptr;  // the owning template, set directly before the name

  int Ytype() const override { return ytShift; }
  void Reset() override;

  QString BuildNodeText() const override { return shiftName_; }
  QString ImageType() const override { return QStringLiteral("h"); }
  QString Key() const override { return shiftName_; }

  const QString& ShiftName() const { return shiftName_; }
  // Renames and re-keys at the end of the template's ShiftList, refusing a name in use;
  // an empty name takes the shift out of its template.
  void SetShiftName(const QString& name);
  // Why the shift may not take the name in `templ` (its own, or the one it is about to join):
  // "The Shift name "Day" is already in use." when another shift of the template holds it, in any
  // letter case; empty when it may.
  QString ShiftNameRefusal(const Ytemplate& templ, const QString& name) const;
  // Hour 0..23; another hour is error 9 "Subscript out of range".
  QString Matrix(int hour) const;
  void SetMatrix(int hour, const QString& codes);

  // Hours of normal time in the day, to one decimal.
  float NormalHours() const;

  // Takes the shift out of its template; refused while a resource of the template works it.
  void Delete();

 private:
  QString shiftName_;
  std::array<QString, kHours> matrix_;
};
