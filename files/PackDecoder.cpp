#include "PackDecoder.h"

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
    : RuntimeError(errProgram, DamagedFileMessage(fileName)), damage_(damage) {}

PackDamageError::~PackDamageError() = default;

PackDecoder::PackDecoder(QIODevice& packed, QString fileName)
    : packed_(packed), fileName_(std::move(fileName)) {}

QByteArrayView PackDecoder::ReadTag() {
  if (damage_) throw PackDamageError(*damage_, fileName_);
  if (ended_) return {};

  unsigned char first = 0;
  unsigned char second = 0;
  if (!ReadByte(&first) || !ReadByte(&second)) Fail(PackDamage::Truncated);
  const PackTag tag = DecodeTag(first, second);

  if (IsEndMark(tag)) {
    unsigned char high = 0;
    unsigned char low = 0;
    if (!ReadByte(&high) || !ReadByte(&low)) Fail(PackDamage::Truncated);
    if (((high << 8) | low) != check_.Value()) Fail(PackDamage::WrongCheckValue);
    unsigned char extra = 0;
    if (ReadByte(&extra)) Fail(PackDamage::DataAfterEnd);
    ended_ = true;
    return {};
  }

  const unsigned char* text = window_.Codes() + tag.offset;
  std::memcpy(piece_.data(), text, static_cast<size_t>(tag.length));
  for (int i = 0; i < tag.length; ++i) check_.Add(text[i]);
  window_.Record(tag.offset, tag.length);
  return QByteArrayView(piece_.data(), tag.length);
}

// The next byte of the packed data; false at its end (or when the device fails).
bool PackDecoder::ReadByte(unsigned char* byte) {
  if (bufferPosition_ == buffer_.size()) {
    buffer_ = packed_.read(kReadChunk);
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
