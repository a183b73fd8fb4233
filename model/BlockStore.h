#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Memory for many objects of one size, taken from blocks of many cells at once, so that a
// calendar preparing thousands of slots, or a file of thousands of tasks, asks the heap for a
// block now and then instead of once per object. A freed cell is handed out again before the
// block goes on; the blocks stay until the program ends.
class BlockStore {
 public:
  BlockStore(std::size_t objectSize, std::size_t cellsPerBlock);
  BlockStore(const BlockStore&) = delete;
  BlockStore& operator=(const BlockStore&) = delete;

  void* Take();
  void Give(void* memory) noexcept;

 private:
  struct FreeCell {
    FreeCell* next;
  };

  std::size_t cellSize_;
  std::size_t cellsPerBlock_;
  FreeCell* free_ = nullptr;
  // The unused rest of the newest block.
  std::byte* next_ = nullptr;
  std::byte* end_ = nullptr;
  std::vector<std::unique_ptr<std::byte[]>> blocks_;
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
    // Never destroyed: objects may be deleted while the program ends.
    static BlockStore* const store = new BlockStore(sizeof(T), 1024);
    return *store;
  }
};
