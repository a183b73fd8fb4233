#include "Yfile.h"

#include "BoundedRead.h"
#include "Check.h"
#include "Common.h"
#include "FileProgress.h"
#include "Format.h"
#include "Guard.h"
#include "OleDate.h"
#include "PackDecoder.h"
#include "Packing.h"
#include "Pool.h"
#include "SaveFile.h"
#include "TextEncoding.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QAnyStringView>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
// The dates the file holds: those the reader takes and the writer writes.
constexpr char kDateRange[] = "01/01/0100 12:00am to 12/31/9999 11:59pm";
// The same, as the writer puts it in the file.
constexpr QByteArrayView kLineEndBytes("\r\n");

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

// A value as the reader finds it: bytes of the file's text in UTF-8.
using Bytes = QByteArrayView;

QString TextOf(Bytes value) { return QString::fromUtf8(value.data(), value.size()); }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The same for the numbers the program writes: ASCII digits read with std::from_chars, which
// rounds as toDouble does, straight from the bytes. Anything else (a sign of +, an exponent,
// any character past ASCII, a number past the range of a double) is left to LeadingNumberOf.
double LeadingNumber(Bytes token) {
  const char* const begin = token.data();
  const char* const end = begin + token.size();
  const char* p = begin;
  while (p < end && *p == ' ') ++p;
  const char* const start = p;
  if (p < end && *p == '-') ++p;
  bool point = false;
  bool digits = false;
  for (; p < end; ++p) {
    const char c = *p;
    if (IsAsciiDigit(c)) {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else if (c == '+' || static_cast<unsigned char>(c) >= 0x80 || (digits && (c == 'E' || c == 'e'))) {
      return LeadingNumberOf(TextOf(token));
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (p - start > 64) return LeadingNumberOf(TextOf(token));
  double value = 0.0;
  const auto [stop, error] = std::from_chars(start, p, value);
  if (error != std::errc() || stop != p) return LeadingNumberOf(TextOf(token));
  return value;
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

// True or False in any case, or a number (not 0 reads True); `t` has no blanks at either end.
bool BooleanOf(const QString& t) {
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const double value = t.toDouble(&ok);
  if (!ok) throw ValueRefused{QStringLiteral("True or False")};
  return value != 0.0;
}

// Whether `token` is `word` in any case: ASCII only.
bool IsWordInAnyCase(Bytes token, QByteArrayView word) {
  if (token.size() != word.size()) return false;
  for (qsizetype i = 0; i < token.size(); ++i) {
    const char c = token[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c) != word[i]) return false;
  }
  return true;
}

// Typed conversions of a token, by the type of the receiving field. A value the field cannot
// hold is refused rather than cut down or wrapped.
struct Convert {
  static QString Text(Bytes token) { return TextOf(token); }
  static double Double(Bytes token) {
    const double value = LeadingNumber(token);
    if (!std::isfinite(value)) throw ValueRefused{QStringLiteral("a number within the range of the file")};
    return value;
  }
  static float Single(Bytes token) {
    const double value = LeadingNumber(token);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
      throw ValueRefused{QStringLiteral("a number from -3.402823E+38 to 3.402823E+38")};
    }
    return static_cast<float>(value);
  }
  static int Long(Bytes token) {
    const double value = std::nearbyint(LeadingNumber(token));  // to even, as ToLong rounds
    if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())) {
      throw ValueRefused{QStringLiteral("a whole number from %1 to %2")
                             .arg(std::numeric_limits<std::int32_t>::min())
                             .arg(std::numeric_limits<std::int32_t>::max())};
    }
    return static_cast<int>(value);
  }
  static std::uint8_t Percent(Bytes token) {
    const double value = std::nearbyint(LeadingNumber(token));
    if (!(value >= 0 && value <= 100)) throw ValueRefused{QStringLiteral("a whole number from 0 to 100")};
    return static_cast<std::uint8_t>(value);
  }
  static praxel::Currency Money(Bytes token) {
    const double value = LeadingNumber(token);
    if (!(std::fabs(value) <= praxel::Currency::kLargestWhole)) {
      throw ValueRefused{QStringLiteral("an amount from -922337203685477 to 922337203685477")};
    }
    return praxel::Currency::FromDouble(value);
  }
  // The words as the program writes them are taken straight from the bytes; anything else
  // (blanks around them, a number, a character past ASCII) is read as a text.
  static bool Boolean(Bytes token) {
    if (IsWordInAnyCase(token, "true")) return true;
    if (IsWordInAnyCase(token, "false")) return false;
    return BooleanOf(TextOf(token).trimmed());
  }
};

// A token converted for the field `Keyword`; a value the field cannot hold is a reading error
// that names the field and the value.
template <class ConvertFunction>
auto ConvertedValue(const Yfile& file, const QString& Keyword, Bytes token, ConvertFunction convert)
    -> decltype(convert(token)) {
  try {
    return convert(token);
  } catch (const ValueRefused& refused) {
    file.RaiseReadError(QStringLiteral("\"%1\" value \"%2\" is not %3.").arg(Keyword, Yfile::Excerpt(TextOf(token)), refused.expected));
  }
}

}  // namespace

void Yfile::RaiseReadError(const QString& detail) const {
  const QString line = lineNumber_ > 0 ? QStringLiteral(", line %1").arg(lineNumber_) : QString();
  praxel::RaiseInputError(QLatin1String(kReadErrorLead) + fileName_ + line + QStringLiteral(": ") + detail);
}

QString Yfile::Excerpt(const QString& text) {
  constexpr qsizetype kLongest = 60;
  return text.size() <= kLongest ? text : text.left(kLongest - 3) + QStringLiteral("...");
}

void Yfile::ClaimRecord(const void* object, const std::function<QString()>& what) {
  const int first = recordLines_.value(object, 0);
  if (first != 0) {
    RaiseReadError(
        QStringLiteral("%1 is in the file twice, at line %2 and at line %3.").arg(what()).arg(first).arg(lineNumber_));
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
  out_.Clear();
  writeError_.clear();
  target_.reset();
}

// Reading starts again from the first line of text_.
void Yfile::StartReading() {
  recordLines_.clear();
  next_ = 0;
  lineNumber_ = 0;
  endOfData_ = false;
  lineStart_ = lineEnd_ = restStart_ = restEnd_ = 0;
  valuePending_ = false;
  unquoted_.clear();
  values_.clear();
}

int Yfile::KindOfName(const QString& name) {
  const QString extension = name.right(4).toLower();
  if (extension == QLatin1String(".pxb")) return KindPackedProject;
  if (extension == QLatin1String(".pxa")) return KindPlainProject;
  if (extension == QLatin1String(".cfg")) return KindPackedSettings;
  return KindNone;
}

void Yfile::SetFileName(const QString& name) {
  fileName_ = name;
  FileType = KindOfName(name);
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
    const bool packed = FileType == KindPackedProject || FileType == KindPackedSettings;
    BoundedRead::Content content = BoundedRead::ReadAll(file, !packed, kBytesPerProgress, progressHook_);
    if (!content.refused.isEmpty()) {
      StartReading();
      RaiseReadError(QStringLiteral("the file ") + content.refused + QLatin1Char('.'));
    }
    bytes = std::move(content.bytes);
    opened = true;
  });
  if (!opened) return false;
  opened = false;
  guard([&] {
    if (FileType == KindPackedProject || FileType == KindPackedSettings) {
      const Packing::Unpacked unpacked = Packing::UnpackBytes(bytes);
      if (!unpacked.error.isEmpty()) {
        praxel::RaiseInputError(praxel::DamagedFileMessage(fileName_));
      }
      bytes = unpacked.data;
    }
    text_ = TextEncoding::DecodeToUtf8(std::move(bytes));
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
    if (!praxel::OpenForSave(*target)) {
      praxel::CurrentPrompter().MsgBox(QStringLiteral("Attempting the write to the file ") + fileName_ +
                                           QStringLiteral(" cause the following error:") + kLineEnd +
                                           target->errorString(),
                                       praxel::MsgCritical, QStringLiteral("File Open Error"));
      return;
    }
    target_ = std::move(target);
    out_.Clear();
    writeError_.clear();
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
      QByteArray bytes = out_.Bytes();
      if (FileType != KindPlainProject) bytes = Packing::PackBytes(bytes);
      if (writeError_.isEmpty() && !praxel::WriteAll(*target_, bytes)) writeError_ = target_->errorString();
      const QString error = writeError_.isEmpty() ? praxel::CommitSave(*target_) : writeError_;
      if (!error.isEmpty()) {
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

namespace {

// QChar::isSpace for the characters of ASCII.
bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Whether the text holds nothing but white space, as QString::trimmed sees it.
bool IsBlank(Bytes text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return TextOf(text).trimmed().isEmpty();
    if (!IsAsciiSpace(c)) return false;
  }
  return true;
}

const char* Find(const char* from, const char* to, char c) {
  return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(to - from)));
}

}  // namespace

// The text up to the next line end becomes the end of the current line (a CR before the line
// feed is part of the line end); the reading goes on after the line end.
void Yfile::TakeLine() {
  const char* data = text_.constData();
  const char* feed = Find(data + next_, data + text_.size(), '\n');
  const qsizetype end = feed != nullptr ? feed - data : text_.size();
  lineEnd_ = end > next_ && data[end - 1] == '\r' ? end - 1 : end;
  next_ = end + 1;
  ++lineNumber_;
}

// What is left of the current line is all of it, but for blanks at either end.
void Yfile::RestIsWholeLine() {
  const char* data = text_.constData();
  restStart_ = lineStart_;
  restEnd_ = lineEnd_;
  while (restStart_ < restEnd_ && data[restStart_] == ' ') ++restStart_;
  while (restEnd_ > restStart_ && data[restEnd_ - 1] == ' ') --restEnd_;
  valuePending_ = false;
}

// The next line of the data into the current line; False at the end of the data. An empty line
// ends the data only when nothing but blank lines follows it; an empty line with more records
// after it is a damaged file, reported rather than silently cutting the records off.
bool Yfile::GetAnotherLine() {
  lineStart_ = lineEnd_ = restStart_ = restEnd_ = next_;
  unquoted_.clear();
  if (endOfData_) return false;
  if (next_ >= text_.size()) {
    endOfData_ = true;
    return false;
  }
  const qsizetype start = next_;
  TakeLine();
  if (IsBlank(Bytes(text_).sliced(start, lineEnd_ - start))) {
    if (next_ < text_.size() && !IsBlank(Bytes(text_).sliced(next_))) {
      RaiseReadError(QStringLiteral("the line is empty, but more data follows it."));
    }
    lineStart_ = lineEnd_ = restStart_ = restEnd_ = next_;
    endOfData_ = true;
    return false;
  }
  if (progressHook_ && lineNumber_ % kLinesPerProgress == 0) progressHook_();
  lineStart_ = start;
  return true;
}

// The token at the start of what is left of the line. A quoted value that reaches the end of its
// line goes on with the next line: a text that holds line breaks is written quoted and reads
// back whole.
Bytes Yfile::NextToken() {
  const char* const data = text_.constData();
  const char* const rest = data + restStart_;
  if (restStart_ == restEnd_ || *rest != '"') {
    const char* comma = Find(rest, data + restEnd_, ',');
    if (comma == nullptr) {
      restStart_ = restEnd_;
      return Bytes(rest, data + restEnd_);
    }
    restStart_ = comma + 1 - data;
    valuePending_ = restStart_ == restEnd_;
    return Bytes(rest, comma);
  }
  // A doubled quote stands for one: such a value is put together in unquoted_.
  QByteArray* joined = nullptr;
  qsizetype from = restStart_ + 1;
  for (;;) {
    const char* quote = Find(data + from, data + restEnd_, '"');
    if (quote == nullptr) {
      // The value goes on after the line end, which is part of the value as it was written.
      if (next_ >= text_.size()) {
        RaiseReadError(QStringLiteral("the quoted value of \"%1\" is not closed.").arg(LineKeyword()));
      }
      TakeLine();
      restEnd_ = lineEnd_;
      continue;
    }
    const Bytes piece(data + from, quote);
    const qsizetype after = quote + 1 - data;
    const bool doubled = after < restEnd_ && data[after] == '"';
    if (doubled || joined != nullptr) {
      if (joined == nullptr) joined = &unquoted_.emplace_back();
      joined->append(piece);
      if (doubled) {
        joined->append('"');
        from = after + 1;
        continue;
      }
    }
    const Bytes token = joined != nullptr ? Bytes(*joined) : piece;
    if (after >= restEnd_) {
      restStart_ = restEnd_;
      return token;
    }
    if (data[after] != ',') {
      const char* comma = Find(data + after, data + restEnd_, ',');
      const Bytes value(rest, comma != nullptr ? comma : data + restEnd_);
      RaiseReadError(
          QStringLiteral("the value %1 of \"%2\" has more after its closing quote.").arg(TextOf(value), LineKeyword()));
    }
    restStart_ = after + 1;
    valuePending_ = restStart_ == restEnd_;
    return token;
  }
}

QString Yfile::LineKeyword() const {
  const char* data = text_.constData();
  qsizetype start = lineStart_;
  qsizetype end = lineEnd_;
  while (start < end && data[start] == ' ') ++start;
  while (end > start && data[end - 1] == ' ') --end;
  const char* comma = Find(data + start, data + end, ',');
  return TextOf(Bytes(data + start, comma != nullptr ? comma : data + end));
}

// ReadToken without the decoding: the value as bytes of the text, valid until the next line is
// read.
Bytes Yfile::ReadValue() {
  Bytes token;
  ErrTrap::Guarded(QStringLiteral("Yfile:ReadValue"), [&] {
    if (valuePending_) {  // an empty value after the line's last comma
      valuePending_ = false;
      return;
    }
    if (restStart_ == restEnd_) {
      if (!GetAnotherLine()) return;
      RestIsWholeLine();
    }
    token = NextToken();
  });
  return token;
}

QString Yfile::ReadToken() { return TextOf(ReadValue()); }

void Yfile::ExpectToken(const QString& Keyword) {
  ErrTrap::Guarded(QStringLiteral("Yfile:ExpectToken"), [&] {
    const Bytes token = ReadValue();
    if (!QAnyStringView::equal(QUtf8StringView(token.data(), token.size()), Keyword)) {
      RaiseReadError(QStringLiteral("read \"") + Excerpt(TextOf(token)) + QStringLiteral("\" when expecting \"") + Keyword +
                     QStringLiteral("\""));
    }
  });
}

void Yfile::UnReadLine() { RestIsWholeLine(); }

// The keyword, then every value of the line, valid until the next line is read.
const QVarLengthArray<Bytes, 4>& Yfile::ReadValues(const QString& Keyword) {
  ExpectToken(Keyword);
  values_.clear();
  do {
    values_.append(ReadValue());
  } while (!EndOfLine());
  return values_;
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
    const auto& tokens = ReadValues(Keyword);
    CheckJournalCount(Keyword, tokens.size(), numJournals);
    if (tokens.size() == 1) {
      target.SetSingle(ConvertedValue(*this, Keyword, tokens.first(), convert));
      return;
    }
    QList<T> values;
    values.reserve(tokens.size());
    for (const Bytes token : tokens) values.append(ConvertedValue(*this, Keyword, token, convert));
    target.SetValues(values);
  });
}

template <class T, class ConvertToken>
void Yfile::LoadScalar(const QString& Keyword, T& target, ConvertToken convert) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadScalar"), [&] {
    const auto& tokens = ReadValues(Keyword);
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
const QString& DateExpected() {
  static const QString expected = QStringLiteral("a date from ") + QLatin1String(kDateRange);
  return expected;
}

// The day of `date` and `minutes` and `seconds` into it; a day the writer cannot write back is
// refused.
double DayOf(const QDate& date, int minutes, double seconds) {
  if (!date.isValid() || date.year() < 100) throw ValueRefused{DateExpected()};
  const double whole = praxel::ToOleDate(date);
  const double fraction = (minutes * 60.0 + seconds) / 86400.0;
  const double day = whole < 0 ? whole - fraction : whole + fraction;
  if (day + 30.0 / 86400.0 >= praxel::kEndOfDates) throw ValueRefused{DateExpected()};
  return day;
}

double ExtractDateOf(const QString& token) {
  // The year is four digits: a fifth one where the time's blank stands is no year of the file.
  if (token.size() < 10 || (token.size() > 10 && token.at(10).isDigit())) throw ValueRefused{DateExpected()};
  const QDate date(LayoutNumber(token.mid(6, 4)), LayoutNumber(token.mid(0, 2)), LayoutNumber(token.mid(3, 2)));
  int minutes = 0;
  double seconds = 0;
  if (!date.isValid() || !ParseTime(token.mid(11), minutes, seconds)) throw ValueRefused{DateExpected()};
  return DayOf(date, minutes, seconds);
}

// The number of the digits at `at` in `text`, or -1 when one of them is not a digit.
int DigitsAt(Bytes text, qsizetype at, qsizetype count) {
  int number = 0;
  for (qsizetype i = at; i < at + count; ++i) {
    if (!IsAsciiDigit(text[i])) return -1;
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

// The layout exactly as the writer writes it, "mm/dd/yyyy hh:mmam", is taken straight from the
// bytes; any other form is read as a text.
double ExtractDate(Bytes token) {
  constexpr qsizetype kWritten = 18;
  if (token.size() == kWritten && token[2] == '/' && token[5] == '/' && token[10] == ' ' && token[13] == ':' &&
      (token[16] == 'a' || token[16] == 'p') && token[17] == 'm') {
    const int month = DigitsAt(token, 0, 2);
    const int day = DigitsAt(token, 3, 2);
    const int year = DigitsAt(token, 6, 4);
    const int hour = DigitsAt(token, 11, 2);
    const int minute = DigitsAt(token, 14, 2);
    if (month >= 0 && day >= 0 && year >= 0 && hour >= 1 && hour <= 12 && minute >= 0 && minute <= 59) {
      return DayOf(QDate(year, month, day), (hour % 12 + (token[16] == 'p' ? 12 : 0)) * 60 + minute, 0.0);
    }
  }
  return ExtractDateOf(TextOf(token));
}

}  // namespace

void Yfile::LoadDateField(const QString& Keyword, PerJournal<double>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, ExtractDate);
}

void Yfile::LoadDateFromDayZero(const QString& Keyword, PerJournal<double>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, [](Bytes token) {
    const double day = ExtractDate(token);
    if (day < 0) throw ValueRefused{QStringLiteral("a date from 12/30/1899 12:00am to 12/31/9999 11:59pm")};
    return day;
  });
}

void Yfile::LoadDateField(const QString& Keyword, QList<double>& target) {
  ErrTrap::Guarded(QStringLiteral("Yfile:LoadDateField"), [&] {
    QList<double> dates;
    for (const Bytes token : ReadValues(Keyword)) dates.append(ConvertedValue(*this, Keyword, token, ExtractDate));
    target = dates;
  });
}

void Yfile::LoadProjectLink(const QString& Keyword, Yproject*& target) {
  LoadScalar(Keyword, target, [](Bytes name) { return Common::FindOrCreateProject(TextOf(name)); });
}

void Yfile::LoadProjectLink(const QString& Keyword, PerJournal<Yproject*>& target, int numJournals) {
  LoadPerJournal(Keyword, target, numJournals, [](Bytes name) { return Common::FindOrCreateProject(TextOf(name)); });
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
    const int id = ConvertedValue(*this, Keyword, ReadValue(), Convert::Long);
    if (id == 0) RaiseReadError(QStringLiteral("\"%1\" names number 0 of \"%2\".").arg(Keyword, Excerpt(name)));
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

void Yfile::LoadShiftLink(const QString& Keyword, PerJournal<Yshift*>& target, int numJournals,
                          const Ytemplate* templ) {
  LoadPerJournal(Keyword, target, numJournals, [&](Bytes value) -> Yshift* {
    if (value.isEmpty()) return nullptr;  // a resource saved without a shift
    const QString name = TextOf(value);
    Yshift* shift = templ != nullptr ? templ->ShiftList.Find(name) : nullptr;
    if (shift == nullptr) {
      RaiseReadError(QStringLiteral("the shift \"%1\" is not a shift of template \"%2\".")
                         .arg(Excerpt(name), templ != nullptr ? templ->TemplateName() : QString()));
    }
    return shift;
  });
}

// Writing.

namespace {

// A value formatted in ASCII, without a text object.
struct AsciiValue {
  char text[40];
  int length = 0;
  operator QByteArrayView() const { return {text, length}; }
  QString Text() const { return QString::fromLatin1(text, length); }
};

// Drops the zero before the decimal point, as the file writes numbers: ".85", "-.5".
void DropLeadingZero(AsciiValue& value) {
  const int at = value.text[0] == '-' ? 1 : 0;
  if (value.length > at + 1 && value.text[at] == '0' && value.text[at + 1] == '.') {
    std::memmove(value.text + at, value.text + at + 1, static_cast<std::size_t>(value.length - at - 1));
    --value.length;
  }
}

AsciiValue SignificantText(double value, int digits) {
  AsciiValue formatted;
  if (value == 0.0) {
    formatted.text[0] = '0';
    formatted.length = 1;
    return formatted;
  }
  formatted.length = std::snprintf(formatted.text, sizeof formatted.text, "%.*G", digits, value);
  DropLeadingZero(formatted);
  return formatted;
}

AsciiValue IntegerText(std::int64_t value) {
  AsciiValue formatted;
  formatted.length = static_cast<int>(std::to_chars(formatted.text, formatted.text + sizeof formatted.text, value).ptr -
                                      formatted.text);
  return formatted;
}

// Whole units, then the ten-thousandths without their trailing zeros.
AsciiValue AmountText(praxel::Currency value) {
  const std::int64_t ticks = value.Ticks();
  const bool negative = ticks < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
  AsciiValue formatted;
  char* out = formatted.text;
  if (negative) *out++ = '-';
  out = std::to_chars(out, formatted.text + sizeof formatted.text, magnitude / 10000).ptr;
  unsigned fraction = static_cast<unsigned>(magnitude % 10000);
  if (fraction != 0) {
    *out++ = '.';
    for (unsigned unit = 1000; fraction != 0; unit /= 10) {
      *out++ = static_cast<char>('0' + fraction / unit);
      fraction %= unit;
    }
  }
  formatted.length = static_cast<int>(out - formatted.text);
  DropLeadingZero(formatted);
  return formatted;
}

AsciiValue BooleanText(bool value) {
  AsciiValue formatted;
  const QByteArrayView word = value ? QByteArrayView("True") : QByteArrayView("False");
  std::memcpy(formatted.text, word.data(), static_cast<std::size_t>(word.size()));
  formatted.length = static_cast<int>(word.size());
  return formatted;
}

// "mm/dd/yyyy hh:mmam", the year in four digits or more, rounded to the minute.
AsciiValue DateText(double day) {
  const praxel::DayAndTime when = praxel::SplitOleDate(day);
  QDate date = when.date;
  int minuteOfDay = when.msecs / 60000 + (when.msecs % 60000 >= 30000 ? 1 : 0);
  if (minuteOfDay == 24 * 60) {
    date = date.addDays(1);
    minuteOfDay = 0;
  }
  const int hour = minuteOfDay / 60;
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  AsciiValue formatted;
  formatted.length = std::snprintf(formatted.text, sizeof formatted.text, "%02d/%02d/%04d %02d:%02d%s", date.month(),
                                   date.day(), date.year(), hour12, minuteOfDay % 60, hour < 12 ? "am" : "pm");
  return formatted;
}

// Whether the keyword reads the same in upper case: a record's keyword line.
bool IsUpperCase(const QString& Keyword) {
  for (const QChar c : Keyword) {
    if (c.unicode() >= 0x80) return Keyword == Keyword.toUpper();
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) return false;
  }
  return true;
}

}  // namespace

// A plain file's text goes to the file in parts while it is plain ASCII, so that a large file
// is never held whole; a packed file is packed from its whole text.
constexpr qsizetype kWritePart = 1 << 20;

void Yfile::Append(QStringView text) {
  out_.Append(text);
  if (out_.AsciiSoFar().size() >= kWritePart && FileType == KindPlainProject) WriteAsciiSoFar();
}

void Yfile::Append(QByteArrayView ascii) {
  out_.AppendAscii(ascii);
  if (out_.AsciiSoFar().size() >= kWritePart && FileType == KindPlainProject) WriteAsciiSoFar();
}

// After a part that could not be written nothing more is; CloseFile reports the error.
void Yfile::WriteAsciiSoFar() {
  if (!target_) return;
  const QByteArrayView part = out_.AsciiSoFar();
  if (writeError_.isEmpty() && !praxel::WriteAll(*target_, part)) {
    writeError_ = target_->errorString();
  }
  out_.DropAscii();
}

void Yfile::WriteString(const QString& Text) { Append(Text); }

void Yfile::WriteLine(const QString& Text) {
  Append(Text);
  Append(kLineEndBytes);
}

template <class Values>
void Yfile::WriteValues(const QString& Keyword, Values appendValues) {
  ErrTrap::Guarded(QStringLiteral("Yfile:WriteValues"), [&] {
    if (!IsUpperCase(Keyword)) Append(QByteArrayView("  "));
    Append(Keyword);
    appendValues();
    Append(kLineEndBytes);
  });
}

// Each value after a comma.
template <class Value>
void Yfile::AppendValue(const Value& value) {
  Append(QByteArrayView(","));
  Append(value);
}

// The values are formatted before the line is begun: a value that cannot be written leaves no
// part of its line.
template <class T, class FormatValue>
void Yfile::WritePerJournal(const QString& Keyword, const PerJournal<T>& value, FormatValue format) {
  QVarLengthArray<decltype(format(value.First())), 4> values;
  if (!value.IsArray() || AllEqual(value.Values())) {
    values.append(format(value.First()));
  } else {
    for (const T& element : value.Values()) values.append(format(element));
  }
  WriteValues(Keyword, [&] {
    for (const auto& formatted : values) AppendValue(formatted);
  });
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

QString Yfile::FormatDate(double day) { return DateText(day).Text(); }

QString Yfile::FormatNumber(double value) { return SignificantText(value, 15).Text(); }

QString Yfile::FormatNumber(float value) { return SignificantText(static_cast<double>(value), 7).Text(); }

QString Yfile::FormatNumber(std::int64_t value) { return IntegerText(value).Text(); }

QString Yfile::FormatNumber(praxel::Currency value) { return AmountText(value).Text(); }

QString Yfile::FormatNumber(bool value) { return BooleanText(value).Text(); }

// A task or resource is written as the name of its holder and its number, anything else by its
// key; no object as an empty text.
void Yfile::AppendLink(const Ymodel* link) {
  Append(QByteArrayView(","));
  if (link == nullptr) {
    Append(QByteArrayView("\"\""));
  } else if (const auto* task = dynamic_cast<const Ytask*>(link)) {
    Append(Quote(task->Project() != nullptr ? task->Project()->ProjectName() : QString()));
    AppendValue(IntegerText(task->TaskID()));
  } else if (const auto* resource = dynamic_cast<const Yresource*>(link)) {
    Append(Quote(resource->Template() != nullptr ? resource->Template()->TemplateName() : QString()));
    AppendValue(IntegerText(resource->ResourceID()));
  } else {
    Append(Quote(link->Key()));
  }
}

template <class T>
void Yfile::WriteLinks(const QString& Keyword, const PerJournal<T*>& links) {
  WriteValues(Keyword, [&] {
    if (!links.IsArray() || AllEqual(links.Values())) {
      AppendLink(links.First());
    } else {
      for (const T* link : links.Values()) AppendLink(link);
    }
  });
}

void Yfile::WriteField(const QString& Keyword, const QString& value) {
  WriteValues(Keyword, [&] { AppendValue(Quote(value)); });
}
void Yfile::WriteField(const QString& Keyword, int value) {
  WriteValues(Keyword, [&] { AppendValue(IntegerText(value)); });
}
void Yfile::WriteField(const QString& Keyword, float value) {
  WriteValues(Keyword, [&] { AppendValue(SignificantText(static_cast<double>(value), 7)); });
}
void Yfile::WriteField(const QString& Keyword, double value) {
  WriteValues(Keyword, [&] { AppendValue(SignificantText(value, 15)); });
}
void Yfile::WriteField(const QString& Keyword, bool value) {
  WriteValues(Keyword, [&] { AppendValue(BooleanText(value)); });
}

void Yfile::WriteField(const QString& Keyword, const PerJournal<QString>& value) {
  WritePerJournal(Keyword, value, [](const QString& v) { return Quote(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<int>& value) {
  WritePerJournal(Keyword, value, [](int v) { return IntegerText(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<double>& value) {
  WritePerJournal(Keyword, value, [](double v) { return SignificantText(v, 15); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<bool>& value) {
  WritePerJournal(Keyword, value, BooleanText);
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<std::uint8_t>& value) {
  WritePerJournal(Keyword, value, [](std::uint8_t v) { return IntegerText(v); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<praxel::Currency>& value) {
  WritePerJournal(Keyword, value, AmountText);
}
// A shared Include of a task, dependency or assignment reads True in every journal, so journals
// that all say absent are written one value each: one shared False would read back as present.
void Yfile::WriteField(const QString& Keyword, const Presence& value) {
  const PerJournal<bool>& field = value.Field();
  if (!field.IsArray() || field.Values().contains(true)) {
    WriteField(Keyword, field);
    return;
  }
  WriteValues(Keyword, [&] {
    for (bool present : field.Values()) AppendValue(BooleanText(present));
  });
}
void Yfile::WriteField(const QString& Keyword, const Ymodel* link) {
  WriteValues(Keyword, [&] { AppendLink(link); });
}
void Yfile::WriteField(const QString& Keyword, const PerJournal<Yproject*>& links) { WriteLinks(Keyword, links); }
void Yfile::WriteField(const QString& Keyword, const PerJournal<Yresource*>& links) { WriteLinks(Keyword, links); }
void Yfile::WriteField(const QString& Keyword, const PerJournal<Ytask*>& links) { WriteLinks(Keyword, links); }
void Yfile::WriteField(const QString& Keyword, const PerJournal<Yshift*>& links) { WriteLinks(Keyword, links); }

// A date outside the years the file holds is not written: the save fails whole, whatever the
// user answers, rather than leave a date that reads back as another one or not at all.
void Yfile::CheckWritableDate(const QString& Keyword, double day) {
  if (day >= praxel::kFirstDay && day + 30.0 / 86400.0 < praxel::kEndOfDates) return;
  const QString error = QStringLiteral("\"%1\" holds a date outside the years the file can hold (%2).").arg(Keyword, kDateRange);
  if (writeError_.isEmpty()) writeError_ = error;
  praxel::RaiseProgramError(QStringLiteral("Attempting the write to the file ") + fileName_ +
                            QStringLiteral(" cause the following error:") + kLineEnd + error);
}

void Yfile::WriteDateField(const QString& Keyword, const QList<double>& dates) {
  QVarLengthArray<AsciiValue, 4> values;
  for (double day : dates) {
    CheckWritableDate(Keyword, day);
    values.append(DateText(day));
  }
  if (values.isEmpty()) values.append(DateText(0.0));
  WriteValues(Keyword, [&] {
    for (const AsciiValue& formatted : values) AppendValue(formatted);
  });
}

void Yfile::WriteDateField(const QString& Keyword, const PerJournal<double>& dates) {
  WritePerJournal(Keyword, dates, [&](double day) {
    CheckWritableDate(Keyword, day);
    return DateText(day);
  });
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
