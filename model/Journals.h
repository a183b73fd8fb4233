#pragma once

#include "DateRoom.h"
#include "PerJournal.h"

#include <QList>
#include <QString>

#include <optional>

// The dated journals of a project or a template. Every per-journal field of the holder and of
// the objects that follow its journals reads the current journal and writes the current one
// and every later one. Dates are day numbers, strictly ascending.
class JournalHolder {
 public:
  virtual ~JournalHolder();

  int NumJournals = 0;
  int CurrentIndex = 0;
  QList<double> JournalDates;  // empty until the first journal

  // Inserts a journal in date order and makes it current. False when a journal has exactly
  // that date: that journal becomes current and nothing else changes.
  bool AddJournal(double JournalDate);
  // Gives the current journal a new date, which must lie strictly between its neighbours'.
  void ChangeJournal(double NewDate);
  // Removes the current journal; the one after it (or the new last one) becomes current.
  void DeleteJournal();
  // The current journal's date (day 0 with no journal).
  double Journal() const;
  // Makes the journal of that date current; a date no journal has is refused and the current
  // journal stays where it was.
  void SetJournal(double D);
  bool JournalDefined(double JournalDate) const;
  // The journal's entry in the main window's journal list.
  virtual QString JournalNodeText(int Index) const;

  // Stores `value` in a per-journal field for the current journal and every later one.
  template <class T>
  void LetField(PerJournal<T>& Field, const T& Value) const {
    Field.Let(Value, NumJournals, CurrentIndex);
  }
  template <class T>
  void SetField(PerJournal<T*>& Field, T* Obj) const {
    Field.Let(Obj, NumJournals, CurrentIndex);
  }

  // Resizes every per-journal field of the holder and of what follows its journals, after
  // NumJournals changed by one at CurrentIndex.
  virtual void ChangeNumJournals() = 0;

 protected:
  // The module name for error locations ("Yproject", "Ytemplate").
  virtual QString ModuleName() const = 0;
  // Told after a journal was inserted or deleted at `index`.
  virtual void JournalInserted(int index);
  virtual void JournalDeleted(int index);
  // Puts the journal list back to no journal at all.
  void ResetJournals();
};

// The read and write rules of a per-journal field of an object that follows `holder`'s
// journals: with no holder yet the field is one shared value.
template <class T>
const T& ReadField(const JournalHolder* holder, const PerJournal<T>& field) {
  return field.Get(holder != nullptr ? holder->CurrentIndex : 0);
}
template <class T>
void WriteField(const JournalHolder* holder, PerJournal<T>& field, const T& value) {
  if (holder != nullptr) {
    holder->LetField(field, value);
  } else {
    field.SetSingle(value);
  }
}
inline void ResizeField(const JournalHolder& holder, auto& field) { field.Resize(holder.NumJournals, holder.CurrentIndex); }

namespace Common {

// A date as the user's short date, with the time of day only when it is not midnight.
QString DateText(double day);
// The widest text DateText writes in the user's formats, as `width` measures it: what a box for
// a date with a time of day must hold.
QString WidestDateText(const praxel::TextWidth& width);
// Reads what DateText writes, and a date the user types in the short date form (blanks around
// it, a two-digit year meaning 1930 to 2029, an optional time of day after a blank); nothing
// when the text is no date.
std::optional<double> TextToDate(const QString& text);
// The date at the start of a journal-list entry (its text up to the first blank); day 0 when
// that is not a date.
double JDate(const QString& Entry);

}  // namespace Common
