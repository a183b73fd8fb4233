#include "PackEncoder.h"

#include "Check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace praxel {

namespace {

// How many of the first `count` codes of a and b are the same, compared eight at a time.
int SameCodes(const unsigned char* a, const unsigned char* b, int count) {
  int same = 0;
  for (; same + 8 <= count; same += 8) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a + same, 8);
    std::memcpy(&y, b + same, 8);
    if (x != y) {
      const std::uint64_t differ = x ^ y;
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
      return same + bit / 8;
    }
  }
  while (same < count && a[same] == b[same]) ++same;
  return same;
}

}  // namespace

PackEncoder::PackEncoder() : index_(window_.Codes()) {}

PackEncoder::~PackEncoder() = default;

void PackEncoder::Write(char code) { Write(QByteArrayView(&code, 1)); }

void PackEncoder::Write(QByteArrayView text) {
  TRAP_ASSERT(!finished_, "nothing is written after Finish");
  const auto* code = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* const end = code + text.size();
  check_.Add(code, text.size());
  // Project text packs to well under half its size; the buffer grows from there if need be.
  if (output_.size() - outputSize_ < text.size() / 2) {
    output_.resize(std::max(outputSize_ + text.size() / 2 + 64, 2 * output_.size()));
  }
  const unsigned char* window = window_.Codes();
  int offset = matchOffset_;
  int length = pendingLength_;
  while (code != end) {
    // Most codes continue the pending text where it stands (and leave it short of a full tag):
    // the window does not change meanwhile, so they are taken as one run.
    if (length > 0) {
      const int room = std::min({kLongestPiece - 1 - length, kWindowSize - offset - length,
                                 static_cast<int>(std::min<std::ptrdiff_t>(end - code, kLongestPiece))});
      const int same = SameCodes(window + offset + length, code, room);
      length += same;
      code += same;
      if (code == end) break;
    }
    pendingLength_ = length;
    Add(*code++);
    offset = matchOffset_;
    length = pendingLength_;
  }
  matchOffset_ = offset;
  pendingLength_ = length;
}

void PackEncoder::Finish() {
  TRAP_ASSERT(!finished_, "a packed stream is finished once");
  while (pendingLength_ > 0) EmitFront();
  const quint16 check = check_.Value();
  Put(static_cast<char>(kEndMark), static_cast<char>(kEndMark));
  Put(static_cast<char>(check >> 8), static_cast<char>(check & 0xFF));
  finished_ = true;
}

QByteArray PackEncoder::TakeOutput() {
  QByteArray taken;
  taken.swap(output_);
  taken.truncate(outputSize_);
  outputSize_ = 0;
  return taken;
}

inline void PackEncoder::Put(char first, char second) {
  if (outputSize_ + 2 > output_.size()) output_.resize(std::max<qsizetype>(2 * output_.size(), 4096));
  char* out = output_.data() + outputSize_;
  out[0] = first;
  out[1] = second;
  outputSize_ += 2;
}

// Adds one code to the pending text, emitting tags for its front until the code can follow it.
void PackEncoder::Add(unsigned char code) {
  const unsigned char* window = window_.Codes();
  for (;;) {
    if (pendingLength_ == 0) {
      matchOffset_ = code;  // every code stands at its own index
      break;
    }
    const int end = matchOffset_ + pendingLength_;
    if (end < kWindowSize && window[end] == code) break;
    const int found = index_.FindContinuation(matchOffset_, pendingLength_, code);
    if (found >= 0) {
      matchOffset_ = found;
      break;
    }
    EmitFront();
  }
  ++pendingLength_;  // the window holds the code right behind the pending text
  if (pendingLength_ == kLongestPiece) EmitFront();
}

// Writes a tag for the longest power-of-two front of the pending text and applies the window
// update to it.
void PackEncoder::EmitFront() {
  const int length = static_cast<int>(std::bit_floor(static_cast<unsigned>(pendingLength_)));
  const int exponent = std::countr_zero(static_cast<unsigned>(length));
  Put(static_cast<char>(matchOffset_ >> 5), static_cast<char>(((matchOffset_ & 31) << 3) | exponent));

  const int restOffset = matchOffset_ + length;
  const int restLength = pendingLength_ - length;
  const int destination = window_.CopyDestination(matchOffset_, length);
  // The copy may land where the rest of the pending text stands: keep the rest to compare.
  const bool copyMeetsRest =
      restLength > 0 && destination < restOffset + restLength && restOffset < destination + length;
  std::array<unsigned char, kLongestPiece> rest;
  if (copyMeetsRest) std::memcpy(rest.data(), window_.Codes() + restOffset, static_cast<size_t>(restLength));

  window_.Record(matchOffset_, length);
  index_.Changed(destination, length);
  matchOffset_ = restOffset;
  pendingLength_ = restLength;

  // When the rest no longer stands behind the front, it is matched again from scratch.
  if (copyMeetsRest &&
      std::memcmp(window_.Codes() + restOffset, rest.data(), static_cast<size_t>(restLength)) != 0) {
    pendingLength_ = 0;
    for (int i = 0; i < restLength; ++i) Add(rest[i]);
  }
}

}  // namespace praxel
