#include "framework/core/array.h"

#include <gtest/gtest.h>

TEST(Array2DTest, BoundsAreUpperBoundsInclusive) {
  Array2D<double> a(2, 3);
  EXPECT_EQ(a.UBound(1), 2);
  EXPECT_EQ(a.UBound(2), 3);
  a(2, 3) = 5.0;
  EXPECT_EQ(a(2, 3), 5.0);
  EXPECT_EQ(a(0, 0), 0.0);
  EXPECT_THROW(a(3, 0), OutOfBoundsException);
  EXPECT_THROW(a(0, 4), OutOfBoundsException);
  EXPECT_THROW(a(-1, 0), OutOfBoundsException);
}

TEST(Array2DTest, EmptiedThenRedimensionedIsAllZero) {
  Array2D<double> a(3, 3);
  for (int i = 0; i <= 3; ++i)
    for (int j = 0; j <= 3; ++j) a(i, j) = i + j + 1;
  a.ReDim(-1, -1);
  EXPECT_TRUE(a.Empty());
  EXPECT_THROW(a(0, 0), OutOfBoundsException);
  a.ReDim(2, 2);
  for (int i = 0; i <= 2; ++i)
    for (int j = 0; j <= 2; ++j) EXPECT_EQ(a(i, j), 0.0);
}

TEST(Array2DTest, RedimToOtherBoundsLeavesNoStaleElement) {
  Array2D<double> a(5, 5);
  a(1, 1) = 7.0;
  a.ReDim(4, 6);
  EXPECT_EQ(a(1, 1), 0.0);
}

TEST(Array1DTest, AppendGoesOnePastUpperBound) {
  Array1D<int> list;
  EXPECT_EQ(list.UBound(), -1);
  list.Append(4);
  list.Append(9);
  EXPECT_EQ(list.UBound(), 1);
  EXPECT_EQ(list(1), 9);
  EXPECT_THROW(list(2), OutOfBoundsException);
}

TEST(Array2DTest, RedimToTheSameBoundsKeepsTheContents) {
  Array2D<double> a(2, 3);
  a(2, 3) = 4.0;
  a.ReDim(2, 3);
  EXPECT_EQ(a(2, 3), 4.0);
}

TEST(Array2DTest, RowsAreContiguousWithStrideOfTheSecondBound) {
  Array2D<double> a(3, 4);
  a(2, 1) = 6.0;
  EXPECT_EQ(a.Stride(), 5);
  EXPECT_EQ(a.Row(2)[1], 6.0);
  EXPECT_EQ(&a.Row(2)[0], &a(2, 0));
}
