#include "BlockStore.h"

#include <algorithm>

namespace {

constexpr std::size_t kAlignment = alignof(std::max_align_t);

}  // namespace

BlockStore::BlockStore(std::size_t objectSize, std::size_t cellsPerBlock)
    : cellSize_((std::max(objectSize, sizeof(FreeCell)) + kAlignment - 1) / kAlignment * kAlignment),
      cellsPerBlock_(cellsPerBlock) {}

void* BlockStore::Take() {
  if (free_ != nullptr) {
    FreeCell* cell = free_;
    free_ = cell->next;
    return cell;
  }
  if (next_ == end_) {
    // new[] of bytes is aligned for any object of the block's size.
    blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(cellSize_ * cellsPerBlock_));
    next_ = blocks_.back().get();
    end_ = next_ + cellSize_ * cellsPerBlock_;
  }
  void* cell = next_;
  next_ += cellSize_;
  return cell;
}

void BlockStore::Give(void* memory) noexcept {
  if (memory == nullptr) return;
  auto* cell = static_cast<FreeCell*>(memory);
  cell->next = free_;
  free_ = cell;
}
