#include "PackFormat.h"

#include <cstring>

namespace praxel {

PackWindow::PackWindow() {
  for (int i = 0; i < kWindowSize; ++i) codes_[i] = static_cast<unsigned char>(i % 256);
}

int PackWindow::CopyDestination(int offset, int length) const {
  int destination = copyPosition_;
  if (offset <= destination && destination < offset + 2 * length) destination = offset + 2 * length;
  if (destination + length > kWindowSize) destination = kFixedCodes;
  return destination;
}

int PackWindow::Record(int offset, int length) {
  const int destination = CopyDestination(offset, length);
  // The regions may overlap; memmove copies the piece as it stood before.
  std::memmove(codes_.data() + destination, codes_.data() + offset, static_cast<size_t>(length));
  copyPosition_ = destination + length;
  return destination;
}

}  // namespace praxel
