#include "Command.h"
#include "Packer.h"
#include "Streams.h"

namespace pxtool {

// pxtool unpack IN OUT: unpacks the packed file IN into OUT. Nothing is written when IN is
// damaged.
int RunUnpack(const QStringList& arguments) {
  if (arguments.size() != 2) return kExitWrongCall;
  QByteArray packed;
  if (!ReadInput(arguments[0], &packed, false)) return kExitUnreadable;
  const Packing::Unpacked unpacked = Packing::UnpackBytes(packed);
  if (!unpacked.error.isEmpty()) {
    PrintError(praxel::DamagedFileMessage(NameInMessages(arguments[0])));
    return kExitUnreadable;
  }
  if (!WriteOutput(arguments[1], unpacked.data)) return kExitUnwritable;
  return kExitSuccess;
}

}  // namespace pxtool
