#pragma once

#include <cstddef>
#include <new>
#include <vector>

// Memory for many objects of one size, taken from blocks of many cells at once, so that a
// calendar preparing thousands of slots, or a file of thousands of tasks, asks the heap for a
// block now and then instead of once per object. A freed cell is handed out again before the
// block goes on; the blocks stay until the store is destroyed.
//
// The blocks grow from kFirstBlockBytes, doubling, to kLargeBlockBytes, and stay at that size.
// Large blocks start on a boundary of their own size and ask the system for large pages: the
// first touch of fresh memory one small page at a time is what a big solve or load would
// otherwise spend most of its time on.
class BlockStore {
 public:
  static constexpr std::size_t kFirstBlockBytes = std::size_t{64} << 10;
  static constexpr std::size_t kLargeBlockBytes = std::size_t{2} << 20;

  // Cells hold objects of objectSize bytes at the given alignment (at most that of
  // std::max_align_t).
  BlockStore(std::size_t objectSize, std::size_t alignment);
  BlockStore(const BlockStore&) = delete;
  BlockStore& operator=(const BlockStore&) = delete;
  ~BlockStore();

  void* Take();
  void Give(void* memory) noexcept;

  std::size_t CellSize() const { return cellSize_; }
  // The bytes of every block taken from the heap so far.
  std::size_t BlockBytes() const;

 private:
  struct FreeCell {
    FreeCell* next;
  };
  struct Block {
    std::byte* memory;
    std::size_t bytes;
    std::align_val_t alignment;
  };

  void AddBlock();

  std::size_t cellSize_;
  FreeCell* free_ = nullptr;
  // The unused rest of the newest block.
  std::byte* next_ = nullptr;
  std::byte* end_ = nullptr;
  std::vector<Block> blocks_;
};

// A pooled class that is made in large numbers takes its memory from a store of its own:
// `class Yslot final : public Ypooled, public BlockAllocated<Yslot>`.
template <class T>
class BlockAllocated {
 public:
  static void* operator new(std::size_t size) { return size == sizeof(T) ? Store().Take() : ::operator new(size); }
  static void operator delete(void* memory, std::size_t size) noexcept {
    if (size == sizeof(T)) {
      Store().Give(memory);
    } else {
      ::operator delete(memory);
    }
  }

 private:
  static BlockStore& Store() {
    static_assert(alignof(T) <= alignof(std::max_align_t), "BlockAllocated: a cell is at most max_align_t aligned");
    // Never destroyed: objects may be deleted while the program ends.
    static BlockStore* const store = new BlockStore(sizeof(T), alignof(T));
    return *store;
  }
};
