// The system menu of the job list window through the real frame, as the
// engine shows it with the stored skin: its items, the short cut at the
// right, the command glyphs in the glyph column, Restore after maximizing.

#include <gtest/gtest.h>

#include "framework/controls/MenuItem.h"
#include "framework/controls/ShortCut.h"
#include "skin/TskDataSkinObject.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinPopupWindow.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

class SkinMenuSystemMenu : public FrameTest {
 protected:
  TskSkinPopupWindow& OpenSystemMenu(TskFormFrame* frame) {
    RunFor(600);   // not the second half of a double click
    Desk().Click(At(frame, {300, 10}), TMouseButton::Right);
    RunFor(50);
    return *frame->SkinMenu().Window(0);
  }
  const TskDataSkinMenuItem& MenuItemData() {
    for (size_t i = 0; i < m_skin->ObjectCount(); ++i)
      if (auto* item = dynamic_cast<TskDataSkinMenuItem*>(m_skin->Object(i))) return *item;
    throw std::logic_error("no menu item in the stored skin");
  }
  // Pixels of the colour in the screen rectangle.
  int32_t Count(const TRect& r, TColor color) {
    int32_t n = 0;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x) n += Desk().ScreenPixel(x, y) == color;
    return n;
  }
};

TEST_F(SkinMenuSystemMenu, ItemsShortCutAndGlyphsOfTheJobListWindow) {
  TskFormFrame* frame = MakeJobListForm();
  TskSkinPopupWindow& menu = OpenSystemMenu(frame);
  ASSERT_EQ(menu.ItemCount(), 4u);
  EXPECT_EQ(menu.Item(0).MenuItem()->Caption(), "最小化(&n)");
  EXPECT_EQ(menu.Item(1).MenuItem()->Caption(), "最大化(&x)");
  EXPECT_TRUE(menu.Item(2).IsDivider());
  EXPECT_EQ(menu.Item(3).MenuItem()->Caption(), "关闭(&C)");
  EXPECT_EQ(ShortCutToText(menu.Item(3).MenuItem()->ShortCut()), "Alt+F4");
  EXPECT_TRUE(menu.Skinned());

  // The glyph column is the first 16 pixels of the text rectangle (2,2,52,18
  // of the 54 x 20 item look); a 10-pixel glyph stands centred in it, drawn
  // in the item's text colour.
  const TskDataSkinMenuItem& data = MenuItemData();
  const auto glyphOrigin = [](const TskSkinPopupWindow& window, size_t i) {
    const TRect r = window.ItemScreenRect(i);
    return TPoint{r.Left + 2 + (16 - 10) / 2, r.Top + 2 + (16 - 10) / 2};
  };
  const TPoint minimize = glyphOrigin(menu, 0), maximize = glyphOrigin(menu, 1), close = glyphOrigin(menu, 3);
  EXPECT_EQ(Desk().ScreenPixel(minimize.X + 4, minimize.Y + 9), data.ActiveFontColor);   // highlighted
  EXPECT_EQ(Desk().ScreenPixel(maximize.X, maximize.Y + 5), data.FontColor);   // the frame's left side
  EXPECT_EQ(Desk().ScreenPixel(close.X + 1, close.Y + 1), data.FontColor);     // the cross's first stroke

  // "Alt+F4" ends 16 pixels before the text rectangle's right edge.
  const TRect r3 = menu.ItemScreenRect(3);
  const int32_t textRight = r3.Left + r3.Width() + 52 - 54;
  EXPECT_GT(Count({textRight - 16 - 8, r3.Top + 2, textRight - 16, r3.Top + 18}, data.FontColor), 0);
  EXPECT_EQ(Count({textRight - 16, r3.Top + 2, textRight, r3.Top + 18}, data.FontColor), 0);
  Desk().KeyPress(VK_ESCAPE);
  Pump();

  // Maximized: Restore takes Maximize's place, with its glyph.
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  TskSkinPopupWindow& again = OpenSystemMenu(frame);
  ASSERT_EQ(again.ItemCount(), 4u);
  EXPECT_EQ(again.Item(1).MenuItem()->Caption(), "还原(&R)");
  const TPoint restore = glyphOrigin(again, 1);
  EXPECT_EQ(Desk().ScreenPixel(restore.X + 2, restore.Y + 1), data.FontColor);   // the back window's side
  Desk().KeyPress(VK_ESCAPE);
  Pump();
}

}  // namespace
}  // namespace tsm
