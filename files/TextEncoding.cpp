#include "TextEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace TextEncoding {

namespace {

// The characters of codes 0x80 to 0x9F; the others are those of Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int CodeOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    *out++ = QChar(code >= 0x80 && code < 0xA0 ? kHighControls[code - 0x80] : char16_t(code));
  }
  return text;
}

QByteArray EncodeWindows1252(const QString& text, bool* fits) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  char* out = bytes.data();
  bool allFit = true;
  for (const QChar c : text) {
    const int code = CodeOf(c.unicode());
    if (code < 0) {
      allFit = false;
      *out++ = '?';
    } else {
      *out++ = static_cast<char>(code);
    }
  }
  if (fits != nullptr) *fits = allFit;
  return bytes;
}

bool IsAscii(QByteArrayView bytes) {
  const char* data = bytes.data();
  const qsizetype size = bytes.size();
  qsizetype i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, data + i, 8);
    if ((word & 0x8080808080808080u) != 0) return false;
  }
  for (; i < size; ++i) {
    if (static_cast<unsigned char>(data[i]) >= 0x80) return false;
  }
  return true;
}

QString Decode(const QByteArray& bytes) {
  // Plain ASCII reads the same in both encodings.
  if (IsAscii(bytes)) return QString::fromLatin1(bytes);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  return DecodeWindows1252(bytes);
}

QByteArray DecodeToUtf8(QByteArray bytes) {
  if (IsAscii(bytes)) return bytes;
  return Decode(bytes).toUtf8();
}

QByteArray Encode(const QString& text) {
  bool fits = false;
  QByteArray bytes = EncodeWindows1252(text, &fits);
  // Decode takes valid UTF-8 as UTF-8, so Windows-1252 bytes that happen to be valid UTF-8
  // ("Ã©") would read back as other characters. Plain ASCII always reads back.
  if (fits && !IsAscii(bytes) && Decode(bytes) != text) fits = false;
  return fits ? bytes : text.toUtf8();
}

namespace {

// Room for `more` at the end, growing by doubling: a large file is copied a few times only
// while it is written.
template <class Text>
void MakeRoom(Text& text, qsizetype more) {
  if (text.capacity() - text.size() < more) text.reserve(std::max(2 * text.capacity(), text.size() + more + 4096));
}

}  // namespace

void Builder::Clear() {
  ascii_.clear();
  text_.clear();
  wide_ = false;
}

void Builder::Append(QStringView text) {
  if (!wide_) {
    MakeRoom(ascii_, text.size());
    const qsizetype start = ascii_.size();
    ascii_.resize(start + text.size());
    char* out = ascii_.data() + start;
    for (const QChar c : text) {
      if (c.unicode() >= 0x80) {
        ascii_.truncate(start);
        Widen();
        break;
      }
      *out++ = static_cast<char>(c.unicode());
    }
    if (!wide_) return;
  }
  MakeRoom(text_, text.size());
  text_.append(text);
}

void Builder::AppendAscii(QByteArrayView ascii) {
  if (!wide_) {
    MakeRoom(ascii_, ascii.size());
    ascii_.append(ascii);
    return;
  }
  MakeRoom(text_, ascii.size());
  text_.append(QLatin1StringView(ascii.data(), ascii.size()));
}

void Builder::Widen() {
  text_ = QString::fromLatin1(ascii_);
  ascii_.clear();
  wide_ = true;
}

QByteArray Builder::Bytes() const { return wide_ ? Encode(text_) : ascii_; }

}  // namespace TextEncoding
