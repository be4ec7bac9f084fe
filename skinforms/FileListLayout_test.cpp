// Where the file list puts its items and where the keys move, computed from
// the rules: cells 18 high (16-pixel icons, a 13-pixel line) and as wide as
// 2 + 16 + 4 + the widest caption + 8; large icons 76 x (36 + 2 lines + 6).

#include "skinforms/FileListLayout.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

using enum TskListKey;

TskFileListLayout Make(TskViewStyle style, int32_t count, TSize view, int32_t widest = 70) {
  TskListMetrics m;
  m.Style = style;
  m.View = view;
  m.Count = count;
  m.LineHeight = 13;
  m.WidestText = widest;
  m.ReportWidth = 400;
  m.NameColumnWidth = 150;
  return TskFileListLayout(m);
}

TEST(FileListLayout, ListRunsDownColumnsAndScrollsSideways) {
  // 100 high: 5 rows of 18; cells 100 wide.
  const TskFileListLayout l = Make(TskViewStyle::vsList, 12, {250, 100});
  EXPECT_EQ(l.CellSize(), (TSize{100, 18}));
  EXPECT_EQ(l.PerLine(), 5);
  EXPECT_TRUE(l.ScrollsHorizontally());
  EXPECT_EQ(l.ItemRect(0), TRect::FromSize(0, 0, 100, 18));
  EXPECT_EQ(l.ItemRect(4), TRect::FromSize(0, 72, 100, 18));
  EXPECT_EQ(l.ItemRect(5), TRect::FromSize(100, 0, 100, 18));
  EXPECT_EQ(l.ItemRect(11), TRect::FromSize(200, 18, 100, 18));
  EXPECT_TRUE(l.ItemRect(12).IsEmpty());
  EXPECT_EQ(l.ContentSize(), (TSize{300, 90}));
  EXPECT_EQ(l.IconRect(5), TRect::FromSize(102, 1, 16, 16));
  EXPECT_EQ(l.TextRect(5), (TRect{122, 0, 200, 18}));
  EXPECT_EQ(l.HitTest({150, 20}), 6);
  EXPECT_EQ(l.HitTest({250, 80}), -1);  // past the last item
  EXPECT_EQ(l.HitTest({10, 95}), -1);   // below the last row
  EXPECT_EQ(l.VisibleRange({120, 0, 250, 100}), (std::pair<int32_t, int32_t>{5, 11}));
  // Up/Down one item, Left/Right one column, the short last column.
  EXPECT_EQ(l.Navigate(6, Down), 7);
  EXPECT_EQ(l.Navigate(6, Up), 5);
  EXPECT_EQ(l.Navigate(0, Up), 0);
  EXPECT_EQ(l.Navigate(6, Right), 11);
  EXPECT_EQ(l.Navigate(8, Right), 11);   // no item to its right: the last one
  EXPECT_EQ(l.Navigate(11, Right), 11);
  EXPECT_EQ(l.Navigate(6, Left), 1);
  EXPECT_EQ(l.Navigate(3, Left), 3);
  EXPECT_EQ(l.Navigate(5, Home), 0);
  EXPECT_EQ(l.Navigate(5, End), 11);
  EXPECT_EQ(l.Navigate(0, PageDown), 10);  // two whole columns fit
  EXPECT_EQ(l.Navigate(-1, Down), 0);
  EXPECT_EQ(l.Navigate(-1, End), 11);
  EXPECT_EQ(Make(TskViewStyle::vsList, 0, {250, 100}).Navigate(-1, Down), -1);
  // Showing an item scrolls it into view sideways only.
  EXPECT_EQ(l.ScrollToShow(11, {0, 0}), (TPoint{50, 0}));
  EXPECT_EQ(l.ScrollToShow(0, {150, 0}), (TPoint{0, 0}));
  EXPECT_EQ(l.ScrollToShow(6, {50, 0}), (TPoint{50, 0}));
  // Captions wider than 300 pixels are cut.
  EXPECT_EQ(Make(TskViewStyle::vsList, 3, {250, 100}, 1000).CellSize().cx, 300);
}

TEST(FileListLayout, IconsRunAlongRowsAndScrollDown) {
  const TskFileListLayout big = Make(TskViewStyle::vsIcon, 7, {240, 100});
  EXPECT_EQ(big.CellSize(), (TSize{76, 32 + 4 + 26 + 6}));
  EXPECT_EQ(big.PerLine(), 3);
  EXPECT_FALSE(big.ScrollsHorizontally());
  EXPECT_EQ(big.ItemRect(4), TRect::FromSize(76, 68, 76, 68));
  EXPECT_EQ(big.IconRect(4), TRect::FromSize(76 + 22, 68 + 2, 32, 32));
  EXPECT_EQ(big.ContentSize(), (TSize{228, 204}));
  EXPECT_EQ(big.Navigate(4, Right), 5);
  EXPECT_EQ(big.Navigate(4, Down), 6);   // the short last row
  EXPECT_EQ(big.Navigate(5, Down), 6);
  EXPECT_EQ(big.Navigate(6, Down), 6);
  EXPECT_EQ(big.Navigate(4, Up), 1);
  EXPECT_EQ(big.ScrollToShow(6, {0, 0}), (TPoint{0, 204 - 100}));

  const TskFileListLayout small = Make(TskViewStyle::vsSmallIcon, 7, {250, 100});
  EXPECT_EQ(small.PerLine(), 2);
  EXPECT_EQ(small.ItemRect(3), TRect::FromSize(100, 18, 100, 18));
  EXPECT_EQ(small.HitTest({120, 20}), 3);
  EXPECT_EQ(small.HitTest({210, 20}), -1);  // right of the last column
}

TEST(FileListLayout, ReportRowsUnderTheColumns) {
  const TskFileListLayout l = Make(TskViewStyle::vsReport, 30, {300, 90});
  EXPECT_EQ(l.CellSize(), (TSize{400, 18}));
  EXPECT_EQ(l.ItemRect(2), TRect::FromSize(0, 36, 400, 18));
  EXPECT_EQ(l.TextRect(2), (TRect{22, 36, 150, 54}));  // the name column only
  EXPECT_EQ(l.ContentSize(), (TSize{400, 540}));
  EXPECT_EQ(l.HitTest({390, 40}), 2);
  EXPECT_EQ(l.HitTest({410, 40}), -1);
  EXPECT_EQ(l.Navigate(2, Right), 2);     // sideways keys scroll instead
  EXPECT_EQ(l.Navigate(2, Down), 3);
  EXPECT_EQ(l.Navigate(2, PageDown), 7);  // five rows fit
  EXPECT_EQ(l.Navigate(2, PageUp), 0);
  EXPECT_EQ(l.VisibleRange({0, 20, 300, 110}), (std::pair<int32_t, int32_t>{1, 6}));
}

}  // namespace
}  // namespace tsm
