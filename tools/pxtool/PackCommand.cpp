#include "Command.h"
#include "Packer.h"
#include "Streams.h"

namespace pxtool {

// pxtool pack IN OUT: packs the bytes of IN into OUT.
int RunPack(const QStringList& arguments) {
  if (arguments.size() != 2) return kExitWrongCall;
  QByteArray text;
  if (!ReadInput(arguments[0], &text, true)) return kExitUnreadable;
  if (!WriteOutput(arguments[1], Packing::PackBytes(text))) return kExitUnwritable;
  return kExitSuccess;
}

}  // namespace pxtool
