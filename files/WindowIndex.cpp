#include "WindowIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace praxel {

namespace {

constexpr int kRunLength = 4;
constexpr int kRunKeys = 16384;  // runs that share a key share a chain; comparing tells them apart

std::uint64_t Bit(int index) { return std::uint64_t{1} << (index & 63); }

}  // namespace

inline void WindowIndex::AddCode(unsigned char code, int index) {
  byCode_[code][index / 64] |= Bit(index);
  ++codeCounts_[code];
}

inline void WindowIndex::RemoveCode(unsigned char code, int index) {
  byCode_[code][index / 64] &= ~Bit(index);
  --codeCounts_[code];
}

inline int WindowIndex::RunKey(const unsigned char* codes) {
  std::uint32_t run = 0;
  std::memcpy(&run, codes, kRunLength);
  return static_cast<int>((run * 2654435761u) >> 18);  // the top 14 bits: below kRunKeys
}

WindowIndex::WindowIndex(const unsigned char* window)
    : window_(window),
      byCode_(std::make_unique<IndexSet[]>(256)),
      chainHead_(kRunKeys, -1),
      chainLength_(kRunKeys, 0),
      links_(kWindowSize) {
  for (int code = 0; code < 256; ++code) byCode_[code].fill(0);
  for (int index = 0; index < kWindowSize; ++index) AddCode(window_[index], index);
  ChainRuns(0, kWindowSize);
}

WindowIndex::~WindowIndex() = default;

void WindowIndex::Changed(int from, int length, const unsigned char* before) {
  for (int i = 0; i < length; ++i) {
    const int index = from + i;
    if (before[i] == window_[index]) continue;
    RemoveCode(before[i], index);
    AddCode(window_[index], index);
  }
  ChainRuns(from, length);
}

// Moves the runs that hold a code of [from, from + length) to the chains of their keys.
void WindowIndex::ChainRuns(int from, int length) {
  const int end = std::min(from + length, kWindowSize - kRunLength + 1);
  for (int index = std::max(from - kRunLength + 1, 0); index < end; ++index) {
    const int key = RunKey(window_ + index);
    ChainLink& link = links_[index];
    const int oldKey = link.key;
    if (key == oldKey) continue;
    if (oldKey >= 0) {
      (link.previous >= 0 ? links_[link.previous].next : chainHead_[oldKey]) = link.next;
      if (link.next >= 0) links_[link.next].previous = link.previous;
      --chainLength_[oldKey];
    }
    const std::int16_t head = chainHead_[key];
    link = {static_cast<std::int16_t>(key), head, -1};
    if (head >= 0) links_[head].previous = static_cast<std::int16_t>(index);
    chainHead_[key] = static_cast<std::int16_t>(index);
    ++chainLength_[key];
  }
}

bool WindowIndex::MightHold(const unsigned char* text, int length) const {
  if (length < kRunLength) return true;
  // The run of the text with the shortest chain.
  int distance = 0;
  int key = RunKey(text);
  for (int at = 1; at + kRunLength <= length; ++at) {
    const int atKey = RunKey(text + at);
    if (chainLength_[atKey] < chainLength_[key]) {
      distance = at;
      key = atKey;
    }
  }
  for (int index = chainHead_[key]; index >= 0; index = links_[index].next) {
    const int place = index - distance;
    if (place >= 0 && place + length <= kWindowSize &&
        std::memcmp(window_ + place, text, static_cast<size_t>(length)) == 0) {
      return true;
    }
  }
  return false;
}

// Picks the text's last code (where a text that stands in many places usually differs from
// most of them) and its rarest other code.
void WindowIndex::Seek(const unsigned char* text, int length) {
  text_ = text;
  textLength_ = length;
  int rarest = 0;
  for (int at = 1; at < length - 1; ++at) {
    if (codeCounts_[text[at]] < codeCounts_[text[rarest]]) rarest = at;
  }
  const int distances[] = {rarest, length - 1};
  pickCount_ = length > 1 ? 2 : 1;
  for (int i = 0; i < pickCount_; ++i) {
    picks_[i] = {byCode_[text[distances[i]]].data() + distances[i] / 64, static_cast<unsigned>(distances[i] % 64)};
  }
}

int WindowIndex::NextPlace(int start) const {
  if (start >= kWindowSize) return -1;
  return pickCount_ == 1 ? NextPlaceBy<1>(start) : NextPlaceBy<2>(start);
}

// NextPlace with `picks` picks: a candidate is an index p where p plus a pick's distance holds
// the pick's code, for every pick.
template <int picks>
int WindowIndex::NextPlaceBy(int start) const {
  std::uint64_t from = ~std::uint64_t{0} << (start % 64);
  for (int word = start / 64; word < kWords; ++word) {
    std::uint64_t candidates = from;
    for (int i = 0; i < picks; ++i) {
      const Pick& pick = picks_[i];
      // Two shifts for the high part, so that a bit shift of 0 shifts it out entirely.
      candidates &= (pick.words[word] >> pick.bitShift) | ((pick.words[word + 1] << 1) << (63 - pick.bitShift));
    }
    for (; candidates != 0; candidates &= candidates - 1) {
      const int place = word * 64 + std::countr_zero(candidates);
      if (HoldsText(place)) return place;
    }
    from = ~std::uint64_t{0};
  }
  return -1;
}

// Whether the whole text stands at place. Compares from the end, eight codes at a time: a text
// that stands in many places usually differs from them in its last codes.
bool WindowIndex::HoldsText(int place) const {
  if (place + textLength_ > kWindowSize) return false;
  const unsigned char* codes = window_ + place;
  int at = textLength_;
  for (; at >= 8; at -= 8) {
    std::uint64_t held = 0;
    std::uint64_t wanted = 0;
    std::memcpy(&held, codes + at - 8, 8);
    std::memcpy(&wanted, text_ + at - 8, 8);
    if (held != wanted) return false;
  }
  while (at > 0 && codes[at - 1] == text_[at - 1]) --at;
  return at == 0;
}

}  // namespace praxel
