#include "PackDecoder.h"

#include "BoundedRead.h"
#include "Check.h"

#include <QIODevice>

#include <cstring>
#include <utility>

namespace praxel {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

}  // namespace

QString DamagedFileMessage(const QString& fileName) {
  if (fileName.isEmpty()) return QStringLiteral("The packed data is damaged and cannot be read.");
  return QStringLiteral("The file \"%1\" is damaged and cannot be read.").arg(fileName);
}

PackDamageError::PackDamageError(PackDamage damage, const QString& fileName)
    : InputError(DamagedFileMessage(fileName)), damage_(damage) {}

PackDamageError::~PackDamageError() = default;

PackDecoder::PackDecoder(QIODevice& packed, QString fileName)
    : packed_(&packed), fileName_(std::move(fileName)) {}

PackDecoder::PackDecoder(const QByteArray& packed, QString fileName)
    : packed_(nullptr), fileName_(std::move(fileName)), buffer_(packed) {}

QByteArrayView PackDecoder::ReadTag() { return QByteArrayView(piece_.data(), ReadTagInto(piece_.data())); }

QByteArray PackDecoder::ReadAll() {
  TRAP_ASSERT(packed_ == nullptr, "only data held in memory is read whole");
  // The length of the text: the lengths of the tags before the end mark.
  qsizetype size = 0;
  for (qsizetype at = bufferPosition_; at + 1 < buffer_.size(); at += 2) {
    const PackTag tag = DecodeTag(static_cast<unsigned char>(buffer_[at]), static_cast<unsigned char>(buffer_[at + 1]));
    if (IsEndMark(tag)) break;
    size += tag.length;
    // Each tag of two bytes stands for up to 128 codes: a big file of noise is refused before
    // its text is made.
    if (size > BoundedRead::kMaxBytes) Fail(PackDamage::TooLarge);
  }
  QByteArray text(size, Qt::Uninitialized);
  char* out = text.data();
  for (int length = ReadTagInto(out); length > 0; length = ReadTagInto(out)) out += length;
  TRAP_ASSERT(out == text.data() + size, "every tag was read");
  return text;
}

int PackDecoder::ReadTagInto(char* out) {
  if (damage_) throw PackDamageError(*damage_, fileName_);
  if (ended_) return 0;

  unsigned char first = 0;
  unsigned char second = 0;
  if (bufferPosition_ + 2 <= buffer_.size()) {
    first = static_cast<unsigned char>(buffer_[bufferPosition_]);
    second = static_cast<unsigned char>(buffer_[bufferPosition_ + 1]);
    bufferPosition_ += 2;
  } else if (!ReadByte(&first) || !ReadByte(&second)) {
    Fail(PackDamage::Truncated);
  }
  const PackTag tag = DecodeTag(first, second);

  if (IsEndMark(tag)) {
    unsigned char high = 0;
    unsigned char low = 0;
    if (!ReadByte(&high) || !ReadByte(&low)) Fail(PackDamage::Truncated);
    if (((high << 8) | low) != check_.Value()) Fail(PackDamage::WrongCheckValue);
    unsigned char extra = 0;
    if (ReadByte(&extra)) Fail(PackDamage::DataAfterEnd);
    ended_ = true;
    return 0;
  }

  const unsigned char* text = window_.Codes() + tag.offset;
  std::memcpy(out, text, static_cast<size_t>(tag.length));
  check_.Add(text, tag.length);
  window_.Record(tag.offset, tag.length);
  return tag.length;
}

// The next byte of the packed data; false at its end (or when the device fails).
bool PackDecoder::ReadByte(unsigned char* byte) {
  if (bufferPosition_ == buffer_.size()) {
    if (packed_ == nullptr) return false;
    buffer_ = packed_->read(kReadChunk);
    bufferPosition_ = 0;
    if (buffer_.isEmpty()) return false;
  }
  *byte = static_cast<unsigned char>(buffer_[bufferPosition_++]);
  return true;
}

void PackDecoder::Fail(PackDamage damage) {
  damage_ = damage;
  throw PackDamageError(damage, fileName_);
}

}  // namespace praxel
