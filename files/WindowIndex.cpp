#include "WindowIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace praxel {

namespace {

constexpr int kRunLength = 4;
constexpr int kRunKeys = 16384;  // runs that share a key share a chain; comparing tells them apart

std::uint64_t Bit(int index) { return std::uint64_t{1} << (index & 63); }

// Word `index` of a set read from bit `shift` on (shift below 128): bit i of the result is bit
// 64 * index + shift + i of the set.
std::uint64_t ShiftedWord(const std::uint64_t* set, int index, int shift) {
  const int word = index + shift / 64;
  const unsigned bitShift = static_cast<unsigned>(shift % 64);
  // Two shifts for the high part, so that a bit shift of 0 shifts it out entirely.
  return (set[word] >> bitShift) | ((set[word + 1] << 1) << (63 - bitShift));
}

}  // namespace

WindowIndex::WindowIndex(const unsigned char* window)
    : window_(window),
      byCode_(std::make_unique<IndexSet[]>(256)),
      filledWords_(std::make_unique<WordSet[]>(256)),
      chainHead_(kRunKeys, -1),
      chainNext_(kWindowSize, -1),
      chainPrevious_(kWindowSize, -1),
      runKey_(kWindowSize, -1),
      chainLength_(kRunKeys, 0) {
  for (int code = 0; code < 256; ++code) {
    byCode_[code].fill(0);
    filledWords_[code].fill(0);
  }
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

void WindowIndex::AddCode(unsigned char code, int index) {
  byCode_[code][index / 64] |= Bit(index);
  filledWords_[code][index / 64 / 64] |= Bit(index / 64);
  ++codeCounts_[code];
}

void WindowIndex::RemoveCode(unsigned char code, int index) {
  std::uint64_t& word = byCode_[code][index / 64];
  word &= ~Bit(index);
  if (word == 0) filledWords_[code][index / 64 / 64] &= ~Bit(index / 64);
  --codeCounts_[code];
}

int WindowIndex::RunKey(const unsigned char* codes) {
  std::uint32_t run = 0;
  std::memcpy(&run, codes, kRunLength);
  return static_cast<int>((run * 2654435761u) >> 18);  // the top 14 bits: below kRunKeys
}

// Moves the runs that hold a code of [from, from + length) to the chains of their keys.
void WindowIndex::ChainRuns(int from, int length) {
  const int end = std::min(from + length, kWindowSize - kRunLength + 1);
  for (int index = std::max(from - kRunLength + 1, 0); index < end; ++index) {
    const int key = RunKey(window_ + index);
    const int oldKey = runKey_[index];
    if (key == oldKey) continue;
    if (oldKey >= 0) {
      const int previous = chainPrevious_[index];
      const int next = chainNext_[index];
      (previous >= 0 ? chainNext_[previous] : chainHead_[oldKey]) = static_cast<std::int16_t>(next);
      if (next >= 0) chainPrevious_[next] = static_cast<std::int16_t>(previous);
      --chainLength_[oldKey];
    }
    const int head = chainHead_[key];
    chainNext_[index] = static_cast<std::int16_t>(head);
    chainPrevious_[index] = -1;
    if (head >= 0) chainPrevious_[head] = static_cast<std::int16_t>(index);
    chainHead_[key] = static_cast<std::int16_t>(index);
    runKey_[index] = static_cast<std::int16_t>(key);
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
  for (int index = chainHead_[key]; index >= 0; index = chainNext_[index]) {
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
  int last = length > 1 ? length - 1 : -1;
  // The rarer pick goes first: its words are the ones to scan.
  if (last >= 0 && codeCounts_[text[last]] < codeCounts_[text[rarest]]) std::swap(last, rarest);
  pickCount_ = last < 0 ? 1 : 2;
  const int distances[] = {rarest, last};
  for (int i = 0; i < pickCount_; ++i) {
    picks_[i] = {byCode_[text[distances[i]]].data() + distances[i] / 64, static_cast<unsigned>(distances[i] % 64)};
  }
  // Word w of the candidates needs word w + distance / 64, or the next one, of the rarer set.
  const std::uint64_t* filled = filledWords_[text[rarest]].data();
  for (int half = 0; half < 2; ++half) {
    wordsToScan_[half] = ShiftedWord(filled, half, rarest / 64) | ShiftedWord(filled, half, rarest / 64 + 1);
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
  const int firstWord = start / 64;
  for (int half = firstWord / 64; half < 2; ++half) {
    std::uint64_t words = wordsToScan_[half];
    if (half == firstWord / 64) words &= ~std::uint64_t{0} << (firstWord % 64);
    for (; words != 0; words &= words - 1) {
      const int word = half * 64 + std::countr_zero(words);
      std::uint64_t candidates = word == firstWord ? ~std::uint64_t{0} << (start % 64) : ~std::uint64_t{0};
      for (int i = 0; i < picks; ++i) {
        const Pick& pick = picks_[i];
        // Two shifts for the high part, so that a bit shift of 0 shifts it out entirely.
        candidates &= (pick.words[word] >> pick.bitShift) | ((pick.words[word + 1] << 1) << (63 - pick.bitShift));
      }
      for (; candidates != 0; candidates &= candidates - 1) {
        const int place = word * 64 + std::countr_zero(candidates);
        if (HoldsText(place)) return place;
      }
    }
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
