// The record reader (.pxa): every input ends in a clean load or a clean reading error, and a
// load that succeeds saves and reads back to the same text.

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (fuzz::LoadFile(fuzz::WriteInput(data, size, QStringLiteral("input.pxa")))) fuzz::CheckRoundTrip(QStringLiteral(".pxa"));
  return 0;
}
