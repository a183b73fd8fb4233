#include "DependencyChoices.h"

namespace DependencyChoices {

Point PointOf(int percent) {
  if (percent == 0) return PointStart;
  if (percent == 100) return PointFinish;
  return PointPartial;
}

int PercentFor(Point point, int percent) {
  switch (point) {
    case PointStart: return 0;
    case PointFinish: return 100;
    case PointPartial: break;
  }
  return percent == 0 || percent == 100 ? 50 : percent;
}

QString PartialToCaption(int percent) {
  return QStringLiteral("proceed beyond ") + QString::number(percent) + QLatin1Char('%');
}

QString PartialFromCaption(int percent) {
  return QStringLiteral("is ") + QString::number(percent) + QStringLiteral("% complete");
}

QChar PointLetter(Point point) {
  switch (point) {
    case PointStart: return QLatin1Char('S');
    case PointPartial: return QLatin1Char('P');
    case PointFinish: break;
  }
  return QLatin1Char('F');
}

Point PointOfLetter(QChar letter) {
  if (letter == QLatin1Char('S')) return PointStart;
  if (letter == QLatin1Char('P')) return PointPartial;
  return PointFinish;
}

QString QuickCode(bool isDate, Point from, Point to) {
  return QString(isDate ? QLatin1Char('D') : PointLetter(from)) + PointLetter(to);
}

int QuickIndex(const QString& code) {
  for (std::size_t index = 0; index < kQuickOptions.size(); ++index) {
    if (code == QLatin1String(kQuickOptions[index].code)) return static_cast<int>(index);
  }
  return -1;
}

QString Sentence(const SentenceParts& parts) {
  QString text = parts.label + QStringLiteral(" cannot ");
  switch (PointOf(parts.toPercent)) {
    case PointStart: text += QStringLiteral("start"); break;
    case PointPartial: text += PartialToCaption(parts.toPercent); break;
    case PointFinish: text += QStringLiteral("finish"); break;
  }
  text += QStringLiteral(" until ");
  if (parts.offset != NoOffset) {
    text += parts.offsetText + QLatin1Char(' ') +
            (parts.offset == OffsetBefore ? QStringLiteral("before") : QStringLiteral("after")) + QLatin1Char(' ');
  }
  text += QStringLiteral("prerequisite ");
  if (parts.isDate) {
    text += QStringLiteral("date ") + parts.dateText;
  } else {
    text += QStringLiteral("task ") + parts.taskText + QLatin1Char(' ');
    switch (PointOf(parts.fromPercent)) {
      case PointStart: text += QStringLiteral("starts"); break;
      case PointPartial: text += PartialFromCaption(parts.fromPercent); break;
      case PointFinish: text += QStringLiteral("finishes"); break;
    }
  }
  return text + QLatin1Char('.');
}

}  // namespace DependencyChoices
