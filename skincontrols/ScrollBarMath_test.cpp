// Scroll bar arithmetic: tables of cases for clamping, the Max and PageSize
// setters, rounding, the layout of both looks, hit tests and thumb drags.

#include "skincontrols/ScrollBarMath.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

TEST(ScrollBarMath, ClampsPositionToTheRange) {
  struct Case {
    TskScrollRange range;
    int32_t in, out;
  } cases[] = {
      {{0, 127, 0}, 200, 127},   // above Max without a page
      {{0, 127, 0}, -5, 0},
      {{1, 10, 5}, 9, 6},        // a page ends at Max: 10 - 5 + 1
      {{1, 10, 5}, 0, 1},
      {{10, 5, 0}, 7, 10},       // Min wins when Max lies below it
      {{0, 100, 200}, 50, 0},    // a page larger than the range: Min
      {{-20, -10, 0}, -15, -15},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampScrollPosition(c.range, c.in), c.out) << c.in;
}

TEST(ScrollBarMath, MaxChangeWorksOnThePositionRelativeToMin) {
  struct Case {
    TskScrollRange range;
    int32_t position, newMax, out;
  } cases[] = {
      {{0, 100, 10}, 90, 50, 41},     // the page ends at the new Max
      {{50, 150, 10}, 140, 120, 111}, // measured from Min: 120 - 10 + 1
      {{50, 150, 10}, 100, 140, 100}, // still fits: stays
      {{50, 150, 10}, 131, 140, 131}, // ends exactly at 140
      {{10, 20, 5}, 12, 8, 10},       // never below Min
      {{0, 100, 0}, 80, 50, 50},      // without a page: lowered to Max
      {{0, 100, 0}, 30, 50, 30},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PositionAfterMaxChange(c.range, c.position, c.newMax), c.out) << c.position << " " << c.newMax;
}

TEST(ScrollBarMath, PageSizeIsAcceptedOnlyWhenThePositionStillFits) {
  struct Case {
    TskScrollRange range;
    int32_t position, page;
    bool ok;
  } cases[] = {
      {{50, 150, 0}, 140, 11, true},   // 11 + (140 - 50) <= 101
      {{50, 150, 0}, 140, 12, false},
      {{0, 100, 0}, 0, 101, true},     // the whole range
      {{0, 100, 0}, 0, 102, false},
      {{0, 100, 0}, 0, -1, false},     // negative pages are refused
      {{0, 100, 0}, 100, 0, true},
  };
  for (const Case& c : cases) EXPECT_EQ(PageSizeAcceptable(c.range, c.position, c.page), c.ok) << c.page;
}

TEST(ScrollBarMath, RoundsHalvesToEven) {
  struct Case {
    double in;
    int32_t out;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4, 2}, {2.6, 3}, {1e12, INT32_MAX}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TskScrollBarLayout Fallback(bool vertical, TSize size, TskScrollRange range, int32_t position, bool both = false) {
  TskScrollBarLayoutInput in;
  in.Vertical = vertical;
  in.Size = size;
  in.Range = range;
  in.Position = position;
  in.Both = both;
  return LayoutScrollBar(in);
}

TEST(ScrollBarMath, FallbackLayoutOfButtonsAndTrack) {
  const auto h = Fallback(false, {200, 19}, {0, 100, 0}, 0);
  EXPECT_EQ(h.DecButton, (TRect{1, 1, 17, 18}));
  EXPECT_EQ(h.IncButton, (TRect{183, 1, 199, 18}));
  EXPECT_EQ(h.Track, (TRect{17, 1, 183, 18}));

  const auto both = Fallback(false, {200, 19}, {0, 100, 0}, 0, true);  // marker 19 wide
  EXPECT_EQ(both.IncButton, (TRect{164, 1, 180, 18}));
  EXPECT_EQ(both.Track, (TRect{17, 1, 164, 18}));

  const auto v = Fallback(true, {19, 200}, {0, 100, 0}, 0);
  EXPECT_EQ(v.DecButton, (TRect{1, 1, 18, 17}));
  EXPECT_EQ(v.IncButton, (TRect{1, 183, 18, 199}));
  EXPECT_EQ(v.Track, (TRect{1, 17, 18, 183}));
}

TEST(ScrollBarMath, ThumbLengthAndPlace) {
  // Track 17..183 (166 pixels) in every case.
  struct Case {
    bool vertical;
    TskScrollRange range;
    int32_t position;
    int32_t start, length;  // along the bar
  } cases[] = {
      {false, {0, 100, 0}, 0, 17, 16},     // no page: minimum length at the start
      {false, {0, 100, 0}, 100, 167, 16},  // ... at the end
      {false, {0, 100, 0}, 50, 92, 16},    // 17 + round(0.5 * 150)
      {false, {0, 100, 0}, 500, 167, 16},  // fractions clamped to [0, 1]
      {false, {0, 100, 0}, -50, 17, 16},
      {false, {0, 0, 0}, 0, 17, 16},       // Max = Min: fraction 0
      {false, {0, 99, 50}, 50, 101, 82},   // page half the range: 83 -> drawn 82
      {false, {0, 99, 50}, 0, 17, 82},
      {false, {0, 999, 1}, 0, 17, 16},     // tiny page: the minimum
      {false, {0, 9, 20}, 0, 17, 166},     // page beyond the range fills the track
      {true, {0, 9, 20}, 0, 17, 166},
      {false, {0, -1, 5}, 0, 167, 16},     // Max - Min + 1 = 0: no division; fraction 1
  };
  for (const Case& c : cases) {
    const TSize size = c.vertical ? TSize{19, 200} : TSize{200, 19};
    const auto l = Fallback(c.vertical, size, c.range, c.position);
    EXPECT_EQ(ThumbStart(l, c.vertical), c.start) << c.position << " page " << c.range.PageSize;
    EXPECT_EQ(l.ThumbLength, c.length) << c.position << " page " << c.range.PageSize;
    EXPECT_EQ(ThumbEnd(l, c.vertical) - ThumbStart(l, c.vertical), c.length);
    EXPECT_LE(ThumbEnd(l, c.vertical), 183);  // never beyond the track
  }
}

TEST(ScrollBarMath, ThumbCentreSpan) {
  const auto l = Fallback(false, {200, 19}, {0, 99, 50}, 0);
  EXPECT_EQ(l.SpanStart, 17 + 41);
  EXPECT_EQ(l.SpanEnd, 183 - 41);
  EXPECT_EQ(l.SpanLength(), 166 - 82);
  const auto tiny = Fallback(false, {30, 19}, {0, 10, 0}, 0);  // track narrower than the thumb
  EXPECT_GE(tiny.SpanLength(), 0);
}

// The stored skin's scroll bars (relative to their skin rectangles).
TskScrollBarSkinMetrics HorizontalSkin(int32_t skinWidth) {
  return {{skinWidth, 19}, {40, 0}, {0, 0}, {19, 0, 41, 19}, {41, 0, 60, 19}, {0, 0, 19, 19}, {20, 13}};
}

TEST(ScrollBarMath, SkinnedLayoutFollowsTheRightEnd) {
  const auto skin = HorizontalSkin(60);
  TskScrollBarLayoutInput in;
  in.Size = {200, 19};
  in.Skin = &skin;
  const auto l = LayoutScrollBar(in);
  EXPECT_EQ(l.IncButton, (TRect{181, 0, 200, 19}));
  EXPECT_EQ(l.Track, (TRect{19, 0, 181, 19}));
  EXPECT_EQ(l.DecButton, (TRect{0, 0, 19, 19}));
  EXPECT_EQ(l.Thumb, (TRect{19, 3, 39, 16}));  // 13 thick, centred; 20 long

  const auto both = HorizontalSkin(79);  // the corner marker is part of the picture
  in.Skin = &both;
  const auto b = LayoutScrollBar(in);
  EXPECT_EQ(b.IncButton, (TRect{162, 0, 181, 19}));
  EXPECT_EQ(b.Track, (TRect{19, 0, 162, 19}));

  const TskScrollBarSkinMetrics vskin{{19, 60}, {0, 0}, {0, 40}, {0, 19, 19, 41}, {0, 41, 19, 60}, {0, 0, 19, 19}, {13, 20}};
  in.Skin = &vskin;
  in.Vertical = true;
  in.Size = {19, 200};
  in.Range = {0, 100, 0};
  in.Position = 100;
  const auto v = LayoutScrollBar(in);
  EXPECT_EQ(v.IncButton, (TRect{0, 181, 19, 200}));
  EXPECT_EQ(v.Track, (TRect{0, 19, 19, 181}));
  EXPECT_EQ(v.Thumb, (TRect{3, 161, 16, 181}));
}

// A button that begins exactly at the right (bottom) piece belongs to it and
// follows the end; the stored skin cannot tell, its buttons begin past it.
TEST(ScrollBarMath, AButtonBeginningAtTheEndPieceFollowsTheEnd) {
  const TskScrollBarSkinMetrics h{{60, 19}, {41, 0}, {0, 0}, {19, 0, 41, 19}, {41, 0, 60, 19}, {0, 0, 19, 19}, {20, 13}};
  TskScrollBarLayoutInput in;
  in.Size = {200, 19};
  in.Skin = &h;
  EXPECT_EQ(LayoutScrollBar(in).IncButton, (TRect{181, 0, 200, 19}));
  EXPECT_EQ(LayoutScrollBar(in).DecButton, (TRect{0, 0, 19, 19}));

  const TskScrollBarSkinMetrics v{{19, 60}, {0, 0}, {0, 41}, {0, 19, 19, 41}, {0, 41, 19, 60}, {0, 0, 19, 19}, {13, 20}};
  in.Skin = &v;
  in.Vertical = true;
  in.Size = {19, 200};
  EXPECT_EQ(LayoutScrollBar(in).IncButton, (TRect{0, 181, 19, 200}));
  EXPECT_EQ(LayoutScrollBar(in).DecButton, (TRect{0, 0, 19, 19}));
}

TEST(ScrollBarMath, HitTestsThumbThenIncreaseThenDecrease) {
  const auto l = Fallback(false, {200, 19}, {0, 100, 0}, 50);  // thumb 92..108
  struct Case {
    TPoint p;
    TskScrollPart part;
  } cases[] = {
      {{95, 9}, TskScrollPart::Thumb},     {{190, 9}, TskScrollPart::IncButton},
      {{5, 9}, TskScrollPart::DecButton},  {{50, 9}, TskScrollPart::None},
      {{0, 0}, TskScrollPart::None},       {{199, 9}, TskScrollPart::None},  // the border
      {{108, 9}, TskScrollPart::None},     // right edge excluded
  };
  for (const Case& c : cases) EXPECT_EQ(ScrollPartAt(l, c.p), c.part) << c.p.X;
}

TEST(ScrollBarMath, DragPositions) {
  struct Case {
    TskScrollRange range;
    int32_t span, offset, moved, out;
  } cases[] = {
      {{0, 99, 50}, 84, 0, 84, 50},      // to the end: Max - PageSize + 1
      {{0, 99, 50}, 84, 0, 1000, 50},    // clamped
      {{0, 99, 50}, 84, 42, -500, 0},
      {{0, 127, 0}, 150, 75, 0, 64},     // 63.5 rounds to even
      {{0, 127, 0}, 150, 0, 150, 127},   // without a page: Max
      {{5, 127, 0}, 0, 0, 40, 5},        // no span: Min
      {{1, 10, 5}, 100, 50, 0, 3},       // 1 + round(2.5), halves to even
  };
  for (const Case& c : cases)
    EXPECT_EQ(DragPosition(c.range, c.span, c.offset, c.moved), c.out) << c.offset << "+" << c.moved;
}

}  // namespace
}  // namespace tsm
