#pragma once

#include <QtGlobal>

#include <array>

namespace praxel {

namespace crc16_detail {

// Entry i: the register after shifting the byte i, followed by eight zero bits, through the
// polynomial 0x1021.
constexpr std::array<quint16, 256> MakeTable() {
  std::array<quint16, 256> table{};
  for (int i = 0; i < 256; ++i) {
    unsigned value = static_cast<unsigned>(i) << 8;
    for (int bit = 0; bit < 8; ++bit) value = (value & 0x8000) ? (value << 1) ^ 0x1021 : value << 1;
    table[i] = static_cast<quint16>(value);
  }
  return table;
}

inline constexpr std::array<quint16, 256> kTable = MakeTable();

}  // namespace crc16_detail

// The check value of packed files: CRC-16 with the polynomial 0x1021, most significant bit
// first, starting at 0, with no final inversion (the variant known as CRC-16/XMODEM).
class Crc16 {
 public:
  void Add(unsigned char code) {
    value_ = static_cast<quint16>((value_ << 8) ^ crc16_detail::kTable[((value_ >> 8) ^ code) & 0xFF]);
  }
  quint16 Value() const { return value_; }

 private:
  quint16 value_ = 0;
};

}  // namespace praxel
