// Cell looks: which look a cell state takes, text rectangles inside cell
// images and text placement, as tables; cell images drawn from a picture.

#include "skincontrols/GridCellLook.h"

#include <gtest/gtest.h>

#include "platform/gfx/DeviceContext.h"

namespace tsm {
namespace {

using F = TskGridDrawStateFlag;

TEST(GridCellLook, LookFollowsStateRowSelectAndFocus) {
  struct Case {
    TskGridDrawState state;
    bool rowSelect, focused;
    TskCellLook look;
  } cases[] = {
      {{F::gdFixed}, false, true, TskCellLook::Fixed},
      {{F::gdFixed, F::gdSelected}, true, true, TskCellLook::Fixed},
      {{F::gdFocused, F::gdSelected}, false, true, TskCellLook::Focus},  // the focused cell
      {{F::gdSelected}, false, true, TskCellLook::Select},               // others of a range
      {{F::gdSelected}, true, true, TskCellLook::Focus},                 // the current row, focused
      {{F::gdSelected}, true, false, TskCellLook::Select},               // ... without the focus
      {{F::gdSelected}, false, false, TskCellLook::Select},
      {{}, true, true, TskCellLook::Plain},
      {{}, false, false, TskCellLook::Plain},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CellLookOf(c.state, c.rowSelect, c.focused), c.look) << c.state.Bits() << c.rowSelect << c.focused;
}

// The stored skin's grid looks: 40 x 20 pieces, text 2..38 across.
TskGridSkinLooks StoredLooks() {
  TskGridSkinLooks l;
  l.Fixed = {0, 151, 40, 171};
  l.Select = {40, 151, 80, 171};
  l.Focus = {80, 151, 120, 171};
  l.FixedLeft = l.FixedRight = l.CellLeft = l.CellRight = 1;
  l.FixedText = {2, 0, 38, 20};
  l.CellText = {2, 0, 38, 20};
  return l;
}

TEST(GridCellLook, TextRectangleGrowsWithTheCell) {
  const TskGridSkinLooks l = StoredLooks();
  struct Case {
    TskCellLook look;
    TRect cell;
    bool keepHeight;
    TRect text;
  } cases[] = {
      {TskCellLook::Fixed, {0, 0, 214, 20}, true, {2, 0, 212, 20}},
      {TskCellLook::Focus, {215, 21, 381, 41}, true, {217, 21, 379, 41}},
      {TskCellLook::Select, {10, 30, 50, 60}, false, {12, 30, 48, 60}},  // stretched to 30 high
      {TskCellLook::Select, {10, 30, 50, 60}, true, {12, 30, 48, 50}},   // the skin's 20
  };
  for (const Case& c : cases) EXPECT_EQ(CellTextRect(l, c.look, c.cell, c.keepHeight), c.text);
}

TEST(GridCellLook, TextPlacement) {
  const TRect r{10, 20, 110, 40};  // 100 x 20
  struct Case {
    TAlignment alignment;
    int32_t d;
    TPoint origin;
  } cases[] = {
      {TAlignment::taLeftJustify, 2, {14, 24}},   // left + d + 2; 20/2 - 13/2
      {TAlignment::taLeftJustify, 0, {12, 24}},
      {TAlignment::taRightJustify, 2, {77, 24}},  // right - 30 - 3
      {TAlignment::taCenter, 2, {45, 24}},        // left + 50 - 15
  };
  for (const Case& c : cases) EXPECT_EQ(CellTextOrigin(r, {30, 13}, c.alignment, c.d), c.origin);
}

TEST(GridCellLook, ImagesKeepTheirEndsAndTileTheMiddle) {
  // A picture whose focus look has a red left column, a blue right column
  // and a green middle.
  TBitmap picture(120, 171);
  picture.Fill(clWhite);
  for (int32_t y = 151; y < 171; ++y) {
    for (int32_t x = 80; x < 120; ++x) picture.SetPixel(x, y, clLime);
    picture.SetPixel(80, y, clRed);
    picture.SetPixel(119, y, clBlue);
  }
  TBitmap target(200, 40);
  target.Fill(clBlack);
  TDeviceContext dc(target);
  const TRect cell{10, 5, 110, 35};  // 100 x 30
  DrawCellImage(dc, picture, StoredLooks(), TskCellLook::Focus, cell, true);
  EXPECT_EQ(target.GetPixel(10, 5), clRed);
  EXPECT_EQ(target.GetPixel(109, 5), clBlue);
  EXPECT_EQ(target.GetPixel(60, 24), clLime);
  EXPECT_EQ(target.GetPixel(60, 25), clBlack);  // the skin's height kept
  DrawCellImage(dc, picture, StoredLooks(), TskCellLook::Focus, cell, false);
  EXPECT_EQ(target.GetPixel(60, 34), clLime);   // stretched to the cell
  DrawCellImage(dc, picture, StoredLooks(), TskCellLook::Plain, {150, 0, 200, 40}, true);
  EXPECT_EQ(target.GetPixel(160, 10), clBlack);  // the plain look draws nothing
}

}  // namespace
}  // namespace tsm
