#include "WindowIndex.h"

#include <algorithm>
#include <bit>

namespace praxel {

namespace {

std::uint64_t Bit(int index) { return std::uint64_t{1} << (index & 63); }

}  // namespace

WindowIndex::WindowIndex(const unsigned char* window)
    : window_(window), byCode_(std::make_unique<IndexSet[]>(256)) {
  for (int code = 0; code < 256; ++code) byCode_[code].fill(0);
  Reindex(0, kWindowSize);
}

void WindowIndex::Unindex(int from, int length) {
  for (int index = from; index < from + length; ++index) {
    byCode_[window_[index]][index / 64] &= ~Bit(index);
    --codeCounts_[window_[index]];
  }
}

void WindowIndex::Reindex(int from, int length) {
  for (int index = from; index < from + length; ++index) {
    byCode_[window_[index]][index / 64] |= Bit(index);
    ++codeCounts_[window_[index]];
  }
  knownLength_ = 0;
}

void WindowIndex::LearnPlaces(const unsigned char* text, int length) {
  if (knownLength_ == 0) {
    LearnFromScratch(text, length);
    return;
  }
  while (!listed_ && knownLength_ < length) {
    Narrow(text, knownLength_);
    ++knownLength_;
    TryListing(filledWords_);
  }
  if (listed_) CheckListed(text, knownLength_, length);
  knownLength_ = length;
}

// Intersects the sets of the text's codes, the rarest codes first, so that the set gets small
// soon; once it is small, lists it and checks every place against the whole text.
void WindowIndex::LearnFromScratch(const unsigned char* text, int length) {
  listed_ = false;
  if (length == 1) {
    places_ = byCode_[text[0]].data();
    knownLength_ = 1;
    return;
  }
  std::array<bool, kLongestPiece> used{};
  places_ = nullptr;
  for (int usedCount = 0; usedCount < length; ++usedCount) {
    int rarest = -1;
    for (int at = 0; at < length; ++at) {
      if (!used[at] && (rarest < 0 || codeCounts_[text[at]] < codeCounts_[text[rarest]])) rarest = at;
    }
    used[rarest] = true;
    Narrow(text, rarest);
    if (TryListing(filledWords_)) {
      CheckListed(text, 0, length);
      break;
    }
  }
  knownLength_ = length;
}

// Keeps the places p of the set where the window holds text[at] at p + at (all places that can
// hold it, when there is no set yet).
void WindowIndex::Narrow(const unsigned char* text, int at) {
  const std::uint64_t* const from = byCode_[text[at]].data() + at / 64;
  const unsigned bitShift = static_cast<unsigned>(at % 64);
  std::uint64_t* const narrowed = placeStore_.data();
  // Two shifts for the high part, so that a bit shift of 0 shifts it out entirely. The loops are
  // kept plain so that the compiler vectorizes them.
  if (places_ == nullptr) {
    for (int w = 0; w < kWords; ++w) narrowed[w] = (from[w] >> bitShift) | ((from[w + 1] << 1) << (63 - bitShift));
  } else {
    const std::uint64_t* const current = places_;
    for (int w = 0; w < kWords; ++w)
      narrowed[w] = current[w] & ((from[w] >> bitShift) | ((from[w + 1] << 1) << (63 - bitShift)));
  }
  places_ = narrowed;
  int filled = 0;
  for (int w = 0; w < kWords; ++w) filled += narrowed[w] != 0 ? 1 : 0;
  filledWords_ = filled;
}

// Turns a small set into a list.
bool WindowIndex::TryListing(int filledWords) {
  if (filledWords > kListLimit) return false;
  int count = 0;
  for (int w = 0; w < kWords; ++w) {
    for (std::uint64_t bits = places_[w]; bits != 0; bits &= bits - 1) {
      if (count == kListLimit) return false;
      placeList_[count++] = static_cast<std::uint16_t>(w * 64 + std::countr_zero(bits));
    }
  }
  listLength_ = count;
  listed_ = true;
  return true;
}

// Keeps the listed places where the window holds text[from, length) at the same distance.
void WindowIndex::CheckListed(const unsigned char* text, int from, int length) {
  int kept = 0;
  for (int i = 0; i < listLength_; ++i) {
    const int place = placeList_[i];
    if (place + length > kWindowSize) continue;
    // From the end: a text that stands in many places usually differs from them in its last codes.
    const unsigned char* codes = window_ + place;
    int at = length;
    while (at > from && codes[at - 1] == text[at - 1]) --at;
    if (at == from) placeList_[kept++] = static_cast<std::uint16_t>(place);
  }
  listLength_ = kept;
}

int WindowIndex::NextPlace(int start) const {
  if (start >= kWindowSize) return -1;
  if (listed_) {
    const std::uint16_t* end = placeList_.data() + listLength_;
    const std::uint16_t* it = std::lower_bound(placeList_.data(), end, start);
    return it == end ? -1 : *it;
  }
  int w = start / 64;
  std::uint64_t bits = places_[w] & (~std::uint64_t{0} << (start & 63));
  while (bits == 0) {
    if (++w == kWords) return -1;
    bits = places_[w];
  }
  return w * 64 + std::countr_zero(bits);
}

}  // namespace praxel
