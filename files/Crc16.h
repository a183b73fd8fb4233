#pragma once

#include <QtGlobal>

#include <array>

namespace praxel {

namespace crc16_detail {

// Table k, entry i: the register after shifting the byte i, followed by 8 + 8k zero bits, through
// the polynomial 0x1021. Table 0 takes one byte a step; all eight take eight bytes a step, since
// the register only meets the first two of them and each byte's share can be looked up alone.
constexpr std::array<std::array<quint16, 256>, 8> MakeTables() {
  std::array<std::array<quint16, 256>, 8> tables{};
  for (int i = 0; i < 256; ++i) {
    unsigned value = static_cast<unsigned>(i) << 8;
    for (int bit = 0; bit < 8; ++bit) value = (value & 0x8000) ? (value << 1) ^ 0x1021 : value << 1;
    tables[0][i] = static_cast<quint16>(value);
  }
  for (int k = 1; k < 8; ++k) {
    for (int i = 0; i < 256; ++i) {
      const quint16 before = tables[k - 1][i];
      tables[k][i] = static_cast<quint16>((before << 8) ^ tables[0][before >> 8]);
    }
  }
  return tables;
}

inline constexpr std::array<std::array<quint16, 256>, 8> kTables = MakeTables();

}  // namespace crc16_detail

// The check value of packed files: CRC-16 with the polynomial 0x1021, most significant bit
// first, starting at 0, with no final inversion (the variant known as CRC-16/XMODEM).
class Crc16 {
 public:
  void Add(unsigned char code) { value_ = Step(value_, code); }
  void Add(const unsigned char* codes, qsizetype count) {
    using crc16_detail::kTables;
    quint16 value = value_;
    qsizetype i = 0;
    for (; i + 8 <= count; i += 8) {
      const unsigned char* c = codes + i;
      value = kTables[7][(value >> 8) ^ c[0]] ^ kTables[6][(value & 0xFF) ^ c[1]] ^ kTables[5][c[2]] ^
              kTables[4][c[3]] ^ kTables[3][c[4]] ^ kTables[2][c[5]] ^ kTables[1][c[6]] ^ kTables[0][c[7]];
    }
    for (; i < count; ++i) value = Step(value, codes[i]);
    value_ = value;
  }
  quint16 Value() const { return value_; }

 private:
  static quint16 Step(quint16 value, unsigned char code) {
    return static_cast<quint16>((value << 8) ^ crc16_detail::kTables[0][((value >> 8) ^ code) & 0xFF]);
  }

  quint16 value_ = 0;
};

}  // namespace praxel
