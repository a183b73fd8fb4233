#pragma once

#include "Journals.h"

#include <QList>
#include <QString>

#include <initializer_list>
#include <utility>

class Yfile;

// The journal fields of a project or template record must describe journals that exist: as
// many dates as journals, and every journal index the record gives among them. A holder that
// never had a journal (a placeholder whose record never came) is written with no journals and
// the single date 0; it reads back without dates. A bad value is a reading error.
void CheckJournalFields(const Yfile& file, int numJournals, QList<double>& dates,
                        std::initializer_list<std::pair<QString, int>> indexes);

// While a record's nested records are read, the holder's first journal is current, so that
// attaching what they create changes none of its Include values; the current journal comes
// back however the reading ends, a reading stopped through the error trap included.
class FirstJournalWhileReading {
 public:
  explicit FirstJournalWhileReading(JournalHolder& holder) : holder_(holder), kept_(holder.CurrentIndex) {
    holder_.CurrentIndex = 0;
  }
  ~FirstJournalWhileReading() { holder_.CurrentIndex = kept_; }
  FirstJournalWhileReading(const FirstJournalWhileReading&) = delete;
  FirstJournalWhileReading& operator=(const FirstJournalWhileReading&) = delete;

 private:
  JournalHolder& holder_;
  int kept_;
};
