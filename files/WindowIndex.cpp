#include "WindowIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace praxel {

namespace {

constexpr int kRunLength = 4;
constexpr int kRunKeys = 16384;  // runs that share a key share a count

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
      runCounts_(kRunKeys, 0),
      runKeys_(kWindowSize, -1) {
  for (int code = 0; code < 256; ++code) byCode_[code].fill(0);
  for (int index = 0; index < kWindowSize; ++index) AddCode(window_[index], index);
  CountRuns(0, kWindowSize);
}

WindowIndex::~WindowIndex() = default;

void WindowIndex::Changed(int from, int length, const unsigned char* before) {
  for (int i = 0; i < length; ++i) {
    const int index = from + i;
    if (before[i] == window_[index]) continue;
    RemoveCode(before[i], index);
    AddCode(window_[index], index);
  }
  CountRuns(from, length);
}

// Moves the runs that hold a code of [from, from + length) to the counts of their keys.
void WindowIndex::CountRuns(int from, int length) {
  const int end = std::min(from + length, kWindowSize - kRunLength + 1);
  for (int index = std::max(from - kRunLength + 1, 0); index < end; ++index) {
    const int key = RunKey(window_ + index);
    std::int16_t& held = runKeys_[index];
    if (key == held) continue;
    if (held >= 0) --runCounts_[held];
    held = static_cast<std::int16_t>(key);
    ++runCounts_[key];
  }
}

// Every run of four codes of a text that the window holds is counted under its key: when one
// of the text's runs has no count, the window holds the text nowhere.
bool WindowIndex::MightHold(const unsigned char* text, int length) const {
  for (int at = 0; at + kRunLength <= length; ++at) {
    if (runCounts_[RunKey(text + at)] == 0) return false;
  }
  return true;
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
