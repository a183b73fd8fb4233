#include "Color.h"

namespace praxel {

QColor ColorFromLong(std::int32_t bbggrr) {
  const auto value = static_cast<std::uint32_t>(bbggrr);
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::int32_t LongFromColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                   (static_cast<std::uint32_t>(rgb.blue()) << 16));
}

}  // namespace praxel
