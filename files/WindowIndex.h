#pragma once

#include "PackFormat.h"

#include <array>
#include <cstdint>
#include <vector>

namespace praxel {

// The writer's index of its window, so that finding the places of the pending text rarely
// compares it at every index of the window.
//
// For every key of a run of four codes, the indexes whose run has it, in a ring. The places of a
// text of four codes or more are among the indexes of the rarest of its runs, moved back by the
// run's distance from the text's start: when that ring is short, only those few are compared
// with the whole text. The places of a shorter text, or of one whose runs are all common, are
// found by scanning the window for its first and last codes, many indexes at a time. A text of
// one code that starts at its fixed index (most pending texts do) is found where the index last
// found that code, as long as the writes since have only gone on forward past it.
class WindowIndex {
 public:
  // Where codes[p] is `first` and codes[p + distance] is `last`.
  struct PairScan {
    const unsigned char* codes;
    int distance;
    unsigned char first;
    unsigned char last;
  };
  // The first such p in [from, to], or -1.
  using FindPair = int (*)(const PairScan& scan, int from, int to);
  // The scan one index at a time, and the fastest this processor has (the one the index uses):
  // both give the same answers.
  static FindPair PlainPairScan();
  static FindPair FastestPairScan();

  // `window` is the window's codes; Changed keeps the index in step with them.
  explicit WindowIndex(const unsigned char* window);
  WindowIndex(const WindowIndex&) = delete;
  WindowIndex& operator=(const WindowIndex&) = delete;

  // Call after the window's codes at [from, from + length) changed.
  void Changed(int from, int length);

  // Another place where the window holds its own text at [offset, offset + length) followed by
  // `code`, or -1. The places of the text are tried in window order from just after offset,
  // going round to index 0 after a try finds none or finds one that ends the window; the search
  // gives up after as many tries as the text is long.
  int FindContinuation(int offset, int length, unsigned char code);

 private:
  // A text's places are listed, rather than scanned for, when its rarest run stands at no more
  // indexes than this.
  static constexpr int kMostListed = 32;

  // False when the window surely holds nowhere its own text at [offset, offset + length)
  // followed by `code`; true when it may.
  bool MightHoldFollowed(int offset, int length, unsigned char code) const;
  // Sets the text that NextPlace lists the places of: the window's own codes at
  // [offset, offset + length).
  void Seek(int offset, int length);
  // The first place at or after start where the window holds the whole text, or -1.
  int NextPlace(int start) const;

  int NextHolder(int offset);
  int FirstHolder(int from, unsigned char code) const;
  static int RunKey(const unsigned char* codes);
  bool ListPlaces(int offset, int length);
  int ScanPlace(int start) const;
  bool HoldsText(int place) const;

  const unsigned char* window_;
  FindPair findPair_;

  // The key of the run of four codes that starts at each index (-1 for none), and for each key
  // how many runs have it and the ring of their indexes. The ring of a key holds a link of its
  // own, kWindowSize + key, besides the indexes of its runs, so that no link is ever missing.
  struct Link {
    std::int16_t previous;
    std::int16_t next;
  };
  static constexpr int kRunKeys = 16384;  // runs that share a key share a ring
  static_assert(kWindowSize + kRunKeys <= 32768, "links of the rings fit in 16 bits");
  std::vector<std::int16_t> runKeys_;
  std::vector<std::int16_t> runCounts_;  // at most kWindowSize
  std::vector<Link> links_;

  // The window's writes go forward from its start, sweep after sweep: the end of the last one,
  // and how many times a write went back.
  int writeEnd_ = 0;
  int sweep_ = 0;
  // For each code, the first index past the fixed codes that held it (kWindowSize for none), as
  // found in the sweep `sweep` when the writes ended at writeEnd.
  struct FirstHeld {
    std::int16_t index;
    std::int16_t writeEnd;
    int sweep = -1;
  };
  std::array<FirstHeld, 256> firstHeld_{};

  // The sought text, and the candidates for its places in window order when they are listed.
  const unsigned char* text_ = nullptr;
  int textLength_ = 0;
  bool listed_ = false;
  std::array<std::int16_t, kMostListed> places_{};
  int placeCount_ = 0;
};

}  // namespace praxel
