#include "BoundedRead.h"

namespace BoundedRead {

QString TooLargeText() {
  return QStringLiteral("is larger than %1 MB, too large for a project file").arg(kMaxBytes >> 20);
}

Content ReadAll(QIODevice& device, bool text, qint64 piece, const std::function<void()>& hook) {
  Content content;
  // A plain file says its size; a device or a pipe says none and is read until it ends.
  const qint64 size = device.isSequential() ? 0 : device.size();
  if (size > kMaxBytes) {
    content.refused = TooLargeText();
    return content;
  }
  content.bytes.reserve(size);
  bool lineBreakSeen = !text;
  for (;;) {
    const qint64 start = content.bytes.size();
    const qint64 wanted = std::min(piece, kMaxBytes + 1 - start);
    content.bytes.resize(start + wanted);
    const qint64 got = device.read(content.bytes.data() + start, wanted);
    content.bytes.resize(start + std::max<qint64>(got, 0));
    if (got <= 0) break;
    if (hook) hook();
    if (content.bytes.size() > kMaxBytes) {
      content.bytes.clear();
      content.refused = TooLargeText();
      return content;
    }
    if (!lineBreakSeen) {
      const QByteArrayView head = QByteArrayView(content.bytes).first(std::min<qint64>(content.bytes.size(), kLineBreakWithin));
      lineBreakSeen = head.contains('\n');
      if (!lineBreakSeen && content.bytes.size() >= kLineBreakWithin) {
        content.bytes.clear();
        content.refused = QStringLiteral("holds no line break in its first %1 MB: it is not a project file")
                              .arg(kLineBreakWithin >> 20);
        return content;
      }
    }
  }
  return content;
}

}  // namespace BoundedRead
