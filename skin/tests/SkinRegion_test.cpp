#include "skin/SkinRegion.h"

#include <gtest/gtest.h>

#include "skin/TskFBitmap.h"

namespace tsm {
namespace {

int32_t I32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
                              (uint32_t(b[at + 3]) << 24));
}

TEST(SkinRegion, RegionDataOfASinglePixel) {
  TBitmap mask(8, 9);
  mask.Fill(clWhite);
  mask.SetPixel(3, 5, clBlack);
  const auto data = BuildRegionData(mask, 10, 20);
  ASSERT_EQ(data.size(), 48u);
  EXPECT_EQ(I32(data, 0), 32);
  EXPECT_EQ(I32(data, 4), 1);
  EXPECT_EQ(I32(data, 8), 1);
  EXPECT_EQ(I32(data, 16), 10);
  EXPECT_EQ(I32(data, 20), 20);
  EXPECT_EQ(I32(data, 24), 18);
  EXPECT_EQ(I32(data, 28), 29);
  EXPECT_EQ(I32(data, 32), 13);
  EXPECT_EQ(I32(data, 36), 25);
  EXPECT_EQ(I32(data, 40), 14);
  EXPECT_EQ(I32(data, 44), 26);
}

TEST(SkinRegion, RunsAreListedPerRowAndNeverMerged) {
  TBitmap black(7, 4);  // all black
  const auto data = BuildRegionData(black, 0, 0);
  ASSERT_EQ(I32(data, 8), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(I32(data, 32 + 16 * i), 0);
    EXPECT_EQ(I32(data, 36 + 16 * i), i);
    EXPECT_EQ(I32(data, 40 + 16 * i), 7);
    EXPECT_EQ(I32(data, 44 + 16 * i), i + 1);
  }
  // Near-black is not black; runs split at it.
  TBitmap row(6, 1);
  row.SetPixel(2, 0, RGB(0, 0, 1));
  const auto split = BuildRegionData(row, 0, 0);
  ASSERT_EQ(I32(split, 8), 2);
  EXPECT_EQ(I32(split, 40), 2);
  EXPECT_EQ(I32(split, 48), 3);
  EXPECT_TRUE(BuildRegionData(TBitmap(), 0, 0).empty());
  EXPECT_FALSE(RegionFromMask(TBitmap()).has_value());
  const auto region = RegionFromMask(row);
  ASSERT_TRUE(region.has_value());
  EXPECT_TRUE(region->Contains(1, 0));
  EXPECT_FALSE(region->Contains(2, 0));
}

TEST(SkinRegion, ManyRunsGrowTheListInsteadOfOverflowing) {
  TBitmap chequer(300, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 300; ++x) chequer.SetPixel(x, y, (x + y) % 2 ? clWhite : clBlack);
  const auto data = BuildRegionData(chequer, 0, 0);
  EXPECT_EQ(I32(data, 8), 15000);
  EXPECT_EQ(data.size(), 32 + 16 * 15000u);
}

TEST(SkinRegion, FBitmapRowTable) {
  TBitmap src(5, 3, TPixelFormat::Bgra32);
  src.SetPixel(4, 2, RGB(10, 20, 30));
  TskFBitmap f(src);
  EXPECT_EQ(f.Gap(), 1);
  EXPECT_EQ(f.RowStep(), 16);
  EXPECT_EQ(f.Size(), 48u);
  EXPECT_EQ(f.Rows()[2][12], 30);
  EXPECT_EQ(f.Rows()[2][14], 10);
}

// A 10 x 10 mask: black except a white 1-pixel notch at each corner.
TBitmap NotchedMask() {
  TBitmap m(10, 10);
  m.SetPixel(0, 0, clWhite);
  m.SetPixel(9, 0, clWhite);
  m.SetPixel(0, 9, clWhite);
  m.SetPixel(9, 9, clWhite);
  return m;
}

TEST(SkinRegion, FrameRegionFollowsTheNewSize) {
  const TBitmap mask = NotchedMask();
  const TskFrameLayout s{{3, 3}, {7, 3}, {3, 7}, {7, 7}, {}};
  const TRect c{2, 2, 8, 8};
  const TskFrameLayout d = LayoutForSize(s, {10, 10}, {20, 15});
  const TRect nc{2, 2, 18, 13};
  const auto region = BuildFrameRegion(mask, s, c, 20, 15, d, nc);
  ASSERT_TRUE(region.has_value());
  EXPECT_FALSE(region->Contains(0, 0));
  EXPECT_FALSE(region->Contains(19, 0));
  EXPECT_FALSE(region->Contains(0, 14));
  EXPECT_FALSE(region->Contains(19, 14));
  EXPECT_TRUE(region->Contains(1, 0));
  EXPECT_TRUE(region->Contains(18, 14));
  EXPECT_TRUE(region->Contains(10, 7));
  EXPECT_EQ(region->Bounds(), TRect(0, 0, 20, 15));
}

TEST(SkinRegion, FrameRegionRefusesInvertedLayoutsAndEmptyClients) {
  const TBitmap mask = NotchedMask();
  const TskFrameLayout s{{3, 3}, {7, 3}, {3, 7}, {7, 7}, {}};
  TskFrameLayout d = s;
  d.RightTop.X = 2;  // left of the left-top point
  EXPECT_FALSE(BuildFrameRegion(mask, s, {2, 2, 8, 8}, 10, 10, d, {2, 2, 8, 8}).has_value());
  EXPECT_FALSE(BuildFrameRegion(mask, s, {2, 2, 8, 8}, 10, 10, s, {2, 2, 2, 8}).has_value());
}

TEST(SkinRegion, ClientTouchingTheTopStillGetsItsBottomStrip) {
  const TBitmap mask = NotchedMask();
  const TskFrameLayout s{{3, 0}, {7, 0}, {3, 7}, {7, 7}, {}};
  const TRect c{0, 0, 10, 8};
  const auto region = BuildFrameRegion(mask, s, c, 10, 10, s, c);
  ASSERT_TRUE(region.has_value());
  EXPECT_TRUE(region->Contains(5, 9));
  EXPECT_FALSE(region->Contains(0, 9));
  EXPECT_TRUE(region->Contains(0, 0));  // inside the client rectangle
}

}  // namespace
}  // namespace tsm
