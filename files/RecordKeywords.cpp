#include "Records.h"

#include "Format.h"
#include "Yassignment.h"
#include "Yresource.h"

#include <QList>

static_assert(Yassignment::kDayKinds == Yresource::kDayKinds, "assignments and resources work on the same day kinds");

const QString& WorkDayKeyword(int kind) {
  static const QList<QString> keywords = [] {
    QList<QString> all;
    for (int each = 0; each < Yresource::kDayKinds; ++each)
      all.append(QStringLiteral("WorkOn") + Common::DayName(each));
    return all;
  }();
  return keywords.at(kind);
}
