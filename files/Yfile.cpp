#include "Yfile.h"

#include "Check.h"
#include "Common.h"
#include "FileProgress.h"
#include "Format.h"
#include "Guard.h"
#include "OleDate.h"
#include "PackDecoder.h"
#include "Packing.h"
#include "Pool.h"
#include "TextEncoding.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The whole of an open file, read a piece at a time with the hook called after each piece, so
// that a window stays painted while a big file comes in. A file that grew since it was opened is
// read to its end.
QByteArray ReadByPieces(QFile& file, const std::function<void()>& hook) {
  QByteArray bytes(file.size(), Qt::Uninitialized);
  qint64 done = 0;
  while (done < bytes.size()) {
    const qint64 got = file.read(bytes.data() + done, std::min(Yfile::kBytesPerProgress, bytes.size() - done));
    if (got <= 0) break;
    done += got;
    if (hook) hook();
  }
  bytes.truncate(done);
  bytes += file.readAll();
  return bytes;
}

// The leading number of a text, as the file reads numbers: blanks skipped, a sign, digits, one
// point, an exponent; reading stops at the first other character; no number reads 0.
double LeadingNumberOf(const QString& text) {
  QString number;
  qsizetype i = 0;
  while (i < text.size() && text.at(i) == QLatin1Char(' ')) ++i;
  if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) number += text.at(i++);
  bool point = false;
  bool digits = false;
  for (; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isDigit()) {
      number += c;
      digits = true;
    } else if (c == QLatin1Char('.') && !point) {
      number += c;
      point = true;
    } else {
      break;
    }
  }
  if (digits && i < text.size() && (text.at(i) == QLatin1Char('E') || text.at(i) == QLatin1Char('e'))) {
    qsizetype j = i + 1;
    QString exponent = QStringLiteral("e");
    if (j < text.size() && (text.at(j) == QLatin1Char('-') || text.at(j) == QLatin1Char('+'))) exponent += text.at(j++);
    const qsizetype start = j;
    while (j < text.size() && text.at(j).isDigit()) exponent += text.at(j++);
    if (j > start) number += exponent;
  }
  if (!digits) return 0.0;
  return number.toDouble();
}

// The same for the numbers the program writes: ASCII digits read with std::from_chars, which
// rounds as toDouble does, without making a text. Anything else (other digits, a sign of +, a
// number past the range of a double) is left to LeadingNumberOf.
double LeadingNumber(const QString& text) {
  char number[64];
  int length = 0;
  const auto put = [&](QChar c) {
    if (length == static_cast<int>(sizeof number)) return false;
    number[length++] = static_cast<char>(c.unicode());
    return true;
  };
  const auto asciiDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
  qsizetype i = 0;
  const qsizetype size = text.size();
  while (i < size && text.at(i) == QLatin1Char(' ')) ++i;
  if (i < size && text.at(i) == QLatin1Char('-')) put(text.at(i++));
  bool point = false;
  bool digits = false;
  for (; i < size; ++i) {
    const QChar c = text.at(i);
    if (asciiDigit(c)) {
      if (!put(c)) return LeadingNumberOf(text);
      digits = true;
    } else if (c == QLatin1Char('.') && !point) {
      if (!put(c)) return LeadingNumberOf(text);
      point = true;
    } else if (c == QLatin1Char('+') || c.isDigit()) {
      return LeadingNumberOf(text);
    } else {
      break;
    }
  }
  if (digits && i < size && (text.at(i) == QLatin1Char('E') || text.at(i) == QLatin1Char('e'))) {
    // Exponents are rare in the file: the general reading takes them.
    return LeadingNumberOf(text);
  }
  if (!digits) return 0.0;
  double value = 0.0;
  const auto [end, error] = std::from_chars(number, number + length, value);
  if (error != std::errc() || end != number + length) return LeadingNumberOf(text);
  return value;
}

// Drops the zero before the decimal point, as the file writes numbers: ".85", "-.5".
QString WithoutLeadingZero(QString text) {
  if (text.startsWith(QStringLiteral("0."))) return text.mid(1);
  if (text.startsWith(QStringLiteral("-0."))) return QLatin1Char('-') + text.mid(2);
  return text;
}

QString FormatSignificant(double value, int digits) {
  if (value == 0.0) return QStringLiteral("0");
  QString text = QString::asprintf("%.*G", digits, value);
  return WithoutLeadingZero(text);
}

// "hh:mm[:ss]am" or "pm", as written after the date.
bool ParseTime(const QString& text, int& minutesOfDay, double& seconds) {
  const QString t = text.trimmed().toLower();
  if (t.isEmpty()) {
    minutesOfDay = 0;
    seconds = 0;
    return true;
  }
  const bool pm = t.endsWith(QStringLiteral("pm"));
  const bool am = t.endsWith(QStringLiteral("am"));
  const QStringList parts = (am || pm ? t.chopped(2) : t).trimmed().split(QLatin1Char(':'));
  if (parts.size() < 2 || parts.size() > 3) return false;
  bool ok1 = false;
  bool ok2 = false;
  int hour = parts.at(0).toInt(&ok1);
  const int minute = parts.at(1).toInt(&ok2);
  bool ok3 = true;
  seconds = parts.size() == 3 ? parts.at(2).toDouble(&ok3) : 0.0;
  if (!ok1 || !ok2 || !ok3 || minute < 0 || minute > 59 || hour < 0 || hour > 23 || !(seconds >= 0 && seconds < 60)) {
    return false;
  }
  if (am || pm) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (pm ? 12 : 0);
  }
  minutesOfDay = hour * 60 + minute;
  return true;
}

template <class T>
bool AllEqual(const QList<T>& values) {
  for (const T& value : values) {
    if (!(value == values.first())) return false;
  }
  return true;
}

// A token that the receiving field cannot hold; `expected` says what it can ("a whole number
// from 0 to 100").
struct ValueRefused {
  QString expected;
};

// Typed conversions of a token, by the type of the receiving field. A value the field cannot
// hold is refused rather than cut down or wrapped.
struct Convert {
  static QString Text(const QString& token) { return token; }
  static double Double(const QString& token) {
    const double value = LeadingNumber(token);
    if (!std::isfinite(value)) throw ValueRefused{QStringLiteral("a number within the range of the file")};
    return value;
  }
  static float Single(const QString& token) {
    const double value = LeadingNumber(token);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
      throw ValueRefused{QStringLiteral("a number from -3.402823E+38 to 3.402823E+38")};
    }
    return static_cast<float>(value);
  }
  static int Long(const QString& token) {
    const double value = std::nearbyint(LeadingNumber(token));  // to even, as ToLong rounds
    if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())) {
      throw ValueRefused{QStringLiteral("a whole number from %1 to %2")
                             .arg(std::numeric_limits<std::int32_t>::min())
                             .arg(std::numeric_limits<std::int32_t>::max())};
    }
    return static_cast<int>(value);
  }
  static std::uint8_t Percent(const QString& token) {
    const double value = std::nearbyint(LeadingNumber(token));
    if (!(value >= 0 && value <= 100)) throw ValueRefused{QStringLiteral("a whole number from 0 to 100")};
    return static_cast<std::uint8_t>(value);
  }
  static praxel::Currency Money(const QString& token) {
    const double value = LeadingNumber(token);
    // The largest amount a double carries into the ten-thousandths without overflowing them.
    constexpr double kLargestAmount = 922337203685477.0;
    if (!(std::fabs(value) <= kLargestAmount)) {
      throw ValueRefused{QStringLiteral("an amount from -922337203685477 to 922337203685477")};
    }
    return praxel::Currency::FromDouble(value);
  }
  static bool Boolean(const QString& token) {
    const QString t = token.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok) throw ValueRefused{QStringLiteral("True or False")};
    return value != 0.0;
  }
};

// A token converted for the field `Keyword`; a value the field cannot hold is a reading error
// that names the field and the value.
template <class ConvertFunction>
auto ConvertedValue(const Yfile& file, const QString& Keyword, const QString& token, ConvertFunction convert)
    -> decltype(convert(token)) {
  try {
    return convert(token);
  } catch (const ValueRefused& refused) {
    file.RaiseReadError(QStringLiteral("\"%1\" value \"%2\" is not %3.").arg(Keyword, token, refused.expected));
  }
}

}  // namespace

void Yfile::RaiseReadError(const QString& detail) const {
  const QString line = lineNumber_ > 0 ? QStringLiteral(", line %1").arg(lineNumber_) : QString();
  praxel::RaiseProgramError(QStringLiteral("Error reading file ") + fileName_ + line + QStringLiteral(": ") + detail);
}

void Yfile::ClaimRecord(const void* object, const QString& what) {
  const int first = recordLines_.value(object, 0);
  if (first != 0) {
    RaiseReadError(QStringLiteral("%1 is in the file twice, at line %2 and at line %3.").arg(what).arg(first).arg(lineNumber_));
  }
  recordLines_.insert(object, lineNumber_);
}

void Yfile::Reset() {
  fileName_.clear();
  FileType = KindNone;
  writing_ = false;
  written_ = false;
  text_.clear();
  StartReading();
  progressHook_ = nullptr;
  out_.clear();
  target_.reset();
}

// Reading starts again from the first line of text_.
void Yfile::StartReading() {
  recordLines_.clear();
  next_ = 0;
  lineNumber_ = 0;
  endOfData_ = false;
  currentLine_.clear();
  lineBreak_.clear();
  rest_.clear();
  valuePending_ = false;
}

void Yfile::SetFileName(const QString& name) {
  fileName_ = name;
  const QString extension = name.right(4).toLower();
  if (extension == QLatin1String(".pxb")) {
    FileType = KindPackedProject;
  } else if (extension == QLatin1String(".pxa")) {
    FileType = KindPlainProject;
  } else if (extension == QLatin1String(".cfg")) {
    FileType = KindPackedSettings;
  } else {
    FileType = KindNone;
  }
}

bool Yfile::OpenRead() {
  bool opened = false;
  bool shown = false;
  ErrTrap::Guard guard(QStringLiteral("Yfile:OpenRead"));
  QByteArray bytes;
  guard([&] {
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly)) {
      if (FileType != KindPackedSettings) {
        praxel::CurrentPrompter().MsgBox(QStringLiteral("Attempting the read from the file ") + fileName_ +
                                             QStringLiteral(" caused the following error: ") + kLineEnd +
                                             file.errorString(),
                                         praxel::MsgCritical, QStringLiteral("File Open Error"));
      }
      return;
    }
    // The busy text stands while the bytes come in, with the progress hook between pieces.
    CurrentFileProgress().StatusMessage(QStringLiteral("Reading from ") + fileName_);
    shown = true;
    bytes = ReadByPieces(file, progressHook_);
    opened = true;
  });
  if (!opened) return false;
  opened = false;
  guard([&] {
    if (FileType == KindPackedProject || FileType == KindPackedSettings) {
      const Packing::Unpacked unpacked = Packing::UnpackBytes(bytes);
      if (!unpacked.error.isEmpty()) {
        praxel::RaiseProgramError(praxel::DamagedFileMessage(fileName_));
      }
      bytes = unpacked.data;
    }
    text_ = TextEncoding::Decode(bytes);
    StartReading();
    writing_ = false;
    opened = true;
  });
  // A file whose bytes cannot be taken in leaves no busy text behind.
  if (shown && !opened) guard([] { CurrentFileProgress().StatusMessage(QString()); });
  return opened;
}

namespace {

Yfile::SaveFileMaker& SaveFileMakerInUse() {
  static Yfile::SaveFileMaker maker;
  return maker;
}

}  // namespace

void Yfile::SetSaveFileMaker(SaveFileMaker maker) { SaveFileMakerInUse() = std::move(maker); }

bool Yfile::OpenWrite() {
  bool opened = false;
  ErrTrap::Guarded(QStringLiteral("Yfile:OpenWrite"), [&] {
    auto target = SaveFileMakerInUse() ? SaveFileMakerInUse()(fileName_) : std::make_unique<QSaveFile>(fileName_);
    if (!target->open(QIODevice::WriteOnly)) {
      praxel::CurrentPrompter().MsgBox(QStringLiteral("Attempting the write to the file ") + fileName_ +
                                           QStringLiteral(" cause the following error:") + kLineEnd +
                                           target->errorString(),
                                       praxel::MsgCritical, QStringLiteral("File Open Error"));
      return;
    }
    target_ = std::move(target);
    out_.clear();
    writing_ = true;
    written_ = false;
    opened = true;
    CurrentFileProgress().StatusMessage(QStringLiteral("Writing to ") + fileName_);
  });
  return opened;
}

void Yfile::CloseFile() {
  ErrTrap::Guarded(QStringLiteral("Yfile:CloseFile"), [&] {
    TRAP_ASSERT(FileType == KindPackedProject || FileType == KindPlainProject || FileType == KindPackedSettings,
                "only a file opened for writing is closed");
    if (writing_ && target_) {
      QByteArray bytes = TextEncoding::Encode(out_);
      if (FileType != KindPlainProject) bytes = Packing::PackBytes(bytes);
      // The error of a failed write is taken before commit, which would report its own.
      const bool complete = target_->write(bytes) == bytes.size();
      const QString writeError = target_->errorString();
      if (!complete || !target_->commit()) {
        const QString error = complete ? target_->errorString() : writeError;
        target_->cancelWriting();
        target_.reset();
        praxel::RaiseProgramError(QStringLiteral("Attempting the write to the file ") + fileName_ +
                                  QStringLiteral(" cause the following error:") + kLineEnd + error);
      }
      written_ = true;
    }
    target_.reset();
    writing_ = false;
    FileType = KindClosed;
    CurrentFileProgress().StatusMessage(QString());
  });
}

// The text up to the next line end, which it passes; the end itself goes to lineBreak_.
QString Yfile::TakeLine() {
  qsizetype end = text_.indexOf(QLatin1Char('\n'), next_);
  if (end < 0) end = text_.size();
  QString line = text_.mid(next_, end - next_);
  lineBreak_.clear();
  if (line.endsWith(QLatin1Char('\r'))) {
    line.chop(1);
    lineBreak_ += QLatin1Char('\r');
  }
  if (end < text_.size()) lineBreak_ += QLatin1Char('\n');
  next_ = end + 1;
  ++lineNumber_;
  return line;
}

// The next line of the data into the current line; False at the end of the data. An empty line
// ends the data only when nothing but blank lines follows it; an empty line with more records
// after it is a damaged file, reported rather than silently cutting the records off.
bool Yfile::GetAnotherLine() {
  currentLine_.clear();
  if (endOfData_) return false;
  if (next_ >= text_.size()) {
    endOfData_ = true;
    return false;
  }
  const QString line = TakeLine();
  if (line.trimmed().isEmpty()) {
    if (!text_.mid(next_).trimmed().isEmpty()) {
      RaiseReadError(QStringLiteral("the line is empty, but more data follows it."));
    }
    endOfData_ = true;
    return false;
  }
  if (progressHook_ && lineNumber_ % kLinesPerProgress == 0) progressHook_();
  currentLine_ = line;
  return true;
}

// The token at the start of rest_. A quoted value that reaches the end of its line goes on with
// the next line: a text that holds line breaks is written quoted and reads back whole.
QString Yfile::NextToken() {
  if (!rest_.startsWith(QLatin1Char('"'))) {
    const qsizetype comma = rest_.indexOf(QLatin1Char(','));
    QString token = comma < 0 ? rest_ : rest_.left(comma);
    rest_ = comma < 0 ? QString() : rest_.mid(comma + 1);
    valuePending_ = comma >= 0 && rest_.isEmpty();
    return token;
  }
  QString token;
  qsizetype i = 1;
  for (;;) {
    const qsizetype quote = rest_.indexOf(QLatin1Char('"'), i);
    if (quote < 0) {
      // The value goes on after the line end, which is part of the value as it was written.
      if (next_ >= text_.size()) {
        RaiseReadError(QStringLiteral("the quoted value of \"%1\" is not closed.").arg(LineKeyword()));
      }
      const QString lineBreak = lineBreak_;
      const QString line = TakeLine();
      currentLine_ += lineBreak + line;
      rest_ += lineBreak + line;
      continue;
    }
    token += rest_.mid(i, quote - i);
    const qsizetype after = quote + 1;
    if (after >= rest_.size()) {
      rest_.clear();
      return token;
    }
    const QChar c = rest_.at(after);
    if (c == QLatin1Char(',')) {
      rest_ = rest_.mid(after + 1);
      valuePending_ = rest_.isEmpty();
      return token;
    }
    if (c != QLatin1Char('"')) {
      RaiseReadError(QStringLiteral("the value %1 of \"%2\" has more after its closing quote.")
                         .arg(rest_.left(rest_.indexOf(QLatin1Char(','), after)), LineKeyword()));
    }
    token += QLatin1Char('"');
    i = after + 1;
  }
}

QString Yfile::LineKeyword() const {
  const QString line = Common::TrimBlanks(currentLine_);
  return line.left(line.indexOf(QLatin1Char(',')));
}

QString Yfile::ReadToken() {
  QString token;
  ErrTrap::Guarded(QStringLiteral("Yfile:ReadToken"), [&] {
    if (valuePending_) {  // an empty value after the line's last comma
      valuePending_ = false;
      return;
    }
    if (rest_.isEmpty()) {
      if (!GetAnotherLine()) return;
      rest_ = Common::TrimBlanks(currentLine_);
    }
    token = NextToken();
  });
  return token;
}

void Yfile::ExpectToken(const QString& Keyword) {
  ErrTrap::Guarded(QStringLiteral("Yfile:ExpectToken"), [&] {
    const QString token = ReadToken();
    if (token != Keyword) {
      RaiseReadError(QStringLiteral("read \"") + token + QStringLiteral("\" when expecting \"") + Keyword +
                     QStringLiteral("\""));
    }
  });
}

void Yfile::UnReadLine() {
  rest_ = Common::TrimBlanks(currentLine_);
  valuePending_ = false;
}

// The keyword, then every value of the line.
QStringList Yfile::ReadValues(const QString& Keyword) {
  ExpectToken(Keyword);
  QStringList values;
  do {
    values.append(ReadToken());
  } while (!EndOfLine());
  return values;
}

// A per-journal line holds one value (shared by every journal) or one per journal.
void Yfile::CheckJournalCount(const QString& Keyword, qsizetype count, int numJournals) const {
  if (count > 1 && count != numJournals) {
    RaiseReadError(QStringLiteral("\"%1\" holds %2 values for %3 journals.").arg(Keyword).arg(count).arg(numJournals));
  }
}

template <class T, class ConvertToken>
void Yfile::LoadPerJournal(const QString& Keyword, PerJournal<T>& target, int numJournals, ConvertToken convert) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadPerJournal"), [&] {
    const QStringList tokens = ReadValues(Keyword);
    CheckJournalCount(Keyword, tokens.size(), numJournals);
    QList<T> values;
    for (const QString& token : tokens) values.append(ConvertedValue(*this, Keyword, token, convert));
    target.SetValues(values);
  });
}

template <class T, class ConvertToken>
void Yfile::LoadScalar(const QString& Keyword, T& target, ConvertToken convert) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadScalar"), [&] {
    const QStringList tokens = ReadValues(Keyword);
    if (tokens.size() != 1) {
      RaiseReadError(QStringLiteral("\"%1\" holds %2 values where one belongs.").arg(Keyword).arg(tokens.size()));
    }
    target = ConvertedValue(*this, Keyword, tokens.first(), convert);
  });
}

void Yfile::LoadField(const QString& Keyword, QString& target) { LoadScalar(Keyword, target, Convert::Text); }
void Yfile::LoadField(const QString& Keyword, int& target) { LoadScalar(Keyword, target, Convert::Long); }
void Yfile::LoadField(const QString& Keyword, float& target) { LoadScalar(Keyword, target, Convert::Single); }
void Yfile::LoadField(const QString& Keyword, double& target) { LoadScalar(Keyword, target, Convert::Double); }
void Yfile::LoadField(const QString& Keyword, bool& target) { LoadScalar(Keyword, target, Convert::Boolean); }

void Yfile::LoadField(const QString& Keyword, PerJournal<QString>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, Convert::Text);
}
void Yfile::LoadField(const QString& Keyword, PerJournal<int>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, Convert::Long);
}
void Yfile::LoadField(const QString& Keyword, PerJournal<double>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, Convert::Double);
}
void Yfile::LoadField(const QString& Keyword, PerJournal<bool>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, Convert::Boolean);
}
void Yfile::LoadField(const QString& Keyword, PerJournal<std::uint8_t>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, Convert::Percent);
}
void Yfile::LoadField(const QString& Keyword, PerJournal<praxel::Currency>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, Convert::Money);
}
void Yfile::LoadField(const QString& Keyword, Presence& target, int numJournals) {
  LoadPerJournal(Keyword, target.Field(), numJournals, Convert::Boolean);
}

namespace {

// A number of the date layout: digits only, else -1.
int LayoutNumber(const QString& text) {
  bool ok = false;
  const int number = text.trimmed().toInt(&ok);
  return ok && number >= 0 ? number : -1;
}

// The fixed date layout: month from characters 1-2, day from 4-5, year from 7-10, the time of
// day from character 12 on. Only the dates the writer can write back are dates of the file:
// from the year 100 to the year 9999, and not so late on its last day that rounding to the
// minute would carry it into the year 10000.
double ExtractDate(const QString& token) {
  static const QString expected = QStringLiteral("a date from 01/01/0100 12:00am to 12/31/9999 11:59pm");
  if (token.size() < 10) throw ValueRefused{expected};
  const QDate date(LayoutNumber(token.mid(6, 4)), LayoutNumber(token.mid(0, 2)), LayoutNumber(token.mid(3, 2)));
  int minutes = 0;
  double seconds = 0;
  if (!date.isValid() || date.year() < 100 || !ParseTime(token.mid(11), minutes, seconds)) throw ValueRefused{expected};
  const double whole = praxel::ToOleDate(date);
  const double fraction = (minutes * 60.0 + seconds) / 86400.0;
  const double day = whole < 0 ? whole - fraction : whole + fraction;
  if (day + 30.0 / 86400.0 >= praxel::kEndOfDates) throw ValueRefused{expected};
  return day;
}

}  // namespace

void Yfile::LoadDateField(const QString& Keyword, PerJournal<double>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, ExtractDate);
}

void Yfile::LoadDateField(const QString& Keyword, QList<double>& target) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadDateField"), [&] {
    QList<double> dates;
    for (const QString& token : ReadValues(Keyword)) dates.append(ConvertedValue(*this, Keyword, token, ExtractDate));
    target = dates;
  });
}

void Yfile::LoadProjectLink(const QString& Keyword, Yproject*& target) {
  LoadScalar(Keyword, target, [](const QString& name) { return Common::FindOrCreateProject(name); });
}

void Yfile::LoadProjectLink(const QString& Keyword, PerJournal<Yproject*>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, [](const QString& name) { return Common::FindOrCreateProject(name); });
}

template <class T, class Find>
void Yfile::LoadPairLinks(const QString& Keyword, PerJournal<T*>& target, int numJournals, Find find) {
  ExpectToken(Keyword);
  QList<T*> links;
  do {
    const QString name = ReadToken();
    if (name.isEmpty()) {  // no object: no ID follows
      links.append(nullptr);
      continue;
    }
    const int id = ConvertedValue(*this, Keyword, ReadToken(), Convert::Long);
    if (id == 0) RaiseReadError(QStringLiteral("\"%1\" names number 0 of \"%2\".").arg(Keyword, name));
    links.append(find(name, id));
  } while (!EndOfLine());
  CheckJournalCount(Keyword, links.size(), numJournals);
  target.SetValues(links);
}

void Yfile::LoadResourceLink(const QString& Keyword, PerJournal<Yresource*>& target, int numJournals) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadResourceLink"), [&] {
    LoadPairLinks(Keyword, target, numJournals, [](const QString& templateName, int id) {
      return Common::FindOrCreateTemplate(templateName)->FindOrCreateResource(id);
    });
  });
}

void Yfile::LoadTaskLink(const QString& Keyword, PerJournal<Ytask*>& target, int numJournals) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadTaskLink"), [&] {
    LoadPairLinks(Keyword, target, numJournals, [](const QString& projectName, int id) {
      return Common::FindOrCreateProject(projectName)->FindOrCreateTask(id);
    });
  });
}

void Yfile::LoadShiftLink(const QString& Keyword, PerJournal<Yshift*>& target, int numJournals, const Ytemplate* templ) {
  LoadPerJournal(Keyword, target, numJournals, [&](const QString& name) -> Yshift* {
    if (name.isEmpty()) return nullptr;  // a resource saved without a shift
    Yshift* shift = templ != nullptr ? templ->ShiftList.Find(name) : nullptr;
    if (shift == nullptr) {
      RaiseReadError(QStringLiteral("the shift \"%1\" is not a shift of template \"%2\".")
                         .arg(name, templ != nullptr ? templ->TemplateName() : QString()));
    }
    return shift;
  });
}

// Writing.

// The text grows by doubling, so a large file is copied a few times only while it is written.
void Yfile::Append(QStringView text) {
  if (out_.capacity() - out_.size() < text.size()) {
    out_.reserve(std::max(2 * out_.capacity(), out_.size() + text.size() + 4096));
  }
  out_.append(text);
}

void Yfile::WriteString(const QString& Text) { Append(Text); }

void Yfile::WriteLine(const QString& Text) {
  Append(Text);
  Append(kLineEnd);
}

namespace {

// Whether the keyword reads the same in upper case: a record's keyword line.
bool IsUpperCase(const QString& Keyword) {
  for (const QChar c : Keyword) {
    if (c.unicode() >= 0x80) return Keyword == Keyword.toUpper();
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) return false;
  }
  return true;
}

}  // namespace

void Yfile::WriteValues(const QString& Keyword, const QStringList& values) {
  ErrTrap::Guarded(QStringLiteral("Yfile:WriteValues"), [&] {
    if (!IsUpperCase(Keyword)) Append(u"  ");
    Append(Keyword);
    for (const QString& value : values) {
      Append(u",");
      Append(value);
    }
    Append(kLineEnd);
  });
}

template <class T, class FormatValue>
void Yfile::WritePerJournal(const QString& Keyword, const PerJournal<T>& value, FormatValue format) {
  QStringList values;
  if (!value.IsArray() || AllEqual(value.Values())) {
    values.append(format(value.First()));
  } else {
    for (const T& element : value.Values()) values.append(format(element));
  }
  WriteValues(Keyword, values);
}

QString Yfile::Quote(const QString& text) {
  if (text.isEmpty()) return QStringLiteral("\"\"");
  // Bare when it reads back as it is: no comma, no leading quote, no line break, and no blank
  // at either end (the reader strips those from a line).
  const bool bare = !text.contains(QLatin1Char(',')) && !text.startsWith(QLatin1Char('"')) &&
                    !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
                    !text.startsWith(QLatin1Char(' ')) && !text.endsWith(QLatin1Char(' '));
  if (bare) return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Yfile::FormatDate(double day) {
  const praxel::DayAndTime when = praxel::SplitOleDate(day);
  // Rounded to the minute, the precision of the layout.
  QDate date = when.date;
  int minuteOfDay = when.msecs / 60000 + (when.msecs % 60000 >= 30000 ? 1 : 0);
  if (minuteOfDay == 24 * 60) {
    date = date.addDays(1);
    minuteOfDay = 0;
  }
  const int hour = minuteOfDay / 60;
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  // "mm/dd/yyyy hh:mmam", the year in four digits or more.
  char text[24];
  const int length = std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d%s", date.month(), date.day(),
                                   date.year(), hour12, minuteOfDay % 60, hour < 12 ? "am" : "pm");
  return QString::fromLatin1(text, length);
}

QString Yfile::FormatNumber(double value) { return FormatSignificant(value, 15); }

QString Yfile::FormatNumber(float value) { return FormatSignificant(static_cast<double>(value), 7); }

QString Yfile::FormatNumber(std::int64_t value) { return QString::number(value); }

QString Yfile::FormatNumber(praxel::Currency value) {
  const std::int64_t ticks = value.Ticks();
  const bool negative = ticks < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
  QString text = QString::number(magnitude / 10000);
  QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
  while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
  if (!fraction.isEmpty()) text += QLatin1Char('.') + fraction;
  if (negative) text.prepend(QLatin1Char('-'));
  return WithoutLeadingZero(text);
}

QString Yfile::FormatNumber(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString Yfile::FormatLink(const Ymodel* link) {
  if (link == nullptr) return QStringLiteral("\"\"");
  if (const auto* task = dynamic_cast<const Ytask*>(link)) {
    return Quote(task->Project() != nullptr ? task->Project()->ProjectName() : QString()) + QLatin1Char(',') +
           QString::number(task->TaskID());
  }
  if (const auto* resource = dynamic_cast<const Yresource*>(link)) {
    return Quote(resource->Template() != nullptr ? resource->Template()->TemplateName() : QString()) +
           QLatin1Char(',') + QString::number(resource->ResourceID());
  }
  return Quote(link->Key());
}

void Yfile::WriteField(const QString& Keyword, const QString& value) { WriteValues(Keyword, {Quote(value)}); }
void Yfile::WriteField(const QString& Keyword, int value) { WriteValues(Keyword, {FormatNumber(std::int64_t{value})}); }
void Yfile::WriteField(const QString& Keyword, float value) { WriteValues(Keyword, {FormatNumber(value)}); }
void Yfile::WriteField(const QString& Keyword, double value) { WriteValues(Keyword, {FormatNumber(value)}); }
void Yfile::WriteField(const QString& Keyword, bool value) { WriteValues(Keyword, {FormatNumber(value)}); }

void Yfile::WriteField(const QString& Keyword, const PerJournal<QString>& value) {
  WritePerJournal(Keyword, value, [](const QString& v) { return Quote(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<int>& value) {
  WritePerJournal(Keyword, value, [](int v) { return FormatNumber(std::int64_t{v}); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<double>& value) {
  WritePerJournal(Keyword, value, [](double v) { return FormatNumber(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<bool>& value) {
  WritePerJournal(Keyword, value, [](bool v) { return FormatNumber(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<std::uint8_t>& value) {
  WritePerJournal(Keyword, value, [](std::uint8_t v) { return FormatNumber(std::int64_t{v}); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<praxel::Currency>& value) {
  WritePerJournal(Keyword, value, [](praxel::Currency v) { return FormatNumber(v); });
}
// A shared Include of a task, dependency or assignment reads True in every journal, so journals
// that all say absent are written one value each: one shared False would read back as present.
void Yfile::WriteField(const QString& Keyword, const Presence& value) {
  const PerJournal<bool>& field = value.Field();
  if (!field.IsArray() || field.Values().contains(true)) {
    WriteField(Keyword, field);
    return;
  }
  QStringList values;
  for (bool present : field.Values()) values.append(FormatNumber(present));
  WriteValues(Keyword, values);
}
void Yfile::WriteField(const QString& Keyword, const Ymodel* link) { WriteValues(Keyword, {FormatLink(link)}); }
void Yfile::WriteField(const QString& Keyword, const PerJournal<Yproject*>& links) {
  WritePerJournal(Keyword, links, [](const Yproject* v) { return FormatLink(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<Yresource*>& links) {
  WritePerJournal(Keyword, links, [](const Yresource* v) { return FormatLink(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<Ytask*>& links) {
  WritePerJournal(Keyword, links, [](const Ytask* v) { return FormatLink(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<Yshift*>& links) {
  WritePerJournal(Keyword, links, [](const Yshift* v) { return FormatLink(v); });
}

void Yfile::WriteDateField(const QString& Keyword, const QList<double>& dates) {
  QStringList values;
  for (double day : dates) values.append(FormatDate(day));
  if (values.isEmpty()) values.append(FormatDate(0.0));
  WriteValues(Keyword, values);
}

void Yfile::WriteDateField(const QString& Keyword, const PerJournal<double>& dates) {
  WritePerJournal(Keyword, dates, [](double day) { return FormatDate(day); });
}

namespace {

Ypooled* MakeYfile() { return new Yfile; }

}  // namespace

Yfile* NewYfile() {
  static const bool registered = [] {
    Common::RegisterYtype(ytFile, &MakeYfile);
    return true;
  }();
  (void)registered;
  return Common::NewY<Yfile>(ytFile);
}
