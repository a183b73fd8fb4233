#include "WindowIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PRAXEL_PAIR_SCAN_SIMD
#include <immintrin.h>
#endif

namespace praxel {

namespace {

constexpr int kRunLength = 4;

using PairScan = WindowIndex::PairScan;

// The first index p in [from, to] where codes[p] is `first` and codes[p + distance] is `last`,
// or -1: thirty-two indexes at a time where the processor can, one at a time after.
int FindPairPlainly(const PairScan& scan, int from, int to) {
  for (int place = from; place <= to; ++place) {
    if (scan.codes[place] == scan.first && scan.codes[place + scan.distance] == scan.last) return place;
  }
  return -1;
}

#ifdef PRAXEL_PAIR_SCAN_SIMD
__attribute__((target("avx2"))) int FindPairAvx2(const PairScan& scan, int from, int to) {
  const __m256i firsts = _mm256_set1_epi8(static_cast<char>(scan.first));
  const __m256i lasts = _mm256_set1_epi8(static_cast<char>(scan.last));
  int place = from;
  for (; place + 31 <= to; place += 32) {
    const __m256i atFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(scan.codes + place));
    const __m256i atLast = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(scan.codes + place + scan.distance));
    const auto found = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(atFirst, firsts), _mm256_cmpeq_epi8(atLast, lasts))));
    if (found != 0) return place + std::countr_zero(found);
  }
  return FindPairPlainly(scan, place, to);
}
#endif

}  // namespace

WindowIndex::FindPair WindowIndex::PlainPairScan() { return FindPairPlainly; }

WindowIndex::FindPair WindowIndex::FastestPairScan() {
#ifdef PRAXEL_PAIR_SCAN_SIMD
  if (__builtin_cpu_supports("avx2")) return FindPairAvx2;
#endif
  return FindPairPlainly;
}

inline int WindowIndex::RunKey(const unsigned char* codes) {
  std::uint32_t run = 0;
  std::memcpy(&run, codes, kRunLength);
  return static_cast<int>((run * 2654435761u) >> 18);  // the top 14 bits: below kRunKeys
}

WindowIndex::WindowIndex(const unsigned char* window)
    : window_(window),
      findPair_(FastestPairScan()),
      runKeys_(kWindowSize, -1),
      runCounts_(kRunKeys, 0),
      links_(kWindowSize + kRunKeys) {
  for (int key = 0; key < kRunKeys; ++key) {
    const auto own = static_cast<std::int16_t>(kWindowSize + key);
    links_[own] = {own, own};
  }
  // Every index starts in the ring of a key that no run has, which Changed takes it out of.
  for (int index = 0; index < kWindowSize; ++index) links_[index] = {static_cast<std::int16_t>(index), static_cast<std::int16_t>(index)};
  Changed(0, kWindowSize);
}

// Moves the runs that hold a code of [from, from + length) to the rings of their keys.
void WindowIndex::Changed(int from, int length) {
  const int end = std::min(from + length, kWindowSize - kRunLength + 1);
  // A write before the end of the last one starts a new sweep of the window.
  if (from < writeEnd_) ++sweep_;
  writeEnd_ = from + length;
  Link* const links = links_.data();
  std::int16_t* const runKeys = runKeys_.data();
  std::int16_t* const runCounts = runCounts_.data();
  for (int index = std::max(from - kRunLength + 1, 0); index < end; ++index) {
    const int key = RunKey(window_ + index);
    const int held = runKeys[index];
    if (key == held) continue;
    // Out of the ring of its old key (an index of no ring is linked to itself)...
    Link& link = links[index];
    links[link.previous].next = link.next;
    links[link.next].previous = link.previous;
    if (held >= 0) --runCounts[held];
    // ... and into the new one, behind the key's own link.
    runKeys[index] = static_cast<std::int16_t>(key);
    ++runCounts[key];
    Link& own = links[kWindowSize + key];
    link = {static_cast<std::int16_t>(kWindowSize + key), own.next};
    links[own.next].previous = static_cast<std::int16_t>(index);
    own.next = static_cast<std::int16_t>(index);
  }
}

int WindowIndex::FindContinuation(int offset, int length, unsigned char code) {
  // Only a place of the text followed by the code ends the search: when the window holds that
  // nowhere, the search fails whatever it tries.
  if (!MightHoldFollowed(offset, length, code)) return -1;
  if (length == 1) {
    // One try: the next index that holds the code, unless it ends the window.
    const int place = NextHolder(offset);
    return place < kWindowSize - 1 && window_[place + 1] == code ? place : -1;
  }

  Seek(offset, length);
  int start = offset + 1;
  bool wentRound = false;
  for (int attempt = 0; attempt < length; ++attempt) {
    const int place = NextPlace(start);
    if (place < 0 || place + length >= kWindowSize) {
      // Going round a second time would only try the same places again.
      if (wentRound) return -1;
      wentRound = true;
      start = 0;
      continue;
    }
    // Past the offset after going round: every place has been tried, and failed.
    if (wentRound && place > offset) return -1;
    if (window_[place + length] == code) return place;
    start = place + 1;
  }
  return -1;
}

// The next index after offset that holds the same code, or kWindowSize. The fixed codes differ
// from each other, so past a fixed code that is the first index after them that holds it: the
// one remembered for the code, unless a write since may have changed the indexes up to it.
int WindowIndex::NextHolder(int offset) {
  const unsigned char code = window_[offset];
  if (offset >= kFixedCodes) return FirstHolder(offset + 1, code);
  FirstHeld& held = firstHeld_[code];
  if (held.sweep == sweep_ && held.index < held.writeEnd) return held.index;
  // Up to the end of the writes before it was found, the window still holds no code before it.
  const int from = held.sweep == sweep_ ? held.writeEnd : kFixedCodes;
  held = {static_cast<std::int16_t>(FirstHolder(from, code)), static_cast<std::int16_t>(writeEnd_), sweep_};
  return held.index;
}

int WindowIndex::FirstHolder(int from, unsigned char code) const {
  if (from >= kWindowSize) return kWindowSize;
  const void* found = std::memchr(window_ + from, code, static_cast<size_t>(kWindowSize - from));
  return found == nullptr ? kWindowSize : static_cast<int>(static_cast<const unsigned char*>(found) - window_);
}

// The text stands at offset, so its own runs are all counted: only the run that ends with the
// code can be missing.
bool WindowIndex::MightHoldFollowed(int offset, int length, unsigned char code) const {
  if (length < kRunLength - 1) return true;
  unsigned char run[kRunLength];
  std::memcpy(run, window_ + offset + length - (kRunLength - 1), kRunLength - 1);
  run[kRunLength - 1] = code;
  return runCounts_[RunKey(run)] != 0;
}

void WindowIndex::Seek(int offset, int length) {
  text_ = window_ + offset;
  textLength_ = length;
  listed_ = length >= kRunLength && ListPlaces(offset, length);
}

// Lists the places of the text when one of its runs is rare: among a few runs spread over the
// text, the one that stands at the fewest indexes gives the candidates.
bool WindowIndex::ListPlaces(int offset, int length) {
  const int lastRun = length - kRunLength;
  const int step = 1 + lastRun / 8;
  int rarest = lastRun;
  int fewest = runCounts_[runKeys_[offset + lastRun]];
  for (int distance = 0; distance < lastRun && fewest > 1; distance += step) {
    const int count = runCounts_[runKeys_[offset + distance]];
    if (count < fewest) {
      fewest = count;
      rarest = distance;
    }
  }
  if (fewest > kMostListed) return false;

  // Only candidates: the search mostly ends at the first place it tries, so each is compared
  // with the text when the search comes to it.
  placeCount_ = 0;
  const int own = kWindowSize + runKeys_[offset + rarest];
  for (int index = links_[own].next; index != own; index = links_[index].next) {
    const int place = index - rarest;
    if (place < 0 || place + length > kWindowSize) continue;
    // In window order: the lists are short, and most hold one place.
    int at = placeCount_++;
    for (; at > 0 && places_[at - 1] > place; --at) places_[at] = places_[at - 1];
    places_[at] = static_cast<std::int16_t>(place);
  }
  return true;
}

int WindowIndex::NextPlace(int start) const {
  if (start >= kWindowSize) return -1;
  if (listed_) {
    for (int i = 0; i < placeCount_; ++i) {
      const int place = places_[i];
      if (place >= start && (window_ + place == text_ || HoldsText(place))) return place;
    }
    return -1;
  }
  return ScanPlace(start);
}

// The first place at or after start: a candidate holds the text's first and last codes, and
// only candidates are compared with the whole text.
int WindowIndex::ScanPlace(int start) const {
  const int lastPlace = kWindowSize - textLength_;
  if (start > lastPlace) return -1;
  const PairScan scan{window_, textLength_ - 1, text_[0], text_[textLength_ - 1]};
  int place = findPair_(scan, start, lastPlace);
  if (textLength_ == 2) return place;  // the first and last codes are the whole text
  for (; place >= 0; place = findPair_(scan, place + 1, lastPlace)) {
    if (HoldsText(place)) return place;
  }
  return -1;
}

// Whether the whole text stands at place. Compares its last eight codes first: a text that
// stands in many places usually differs from them in its last codes.
bool WindowIndex::HoldsText(int place) const {
  if (place + textLength_ > kWindowSize) return false;
  const unsigned char* codes = window_ + place;
  int at = textLength_;
  if (at >= 8) {
    std::uint64_t held = 0;
    std::uint64_t wanted = 0;
    std::memcpy(&held, codes + at - 8, 8);
    std::memcpy(&wanted, text_ + at - 8, 8);
    if (held != wanted) return false;
    at -= 8;
    // The library compares long texts many codes at a time.
    if (at > 16) return std::memcmp(codes, text_, static_cast<size_t>(at)) == 0;
  }
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
