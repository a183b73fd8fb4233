#include "EntryValues.h"

#include "Format.h"

#include <cmath>

namespace EntryValues {

std::optional<double> ReadNumber(const QString& text) { return Common::TextToNumber(text); }

std::optional<int> ReadWholeNumber(const QString& text, int low, int high) {
  const std::optional<double> number = ReadNumber(text);
  if (!number) return std::nullopt;
  // The default rounding mode rounds a half to the even neighbour.
  const double whole = std::nearbyint(*number);
  if (whole < low || whole > high) return std::nullopt;
  return static_cast<int>(whole);
}

std::optional<int> ReadLeadingId(const QString& caption) {
  qsizetype start = 0;
  while (start < caption.size() && caption.at(start).isSpace()) ++start;
  qsizetype end = start;
  while (end < caption.size() && caption.at(end) >= QLatin1Char('0') && caption.at(end) <= QLatin1Char('9')) ++end;
  bool ok = false;
  const int id = caption.mid(start, end - start).toInt(&ok);
  if (!ok) return std::nullopt;
  return id;
}

}  // namespace EntryValues
