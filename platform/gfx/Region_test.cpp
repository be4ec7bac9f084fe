#include "platform/gfx/Region.h"

#include <gtest/gtest.h>

#include <random>

namespace tsm {
namespace {

constexpr int kGrid = 24;

// Brute-force model: one flag per pixel of a kGrid x kGrid area (offset -4).
struct TPixelSet {
  bool Bits[kGrid][kGrid] = {};
  void Add(const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Bits[y + 4][x + 4] = true;
  }
  bool Has(int x, int y) const {
    if (x < -4 || y < -4 || x >= kGrid - 4 || y >= kGrid - 4) return false;
    return Bits[y + 4][x + 4];
  }
};

void ExpectCanonical(const TRegion& rgn) {
  const auto& rs = rgn.Rects();
  for (size_t i = 0; i < rs.size(); ++i) {
    ASSERT_FALSE(rs[i].IsEmpty());
    if (i == 0) continue;
    const TRect& a = rs[i - 1];
    const TRect& b = rs[i];
    if (a.Top == b.Top) {
      ASSERT_EQ(a.Bottom, b.Bottom);
      ASSERT_LT(a.Right, b.Left) << "spans in a band must be sorted and not touch";
    } else {
      ASSERT_GE(b.Top, a.Bottom) << "bands must not overlap";
    }
  }
  // Adjacent bands with identical spans must have been merged.
  size_t i = 0;
  std::vector<std::pair<size_t, size_t>> bands;
  while (i < rs.size()) {
    size_t j = i;
    while (j < rs.size() && rs[j].Top == rs[i].Top) ++j;
    bands.push_back({i, j});
    i = j;
  }
  for (size_t k = 1; k < bands.size(); ++k) {
    const auto [a0, a1] = bands[k - 1];
    const auto [b0, b1] = bands[k];
    if (rs[a0].Bottom != rs[b0].Top || a1 - a0 != b1 - b0) continue;
    bool same = true;
    for (size_t t = 0; t < a1 - a0; ++t) same &= rs[a0 + t].Left == rs[b0 + t].Left && rs[a0 + t].Right == rs[b0 + t].Right;
    ASSERT_FALSE(same) << "touching bands with identical spans were not merged";
  }
}

TRect RandomRect(std::mt19937& rng) {
  std::uniform_int_distribution<int> c(-4, kGrid - 5);
  int l = c(rng), r = c(rng), t = c(rng), b = c(rng);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return {l, t, r + 1, b + 1};
}

TEST(RegionAlgebra, RandomOperationsMatchAPixelModel) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 400; ++round) {
    std::vector<TRect> ra, rb;
    TPixelSet pa, pb;
    const int na = 1 + int(rng() % 5), nb = 1 + int(rng() % 5);
    for (int k = 0; k < na; ++k) ra.push_back(RandomRect(rng)), pa.Add(ra.back());
    for (int k = 0; k < nb; ++k) rb.push_back(RandomRect(rng)), pb.Add(rb.back());
    const TRegion a = TRegion::FromRects(ra), b = TRegion::FromRects(rb);
    const TRegion u = a.United(b), i = a.Intersected(b), d = a.Subtracted(b), x = a.Xored(b);
    for (const TRegion* r : {&a, &b, &u, &i, &d, &x}) ExpectCanonical(*r);
    TRect bounds;
    for (int y = -6; y < kGrid - 2; ++y)
      for (int xx = -6; xx < kGrid - 2; ++xx) {
        const bool inA = pa.Has(xx, y), inB = pb.Has(xx, y);
        ASSERT_EQ(a.Contains(xx, y), inA) << round;
        ASSERT_EQ(u.Contains(xx, y), inA || inB) << round;
        ASSERT_EQ(i.Contains(xx, y), inA && inB) << round;
        ASSERT_EQ(d.Contains(xx, y), inA && !inB) << round;
        ASSERT_EQ(x.Contains(xx, y), inA != inB) << round;
        if (inA) bounds.Unite({xx, y, xx + 1, y + 1});
      }
    ASSERT_EQ(a.Bounds(), bounds) << round;
    // Union built step by step equals the one built from the list.
    TRegion step;
    for (const TRect& r : ra) step.Union(r);
    ASSERT_EQ(step, a) << round;
    // Offset moves every pixel.
    const TRegion o = a.Offsetted(3, -2);
    for (int y = -6; y < kGrid - 2; ++y)
      for (int xx = -6; xx < kGrid - 2; ++xx) ASSERT_EQ(o.Contains(xx + 3, y - 2), pa.Has(xx, y));
    // Intersects(rect) agrees with the pixel model.
    const TRect probe = RandomRect(rng);
    bool any = false;
    for (int y = probe.Top; y < probe.Bottom; ++y)
      for (int xx = probe.Left; xx < probe.Right; ++xx) any |= pa.Has(xx, y);
    ASSERT_EQ(a.Intersects(probe), any) << round;
  }
}

TEST(RegionAlgebra, IdentitiesAndEmptyOperands) {
  const TRegion a = TRegion::FromRects(std::vector<TRect>{{0, 0, 10, 10}, {5, 5, 20, 8}});
  const TRegion empty;
  EXPECT_EQ(a.United(empty), a);
  EXPECT_EQ(empty.United(a), a);
  EXPECT_TRUE(a.Intersected(empty).IsEmpty());
  EXPECT_EQ(a.Subtracted(empty), a);
  EXPECT_TRUE(a.Subtracted(a).IsEmpty());
  EXPECT_TRUE(a.Xored(a).IsEmpty());
  EXPECT_EQ(a.Intersected(a), a);
  EXPECT_TRUE(empty.Bounds().IsEmpty());
  EXPECT_TRUE(TRegion(TRect{5, 5, 5, 9}).IsEmpty());
}

TEST(RegionShape, MaskRowsWithEqualRunsBecomeOneRectangle) {
  // A mask builder lists one rectangle per run per row.
  std::vector<TRect> runs;
  for (int y = 0; y < 600; ++y) {
    if (y < 3) runs.push_back({3 - y, y, 797 + y, y + 1});  // rounded top corners
    else runs.push_back({0, y, 800, y + 1});
  }
  const TRegion r = TRegion::FromRects(runs);
  ASSERT_EQ(r.RectCount(), 4u);
  EXPECT_EQ(r.Rects()[3], TRect(0, 3, 800, 600));
  EXPECT_EQ(r.Bounds(), TRect(0, 0, 800, 600));
  EXPECT_FALSE(r.Contains(0, 0));
  EXPECT_TRUE(r.Contains(3, 0));
  EXPECT_FALSE(r.Contains(797, 0));
  EXPECT_TRUE(r.Contains(799, 599));
  EXPECT_FALSE(r.Contains(800, 599));
}

TEST(RegionShape, TwoSpansInOneBand) {
  const TRegion r = TRegion::FromRects(std::vector<TRect>{{0, 0, 2, 1}, {2, 0, 4, 1}, {6, 0, 8, 1}});
  ASSERT_EQ(r.RectCount(), 2u);  // touching runs merge, the gap stays
  EXPECT_EQ(r.Rects()[0], TRect(0, 0, 4, 1));
  EXPECT_EQ(r.Rects()[1], TRect(6, 0, 8, 1));
}

TEST(RegionData, ParsesAndRefusesCleanly) {
  const TRegion r = TRegion::FromRects(std::vector<TRect>{{13, 25, 14, 26}, {0, 0, 4, 4}});
  const std::vector<uint8_t> data = r.ToRegionData();
  ASSERT_EQ(data.size(), 32u + 16u * r.RectCount());
  EXPECT_EQ(data[0], 32);
  EXPECT_EQ(data[4], 1);
  const auto back = TRegion::FromRegionData(data);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, r);

  // Every shorter prefix claims more rectangles than it holds.
  for (size_t n = 0; n < data.size(); ++n)
    EXPECT_FALSE(TRegion::FromRegionData(std::span(data.data(), n)).has_value()) << n;
  std::vector<uint8_t> bad = data;
  bad[4] = 2;  // not a rectangle list
  EXPECT_FALSE(TRegion::FromRegionData(bad).has_value());
  bad = data;
  bad[8] = 0xFF;
  bad[11] = 0xFF;  // absurd count
  EXPECT_FALSE(TRegion::FromRegionData(bad).has_value());
}

}  // namespace
}  // namespace tsm
