// Finding an object's offset by its handle, as the object map lists them: handles may
// come in any order, a handle listed twice keeps its last offset, and a map whose
// handles lie far apart is searched instead of tabled, with the same answers.
#include "arx/dwg/DwgHandleIndex.h"

#include <gtest/gtest.h>

namespace {
std::size_t offsetOf(const DwgHandleIndex& index, std::uint64_t handle)
{
  std::size_t offset = 12345;
  return index.find(handle, offset) ? offset : std::size_t(-1);
}
} // namespace

TEST(DwgHandleIndex, finds_listed_handles_in_dense_and_sparse_maps)
{
  const std::size_t none = std::size_t(-1);
  // Dense: handles 1..5 in map order 3 1 5 2, with 2 listed twice (its last offset 2200).
  DwgHandleIndex dense;
  dense.assign({{3, 300}, {2, 200}, {1, 100}, {5, 500}, {2, 2200}});
  EXPECT_EQ(100u, offsetOf(dense, 1));
  EXPECT_EQ(2200u, offsetOf(dense, 2));
  EXPECT_EQ(300u, offsetOf(dense, 3));
  EXPECT_EQ(none, offsetOf(dense, 4)); // not listed
  EXPECT_EQ(500u, offsetOf(dense, 5));
  EXPECT_EQ(none, offsetOf(dense, 0));
  EXPECT_EQ(none, offsetOf(dense, 6));
  EXPECT_EQ(4u, dense.size()); // each handle once
  ASSERT_EQ(4u, dense.entries().size());
  EXPECT_EQ(1u, dense.entries()[0].handle);
  EXPECT_EQ(5u, dense.entries()[3].handle);

  // Sparse: handles far beyond any table of a few times three entries.
  DwgHandleIndex sparse;
  const std::uint64_t far = 0xFFFFFFFFFFull;
  sparse.assign({{far, 7}, {9, 90}, {far, 8}, {1u << 20, 40}});
  EXPECT_EQ(8u, offsetOf(sparse, far));
  EXPECT_EQ(90u, offsetOf(sparse, 9));
  EXPECT_EQ(40u, offsetOf(sparse, 1u << 20));
  EXPECT_EQ(none, offsetOf(sparse, 10));
  EXPECT_EQ(none, offsetOf(sparse, far + 1));
  EXPECT_EQ(none, offsetOf(sparse, 0));
  EXPECT_EQ(3u, sparse.size());

  // An empty map finds nothing; assigning again replaces what was there.
  DwgHandleIndex empty;
  empty.assign({});
  EXPECT_EQ(none, offsetOf(empty, 0));
  EXPECT_EQ(0u, empty.size());
  dense.assign({{7, 70}});
  EXPECT_EQ(none, offsetOf(dense, 1));
  EXPECT_EQ(70u, offsetOf(dense, 7));
}
