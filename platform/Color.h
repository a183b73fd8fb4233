#pragma once

#include <QColor>

#include <cstdint>

namespace praxel {

// Colours are stored as longs &HBBGGRR: red in the low byte, blue in the third.
QColor ColorFromLong(std::int32_t bbggrr);
std::int32_t LongFromColor(const QColor& color);

}  // namespace praxel
