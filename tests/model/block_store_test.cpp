#include "BlockStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::uintptr_t Address(const void* memory) { return reinterpret_cast<std::uintptr_t>(memory); }

struct CellCase {
  const char* name;
  std::size_t objectSize;
  std::size_t alignment;
  std::size_t cellSize;
};

class BlockStoreCellTest : public testing::TestWithParam<CellCase> {};

// A cell holds its object at its alignment and never less than the free list's link.
TEST_P(BlockStoreCellTest, CellsAreSizedAndAlignedForTheirObject) {
  const CellCase& c = GetParam();
  BlockStore store(c.objectSize, c.alignment);
  EXPECT_EQ(store.CellSize(), c.cellSize);
  void* first = store.Take();
  void* second = store.Take();
  EXPECT_EQ(Address(first) % c.alignment, 0u);
  EXPECT_EQ(Address(second) - Address(first), c.cellSize);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BlockStoreCellTest,
                         testing::Values(CellCase{"OneByte", 1, 1, sizeof(void*)},
                                         CellCase{"SlotLike", 104, 8, 104},
                                         CellCase{"OddSizeAtEight", 100, 8, 104},
                                         CellCase{"OddSizeAtSixteen", 100, 16, 112}),
                         [](const testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

// Enough cells to pass through every block size: each cell is handed out once, whole, and a
// cell written to the full does not reach into another.
TEST(BlockStoreTest, CellsThroughSmallAndLargeBlocksNeverOverlap) {
  constexpr std::size_t kSize = 104;
  BlockStore store(kSize, 8);
  std::vector<unsigned char*> cells;
  while (store.BlockBytes() < 3 * BlockStore::kLargeBlockBytes) {
    auto* cell = static_cast<unsigned char*>(store.Take());
    std::memset(cell, static_cast<int>(cells.size() % 251), kSize);
    cells.push_back(cell);
  }
  std::vector<unsigned char*> sorted = cells;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 1; i < sorted.size(); ++i) ASSERT_GE(sorted[i] - sorted[i - 1], std::ptrdiff_t{kSize});
  for (std::size_t i = 0; i < cells.size(); ++i) {
    ASSERT_EQ(cells[i][0], i % 251);
    ASSERT_EQ(cells[i][kSize - 1], i % 251);
  }
}

// The blocks double from the first size up to the large size and then stay there; a large block
// starts on a boundary of its own size, where the system can map it with large pages.
TEST(BlockStoreTest, BlocksDoubleUpToTheLargeSizeWhichStartsOnItsBoundary) {
  BlockStore store(64, 8);
  std::vector<std::size_t> sizes;
  std::vector<std::uintptr_t> starts;
  std::size_t before = 0;
  while (sizes.size() < 8) {
    void* cell = store.Take();
    if (store.BlockBytes() != before) {
      sizes.push_back(store.BlockBytes() - before);
      starts.push_back(Address(cell));
      before = store.BlockBytes();
    }
  }
  const std::size_t first = BlockStore::kFirstBlockBytes;
  const std::size_t large = BlockStore::kLargeBlockBytes;
  EXPECT_EQ(sizes, (std::vector<std::size_t>{first, 2 * first, 4 * first, 8 * first, 16 * first, large, large, large}));
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] == large) {
      EXPECT_EQ(starts[i] % large, 0u) << "block " << i;
    }
  }
}

// A cell given back is the next one taken, before the block goes on.
TEST(BlockStoreTest, AFreedCellIsTakenAgainFirst) {
  BlockStore store(40, 8);
  void* first = store.Take();
  void* second = store.Take();
  store.Give(first);
  store.Give(second);
  store.Give(nullptr);  // ignored
  EXPECT_EQ(store.Take(), second);
  EXPECT_EQ(store.Take(), first);
  void* fresh = store.Take();
  EXPECT_NE(fresh, first);
  EXPECT_NE(fresh, second);
}

}  // namespace
