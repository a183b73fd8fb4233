#include "PackEncoder.h"

#include "RuntimeError.h"

#include <bit>
#include <cstring>

namespace praxel {

PackEncoder::PackEncoder() : index_(window_.Codes()) {}

PackEncoder::~PackEncoder() = default;

void PackEncoder::Write(char code) {
  if (finished_) RaiseAssertion();
  const auto byte = static_cast<unsigned char>(code);
  check_.Add(byte);
  Add(byte);
}

void PackEncoder::Write(QByteArrayView text) {
  if (finished_) RaiseAssertion();
  for (const char code : text) {
    const auto byte = static_cast<unsigned char>(code);
    check_.Add(byte);
    Add(byte);
  }
}

void PackEncoder::Finish() {
  if (finished_) RaiseAssertion();
  while (pendingLength_ > 0) EmitFront();
  const quint16 check = check_.Value();
  const char suffix[] = {static_cast<char>(kEndMark), static_cast<char>(kEndMark),
                         static_cast<char>(check >> 8), static_cast<char>(check & 0xFF)};
  output_.append(suffix, sizeof suffix);
  finished_ = true;
}

QByteArray PackEncoder::TakeOutput() {
  QByteArray taken;
  taken.swap(output_);
  return taken;
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
    int found = 0;
    if (FindContinuation(code, &found)) {
      matchOffset_ = found;
      break;
    }
    EmitFront();
  }
  pending_[pendingLength_++] = code;
  if (pendingLength_ == kLongestPiece) EmitFront();
}

// Looks for another place of the pending text that the code continues. The places are tried in
// window order from just after the match offset, going round to index 0 after a try finds none
// or finds one that ends the window; the writer gives up after as many tries as the pending text
// is long.
bool PackEncoder::FindContinuation(unsigned char code, int* found) {
  const unsigned char* window = window_.Codes();
  const int length = pendingLength_;
  index_.Seek(pending_.data(), length);
  int start = matchOffset_ + 1;
  bool wentRound = false;
  for (int attempt = 0; attempt < length; ++attempt) {
    const int place = index_.NextPlace(start);
    if (place < 0 || place + length >= kWindowSize) {
      // Going round a second time would only try the same places again.
      if (wentRound) return false;
      wentRound = true;
      start = 0;
      continue;
    }
    // Past the match offset after going round: every place has been tried, and failed.
    if (wentRound && place > matchOffset_) return false;
    if (window[place + length] == code) {
      *found = place;
      return true;
    }
    start = place + 1;
  }
  return false;
}

// Writes a tag for the longest power-of-two front of the pending text and applies the window
// update to it.
void PackEncoder::EmitFront() {
  const int length = static_cast<int>(std::bit_floor(static_cast<unsigned>(pendingLength_)));
  const int exponent = std::countr_zero(static_cast<unsigned>(length));
  const char tag[] = {static_cast<char>(matchOffset_ >> 5),
                      static_cast<char>(((matchOffset_ & 31) << 3) | exponent)};
  output_.append(tag, sizeof tag);

  const int destination = window_.CopyDestination(matchOffset_, length);
  index_.Unindex(destination, length);
  window_.Record(matchOffset_, length);
  index_.Reindex(destination, length);

  pendingLength_ -= length;
  std::memmove(pending_.data(), pending_.data() + length, static_cast<size_t>(pendingLength_));
  matchOffset_ += length;

  // The rest of the pending text stood right behind the front; the copy may have overwritten it.
  if (pendingLength_ > 0 &&
      std::memcmp(window_.Codes() + matchOffset_, pending_.data(), static_cast<size_t>(pendingLength_)) != 0) {
    std::array<unsigned char, kLongestPiece> rest;
    const int restLength = pendingLength_;
    std::memcpy(rest.data(), pending_.data(), static_cast<size_t>(restLength));
    pendingLength_ = 0;
    for (int i = 0; i < restLength; ++i) Add(rest[i]);
  }
}

}  // namespace praxel
