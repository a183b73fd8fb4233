#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

// Reading a whole input file with bounds, so that a file that is not a plan (a device that never
// ends such as /dev/zero, a disk image) is refused with a message instead of filling the memory.
namespace BoundedRead {

// The largest file, and the largest text a packed file may unpack to, that is read: far beyond
// any plan (7,000 tasks come to a few MB).
inline constexpr qint64 kMaxBytes = qint64{128} << 20;
// A text file holds a line break within this many bytes from its start.
inline constexpr qint64 kLineBreakWithin = qint64{1} << 20;

struct Content {
  QByteArray bytes;
  // Why the file was not read whole, as the end of a sentence about it ("is larger than ..."),
  // empty when it was.
  QString refused;
};

// The whole content of an open device, read in pieces of `piece` bytes with `hook` (when given)
// called after each. With `text` set, a content with no line break in its first
// kLineBreakWithin bytes is refused as soon as that is known.
Content ReadAll(QIODevice& device, bool text, qint64 piece = kLineBreakWithin, const std::function<void()>& hook = {});

// The refusal of a text larger than kMaxBytes.
QString TooLargeText();

}  // namespace BoundedRead
