// The arithmetic of popup menu windows as tables: sizes, visible runs,
// placement on the screen, the arrow keys, and the small item rules.

#include "skinforms/TskSkinMenuLayout.h"

#include <gtest/gtest.h>

#include "skinforms/TskSkinMenuItem.h"

namespace tsm {
namespace {

// The stored skin's numbers: window picture 61 x 40, items rect 20,8,53,33,
// menu item 54 wide with textrect 2,2,52,18; items 20 high, dividers 3.
TskMenuSizeInput StoredSkinInput(std::vector<int32_t> heights, int32_t widestText) {
  TskMenuSizeInput in;
  in.ItemHeights = std::move(heights);
  in.OrdinaryItemHeight = 20;
  in.WidestText = widestText + 2;
  in.FrameWidth = (61 - 33) + (2 + 54 - 52);
  in.FrameHeight = 40 - 25;
  in.WorkAreaHeight = 738;
  return in;
}

TEST(SkinMenuSize, StoredSkinAddsFifteenHighAndSeventyTwoWide) {
  // The system menu of a sizeable form: two items, a divider, Close.
  const TskMenuSize s = ComputeMenuSize(StoredSkinInput({20, 20, 3, 20}, 100));
  EXPECT_EQ(s.Height, 78);
  EXPECT_EQ(s.Width, 100 + 72);
  EXPECT_FALSE(s.Scrolling);
}

TEST(SkinMenuSize, PlainLookLimitAndWorkArea) {
  TskMenuSizeInput in;
  in.ItemHeights = {20, 4, 20};
  in.OrdinaryItemHeight = 20;
  in.WidestText = 50;
  EXPECT_EQ(ComputeMenuSize(in).Width, 50 + 19 + 19 + 10);
  EXPECT_EQ(ComputeMenuSize(in).Height, 44 + 4);

  // Eight items, five per window: five items, the frame and two bands.
  TskMenuSizeInput limited = StoredSkinInput(std::vector<int32_t>(8, 20), 40);
  limited.MaxItems = 5;
  TskMenuSize s = ComputeMenuSize(limited);
  EXPECT_EQ(s.Height, 5 * 20 + 15 + 20);
  EXPECT_TRUE(s.Scrolling);
  EXPECT_TRUE(s.ScrollByLimit);
  // Exactly at the limit nothing scrolls.
  limited.ItemHeights.resize(5);
  EXPECT_FALSE(ComputeMenuSize(limited).Scrolling);

  // Taller than the work area: the work area's height, scrolling, and it is
  // the work area (not the limit) that makes it scroll.
  TskMenuSizeInput tall = StoredSkinInput(std::vector<int32_t>(60, 20), 40);
  tall.WorkAreaHeight = 500;
  s = ComputeMenuSize(tall);
  EXPECT_EQ(s.Height, 500);
  EXPECT_TRUE(s.Scrolling);
  EXPECT_FALSE(s.ScrollByLimit);
}

TEST(SkinMenuRun, ItemsStackInsideTheBands) {
  const std::vector<int32_t> heights{20, 20, 3, 20, 20, 20, 20, 20};
  const TRect items{20, 8, 120, 8 + 120};   // room for 100 pixels between the bands
  std::vector<TRect> rects;
  EXPECT_EQ(PlaceMenuItems(heights, 0, items, true, rects), 5);   // 20+20+3+20+20 = 83; the sixth passes 100
  EXPECT_EQ(rects[0], (TRect{20, 18, 120, 38}));
  EXPECT_EQ(rects[2], (TRect{20, 58, 120, 61}));
  EXPECT_TRUE(rects[5].IsEmpty());
  EXPECT_EQ(PlaceMenuItems(heights, 3, items, true, rects), 5);   // 3..7
  EXPECT_TRUE(rects[2].IsEmpty());
  EXPECT_EQ(rects[3].Top, 18);
  // Without scrolling the run starts at the top of the items rectangle.
  EXPECT_EQ(PlaceMenuItems(heights, 0, {2, 2, 50, 165}, false, rects), 8);
  EXPECT_EQ(rects[0].Top, 2);
  EXPECT_EQ(rects[7].Bottom, 2 + 143);
  EXPECT_EQ(PlaceMenuItems(heights, 8, items, true, rects), 0);
  EXPECT_EQ(PlaceMenuItems(heights, -1, items, true, rects), 0);

  EXPECT_EQ(LastRunFirst(heights, items, true), 3);
  EXPECT_EQ(LastRunFirst(heights, {2, 2, 50, 165}, false), 0);
  EXPECT_EQ(LastRunFirst(std::vector<int32_t>{}, items, true), 0);
}

struct PlacementCase {
  const char* what;
  TRect anchor;
  TSize size;
  TskMenuOpening opening;
  bool tall;
  TPoint expected;
  bool moved;
};

TEST(SkinMenuPlacement, Table) {
  // Work area (0, 0, 1024, 738): the middle is at 369.
  const PlacementCase cases[] = {
      {"below a point", {300, 200, 300, 200}, {100, 78}, TskMenuOpening::Down, false, {300, 200}, false},
      {"below a button", {300, 200, 316, 216}, {100, 78}, TskMenuOpening::Down, false, {300, 216}, false},
      {"clamped at the right", {1000, 100, 1000, 100}, {100, 78}, TskMenuOpening::Down, false, {924, 100}, false},
      {"flipped above in the lower half", {300, 700, 300, 700}, {100, 78}, TskMenuOpening::Down, false,
       {300, 622}, false},
      {"upper half: sticks to the bottom, beside", {300, 300, 300, 300}, {100, 500}, TskMenuOpening::Down, false,
       {301, 238}, true},
      {"lower half, no room above either", {300, 400, 300, 400}, {100, 500}, TskMenuOpening::Down, false,
       {301, 0}, true},
      {"upward", {300, 500, 300, 500}, {100, 78}, TskMenuOpening::Up, false, {300, 422}, false},
      {"upward, no room, upper half: below", {300, 50, 300, 50}, {100, 78}, TskMenuOpening::Up, false,
       {300, 50}, false},
      {"upward, no room, lower half: top", {300, 400, 300, 400}, {100, 500}, TskMenuOpening::Up, false,
       {301, 0}, true},
      {"upward, no room anywhere, upper half", {300, 300, 300, 300}, {100, 500}, TskMenuOpening::Up, false,
       {301, 238}, true},
      {"sub-menu lines up its first item", {400, 100, 500, 120}, {100, 78}, TskMenuOpening::SubMenu, false,
       {501, 92}, false},
      {"sub-menu left of a parent at the right", {900, 100, 1000, 120}, {100, 78}, TskMenuOpening::SubMenu,
       false, {799, 92}, false},
      {"sub-menu past the bottom, upper half", {400, 300, 500, 320}, {100, 500}, TskMenuOpening::SubMenu, false,
       {501, 238}, false},
      {"sub-menu past the bottom, lower half", {400, 700, 500, 720}, {100, 78}, TskMenuOpening::SubMenu, false,
       {501, 650}, false},
      {"tall: top of the work area, beside", {300, 200, 300, 200}, {100, 738}, TskMenuOpening::Down, true,
       {301, 0}, false},
      {"never left of the work area", {-20, 100, -20, 100}, {100, 78}, TskMenuOpening::Down, false,
       {0, 100}, false},
      {"too wide for the room on both sides", {980, 100, 1000, 120}, {1000, 78}, TskMenuOpening::SubMenu, false,
       {0, 92}, false},
  };
  for (const PlacementCase& c : cases) {
    TskMenuPlacementInput in;
    in.WorkArea = {0, 0, 1024, 738};
    in.Anchor = c.anchor;
    in.Size = c.size;
    in.ItemsTop = 8;
    in.Opening = c.opening;
    in.Tall = c.tall;
    const TskMenuPlacement p = PlaceMenuWindow(in);
    EXPECT_EQ(p.Position, c.expected) << c.what;
    EXPECT_EQ(p.Moved, c.moved) << c.what;
  }
}

TEST(SkinMenuKeys, ArrowsWalkSelectableItemsWithoutWrappingPastDividers) {
  //                             0     1      2      3     4      5
  const std::vector<bool> items{true, false, true, true, false, false};
  EXPECT_EQ(NextSelectable(items, -1), 0);
  EXPECT_EQ(NextSelectable(items, 0), 2);   // skips the disabled item
  EXPECT_EQ(NextSelectable(items, 2), 3);
  EXPECT_EQ(NextSelectable(items, 3), -1);  // only dividers follow: stays
  const std::vector<bool> lastSelectable{false, true, true};
  EXPECT_EQ(NextSelectable(lastSelectable, 2), 1);   // the last item starts over
  EXPECT_EQ(PreviousSelectable(items, -1), 3);
  EXPECT_EQ(PreviousSelectable(items, 3), 2);
  EXPECT_EQ(PreviousSelectable(items, 2), 0);
  EXPECT_EQ(PreviousSelectable(items, 0), 3);   // the first item starts over from the end
  EXPECT_EQ(PreviousSelectable(lastSelectable, 2), 1);
  const std::vector<bool> firstBlocked{false, true};
  EXPECT_EQ(PreviousSelectable(firstBlocked, 1), -1);   // only a divider precedes: stays
  EXPECT_EQ(NextSelectable(std::vector<bool>{false, false}, -1), -1);
  EXPECT_EQ(NextSelectable(std::vector<bool>{}, -1), -1);
  EXPECT_EQ(PreviousSelectable(std::vector<bool>{}, -1), -1);
}

TEST(SkinMenuItemRules, FrameGlyphsByNameAndMorphSteps) {
  EXPECT_EQ(MenuItemGlyphOf("BSF_CLOSE"), TskMenuItemGlyph::Close);
  EXPECT_EQ(MenuItemGlyphOf("TRAY_BSF_CLOSE"), TskMenuItemGlyph::Close);
  EXPECT_EQ(MenuItemGlyphOf("BSF_MINITEM"), TskMenuItemGlyph::Minimize);
  EXPECT_EQ(MenuItemGlyphOf("BSF_MAXITEM"), TskMenuItemGlyph::Maximize);
  EXPECT_EQ(MenuItemGlyphOf("BSF_RESTORE"), TskMenuItemGlyph::Restore);
  EXPECT_EQ(MenuItemGlyphOf("TRAY_BSF_RESTORE"), TskMenuItemGlyph::Restore);
  EXPECT_EQ(MenuItemGlyphOf("BSF_ROLLUP"), TskMenuItemGlyph::RollUp);
  EXPECT_EQ(MenuItemGlyphOf("BSF_MINTOTRAY"), TskMenuItemGlyph::MinimizeToTray);
  EXPECT_EQ(MenuItemGlyphOf("bsf_close"), TskMenuItemGlyph::None);
  EXPECT_EQ(MenuItemGlyphOf(""), TskMenuItemGlyph::None);

  TskSkinMenuItem item(nullptr, nullptr);
  item.Active = true;
  int steps = 0;
  while (item.StepMorph()) ++steps;
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(item.MorphFactor, 1.0);
  item.Active = false;
  item.Down = true;   // an open sub-menu keeps it highlighted
  EXPECT_FALSE(item.StepMorph());
  item.Down = false;
  steps = 0;
  while (item.StepMorph()) ++steps;
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(item.MorphFactor, 0.0);
}

}  // namespace
}  // namespace tsm
