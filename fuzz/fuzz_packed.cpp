// The unpacker and the bundle reader (.pxb): a damaged packed file is refused cleanly, and one
// that reads saves packed and reads back to the same bytes.

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (fuzz::LoadFile(fuzz::WriteInput(data, size, QStringLiteral("input.pxb")))) fuzz::CheckRoundTrip(QStringLiteral(".pxb"));
  return 0;
}
