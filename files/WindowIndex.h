#pragma once

#include "PackFormat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace praxel {

// The writer's index of its window, so that finding the places of the pending text never
// compares it at every index of the window.
//
// - For every code, the set of indexes that hold it. Listing the places of a text in window
//   order takes two operations on these sets for 64 indexes at once (a place must hold the
//   text's last code and its rarest other code at their distances), and only such candidates
//   are compared with the whole text.
// - For every key of a run of four codes, how many runs of the window have it. A text with a run
//   whose key no run of the window has stands nowhere in the window, which spares most searches
//   that would fail.
class WindowIndex {
 public:
  // `window` is the window's codes; Changed keeps the index in step with them.
  explicit WindowIndex(const unsigned char* window);
  ~WindowIndex();
  WindowIndex(const WindowIndex&) = delete;
  WindowIndex& operator=(const WindowIndex&) = delete;

  // Call after the window's codes at [from, from + length) changed; `before` holds the codes
  // they replaced.
  void Changed(int from, int length, const unsigned char* before);

  // False when the window surely holds text[0, length) nowhere; true when it may hold it. A text
  // of fewer than four codes is not looked for: the answer is true.
  bool MightHold(const unsigned char* text, int length) const;

  // Sets the text that NextPlace lists the places of: text[0, length), which must stay
  // unchanged, as must the window, while NextPlace is used.
  void Seek(const unsigned char* text, int length);
  // The first place at or after start where the window holds the whole text, or -1.
  int NextPlace(int start) const;

 private:
  static constexpr int kWords = kWindowSize / 64;
  // A set of window indexes, one bit each, with two clear words past the window's end.
  using IndexSet = std::array<std::uint64_t, kWords + 2>;

  // A picked code of the sought text: its set, read from the code's distance from the text's
  // start on.
  struct Pick {
    const std::uint64_t* words;  // the set, from the word that holds the distance on
    unsigned bitShift;
  };

  void AddCode(unsigned char code, int index);
  void RemoveCode(unsigned char code, int index);
  static int RunKey(const unsigned char* codes);
  void CountRuns(int from, int length);
  template <int picks>
  int NextPlaceBy(int start) const;
  bool HoldsText(int place) const;

  const unsigned char* window_;

  std::unique_ptr<IndexSet[]> byCode_;
  std::array<int, 256> codeCounts_{};

  // How many runs of four codes of the window have each key, and the key of the run that starts
  // at each index (-1 for none).
  std::vector<std::int32_t> runCounts_;
  std::vector<std::int16_t> runKeys_;

  // The sought text and its picked codes.
  const unsigned char* text_ = nullptr;
  int textLength_ = 0;
  std::array<Pick, 2> picks_{};
  int pickCount_ = 0;
};

}  // namespace praxel
