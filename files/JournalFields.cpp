#include "JournalFields.h"

#include "Yfile.h"

void CheckJournalFields(const Yfile& file, int numJournals, QList<double>& dates,
                        std::initializer_list<std::pair<QString, int>> indexes) {
  if (numJournals < 0) file.RaiseReadError(QStringLiteral("\"NumJournals\" cannot be %1.").arg(numJournals));
  if (numJournals == 0 && dates == QList<double>{0.0}) dates.clear();
  if (dates.size() != numJournals) {
    file.RaiseReadError(
        QStringLiteral("\"JournalDates\" holds %1 values for %2 journals.").arg(dates.size()).arg(numJournals));
  }
  const int lastIndex = numJournals > 0 ? numJournals - 1 : 0;
  for (const auto& [keyword, index] : indexes) {
    if (index < 0 || index > lastIndex) {
      file.RaiseReadError(
          QStringLiteral("\"%1\" %2 is not one of the journals 0 to %3.").arg(keyword).arg(index).arg(lastIndex));
    }
  }
}
