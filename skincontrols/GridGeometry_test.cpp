// Grid geometry: visibility, the largest first cell, point to cell, cell
// positions, sizing zones and the 0..127 scroll arithmetic, as tables.

#include "skincontrols/GridGeometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/ScrollRequest.h"

namespace tsm {
namespace {

// An indicator column of 11 and four columns of 64, 1-pixel lines, 200
// pixels of client: lines at 11, 76, 141, 206.
const std::vector<int32_t> kColumns{11, 64, 64, 64, 64};
const std::vector<int32_t> kHiddenColumn{11, 64, -1, 64, 64};

TskGridAxis Columns(int32_t first, const std::vector<int32_t>& widths = kColumns, int32_t client = 200) {
  TskGridAxis a;
  a.Count = static_cast<int32_t>(widths.size());
  a.FixedCount = 1;
  a.LineWidth = 1;
  a.FirstScrolled = first;
  a.ClientExtent = client;
  a.Extents = widths;
  return a;
}

TEST(GridGeometry, Visibility) {
  const auto v = AxisVisibility(Columns(1));
  EXPECT_EQ(v.FixedBoundary, 12);
  EXPECT_EQ(v.LastFullyVisible, 2);
  EXPECT_EQ(v.FullyVisibleCount, 2);
  EXPECT_EQ(v.LastPartlyVisible, 3);
  EXPECT_EQ(v.GridEnd, 207);

  const auto all = AxisVisibility(Columns(1, kColumns, 400));  // everything fits
  EXPECT_EQ(all.LastFullyVisible, 4);
  EXPECT_EQ(all.FullyVisibleCount, 4);
  EXPECT_EQ(all.GridEnd, 272);

  const auto narrow = AxisVisibility(Columns(1, kColumns, 40));  // not even one
  EXPECT_EQ(narrow.FullyVisibleCount, 0);
  EXPECT_EQ(narrow.LastPartlyVisible, 1);

  // 20-pixel rows under a 20-pixel title row, 300 pixels: 13 whole data rows.
  const std::vector<int32_t> rows(1000, 20);
  TskGridAxis r{1000, 1, 1, 1, 300, rows};
  EXPECT_EQ(AxisVisibility(r).FullyVisibleCount, 13);
}

TEST(GridGeometry, LargestFirstCell) {
  struct Case {
    std::vector<int32_t> widths;
    int32_t client, largest;
  } cases[] = {
      {kColumns, 200, 3},        // 3 and 4 fit after the indicator
      {kColumns, 141, 3},        // exactly: 12 + 65 + 64
      {kColumns, 140, 4},        // one pixel short
      {kColumns, 400, 1},        // all fit: the first scrolled column
      {kHiddenColumn, 200, 2},   // the hidden column takes nothing
      {{11}, 200, 1},            // only the fixed column
      {{11, 300}, 200, 1},       // one wide column
  };
  for (const Case& c : cases) EXPECT_EQ(AxisLargestFirst(Columns(1, c.widths, c.client)), c.largest) << c.client;
}

TEST(GridGeometry, PointToCell) {
  struct Case {
    int32_t first, pos, cell;
  } cases[] = {
      {1, 5, 0},   {1, 11, 0},  // the line after a cell belongs to it
      {1, 12, 1},  {1, 76, 1},  {1, 77, 2},  {1, 199, 3},
      {1, 300, -1}, {1, -1, -1},
      {3, 12, 3},  {3, 77, 4},  {3, 150, -1},  // scrolled: 3 and 4 follow the indicator
  };
  for (const Case& c : cases) EXPECT_EQ(AxisCellAt(Columns(c.first), c.pos), c.cell) << c.first << "@" << c.pos;
  EXPECT_EQ(AxisCellAt(Columns(1, kHiddenColumn), 77), 3);
}

TEST(GridGeometry, CellStart) {
  struct Case {
    int32_t first, index;
    bool shown;
    int32_t start;
  } cases[] = {
      {1, 0, true, 0}, {1, 1, true, 12}, {1, 2, true, 77}, {1, 3, true, 142},
      {1, 4, false, 0},   // starts beyond the client
      {2, 1, false, 0},   // scrolled out
      {2, 2, true, 12},
      {1, 9, false, 0},
  };
  for (const Case& c : cases) {
    int32_t start = -1;
    EXPECT_EQ(AxisCellStart(Columns(c.first), c.index, start), c.shown) << c.first << ":" << c.index;
    if (c.shown) {
      EXPECT_EQ(start, c.start);
    }
  }
  int32_t start = 0;
  EXPECT_FALSE(AxisCellStart(Columns(1, kHiddenColumn), 2, start));
}

TEST(GridGeometry, SizingZoneRunsFromThreeLeftToFourRightOfTheBorder) {
  struct Case {
    int32_t pos, cell;
  } cases[] = {
      {72, -1}, {73, 1}, {76, 1}, {79, 1}, {80, -1},   // around the line at 76
      {138, 2}, {144, 2}, {145, -1},                   // around 141
      {8, -1}, {11, -1},                               // the indicator's border is not sizable
      {40, -1},
  };
  for (const Case& c : cases) {
    int32_t line = -1;
    EXPECT_EQ(AxisSizingCell(Columns(1), c.pos, &line), c.cell) << c.pos;
    if (c.cell == 1) {
      EXPECT_EQ(line, 76);
    }
  }
  TskGridAxis thick = Columns(1);
  thick.LineWidth = 9;  // wider lines: only the line itself (84..92 here)
  int32_t line = 0;
  EXPECT_EQ(AxisSizingCell(thick, 84, &line), 1);
  EXPECT_EQ(AxisSizingCell(thick, 92, &line), 1);
  EXPECT_EQ(AxisSizingCell(thick, 83, &line), -1);
  EXPECT_EQ(AxisSizingCell(thick, 93, &line), -1);
}

TEST(GridGeometry, ScrollPositionsOn127NeverDivideByZero) {
  struct Case {
    int32_t first, fixed, largest, position;
  } cases[] = {
      {1, 1, 3, 0}, {2, 1, 3, 63}, {3, 1, 3, 127},
      {1, 1, 1, 0},   // cannot scroll
      {5, 1, 0, 0},   // largest below fixed
  };
  for (const Case& c : cases) EXPECT_EQ(GridScrollPosition(c.first, c.fixed, c.largest), c.position);

  struct Thumb {
    int32_t position, fixed, largest, first;
  } thumbs[] = {{0, 1, 3, 1}, {63, 1, 3, 1}, {64, 1, 3, 2}, {127, 1, 3, 3}, {127, 1, 1, 1}};
  for (const Thumb& t : thumbs) EXPECT_EQ(GridFirstForThumb(t.position, t.fixed, t.largest), t.first) << t.position;

  struct Step {
    int32_t count, visible, fixed, step;
  } steps[] = {{5, 2, 1, 63}, {13, 5, 1, 18}, {200, 2, 1, 1}, {5, 4, 1, 127}, {5, 9, 1, 127}};
  for (const Step& s : steps) EXPECT_EQ(GridScrollStep(s.count, s.visible, s.fixed), s.step) << s.count;

}

TEST(GridGeometry, ScrollRequestsMoveTheFirstCell) {
  struct Case {
    int32_t first;
    uint32_t code;
    int32_t position, result;
  } cases[] = {
      {1, SB_LINEDOWN, 0, 2}, {1, SB_LINEUP, 0, 1}, {3, SB_LINEDOWN, 0, 3},
      {1, SB_PAGEDOWN, 0, 3},   // a page of two fully visible columns
      {3, SB_PAGEUP, 0, 1},
      {2, SB_TOP, 0, 1}, {1, SB_BOTTOM, 0, 3},
      {1, SB_THUMBPOSITION, 127, 3}, {1, SB_THUMBTRACK, 64, 2}, {3, SB_THUMBPOSITION, 0, 1},
      {2, SB_ENDSCROLL, 0, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GridFirstForRequest(Columns(c.first), c.code, c.position), c.result) << c.first << " code " << c.code;
  EXPECT_EQ(GridFirstForRequest(Columns(1, kHiddenColumn, 100), SB_LINEDOWN, 0), 3);  // skips the hidden one
}

}  // namespace
}  // namespace tsm
