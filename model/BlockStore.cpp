#include "BlockStore.h"

#include <algorithm>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kSmallBlockAlignment = alignof(std::max_align_t);

// A large block asks for large pages; where the system has none to give, it stays on small ones.
void AdviseLargePages([[maybe_unused]] std::byte* memory, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(memory, bytes, MADV_HUGEPAGE);
#endif
}

}  // namespace

BlockStore::BlockStore(std::size_t objectSize, std::size_t alignment) {
  const std::size_t align = std::max(alignment, alignof(FreeCell));
  cellSize_ = (std::max(objectSize, sizeof(FreeCell)) + align - 1) / align * align;
}

BlockStore::~BlockStore() {
  for (const Block& block : blocks_) ::operator delete(block.memory, block.alignment);
}

std::size_t BlockStore::BlockBytes() const {
  std::size_t bytes = 0;
  for (const Block& block : blocks_) bytes += block.bytes;
  return bytes;
}

void BlockStore::AddBlock() {
  const std::size_t wanted = blocks_.empty() ? kFirstBlockBytes : std::min(blocks_.back().bytes * 2, kLargeBlockBytes);
  // A cell larger than a block still gets a block of one cell.
  const std::size_t bytes = std::max(wanted, cellSize_);
  const bool large = bytes >= kLargeBlockBytes;
  const auto alignment = std::align_val_t{large ? kLargeBlockBytes : kSmallBlockAlignment};
  blocks_.reserve(blocks_.size() + 1);
  auto* memory = static_cast<std::byte*>(::operator new(bytes, alignment));
  if (large) AdviseLargePages(memory, bytes);
  blocks_.push_back(Block{memory, bytes, alignment});
  next_ = memory;
  end_ = memory + bytes / cellSize_ * cellSize_;
}

void* BlockStore::Take() {
  if (free_ != nullptr) {
    FreeCell* cell = free_;
    free_ = cell->next;
    return cell;
  }
  if (next_ == end_) AddBlock();
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
