#pragma once

#include <QByteArray>
#include <QString>

// Whole-buffer packing for the file object: packed project files and the settings file hold the
// record text packed, followed by the end mark and the check value.
namespace Packing {

QByteArray PackBytes(const QByteArray& text);

// The text of a packed buffer, or an error when the buffer is damaged (a wrong check value, no
// end mark, cut short).
struct Unpacked {
  QByteArray data;
  QString error;
};
Unpacked UnpackBytes(const QByteArray& packed);

}  // namespace Packing
