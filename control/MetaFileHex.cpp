#include "MetaFileHex.h"

namespace Ywindow {

QString HexLines(const QByteArray& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  QString text;
  text.reserve(bytes.size() * 2 + bytes.size() / 16);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    text.append(QLatin1Char(kDigits[byte >> 4]));
    text.append(QLatin1Char(kDigits[byte & 0x0F]));
    if (i % 32 == 31) text.append(QStringLiteral("\r\n"));
  }
  return text;
}

}  // namespace Ywindow
