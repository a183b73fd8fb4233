#pragma once

// The layout shared by the writer and the reader of packed files. A packed file is a run of
// two-byte tags, each standing for a piece of text that the reader finds in its window, then the
// end mark FF FF, then the check value of the text (high byte first). Both sides keep identical
// windows by applying the same update after every tag, so no dictionary is stored.

#include <array>

namespace praxel {

inline constexpr int kWindowSize = 8192;
// Indexes below this are never overwritten: index c always holds the code c.
inline constexpr int kFixedCodes = 256;
// The longest piece a tag stands for; pieces are 1, 2, 4, ... or 128 codes long.
inline constexpr int kLongestPiece = 128;

// A tag: b1 holds the high 8 bits of the offset, b2 the low 5 bits and then the exponent of the
// length in its low 3 bits.
struct PackTag {
  int offset = 0;
  int length = 1;
};

inline PackTag DecodeTag(unsigned char b1, unsigned char b2) {
  return {b1 * 32 + (b2 >> 3), 1 << (b2 & 7)};
}

// Any tag that reaches past the window is the end mark; the writer always writes FF FF.
inline bool IsEndMark(const PackTag& tag) { return tag.offset + tag.length > kWindowSize; }

inline constexpr unsigned char kEndMark = 0xFF;

// The window both sides keep: 8192 codes, initially index i holds i modulo 256.
class PackWindow {
 public:
  PackWindow();

  const unsigned char* Codes() const { return codes_.data(); }
  unsigned char At(int index) const { return codes_[index]; }

  // Where the next piece of `length` codes taken from `offset` goes. The copy jumps over the
  // text behind the piece, and starts again at index 256 when it would run past the window.
  int CopyDestination(int offset, int length) const;

  // The update after every tag: copies the piece (as it stood before the copy) to its
  // destination and moves the copy position behind it. Returns the destination.
  int Record(int offset, int length);

 private:
  std::array<unsigned char, kWindowSize> codes_;
  int copyPosition_ = kWindowSize;  // so that the first piece lands at index 256
};

}  // namespace praxel
