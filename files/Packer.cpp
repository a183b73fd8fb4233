#include "Packer.h"

#include <QBuffer>

namespace Packing {

QByteArray PackBytes(const QByteArray& text) {
  praxel::PackEncoder encoder;
  encoder.Write(text);
  encoder.Finish();
  return encoder.TakeOutput();
}

// The error names no file; a caller that knows the name words its own message with
// praxel::DamagedFileMessage.
Unpacked UnpackBytes(const QByteArray& packed) {
  QBuffer device;
  device.setData(packed);
  device.open(QIODevice::ReadOnly);
  praxel::PackDecoder decoder(device);
  Unpacked result;
  try {
    for (QByteArrayView piece = decoder.ReadTag(); !piece.isEmpty(); piece = decoder.ReadTag())
      result.data.append(piece);
  } catch (const praxel::PackDamageError& damage) {
    result.data.clear();
    result.error = damage.Description();
  }
  return result;
}

}  // namespace Packing
