#pragma once

#include "Crc16.h"
#include "PackFormat.h"
#include "RuntimeError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

class QIODevice;

namespace praxel {

// What is wrong with packed data that cannot be read.
enum class PackDamage {
  Truncated,        // the data ends before its end mark and check value
  WrongCheckValue,  // the check value does not match the text
  DataAfterEnd,     // something follows the check value
  TooLarge,         // the text would be larger than any project file
};

// `The file "NAME" is damaged and cannot be read.`, or a sentence without a name when the name
// is empty.
QString DamagedFileMessage(const QString& fileName);

// Raised by the reader for damaged packed data: error 10000 with DamagedFileMessage.
class PackDamageError : public InputError {
 public:
  PackDamageError(PackDamage damage, const QString& fileName);
  ~PackDamageError() override;

  PackDamage Damage() const { return damage_; }

 private:
  PackDamage damage_;
};

// Unpacks packed data from a device, one tag's piece of text at a time.
class PackDecoder {
 public:
  // fileName only names the file in the message of a PackDamageError.
  explicit PackDecoder(QIODevice& packed, QString fileName = QString());
  // The packed data held whole in memory.
  explicit PackDecoder(const QByteArray& packed, QString fileName = QString());
  PackDecoder(const PackDecoder&) = delete;
  PackDecoder& operator=(const PackDecoder&) = delete;

  // The text of the next tag, valid until the next call. Empty once the data has ended: the end
  // mark came, the check value matched the text and nothing followed. Raises PackDamageError
  // when the data is damaged, and again on every later call.
  QByteArrayView ReadTag();
  // The whole text of the data held in memory, from the next tag to the end, written into a
  // buffer sized once. Raises PackDamageError as ReadTag does.
  QByteArray ReadAll();

  bool AtEnd() const { return ended_; }
  // The check value of the text read so far.
  quint16 Check() const { return check_.Value(); }

 private:
  // Decodes the next tag into `out`, which has room for a longest piece; answers the length of
  // its text, 0 once the data has ended.
  int ReadTagInto(char* out);
  bool ReadByte(unsigned char* byte);
  [[noreturn]] void Fail(PackDamage damage);

  QIODevice* packed_;  // none when the data is held whole in buffer_
  QString fileName_;
  QByteArray buffer_;
  qsizetype bufferPosition_ = 0;

  PackWindow window_;
  Crc16 check_;
  std::array<char, kLongestPiece> piece_{};
  bool ended_ = false;
  std::optional<PackDamage> damage_;
};

}  // namespace praxel
