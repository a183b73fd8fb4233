#include "Yshift.h"

#include "Check.h"
#include "Guard.h"
#include "RuntimeError.h"
#include "Yresource.h"
#include "Ytemplate.h"

namespace {

constexpr int kCellsPerHour = 12;

// The standard day: overload until 8, normal time to noon, an hour's break, normal time to 5,
// overtime to 9, overload after.
QString StandardHour(int hour) {
  QChar code = QLatin1Char('X');
  if ((hour >= 8 && hour <= 11) || (hour >= 13 && hour <= 16)) {
    code = QLatin1Char('N');
  } else if (hour == 12) {
    code = QLatin1Char('B');
  } else if (hour >= 17 && hour <= 20) {
    code = QLatin1Char('O');
  }
  return QString(kCellsPerHour, code);
}

void CheckHour(int hour) {
  if (hour < 0 || hour >= Yshift::kHours) {
    throw praxel::RuntimeError(praxel::errSubscript, QStringLiteral("Subscript out of range"));
  }
}

}  // namespace

void Yshift::Reset() {
  ErrTrap::Guard guard(QStringLiteral("Yshift:Reset"));
  guard([&] { SetShiftName(QString()); });  // leaves the template's ShiftList and the template
  guard([&] {
    BurdenedMultiplier = 1.5f;
    OvertimeMultiplier = 1.5f;
    OffDayMultiplier = 2.0f;
    HolidayMultiplier = QStringLiteral("3");
    for (int hour = 0; hour < kHours; ++hour) matrix_[hour] = StandardHour(hour);
  });
}

void Yshift::SetShiftName(const QString& name) {
  ErrTrap::Guarded(QStringLiteral("Yshift:ShiftName [Property Let]"), [&] {
    if (name.isEmpty()) {
      // Out of the template altogether.
      if (Template != nullptr && !shiftName_.isEmpty()) Template->ShiftList.Remove(shiftName_);
      Template = nullptr;
      shiftName_.clear();
      return;
    }
    if (name == shiftName_) return;
    TRAP_ASSERT(Template != nullptr, "a shift is attached before it is named");
    KeyedList<Yshift>& list = Template->ShiftList;
    const QString refusal = ShiftNameRefusal(*Template, name);
    if (!refusal.isEmpty()) praxel::RaiseProgramError(refusal);
    if (!shiftName_.isEmpty()) list.Remove(shiftName_);
    shiftName_ = name;
    list.Add(name, this);
  });
}

QString Yshift::ShiftNameRefusal(const Ytemplate& templ, const QString& name) const {
  // Keys ignore case, so a change of case alone finds this very shift: that is no clash.
  const Yshift* holder = templ.ShiftList.Find(name);
  return holder != nullptr && holder != this ? QStringLiteral("The Shift name \"%1\" is already in use.").arg(name)
                                             : QString();
}

QString Yshift::Matrix(int hour) const {
  QString codes;
  ErrTrap::Guarded(QStringLiteral("Yshift:Matrix [Property Get]"), [&] {
    CheckHour(hour);
    codes = matrix_[hour];
  });
  return codes;
}

void Yshift::SetMatrix(int hour, const QString& codes) {
  ErrTrap::Guarded(QStringLiteral("Yshift:Matrix [Property Let]"), [&] {
    CheckHour(hour);
    matrix_[hour] = codes;  // stored as given, unchecked
  });
}

float Yshift::NormalHours() const {
  int cells = 0;
  for (const QString& codes : matrix_) {
    // Only the first twelve positions count; a shorter hour has no "N" beyond its end.
    cells += static_cast<int>(codes.left(kCellsPerHour).count(QLatin1Char('N')));
  }
  // Twelve cells make an hour: tenths of an hour, halves rounded up (3 cells give 0.3).
  const int tenths = (10 * cells + 6) / 12;
  return static_cast<float>(tenths / 10.0);
}

void Yshift::Delete() {
  ErrTrap::Guarded(QStringLiteral("Yshift:Delete"), [&] {
    // A resource left working a shift that is gone would point at a nameless shift, and the
    // saved file could not be read back: refuse while any journal of any resource still uses it.
    if (Template != nullptr) {
      for (Yresource* resource : Template->ResourceList) {
        if (resource->ShiftField().Holds(this)) {
          praxel::RaiseProgramError(QStringLiteral("The Shift \"%1\" is used by resource %2 and cannot be deleted.")
                                        .arg(shiftName_)
                                        .arg(resource->ResourceID()));
        }
      }
    }
    SetShiftName(QString());
  });
}
