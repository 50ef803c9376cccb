#include "core/refs/key_location.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(KeyLocation, SizeAndWordLayout) {
  TKeyLocation set(31102);
  EXPECT_EQ(set.Words().size(), 973u);
  EXPECT_EQ(set.FirstGroup(), -1);
  set.SetBit(40, true);
  EXPECT_EQ(set.FirstGroup(), 32);
  EXPECT_EQ(set.Words()[1], 1u << 8);
  EXPECT_TRUE(set.Test(40));
  set.SetBit(40, false);
  EXPECT_FALSE(set.Test(40));
  EXPECT_EQ(set.FirstGroup(), -1);
}

TEST(KeyLocation, BitsBeyondTheSizeAreIgnored) {
  TKeyLocation set(40);
  set.SetBit(40, true);
  set.SetBit(-1, true);
  set.SetBit(5000, true);
  EXPECT_FALSE(set.Test(40));
  EXPECT_EQ(set.FirstGroup(), -1);
  set.Words()[1] |= 1u << 20;  // bit 52, written behind the set's back
  EXPECT_EQ(set.FirstGroup(), -1);
  EXPECT_EQ(set.Count(), 0);
}

TEST(KeyLocation, AndOrCombineOverTheSmallerSize) {
  TKeyLocation a(100), b(100);
  for (int bit : {1, 33, 64, 99}) a.SetBit(bit, true);
  for (int bit : {33, 64, 70}) b.SetBit(bit, true);
  TKeyLocation both = a;
  both.AndWith(b);
  EXPECT_EQ(both.Count(), 2);
  EXPECT_TRUE(both.Test(33) && both.Test(64));
  a.OrWith(b);
  EXPECT_EQ(a.Count(), 5);

  TKeyLocation big(200), small(40);
  big.SetBit(10, true);
  big.SetBit(150, true);
  small.SetBit(10, true);
  TKeyLocation anded = big;
  anded.AndWith(small);
  EXPECT_EQ(anded.Count(), 1);  // bit 150 lies beyond the small set: cleared
  big.OrWith(small);
  EXPECT_TRUE(big.Test(150));
  small.OrWith(big);  // never writes past the small set
  EXPECT_EQ(small.Count(), 1);
}

TEST(KeyLocation, ClearResetsEverything) {
  TKeyLocation set(64);
  set.SetBit(0, true);
  set.SetBit(63, true);
  set.Clear();
  EXPECT_EQ(set.Count(), 0);
  EXPECT_EQ(set.FirstGroup(), -1);
}

}  // namespace
}  // namespace lumora
