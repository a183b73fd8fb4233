#include "Journals.h"

#include "DateRoom.h"
#include "Guard.h"
#include "OleDate.h"
#include "ShortDate.h"

#include <QLocale>

#include <cmath>

JournalHolder::~JournalHolder() = default;

bool JournalHolder::AddJournal(double JournalDate) {
  bool added = false;
  ErrTrap::Guarded(ModuleName() + QStringLiteral(":AddJournal"), [&] {
    if (NumJournals == 0) {
      NumJournals = 1;
      CurrentIndex = 0;
      JournalDates = {JournalDate};
      added = true;
      return;
    }
    int index = 0;
    for (; index < NumJournals; ++index) {
      if (JournalDates.at(index) == JournalDate) {
        CurrentIndex = index;
        return;
      }
      if (JournalDates.at(index) > JournalDate) break;
    }
    CurrentIndex = index;
    NumJournals += 1;
    JournalDates.insert(index, JournalDate);
    ChangeNumJournals();
    JournalInserted(index);
    added = true;
  });
  return added;
}

void JournalHolder::ChangeJournal(double NewDate) {
  ErrTrap::Guarded(ModuleName() + QStringLiteral(":ChangeJournal"), [&] {
    if (CurrentIndex + 1 < NumJournals && NewDate >= JournalDates.at(CurrentIndex + 1)) {
      praxel::RaiseProgramError(QStringLiteral("The new date must be earlier than the next journal's date of ") +
                                Common::DateText(JournalDates.at(CurrentIndex + 1)) + QStringLiteral("."));
    }
    if (CurrentIndex >= 1 && NewDate <= JournalDates.at(CurrentIndex - 1)) {
      praxel::RaiseProgramError(QStringLiteral("The new date must be later than the previous journal's date of ") +
                                Common::DateText(JournalDates.at(CurrentIndex - 1)) + QStringLiteral("."));
    }
    if (NumJournals == 0) praxel::RaiseProgramError(QStringLiteral("The specified journal does not exist"));
    JournalDates[CurrentIndex] = NewDate;
  });
}

void JournalHolder::DeleteJournal() {
  ErrTrap::Guarded(ModuleName() + QStringLiteral(":DeleteJournal"), [&] {
    if (NumJournals < 2) praxel::RaiseProgramError(QStringLiteral("At least one journal must remain"));
    const int deleted = CurrentIndex;
    NumJournals -= 1;
    JournalDates.remove(deleted);
    ChangeNumJournals();
    if (CurrentIndex >= NumJournals) CurrentIndex = NumJournals - 1;
    JournalDeleted(deleted);
  });
}

double JournalHolder::Journal() const { return JournalDates.isEmpty() ? 0.0 : JournalDates.at(CurrentIndex); }

void JournalHolder::SetJournal(double D) {
  ErrTrap::Guarded(ModuleName() + QStringLiteral(":Journal [Property Let]"), [&] {
    if (D == Journal()) return;
    const qsizetype index = JournalDates.indexOf(D);
    if (index < 0) praxel::RaiseProgramError(QStringLiteral("The specified journal does not exist"));
    CurrentIndex = static_cast<int>(index);
  });
}

bool JournalHolder::JournalDefined(double JournalDate) const { return JournalDates.contains(JournalDate); }

QString JournalHolder::JournalNodeText(int Index) const { return Common::DateText(JournalDates.value(Index)); }

void JournalHolder::JournalInserted(int) {}

void JournalHolder::JournalDeleted(int) {}

void JournalHolder::ResetJournals() {
  NumJournals = 0;
  CurrentIndex = 0;
  JournalDates.clear();
}

namespace Common {

QString DateText(double day) {
  QString text = praxel::ShortDateText(day);
  if (day != std::floor(day)) {
    text += QLatin1Char(' ') + QLocale().toString(praxel::FromOleDate(day).time(), QLocale::ShortFormat);
  }
  return text;
}

QString WidestDateText(const praxel::TextWidth& width) {
  return praxel::WidestText(praxel::MomentsOfEachMonth(), DateText, width);
}

std::optional<double> TextToDate(const QString& text) {
  const QString trimmed = text.trimmed();
  const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
  const std::optional<double> date = praxel::ParseShortDate(blank < 0 ? trimmed : trimmed.left(blank));
  if (!date || blank < 0) return date;
  const QTime time = QLocale().toTime(trimmed.mid(blank + 1).trimmed(), QLocale::ShortFormat);
  if (!time.isValid()) return std::nullopt;
  return praxel::ToOleDate(QDateTime(praxel::FromOleDate(*date).date(), time));
}

double JDate(const QString& Entry) { return TextToDate(Entry.section(QLatin1Char(' '), 0, 0)).value_or(0.0); }

}  // namespace Common
