// The skinned edits: text area and button geometry from the skin, the height
// rule, the frame, button and background looks, the button's press and
// release, the font colours by state, read-only, Enter and Escape, input
// method text, the context menu and following skin changes.

#include <gtest/gtest.h>

#include "framework/controls/MenuItem.h"
#include "platform/window/WindowApi.h"
#include "skin/TskResourceStrData.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/tests/SkinControlTestSupport.h"
#include "skinforms/TskSkinPopupMenu.h"

namespace tsm {
namespace {

class SkinEditTest : public SkinControlTest {
 protected:
  TskSkinEdit* NewEdit(TskSkinData* skin, bool button = false, int32_t width = 300) {
    auto* e = new TskSkinEdit(Form());
    e->SetParent(Form());
    if (button) {
      e->SetSkinDataName("buttonedit");
      e->SetButtonMode(true);
    }
    e->SetBounds(20, 20, width, 20);
    e->SetSkinData(skin);
    Pump();
    return e;
  }
  // Window point (whole edit, frame included) of an edit.
  TColor WindowPixel(const TskSkinEdit* e, int32_t x, int32_t y) {
    Pump();
    const TRect r = GetWindowRect(const_cast<TskSkinEdit*>(e)->Handle());
    return Desk().ScreenPixel(r.Left + x, r.Top + y);
  }
  TPoint WindowToScreen(TskSkinEdit* e, TPoint p) { return GetWindowRect(e->Handle()).TopLeft() + p; }
  static int32_t TextMetricHeight(const std::string& name, int32_t height) {
    return ui::TFont(name, height).Handle()->Height();
  }
};

// --- Geometry -------------------------------------------------------------

TEST_F(SkinEditTest, StoredButtonEditPlacesButtonAndTextAreaByTheRightPiece) {
  TskSkinEdit* e = NewEdit(StoredSkin(), true, 300);
  EXPECT_TRUE(e->Skinned());
  EXPECT_EQ(e->Height(), 17);
  const TskEditLayout l = e->Layout();
  EXPECT_EQ(l.Button, (TRect{282, 0, 300, 17}));
  EXPECT_EQ(l.TextArea, (TRect{3, 1, 282, 16}));
  // The native edit's client area is the text area.
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{3, 1, 282, 16}));
  EXPECT_EQ(e->ClientWidth(), 279);
  EXPECT_EQ(e->ClientHeight(), 15);
  // Resizing moves the button with the right end.
  e->SetWidth(200);
  Pump();
  EXPECT_EQ(e->Layout().Button, (TRect{182, 0, 200, 17}));
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{3, 1, 182, 16}));
}

TEST_F(SkinEditTest, UnskinnedLayoutInsetsTwoAndPutsASquareButtonAtTheRight) {
  auto* e = new TskSkinEdit(Form());
  e->SetParent(Form());
  e->SetButtonMode(true);
  e->SetBounds(10, 10, 120, 24);
  Pump();
  EXPECT_FALSE(e->Skinned());
  EXPECT_EQ(e->Height(), 24);   // UseSkinFont: as requested
  EXPECT_EQ(e->Layout().Button, (TRect{96, 0, 120, 24}));
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{2, 2, 94, 22}));
  e->SetButtonMode(false);
  Pump();
  EXPECT_TRUE(e->Layout().Button.IsEmpty());
  EXPECT_EQ(GetClientRectInWindow(e->Handle()), (TRect{2, 2, 118, 22}));
}

TEST_F(SkinEditTest, HeightFollowsTheFontWithoutUseSkinFontWhateverTheFormAsks) {
  const int32_t tm = TextMetricHeight("宋体", -12);
  TskSkinData* skin = StoredSkin();
  for (const char* name : {"edit", "buttonedit"}) {
    auto* e = new TskSkinEdit(Form());
    e->SetParent(Form());
    e->SetSkinDataName(name);
    e->SetButtonMode(std::string(name) == "buttonedit");
    e->SetUseSkinFont(false);
    e->DefaultFont().SetName("宋体");
    e->DefaultFont().SetHeight(-12);
    e->SetBounds(10, 10, 161, 40);
    EXPECT_EQ(e->Height(), tm + 4) << name << ": unskinned, text metric + 4";
    e->SetSkinData(skin);
    Pump();
    EXPECT_EQ(e->Height(), tm + 2) << name;
    e->SetHeight(16);
    EXPECT_EQ(e->Height(), tm + 2) << name;
    // The text area keeps the skin's insets: 1 above and 1 below.
    EXPECT_EQ(GetClientRectInWindow(e->Handle()).Height(), tm) << name;
    EXPECT_EQ(e->Font().Name(), "宋体");
    e->Free();
  }
  // With UseSkinFont the skin fixes the height, and its font is taken.
  auto* e = NewEdit(skin);
  e->SetHeight(40);
  EXPECT_EQ(e->Height(), 17);
  EXPECT_EQ(e->Font().Name(), "宋体");
  EXPECT_EQ(e->Font().Height(), -12);
}

// A made-up edit skin: 40 x 12 picture; pieces 4 and 6 wide (righttoppoint
// 34); the button begins exactly at the right piece in one entry and one
// pixel before it in the other.
std::string ButtonBoundarySkin() {
  const std::string common =
      "pictureindex=0\nskinrect=0,0,40,12\nlefttoppoint=4,0\nrighttoppoint=34,0\nclientrect=2,2,30,10\n";
  return SkinDefinition({{"atpiece", "edit", common + "buttonrect=34,0,40,12\n"},
                         {"beforepiece", "edit", common + "buttonrect=33,0,40,12\n"}});
}

TEST_F(SkinEditTest, ButtonBeginningAtTheRightPieceMovesWithTheRightEnd) {
  TBitmap picture(40, 12);
  picture.Fill(clSilver);
  TskSkinData* skin = MadeUpSkin(ButtonBoundarySkin(), {picture});
  auto* at = NewEdit(nullptr, false, 100);
  at->SetSkinDataName("atpiece");
  at->SetButtonMode(true);
  at->SetSkinData(skin);
  auto* before = NewEdit(nullptr, false, 100);
  before->SetSkinDataName("beforepiece");
  before->SetButtonMode(true);
  before->SetSkinData(skin);
  Pump();
  ASSERT_TRUE(at->Skinned());
  ASSERT_TRUE(before->Skinned());
  // left 34 >= 40 - 6: inside the right piece, moved by 100 - 40.
  EXPECT_EQ(at->Layout().Button, (TRect{94, 0, 100, 12}));
  // left 33 < 34: stays where the skin has it.
  EXPECT_EQ(before->Layout().Button, (TRect{33, 0, 40, 12}));
  EXPECT_EQ(at->Layout().TextArea, (TRect{2, 2, 90, 10}));
}

// --- Looks ------------------------------------------------------------------

// Stored "buttonedit": picture 5, skinrect 0,34,80,51 (active 0,51), button
// 62,0,80,17 in the frame, hot look at 80,34, pressed look at 98,34,
// disabled look at 116,34.
TEST_F(SkinEditTest, ButtonEditFrameButtonAndBackgroundComeFromTheSkinByState) {
  TskSkinData* skin = StoredSkin();
  TskSkinEdit* e = NewEdit(skin, true, 300);
  const auto pic = [&](int32_t x, int32_t y) { return PicturePixel(*skin, 5, x, y); };
  Desk().MouseMove({900, 700});
  Pump();
  // Normal: the frame's left piece, the button as part of the frame image,
  // the text background from the middle of the look.
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 42));
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(71, 42));
  EXPECT_EQ(WindowPixel(e, 20, 8), pic(20, 42));
  SaveShot(e, "buttonedit_normal");

  // Hot: the pointer over the button.
  Desk().MouseMove(WindowToScreen(e, {290, 8}));
  Pump();
  EXPECT_TRUE(e->ButtonHot());
  EXPECT_FALSE(e->ButtonPressed());
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(89, 42));
  // The mouse inside: the active look everywhere else.
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 59));
  EXPECT_EQ(WindowPixel(e, 20, 8), pic(20, 59));
  SaveShot(e, "buttonedit_hot");

  Desk().MouseDown();
  Pump();
  EXPECT_TRUE(e->ButtonPressed());
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(107, 42));
  SaveShot(e, "buttonedit_pressed");
  Desk().MouseUp();
  Desk().MouseMove({900, 700});
  Pump();

  // Disabled: the disabled button look, the normal frame.
  e->SetEnabled(false);
  EXPECT_EQ(WindowPixel(e, 291, 8), pic(125, 42));
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 42));
  SaveShot(e, "buttonedit_disabled");
}

TEST_F(SkinEditTest, FocusShowsTheActiveLookAndItsTextColour) {
  TskSkinData* skin = StoredSkin();
  TskSkinEdit* e = NewEdit(skin);
  TskSkinEdit* other = NewEdit(skin);
  other->SetTop(60);
  e->SetText("转换参数 abc");
  Desk().MouseMove({900, 700});
  Pump();
  const auto pic = [&](int32_t x, int32_t y) { return PicturePixel(*skin, 5, x, y); };
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 8));
  e->SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 25));
  EXPECT_EQ(WindowPixel(e, 200, 8), pic(30, 25));
  SaveShot(e, "edit_focused");
  other->SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 8), pic(0, 8));
  SaveShot(e, "edit_normal");
  e->SetEnabled(false);
  SaveShot(e, "edit_disabled");
}

TEST_F(SkinEditTest, TextColourFollowsMouseFocusAndEnabledState) {
  // Made-up colours, all different: normal 1, active 2, disabled 3.
  TBitmap picture(40, 16);
  picture.Fill(clWhite);
  const std::string keys =
      "pictureindex=0\nskinrect=0,0,40,16\nlefttoppoint=4,0\nrighttoppoint=34,0\nclientrect=2,1,38,15\n"
      "fontcolor=255\nactivefontcolor=65280\ndisabledfontcolor=16711680\nfontname=宋体\nfontheight=-12\n";
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"edit", "edit", keys}}), {picture});
  TskSkinEdit* e = NewEdit(skin, false, 100);
  e->SetText("MMMM");
  Desk().MouseMove({900, 700});
  Pump();
  const auto inkOf = [&](TColor ink) {
    for (int32_t y = 1; y < 15; ++y)
      for (int32_t x = 2; x < 60; ++x)
        if (WindowPixel(e, x, y) == ink) return true;
    return false;
  };
  EXPECT_TRUE(inkOf(RGB(255, 0, 0)));
  Desk().MouseMove(WindowToScreen(e, {20, 5}));
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 255, 0)));
  EXPECT_FALSE(inkOf(RGB(255, 0, 0)));
  Desk().MouseMove({900, 700});
  e->SetEnabled(false);
  Pump();
  EXPECT_TRUE(inkOf(RGB(0, 0, 255)));
}

TEST_F(SkinEditTest, UnskinnedFrameIsShadowThenFaceAroundTheWindowColour) {
  auto* e = NewEdit(nullptr, true, 150);
  e->SetHeight(22);
  Desk().MouseMove({900, 700});
  Pump();
  EXPECT_EQ(WindowPixel(e, 0, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(e, 1, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(WindowPixel(e, 5, 10), ColorToRGB(clWindow));
  // The button square: shadow frame, face fill.
  EXPECT_EQ(WindowPixel(e, 128, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(WindowPixel(e, 139, 10), ColorToRGB(clBtnFace));
  SaveShot(e, "unskinned_buttonedit");
  Desk().MouseMove(WindowToScreen(e, {139, 10}));
  Pump();
  EXPECT_EQ(WindowPixel(e, 128, 0), RGB(0, 0, 128));
  EXPECT_EQ(WindowPixel(e, 139, 10), RGB(182, 189, 210));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(WindowPixel(e, 139, 10), RGB(133, 147, 181));
  SaveShot(e, "unskinned_buttonedit_pressed");
  Desk().MouseUp();
  Pump();
}

}  // namespace
}  // namespace tsm
