#pragma once

#include "PackFormat.h"

#include <array>
#include <cstdint>
#include <memory>

namespace praxel {

// The writer's index of its window: for every code, the set of indexes that hold it, and the
// places where one text (the pending text) stands, learned as the text grows. With it the writer
// finds the places of its pending text in order without scanning the window.
class WindowIndex {
 public:
  // `window` is the window's codes; the index follows them through Unindex and Reindex.
  explicit WindowIndex(const unsigned char* window);
  WindowIndex(const WindowIndex&) = delete;
  WindowIndex& operator=(const WindowIndex&) = delete;

  // Call before the window's codes at [from, from + length) change, and after. Changing the
  // window forgets the places.
  void Unindex(int from, int length);
  void Reindex(int from, int length);

  // Forgets the places, for a text that did not just grow.
  void ForgetPlaces() { knownLength_ = 0; }
  // Learns the places of text[0, length), where the text is the one of the last call with codes
  // added at its end, or any text after ForgetPlaces.
  void LearnPlaces(const unsigned char* text, int length);
  // The first place at or after start, or -1.
  int NextPlace(int start) const;

 private:
  // A set of window indexes, one bit each, with two clear words past the window's end.
  static constexpr int kWords = kWindowSize / 64;
  // The longest list of places; a larger set stays a set.
  static constexpr int kListLimit = 128;
  using IndexSet = std::array<std::uint64_t, kWords + 2>;

  void LearnFromScratch(const unsigned char* text, int length);
  void Narrow(const unsigned char* text, int at);
  bool TryListing(int filledWords);
  void CheckListed(const unsigned char* text, int from, int length);

  const unsigned char* window_;
  std::unique_ptr<IndexSet[]> byCode_;
  std::array<int, 256> codeCounts_{};

  // The places of the first knownLength_ codes of the text: a set while there are many, a
  // sorted list once there are few.
  int knownLength_ = 0;
  bool listed_ = false;
  const std::uint64_t* places_ = nullptr;
  int filledWords_ = 0;
  IndexSet placeStore_{};
  std::array<std::uint16_t, kListLimit> placeList_{};
  int listLength_ = 0;
};

}  // namespace praxel
