// The look of menu windows and items painted into bitmaps: which parts of a
// skin count, where the plain look puts its text, arrow and marks, and the
// region of a masked window.

#include "skinforms/TskSkinMenuLook.h"

#include <gtest/gtest.h>

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinWindowData.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskDataSkinObject.h"
#include "skin/TskSkinData.h"
#include "tools/defskin/DefaultSkin.h"

namespace tsm {
namespace {

// Columns of a bitmap that hold any pixel other than the background.
std::pair<int32_t, int32_t> InkColumns(const TBitmap& b, const TRect& area, TColor background) {
  int32_t first = INT32_MAX, last = INT32_MIN;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x)
      if (b.GetPixel(x, y) != ColorToRGB(background)) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}

TEST(SkinMenuLook, WhatASkinGivesMenus) {
  EXPECT_FALSE(ResolveMenuSkin(nullptr).SkinnedWindow());
  TskSkinData skin(nullptr);
  EXPECT_FALSE(ResolveMenuSkin(&skin).SkinnedWindow());   // empty
  TskCompressedStoredSkin stored(nullptr);
  AssignDefaultStoredSkin(stored);
  skin.SetCompressedStoredSkin(&stored);
  TskMenuSkin s = ResolveMenuSkin(&skin);
  ASSERT_TRUE(s.SkinnedItems());
  EXPECT_EQ(s.WindowPicture->Size(), (TSize{61, 40}));
  EXPECT_EQ(s.MaskPicture, nullptr);
  EXPECT_EQ(s.Item->TextRect, (TRect{2, 2, 52, 18}));
  EXPECT_EQ(s.ItemPicture, skin.ActivePicture(2));
  EXPECT_EQ(MenuItemTextRect(s, 100, 20), (TRect{2, 2, 98, 18}));
  EXPECT_EQ(MenuItemTextRect({}, 100, 20), (TRect{0, 0, 100, 20}));
  // Without its pictures (windowpictureindex reads -1) the skin gives no
  // popup look.
  skin.ClearSkinLists();
  EXPECT_FALSE(ResolveMenuSkin(&skin).SkinnedWindow());
  skin.SetCompressedStoredSkin(nullptr);
}

TEST(SkinMenuLook, PlainItemPlacesTextShortCutAndArrow) {
  TskMenuItemLook item;
  item.Width = 200;
  item.Height = 20;
  item.Caption = "打开(&O)";
  item.ShortCut = "Ctrl+O";
  TBitmap b(200, 20);
  TDeviceContext dc(b);
  PaintMenuItem(dc, {}, item);
  EXPECT_EQ(b.GetPixel(5, 10), ColorToRGB(clBtnFace));   // the glyph column
  // Caption from 2 + 19, short cut ending 19 pixels before the right edge.
  const auto [captionLeft, captionRight] = InkColumns(b, {19, 0, 100, 20}, clWindow);
  EXPECT_GE(captionLeft, 21);
  EXPECT_LE(captionLeft, 22);
  const auto [cutLeft, cutRight] = InkColumns(b, {100, 0, 200, 20}, clWindow);
  EXPECT_LE(cutRight, 200 - 19 - 1);
  EXPECT_GE(cutRight, 200 - 19 - 3);

  // A sub-menu arrow instead of a short cut: four columns 7, 5, 3 and 1
  // pixels high, the first 7 pixels before the right edge.
  item.ShortCut.clear();
  item.HasSubItems = true;
  PaintMenuItem(dc, {}, item);
  const auto [arrowLeft, arrowRight] = InkColumns(b, {150, 0, 200, 20}, clWindow);
  EXPECT_EQ(arrowLeft, 200 - 7);
  EXPECT_EQ(arrowRight, 200 - 4);
  const auto columnHeight = [&](int32_t x) {
    int32_t n = 0;
    for (int32_t y = 0; y < 20; ++y) n += b.GetPixel(x, y) == ColorToRGB(clWindowText);
    return n;
  };
  EXPECT_EQ(columnHeight(200 - 7), 7);
  EXPECT_EQ(columnHeight(200 - 6), 5);
  EXPECT_EQ(columnHeight(200 - 5), 3);
  EXPECT_EQ(columnHeight(200 - 4), 1);
}

TEST(SkinMenuLook, RadioDotAndDisabledText) {
  TskMenuItemLook item;
  item.Width = 80;
  item.Height = 20;
  item.Caption = "详细";
  item.Checked = true;
  item.Radio = true;
  item.Enabled = false;
  TBitmap b(80, 20);
  TDeviceContext dc(b);
  PaintMenuItem(dc, {}, item);
  // A 6 x 6 disc centred in the 19-pixel column: (6, 7) - (12, 13), its
  // corners left out.
  const TColor shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(b.GetPixel(6, 10), shadow);
  EXPECT_EQ(b.GetPixel(11, 10), shadow);
  EXPECT_EQ(b.GetPixel(8, 7), shadow);
  EXPECT_EQ(b.GetPixel(6, 7), ColorToRGB(clBtnFace));
  EXPECT_EQ(b.GetPixel(12, 10), ColorToRGB(clBtnFace));
  // Disabled text is drawn in the shadow colour, never in the text colour.
  int shadowPixels = 0;
  for (int32_t x = 19; x < 80; ++x)
    for (int32_t y = 0; y < 20; ++y) {
      EXPECT_NE(b.GetPixel(x, y), ColorToRGB(clWindowText)) << x << "," << y;
      shadowPixels += b.GetPixel(x, y) == shadow;
    }
  EXPECT_GT(shadowPixels, 20);
}

TEST(SkinMenuLook, MaskedWindowGetsARegion) {
  TskDataSkinPopupWindow popup;
  popup.LeftTopPoint = {5, 5};
  popup.RightTopPoint = {15, 5};
  popup.LeftBottomPoint = {5, 15};
  popup.RightBottomPoint = {15, 15};
  popup.ItemsRect = {4, 4, 16, 16};
  TBitmap picture(20, 20), mask(20, 20);
  mask.Fill(clBlack);
  mask.SetPixel(0, 0, clWhite);     // the four corners cut away
  mask.SetPixel(19, 0, clWhite);
  mask.SetPixel(0, 19, clWhite);
  mask.SetPixel(19, 19, clWhite);
  TskMenuSkin skin;
  skin.Popup = &popup;
  skin.WindowPicture = &picture;
  const TskFrameLayout d = LayoutForSize(MenuSourceLayout(popup), {20, 20}, {100, 60});
  EXPECT_FALSE(MenuWindowRegion(skin, 100, 60, d).has_value());   // no mask: rectangular
  skin.MaskPicture = &mask;
  const std::optional<TRegion> region = MenuWindowRegion(skin, 100, 60, d);
  ASSERT_TRUE(region.has_value());
  EXPECT_FALSE(region->Contains({0, 0}));
  EXPECT_FALSE(region->Contains({99, 0}));
  EXPECT_FALSE(region->Contains({0, 59}));
  EXPECT_FALSE(region->Contains({99, 59}));
  EXPECT_TRUE(region->Contains({1, 0}));
  EXPECT_TRUE(region->Contains({50, 30}));
  EXPECT_TRUE(region->Contains({98, 59}));
}

}  // namespace
}  // namespace tsm
