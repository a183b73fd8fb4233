// The TEMPLATE record and the SHIFT and RESOURCE records nested in it.
//
// A template writes its shifts before its resources, because a resource's Shift line names a
// shift of its template and that shift must exist when the resource is read. The identifying
// field of each record (TemplateName, ShiftName, ResourceID) is written by the record's own
// SaveData but read one level up, which finds or creates the object and hands it to LoadData.

#include "Check.h"
#include "JournalFields.h"
#include "Records.h"

#include "Format.h"
#include "Guard.h"
#include "RuntimeError.h"
#include "Yfile.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytemplate.h"

namespace {

const QString kShiftRecord = QStringLiteral("SHIFT");
const QString kResourceRecord = QStringLiteral("RESOURCE");

// The hour line keywords: "12am", "01am" .. "11am", "12pm", "01pm" .. "11pm".
QString HourKeyword(int hour) { return Common::FormatHour(hour, true); }

// True when some field of the resource holds one value per journal, which ties it to the
// present number of journals of its template.
bool HoldsJournalValues(const Yresource& resource) {
  if (resource.IncludeField().Field().IsArray() || resource.DepartmentField().IsArray() ||
      resource.TitleField().IsArray() || resource.BurdenedRateField().IsArray() ||
      resource.OvertimeRateField().IsArray() || resource.OffDayRateField().IsArray() ||
      resource.HolidayRateField().IsArray() || resource.ShiftField().IsArray()) {
    return true;
  }
  for (int kind = 0; kind < Yresource::kDayKinds; ++kind) {
    if (resource.WorkDayField(kind).IsArray()) return true;
  }
  return false;
}

// The journal fields must fit together. A record merged into a loaded template whose resources
// hold values per journal must keep its number of journals: those values could not be matched
// to the record's journals.
void CheckJournals(const Yfile& file, const Ytemplate& templ, int numJournals, int currentIndex, QList<double>& dates) {
  CheckJournalFields(file, numJournals, dates, {{QStringLiteral("CurrentIndex"), currentIndex}});
  if (numJournals != templ.NumJournals) {
    for (const Yresource* resource : templ.ResourceList) {
      if (HoldsJournalValues(*resource)) {
        file.RaiseReadError(QStringLiteral("the template \"%1\" is loaded with %2 journals, the file has %3.")
                                 .arg(templ.TemplateName())
                                 .arg(templ.NumJournals)
                                 .arg(numJournals));
      }
    }
  }
}

void LoadShiftRecord(Ytemplate& templ, Yfile& file, ErrTrap::Guard& guard) {
  QString name;
  Yshift* shift = nullptr;
  guard([&] { file.LoadField(QStringLiteral("ShiftName"), name); });
  guard([&] {
    // A shift without a name would stand in no list and could never be named by a resource.
    if (name.isEmpty()) file.RaiseReadError(QStringLiteral("\"ShiftName\" cannot be empty."));
    Yshift* found = templ.FindOrCreateShift(name);
    file.ClaimRecord(found,
                     [&] { return QStringLiteral("Shift \"%1\" of template \"%2\"").arg(name, templ.TemplateName()); });
    shift = found;
  });
  if (shift != nullptr) guard([&] { LoadData(*shift, file); });
}

void LoadResourceRecord(Ytemplate& templ, Yfile& file, ErrTrap::Guard& guard) {
  int id = 0;
  Yresource* resource = nullptr;
  guard([&] { file.LoadField(QStringLiteral("ResourceID"), id); });
  guard([&] {
    // ID 0 means a resource filed in no template: it would stand in no list.
    if (id == 0) file.RaiseReadError(QStringLiteral("\"ResourceID\" cannot be 0."));
    Yresource* found = templ.FindOrCreateResource(id);
    file.ClaimRecord(
        found, [&] { return QStringLiteral("Resource %1 of template \"%2\"").arg(id).arg(templ.TemplateName()); });
    resource = found;
  });
  if (resource != nullptr) guard([&] { LoadData(*resource, file); });
}

}  // namespace

void SaveData(const Ytemplate& templ, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Ytemplate:SaveData"));
  guard([&] { file.WriteLine(QStringLiteral("TEMPLATE")); });
  guard([&] { file.WriteField(QStringLiteral("TemplateName"), templ.TemplateName()); });
  guard([&] { file.WriteField(QStringLiteral("Description"), templ.Description); });
  guard([&] { file.WriteField(QStringLiteral("ViewPassword"), templ.ViewPassword); });
  guard([&] { file.WriteField(QStringLiteral("ModifyPassword"), templ.ModifyPassword); });
  guard([&] { file.WriteField(QStringLiteral("CurrentIndex"), templ.CurrentIndex); });
  guard([&] { file.WriteField(QStringLiteral("NumJournals"), templ.NumJournals); });
  guard([&] { file.WriteDateField(QStringLiteral("JournalDates"), templ.JournalDates); });
  for (const Yshift* shift : templ.ShiftList) guard([&] { SaveData(*shift, file); });
  for (const Yresource* resource : templ.ResourceList) guard([&] { SaveData(*resource, file); });
}

void LoadData(Ytemplate& templ, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Ytemplate:LoadData"));
  guard([&] { file.LoadField(QStringLiteral("Description"), templ.Description); });
  guard([&] { file.LoadField(QStringLiteral("ViewPassword"), templ.ViewPassword); });
  guard([&] { file.LoadField(QStringLiteral("ModifyPassword"), templ.ModifyPassword); });

  // The journal fields are checked together before any of them is taken, so a template never
  // holds a current journal or a date list that does not fit its number of journals.
  int currentIndex = templ.CurrentIndex;
  int numJournals = templ.NumJournals;
  QList<double> dates = templ.JournalDates;
  guard([&] { file.LoadField(QStringLiteral("CurrentIndex"), currentIndex); });
  guard([&] { file.LoadField(QStringLiteral("NumJournals"), numJournals); });
  guard([&] { file.LoadDateField(QStringLiteral("JournalDates"), dates); });
  guard([&] {
    CheckJournals(file, templ, numJournals, currentIndex, dates);
    templ.NumJournals = numJournals;
    templ.CurrentIndex = currentIndex;
    templ.JournalDates = dates;
  });

  {
    // With the first journal current, attaching a resource read here leaves its Include as
    // the record says.
    const FirstJournalWhileReading firstJournal(templ);
    QString keyword;
    for (;;) {
      keyword.clear();  // a failed read goes on as the end of the data
      guard([&] { keyword = file.ReadToken(); });
      if (keyword == kShiftRecord) {
        LoadShiftRecord(templ, file, guard);
      } else if (keyword == kResourceRecord) {
        LoadResourceRecord(templ, file, guard);
      } else {
        break;
      }
    }
    // The next record belongs to the level above; at the end of the data there is none.
    if (!keyword.isEmpty()) guard([&] { file.UnReadLine(); });
  }
  guard([&] { templ.SetDirty(false); });
}

void SaveData(const Yshift& shift, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yshift:SaveData"));
  guard([&] { file.WriteLine(kShiftRecord); });
  guard([&] { file.WriteField(QStringLiteral("ShiftName"), shift.ShiftName()); });
  guard([&] { file.WriteField(QStringLiteral("BurdenedMultiplier"), shift.BurdenedMultiplier); });
  guard([&] { file.WriteField(QStringLiteral("OvertimeMultiplier"), shift.OvertimeMultiplier); });
  guard([&] { file.WriteField(QStringLiteral("OffDayMultiplier"), shift.OffDayMultiplier); });
  guard([&] { file.WriteField(QStringLiteral("HolidayMultiplier"), shift.HolidayMultiplier); });
  for (int hour = 0; hour < Yshift::kHours; ++hour) {
    guard([&] { file.WriteField(HourKeyword(hour), shift.Matrix(hour)); });
  }
}

void LoadData(Yshift& shift, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yshift:LoadData"));
  guard([&] { file.LoadField(QStringLiteral("BurdenedMultiplier"), shift.BurdenedMultiplier); });
  guard([&] { file.LoadField(QStringLiteral("OvertimeMultiplier"), shift.OvertimeMultiplier); });
  guard([&] { file.LoadField(QStringLiteral("OffDayMultiplier"), shift.OffDayMultiplier); });
  guard([&] { file.LoadField(QStringLiteral("HolidayMultiplier"), shift.HolidayMultiplier); });
  for (int hour = 0; hour < Yshift::kHours; ++hour) {
    guard([&] {
      QString codes;
      file.LoadField(HourKeyword(hour), codes);
      shift.SetMatrix(hour, codes);
    });
  }
}

void SaveData(const Yresource& resource, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yresource:SaveData"));
  guard([&] { file.WriteLine(kResourceRecord); });
  guard([&] { file.WriteField(QStringLiteral("ResourceID"), resource.ResourceID()); });
  guard([&] { file.WriteField(QStringLiteral("Description"), resource.Description); });
  guard([&] { file.WriteField(QStringLiteral("Include"), resource.IncludeField()); });
  guard([&] { file.WriteField(QStringLiteral("Department"), resource.DepartmentField()); });
  guard([&] { file.WriteField(QStringLiteral("Title"), resource.TitleField()); });
  guard([&] { file.WriteField(QStringLiteral("BurdenedRate"), resource.BurdenedRateField()); });
  guard([&] { file.WriteField(QStringLiteral("OvertimeRate"), resource.OvertimeRateField()); });
  guard([&] { file.WriteField(QStringLiteral("OffDayRate"), resource.OffDayRateField()); });
  guard([&] { file.WriteField(QStringLiteral("HolidayRate"), resource.HolidayRateField()); });
  guard([&] { file.WriteField(QStringLiteral("Shift"), resource.ShiftField()); });
  for (int kind = 0; kind < Yresource::kDayKinds; ++kind) {
    guard([&] { file.WriteField(WorkDayKeyword(kind), resource.WorkDayField(kind)); });
  }
}

void LoadData(Yresource& resource, Yfile& file) {
  ErrTrap::Guard guard(QStringLiteral("Yresource:LoadData"));
  // The template that found or created the resource gives the journals its fields follow and
  // the shifts its Shift line may name.
  const Ytemplate* templ = nullptr;
  int numJournals = 0;
  guard([&] {
    templ = resource.Template();
    TRAP_ASSERT(templ != nullptr, "a resource is saved with its template");
    numJournals = templ->NumJournals;
  });
  if (templ == nullptr) return;
  // Straight into the per-journal fields: no journal copying, no Dirty.
  guard([&] { file.LoadField(QStringLiteral("Description"), resource.Description); });
  guard([&] { file.LoadField(QStringLiteral("Include"), resource.IncludeField(), numJournals); });
  guard([&] { file.LoadField(QStringLiteral("Department"), resource.DepartmentField(), numJournals); });
  guard([&] { file.LoadField(QStringLiteral("Title"), resource.TitleField(), numJournals); });
  guard([&] { file.LoadField(QStringLiteral("BurdenedRate"), resource.BurdenedRateField(), numJournals); });
  guard([&] { file.LoadField(QStringLiteral("OvertimeRate"), resource.OvertimeRateField(), numJournals); });
  guard([&] { file.LoadField(QStringLiteral("OffDayRate"), resource.OffDayRateField(), numJournals); });
  guard([&] { file.LoadField(QStringLiteral("HolidayRate"), resource.HolidayRateField(), numJournals); });
  guard([&] { file.LoadShiftLink(QStringLiteral("Shift"), resource.ShiftField(), numJournals, templ); });
  for (int kind = 0; kind < Yresource::kDayKinds; ++kind) {
    guard([&] { file.LoadField(WorkDayKeyword(kind), resource.WorkDayField(kind), numJournals); });
  }
}
