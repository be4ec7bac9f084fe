// The arithmetic of lists and combo boxes: rows and scrolling, the prefix
// search and the typed prefix's pause, the parts of a list box and the
// height for some rows, the fade-in, the combo box's layout, where its list
// opens and the page keys; and the string list behind them.

#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "skincontrols/ComboBoxMath.h"
#include "skincontrols/ListBoxMath.h"
#include "skincontrols/TskListItems.h"

namespace tsm {
namespace {

TEST(ListBoxMathTest, RowsAndTopIndexKeepTheLastPageFull) {
  EXPECT_EQ(VisibleRows(144, 18), 8);
  EXPECT_EQ(VisibleRows(143, 18), 7);
  EXPECT_EQ(VisibleRows(100, 0), 0);
  EXPECT_EQ(MaxTopIndex(20, 8), 12);
  EXPECT_EQ(MaxTopIndex(5, 8), 0);
  EXPECT_EQ(ClampTopIndex(19, 20, 8), 12);
  EXPECT_EQ(ClampTopIndex(-3, 20, 8), 0);
  // Scrolling an item into view moves as little as possible.
  EXPECT_EQ(TopIndexShowing(3, 0, 8, 20), 0);
  EXPECT_EQ(TopIndexShowing(8, 0, 8, 20), 1);
  EXPECT_EQ(TopIndexShowing(2, 5, 8, 20), 2);
  EXPECT_EQ(TopIndexShowing(19, 0, 8, 20), 12);
  EXPECT_EQ(TopIndexShowing(-1, 4, 8, 20), 4);
  EXPECT_EQ(TopIndexShowing(4, 9, 0, 20), 4);  // no whole row: the item at the top
}

TEST(ListBoxMathTest, ItemAtYCountsRowsFromTheTopIndexInsideTheList) {
  EXPECT_EQ(ItemAtY(0, 3, 18, 20, 144), 3);
  EXPECT_EQ(ItemAtY(17, 3, 18, 20, 144), 3);
  EXPECT_EQ(ItemAtY(18, 3, 18, 20, 144), 4);
  EXPECT_EQ(ItemAtY(143, 3, 18, 20, 144), 10);
  EXPECT_EQ(ItemAtY(144, 3, 18, 20, 144), -1);  // the bottom edge is outside
  EXPECT_EQ(ItemAtY(-1, 3, 18, 20, 144), -1);
  EXPECT_EQ(ItemAtY(60, 0, 18, 3, 144), -1);  // below the last item
}

TEST(ListBoxMathTest, PrefixSearchIgnoresCaseWrapsRoundAndFindsNothingForNothing) {
  const std::vector<std::string> items{"apple", "Banana", "blue", "Brown", "cherry", "中文", "中国"};
  EXPECT_TRUE(StartsWithText("Brown", "bR"));
  EXPECT_FALSE(StartsWithText("Br", "bro"));
  EXPECT_EQ(FindItemByPrefix(items, "br", 0), 3);
  EXPECT_EQ(FindItemByPrefix(items, "B", 2), 2);
  EXPECT_EQ(FindItemByPrefix(items, "b", 4), 1);  // wraps round
  EXPECT_EQ(FindItemByPrefix(items, "中", 6), 6);
  EXPECT_EQ(FindItemByPrefix(items, "中", 7), 5);  // a start past the end starts at the first item
  EXPECT_EQ(FindItemByPrefix(items, "x", 0), -1);
  EXPECT_EQ(FindItemByPrefix(items, "", 0), -1);
  EXPECT_EQ(FindItemByPrefix({}, "a", 0), -1);
  // One character (also one Chinese character) searches after the current
  // item; a longer text from the first.
  EXPECT_EQ(PrefixSearchStart("b", 2), 3);
  EXPECT_EQ(PrefixSearchStart("中", 5), 6);
  EXPECT_EQ(PrefixSearchStart("br", 2), 0);
  EXPECT_EQ(PrefixSearchStart("", 2), 0);
}

TEST(ListBoxMathTest, TheTypedPrefixStartsAgainAfterAPauseOf500Milliseconds) {
  TskTypedPrefix typed;
  EXPECT_EQ(typed.Type(U'b', 10000, true), "b");
  EXPECT_EQ(typed.Type(U'r', 10499, true), "br");
  EXPECT_EQ(typed.Type(U'o', 10998, true), "bro");  // each pause is measured from the last letter
  EXPECT_EQ(typed.Type(U'w', 11498, true), "w");
  EXPECT_EQ(typed.Type(U'中', 11600, true), "w中");
  EXPECT_EQ(typed.Type(U'\r', 11700, true), "");  // control characters are no text
  EXPECT_EQ(typed.Text(), "w中");
  EXPECT_EQ(typed.Type(U'x', 11700, false), "x");  // without AutoComplete: one letter
  EXPECT_EQ(typed.Text(), "w中");
}

TEST(ListBoxMathTest, UnskinnedPartsFollowTheFrameAndTheBars) {
  TskListBoxLayoutInput in;
  in.Size = {120, 64};
  in.Count = 3;
  in.ItemHeight = 20;
  TskListBoxLayout l = LayoutListBox(in);
  EXPECT_EQ(l.Inner, (TRect{2, 2, 118, 62}));
  EXPECT_FALSE(l.HasVBar());
  EXPECT_EQ(l.Rows, 3);

  in.Count = 4;  // one more than the rows: the bar
  l = LayoutListBox(in);
  EXPECT_EQ(l.VBar, (TRect{100, 1, 119, 63}));
  EXPECT_EQ(l.Inner, (TRect{2, 2, 100, 62}));

  in.CaptionHeight = 20;
  in.Size = {120, 84};
  l = LayoutListBox(in);
  EXPECT_EQ(l.Caption, (TRect{1, 1, 119, 21}));
  EXPECT_EQ(l.VBar, (TRect{100, 21, 119, 83}));
  EXPECT_EQ(l.Inner, (TRect{2, 22, 100, 82}));
}

TEST(ListBoxMathTest, AHorizontalBarCanCallForTheVerticalOneAndBack) {
  TskListBoxLayoutInput in;
  in.Size = {120, 64};
  in.Count = 3;  // three rows fit exactly
  in.ItemHeight = 20;
  in.HorizontalExtent = true;
  in.ContentWidth = 200;
  const TskListBoxLayout l = LayoutListBox(in);
  ASSERT_TRUE(l.HasHBar());
  EXPECT_EQ(l.HBar, (TRect{1, 44, 119, 63}));
  // The horizontal bar took a row: now the vertical bar is needed as well.
  ASSERT_TRUE(l.HasVBar());
  EXPECT_EQ(l.VBar, (TRect{100, 1, 119, 44}));
  EXPECT_EQ(l.Inner, (TRect{2, 2, 100, 43}));
  EXPECT_EQ(l.Rows, 2);

  // Skinned: inside the client rectangle; the bars' skin sizes.
  in.Skinned = true;
  in.Client = {1, 1, 119, 63};
  in.VBarWidth = 17;
  in.HBarHeight = 15;
  in.ContentWidth = 110;  // fits until the vertical bar comes
  in.Count = 9;
  const TskListBoxLayout s = LayoutListBox(in);
  EXPECT_EQ(s.VBar, (TRect{102, 1, 119, 48}));
  EXPECT_EQ(s.HBar, (TRect{1, 48, 119, 63}));
  EXPECT_EQ(s.Inner, (TRect{1, 1, 102, 48}));
}

TEST(ListBoxMathTest, HeightForRowsAddsTheFrameAndTheHorizontalBar) {
  EXPECT_EQ(ListBoxHeightForRows(5, 20, nullptr, 0, 0), 104);
  EXPECT_EQ(ListBoxHeightForRows(5, 20, nullptr, 20, 0), 124);
  const TskListBoxSkinHeights skin{30, 28};
  EXPECT_EQ(ListBoxHeightForRows(8, 18, &skin, 0, 0), 18 * 8 + 2);
  EXPECT_EQ(ListBoxHeightForRows(8, 18, &skin, 20, 19), 18 * 8 + 2 + 19);  // no caption row skinned
}

TEST(ListBoxMathTest, FadeInRisesByTwoAndEndsExactlyAtTheTarget) {
  const std::vector<uint8_t> odd = FadeInSteps(225);
  ASSERT_EQ(odd.size(), 113u);
  EXPECT_EQ(odd.front(), 2);
  EXPECT_EQ(odd[111], 224);
  EXPECT_EQ(odd.back(), 225);
  for (size_t i = 1; i < odd.size(); ++i) EXPECT_LT(odd[i - 1], odd[i]);
  EXPECT_EQ(FadeInSteps(255).back(), 255);
  EXPECT_EQ(FadeInSteps(4), (std::vector<uint8_t>{2, 4}));
  EXPECT_EQ(FadeInSteps(1), (std::vector<uint8_t>{1}));
  EXPECT_EQ(FadeInSteps(0), (std::vector<uint8_t>{0}));
}

TEST(ComboBoxMathTest, LayoutWithoutSkinWithTheSkinAndWithoutTheSkinsHeight) {
  TskComboLayout l = LayoutComboBox(nullptr, 120, 20, true);
  EXPECT_EQ(l.Button, (TRect{101, 2, 118, 18}));
  EXPECT_EQ(l.TextArea, (TRect{2, 2, 100, 18}));
  TskComboSkinMetrics skin;
  skin.SkinSize = {60, 20};
  skin.RightTopX = 40;
  skin.ClientRect = {2, 2, 40, 18};
  skin.ButtonRect = {41, 0, 60, 20};
  l = LayoutComboBox(&skin, 120, 20, true);
  EXPECT_EQ(l.Button, (TRect{101, 0, 120, 20}));
  EXPECT_EQ(l.TextArea, (TRect{2, 2, 100, 18}));
  l = LayoutComboBox(&skin, 96, 19, false);
  EXPECT_EQ(l.Button, (TRect{77, 0, 96, 19}));
  EXPECT_EQ(l.TextArea, (TRect{2, 2, 76, 17}));
  // The move rule compares with righttoppoint.X, not with the right
  // piece's width (20 here): a button at 30 stays put.
  skin.ButtonRect = {30, 0, 40, 20};
  EXPECT_EQ(LayoutComboBox(&skin, 120, 20, true).Button, (TRect{30, 0, 40, 20}));
  skin.ButtonRect = {40, 0, 50, 20};
  EXPECT_EQ(LayoutComboBox(&skin, 120, 20, true).Button, (TRect{100, 0, 110, 20}));
  EXPECT_EQ(PlaceComboEdit({2, 2, 100, 18}, 13), (TRect{2, 4, 100, 17}));
}

TEST(ComboBoxMathTest, TheListOpensBelowAboveOrClampedIntoTheWorkArea) {
  const TRect work{0, 0, 1024, 738};
  const TRect combo = TRect::FromSize(100, 500, 120, 20);
  EXPECT_EQ(DropDownPosition(combo, {120, 218}, work), (TPoint{100, 520}));  // ends at 738 exactly
  EXPECT_EQ(DropDownPosition(combo, {120, 219}, work), (TPoint{100, 281}));  // above
  EXPECT_EQ(DropDownPosition(TRect::FromSize(100, 300, 120, 20), {120, 500}, work), (TPoint{100, 238}));
  EXPECT_EQ(DropDownPosition(TRect::FromSize(100, 300, 120, 20), {120, 900}, work), (TPoint{100, 0}));
  EXPECT_EQ(DropDownPosition(TRect::FromSize(1000, 10, 120, 20), {120, 50}, work), (TPoint{1000, 30}));
}

TEST(ComboBoxMathTest, PageKeysMoveBackByCountPlusOneAndForwardByCountLessOne) {
  EXPECT_EQ(ComboPageUpIndex(20, 8), 11);
  EXPECT_EQ(ComboPageUpIndex(5, 8), 0);
  EXPECT_EQ(ComboPageDownIndex(0, 8, 30), 7);
  EXPECT_EQ(ComboPageDownIndex(25, 8, 30), 29);
  EXPECT_EQ(ComboPageDownIndex(-1, 8, 30), 6);
}

TEST(ListItemsTest, SortedListsPlaceTextsWithoutRegardToCase) {
  TskListItems items;
  int changes = 0;
  items.OnChange = [&] { ++changes; };
  items.Assign({"b", "C", "a"});
  EXPECT_EQ(changes, 1);
  items.SetSorted(true);
  EXPECT_EQ(items.Strings(), (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(items.Add("B"), 2);  // after the equal "b"
  items.Insert(0, "z");            // a sorted list places it by its order
  EXPECT_EQ(items.Strings(), (std::vector<std::string>{"a", "b", "B", "C", "z"}));
  items.Put(0, "zz");
  EXPECT_EQ(items[4], "zz");
  EXPECT_EQ(items.IndexOf("c"), 2);
  EXPECT_EQ(items.IndexOf("q"), -1);
  items.Delete(0);
  EXPECT_EQ(items.Count(), 4);
  EXPECT_EQ(changes, 6);
  items.Clear();
  items.Clear();  // nothing to clear: no change
  EXPECT_EQ(changes, 7);
  EXPECT_THROW(items[0], EListError);
  EXPECT_THROW(items.Delete(-1), EListError);
  items.SetSorted(false);
  EXPECT_THROW(items.Insert(2, "x"), EListError);
  items.Insert(0, "x");
  EXPECT_EQ(items.Count(), 1);
}

}  // namespace
}  // namespace tsm
