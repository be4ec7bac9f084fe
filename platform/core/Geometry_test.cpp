#include "platform/core/Geometry.h"

#include <gtest/gtest.h>

namespace tsm {

TEST(Rect, RightAndBottomEdgesAreExclusive) {
  const TRect r(10, 20, 30, 40);
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_TRUE(r.Contains(29, 39));
  EXPECT_FALSE(r.Contains(30, 39));
  EXPECT_FALSE(r.Contains(29, 40));
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 20);
}

TEST(Rect, EmptyWhenWidthOrHeightNotPositive) {
  EXPECT_TRUE(TRect(5, 5, 5, 9).IsEmpty());
  EXPECT_TRUE(TRect(5, 5, 9, 4).IsEmpty());
  EXPECT_FALSE(TRect(5, 5, 6, 6).IsEmpty());
  EXPECT_FALSE(TRect(5, 5, 5, 9).Contains(5, 5));
}

TEST(Rect, IntersectionOfTouchingRectanglesIsEmpty) {
  const TRect a(0, 0, 10, 10), b(10, 0, 20, 10);
  EXPECT_FALSE(a.Intersects(b));
  EXPECT_EQ(a.Intersected(b), TRect());
  EXPECT_EQ(a.Intersected(TRect(5, 5, 15, 15)), TRect(5, 5, 10, 10));
}

TEST(Rect, UnionIgnoresEmptyRectangles) {
  const TRect a(0, 0, 10, 10);
  EXPECT_EQ(a.United(TRect(50, 50, 50, 60)), a);
  EXPECT_EQ(TRect().United(a), a);
  EXPECT_EQ(a.United(TRect(-5, 3, 2, 20)), TRect(-5, 0, 10, 20));
}

TEST(Rect, MutatingAndCopyingFormsAgree) {
  TRect r(1, 2, 3, 4);
  const TRect moved = r.Offsetted(10, -2);
  r.Offset(10, -2);
  EXPECT_EQ(r, moved);
  EXPECT_EQ(r, TRect(11, 0, 13, 2));
  TRect g = r;
  g.Inflate(1, 2);
  EXPECT_EQ(g, r.Inflated(1, 2));
  EXPECT_EQ(g, TRect(10, -2, 14, 4));
}

}  // namespace tsm
