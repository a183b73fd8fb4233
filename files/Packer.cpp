#include "Packer.h"

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
  praxel::PackDecoder decoder(packed);
  Unpacked result;
  try {
    result.data = decoder.ReadAll();
  } catch (const praxel::PackDamageError& damage) {
    result.data.clear();
    result.error = damage.Description();
  }
  return result;
}

}  // namespace Packing
