// The skinned push button on the headless window system: its looks from the
// stored skin and the fallback colours, caption placement, the mouse (press,
// drag away, repeat), groups, the keyboard (Space, Enter, default, cancel,
// accelerators), modal results and morphing.

#include <gtest/gtest.h>

#include "framework/controls/Action.h"
#include "framework/controls/ActionList.h"
#include "framework/controls/Edit.h"
#include "framework/graphics/ImageList.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowApi.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

class SkinButtonTest : public SkinControlTest {
 protected:
  TskSkinButton* MakeButton(const std::string& caption, TskSkinData* skin, int32_t x = 20, int32_t y = 20) {
    auto* b = new TskSkinButton(Form());
    b->SetParent(Form());
    b->SetCaption(caption);
    b->SetBounds(x, y, 113, 25);
    if (skin) b->SetSkinData(skin);
    b->OnClick = [this](TObject* sender) { m_clicks.push_back(static_cast<TskSkinButton*>(sender)); };
    Pump();
    return b;
  }
  int Clicks(const TskSkinButton* b) const { return int(std::count(m_clicks.begin(), m_clicks.end(), b)); }
  void Press(const TControl* c, TPoint at = {-1, -1}) {
    MoveTo(c, at.X < 0 ? TPoint{c->Width() / 2, c->Height() / 2} : at);
    Desk().MouseDown();
    Pump();
  }
  void Release() {
    Desk().MouseUp();
    Pump();
  }
  void MoveAway() {
    Desk().MouseMove({600, 380});  // over the form, off every control
    Pump();
  }

  // Box of the pixels of one colour inside a control (client coordinates).

  std::vector<TskSkinButton*> m_clicks;
};

// A button skin in flat colours: normal red, active blue, pressed green.
std::string FlatButtonKeys(bool morphing) {
  return std::string("pictureindex=0\nskinrect=0,0,20,20\nlefttoppoint=5,0\nrighttoppoint=15,0\nclientrect=0,0,20,20\n"
                     "activeskinrect=0,20,20,40\ndownskinrect=0,40,20,60\nfontcolor=0\nmorphkind=mkdefault\n") +
         "morphing=" + (morphing ? "1" : "0") + "\n";
}
TBitmap FlatButtonPicture() {
  TBitmap b(20, 60);
  TDeviceContext dc(b);
  dc.FillRect({0, 0, 20, 20}, RGB(200, 0, 0));
  dc.FillRect({0, 20, 20, 40}, RGB(0, 0, 200));
  dc.FillRect({0, 40, 20, 60}, RGB(0, 200, 0));
  return b;
}

// --- Looks ------------------------------------------------------------------

TEST_F(SkinButtonTest, StoredSkinFitsTheHeightAndShowsNormalActiveAndPressedLooks) {
  TskSkinData* skin = StoredSkin();
  TskSkinButton* b = MakeButton("确定", skin);
  EXPECT_EQ(b->Width(), 113);
  EXPECT_EQ(b->Height(), 20);  // the skin's height wins over 25
  // "button": picture 4, normal 3,5,..  active 3,30,..  pressed 3,55,..; left piece 12 wide.
  EXPECT_EQ(PixelOf(b, 1, 10), PicturePixel(*skin, 4, 3 + 1, 5 + 10));
  EXPECT_EQ(b->CurrentLook(), TskButtonLook::Normal);
  MoveTo(b, {50, 10});
  EXPECT_EQ(b->CurrentLook(), TskButtonLook::Active);
  EXPECT_EQ(PixelOf(b, 1, 10), PicturePixel(*skin, 4, 3 + 1, 30 + 10));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(b->CurrentLook(), TskButtonLook::Pressed);
  EXPECT_EQ(PixelOf(b, 1, 10), PicturePixel(*skin, 4, 3 + 1, 55 + 10));
  EXPECT_EQ(PixelOf(b, 112, 19), PicturePixel(*skin, 4, 62, 55 + 19));
  SaveShot(b, "button_pressed");
  Release();
  EXPECT_EQ(Clicks(b), 1);
}

TEST_F(SkinButtonTest, CaptionTopIsFourAndFiveWhilePressed) {
  TskSkinData* skin = StoredSkin();
  TskSkinButton* b = MakeButton("确定", skin);
  b->SetNumGlyphs(2);
  b->SetLayout(TskButtonLayout::blGlyphTop);
  const TPoint ink = MeasureTextInk("确定", "宋体", -12).Ink.TopLeft();
  const TskDataSkinButtonControl* data = skin->FindControl<TskDataSkinButtonControl>("button");
  ASSERT_NE(data, nullptr);
  const TColor normal = data->FontColor, down = data->DownFontColor;
  // Caption box 24 wide, +2, centred: x = 113/2 - 12 = 44, the text 1 further.
  EXPECT_EQ(InkOf(b, normal).TopLeft(), (TPoint{45 + ink.X, 4 + ink.Y}));
  Press(b);
  EXPECT_EQ(InkOf(b, down).TopLeft(), (TPoint{46 + ink.X, 5 + ink.Y}));
  Release();
}

TEST_F(SkinButtonTest, DisabledButtonKeepsTheNormalLookWithGreyTextAndTheSecondGlyph) {
  TskSkinData* skin = StoredSkin();
  TskSkinButton* b = MakeButton("", skin);
  ui::TBitmap strip(16, 8);
  strip.Canvas().Brush() = TBrush{clFuchsia, TBrushStyle::Solid};
  strip.Canvas().FillRect({0, 0, 16, 8});
  strip.Canvas().Brush() = TBrush{clRed, TBrushStyle::Solid};
  strip.Canvas().FillRect({2, 2, 6, 6});
  strip.Canvas().Brush() = TBrush{clLime, TBrushStyle::Solid};
  strip.Canvas().FillRect({10, 2, 14, 6});
  b->SetGlyph(strip);
  b->SetNumGlyphs(2);
  b->SetLayout(TskButtonLayout::blGlyphTop);
  // Glyph 8 x 8 on top of no caption, Spacing 1: at (56 - 4, 10 - 4).
  EXPECT_EQ(PixelOf(b, 52 + 3, 6 + 3), clRed);
  EXPECT_EQ(PixelOf(b, 52, 6), PicturePixel(*skin, 4, 3 + 30, 5 + 6));  // transparent corner
  b->SetEnabled(false);
  EXPECT_EQ(PixelOf(b, 52 + 3, 6 + 3), clLime);
  EXPECT_EQ(PixelOf(b, 1, 10), PicturePixel(*skin, 4, 3 + 1, 5 + 10));
  b->SetGlyph(ui::TBitmap());
  b->SetCaption("取消");
  EXPECT_FALSE(InkOf(b, TColor(8421504)).IsEmpty());
  EXPECT_TRUE(InkOf(b, skin->FindControl<TskDataSkinButtonControl>("button")->FontColor).IsEmpty());
}

TEST_F(SkinButtonTest, FallbackLooksUseTheirFixedColours) {
  TskSkinButton* b = MakeButton("", nullptr);
  EXPECT_EQ(b->Height(), 25);
  EXPECT_EQ(PixelOf(b, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(b, 50, 12), ColorToRGB(clBtnFace));
  MoveTo(b, {50, 12});
  EXPECT_EQ(PixelOf(b, 0, 0), RGB(0, 0, 128));
  EXPECT_EQ(PixelOf(b, 112, 24), RGB(0, 0, 128));
  EXPECT_EQ(PixelOf(b, 50, 12), RGB(182, 189, 210));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(b, 0, 0), RGB(0, 0, 128));
  EXPECT_EQ(PixelOf(b, 50, 12), RGB(133, 147, 181));
  SaveShot(b, "button_fallback_pressed");
  Release();
  MoveAway();
  b->SetFocus();  // focused: active
  Pump();
  EXPECT_EQ(PixelOf(b, 50, 12), RGB(182, 189, 210));
}

// --- Mouse ------------------------------------------------------------------

TEST_F(SkinButtonTest, DragAwayAndReleaseGivesNoClickDragBackClicks) {
  TskSkinButton* b = MakeButton("a", StoredSkin());
  Press(b);
  EXPECT_TRUE(b->Down());
  MoveAway();
  EXPECT_FALSE(b->MouseInside());
  EXPECT_NE(b->CurrentLook(), TskButtonLook::Pressed);
  Release();
  EXPECT_EQ(Clicks(b), 0);
  EXPECT_FALSE(b->Down());

  Press(b);
  MoveAway();
  MoveTo(b, {10, 10});
  EXPECT_EQ(b->CurrentLook(), TskButtonLook::Pressed);
  Release();
  EXPECT_EQ(Clicks(b), 1);
  EXPECT_FALSE(b->Down());
}

TEST_F(SkinButtonTest, HeldRepeatButtonClicksEveryIntervalAndOnceAtRelease) {
  TskSkinButton* b = MakeButton("+", StoredSkin());
  b->SetRepeatMode(true);
  b->SetRepeatInterval(100);
  Press(b);
  EXPECT_EQ(Clicks(b), 0);
  RunFor(350);
  EXPECT_EQ(Clicks(b), 3);
  Release();
  EXPECT_EQ(Clicks(b), 4);
  EXPECT_FALSE(b->Repeating());
  RunFor(300);
  EXPECT_EQ(Clicks(b), 4);

  // Dragged away the repeat pauses; back inside it starts again.
  Press(b);
  RunFor(150);
  MoveAway();
  RunFor(300);
  EXPECT_EQ(Clicks(b), 5);
  MoveTo(b, {5, 5});
  RunFor(100);
  EXPECT_EQ(Clicks(b), 6);
  Release();
  EXPECT_EQ(Clicks(b), 7);
}

TEST_F(SkinButtonTest, GroupMembersAreMutuallyExclusive) {
  TskSkinData* skin = StoredSkin();
  TskSkinButton* a = MakeButton("a", skin, 20, 20);
  TskSkinButton* b = MakeButton("b", skin, 20, 60);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  EXPECT_FALSE(a->CanFocused());
  EXPECT_FALSE(a->TabStop());
  Press(a);  // a grouped button clicks on the press and stays down
  EXPECT_EQ(Clicks(a), 1);
  Release();
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->CurrentLook(), TskButtonLook::Pressed);
  Click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  Click(b);  // pressing the pressed one again does nothing
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(Clicks(b), 1);

  b->SetAllowAllUp(true);
  Click(b);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Clicks(b), 2);
  // Going down by code raises the others, with AllowAllUp too.
  a->SetAllowAllUp(true);
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  // Another group or another parent is left alone.
  TskSkinButton* c = MakeButton("c", skin, 20, 100);
  c->SetGroupIndex(2);
  c->SetDown(true);
  EXPECT_TRUE(b->Down());
}

TEST_F(SkinButtonTest, FreedByItsOwnClickHandler) {
  TskSkinButton* b = MakeButton("x", StoredSkin());
  b->OnClick = [](TObject* sender) { static_cast<TskSkinButton*>(sender)->Free(); };
  const auto alive = b->AliveToken();
  Click(b);
  EXPECT_TRUE(alive.expired());
  TskSkinButton* r = MakeButton("r", StoredSkin());
  r->SetRepeatMode(true);
  r->OnClick = [](TObject* sender) { static_cast<TskSkinButton*>(sender)->Free(); };
  const auto alive2 = r->AliveToken();
  Press(r);
  RunFor(150);
  EXPECT_TRUE(alive2.expired());
  Release();
}

// --- Keyboard, dialog keys, modal result --------------------------------------

TEST_F(SkinButtonTest, EnterAndSpaceOnTheFocusedButton) {
  TskSkinButton* b = MakeButton("ok", StoredSkin());
  b->SetFocus();
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(Clicks(b), 1);
  Desk().KeyDown(VK_SPACE);
  Pump();
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->CurrentLook(), TskButtonLook::Pressed);
  EXPECT_EQ(Clicks(b), 1);
  Desk().KeyUp(VK_SPACE);
  Pump();
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Clicks(b), 2);
  // With RepeatMode every key-down (auto-repeat too) clicks.
  b->SetRepeatMode(true);
  Desk().KeyDown(VK_SPACE);
  Desk().KeyDown(VK_SPACE, true);
  Desk().KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(Clicks(b), 5);
}

TEST_F(SkinButtonTest, SpaceUpClicksOnlyTheButtonItWentDownOn) {
  TskSkinData* skin = StoredSkin();
  TskSkinButton* a = MakeButton("a", skin, 20, 20);
  TskSkinButton* b = MakeButton("b", skin, 20, 60);
  a->SetFocus();
  Pump();
  Desk().KeyDown(VK_SPACE);
  Pump();
  b->SetFocus();
  Pump();
  EXPECT_FALSE(a->Down());
  Desk().KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(Clicks(a), 0);
  EXPECT_EQ(Clicks(b), 0);
}

TEST_F(SkinButtonTest, DefaultAndCancelButtons) {
  TskSkinData* skin = StoredSkin();
  TskSkinButton* ok = MakeButton("ok", skin, 20, 20);
  TskSkinButton* cancel = MakeButton("cancel", skin, 20, 60);
  ok->SetDefault(true);
  cancel->SetCancel(true);
  ok->SetModalResult(mrOk);
  cancel->SetModalResult(mrCancel);
  auto* edit = new TEdit(Form());
  edit->SetParent(Form());
  edit->SetBounds(200, 20, 100, 20);
  edit->SetFocus();
  Pump();
  // The default button shows its active look while the focus is on the edit.
  EXPECT_TRUE(ok->IsDefaultNow());
  EXPECT_TRUE(ok->MouseInside());
  EXPECT_EQ(ok->CurrentLook(), TskButtonLook::Active);
  Key(VK_RETURN);
  EXPECT_EQ(Clicks(ok), 1);
  EXPECT_EQ(Form()->ModalResult(), mrOk);
  Key(VK_ESCAPE);
  EXPECT_EQ(Clicks(cancel), 1);
  EXPECT_EQ(Form()->ModalResult(), mrCancel);
  Key(VK_ESCAPE, {TShiftKey::Shift});  // not with a shift key held
  EXPECT_EQ(Clicks(cancel), 1);
  // Focus on the cancel button: it takes Enter, the default one does not.
  cancel->SetFocus();
  Pump();
  EXPECT_FALSE(ok->IsDefaultNow());
  EXPECT_FALSE(ok->MouseInside());
  Key(VK_RETURN);
  EXPECT_EQ(Clicks(cancel), 2);
  EXPECT_EQ(Clicks(ok), 1);
  // A hidden or disabled default button takes no Enter.
  edit->SetFocus();
  Pump();
  ok->SetEnabled(false);
  Key(VK_RETURN);
  EXPECT_EQ(Clicks(ok), 1);
}

TEST_F(SkinButtonTest, UnfocusableButtonKeepsTheModalResultAndIgnoresKeys) {
  TskSkinButton* b = MakeButton("n", StoredSkin());
  b->SetModalResult(mrYes);
  b->SetCanFocused(false);
  Form()->SetModalResult(mrNone);
  Click(b);
  EXPECT_EQ(Clicks(b), 1);
  EXPECT_EQ(Form()->ModalResult(), mrNone);
  EXPECT_FALSE(b->Focused());
  b->Perform(WM_KEYDOWN, VK_SPACE);
  b->Perform(WM_KEYUP, VK_SPACE);
  b->Perform(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Clicks(b), 1);
  EXPECT_FALSE(b->Down());
  b->SetCanFocused(true);
  Click(b);
  EXPECT_EQ(Form()->ModalResult(), mrYes);
}

TEST_F(SkinButtonTest, AcceleratorFocusesAndClicks) {
  TskSkinButton* b = MakeButton("&Save", StoredSkin());
  Key('S', {TShiftKey::Alt});
  EXPECT_EQ(Clicks(b), 1);
  EXPECT_TRUE(b->Focused());
}

TEST_F(SkinButtonTest, LinkedActionGivesItsPictureAndRunsWithoutOnClick) {
  auto* images = new TImageList(Form());
  images->SetSize(6, 6);
  TBitmap picture(6, 6);
  picture.Fill(clWhite);
  picture.SetPixel(2, 2, clNavy);
  images->Add(picture, clWhite);
  auto* list = new TActionList(Form());
  list->SetImages(images);
  auto* action = new TAction(Form());
  action->SetActionList(list);
  action->SetCaption("保存");
  action->SetImageIndex(0);
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  TskSkinButton* b = MakeButton("", nullptr);
  b->OnClick = nullptr;
  b->SetAction(action);
  EXPECT_EQ(b->Caption(), "保存");
  ASSERT_EQ(b->Glyph().Width(), 6);
  EXPECT_EQ(b->Glyph().Image().GetPixel(2, 2), clNavy);
  EXPECT_EQ(b->Glyph().Image().GetPixel(0, 5), RGB(255, 0, 255));  // the picture's background
  Click(b);
  EXPECT_EQ(executed, 1);
  images->Free();  // the list forgets it
  EXPECT_EQ(list->Images(), nullptr);
}

TEST_F(SkinButtonTest, MarginBelowMinusOneIsIgnored) {
  TskSkinButton* b = MakeButton("m", nullptr);
  b->SetMargin(4);
  b->SetMargin(-2);
  EXPECT_EQ(b->Margin(), 4);
  b->SetMargin(-1);
  EXPECT_EQ(b->Margin(), -1);
  b->SetNumGlyphs(9);
  EXPECT_EQ(b->NumGlyphs(), 4);
}

// --- Morphing ---------------------------------------------------------------

TEST_F(SkinButtonTest, MorphBlendsNormalIntoActiveInFiveStepsOf20Ms) {
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"button", "button", FlatButtonKeys(true)}}), {FlatButtonPicture()});
  TskSkinButton* b = MakeButton("", skin);
  b->SetCanFocused(false);
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(200, 0, 0));
  MoveTo(b, {10, 10});
  EXPECT_TRUE(b->Morphing());
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(200, 0, 0));  // the first step comes with the timer
  RunFor(20);
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(160, 0, 40));
  RunFor(40);
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(80, 0, 120));
  RunFor(40);
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(b->MorphPosition(), 1.0L);
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(0, 0, 200));
  MoveAway();
  RunFor(20);
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(40, 0, 160));
  RunFor(200);
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(b->MorphPosition(), 0.0L);
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(200, 0, 0));
  // Pressing jumps to the pressed look without a morph.
  Press(b);
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(PixelOf(b, 10, 10), RGB(0, 200, 0));
  Release();
  // Disabling stops a morph and rests at the normal end.
  MoveAway();
  b->SetEnabled(false);
  EXPECT_FALSE(b->Morphing());
  EXPECT_EQ(b->MorphPosition(), 0.0L);
}

// Every look of a job list button in both looks, saved for the eye when
// TM_SHOTS names a folder: normal, hot, pressed, focused, disabled.
TEST_F(SkinButtonTest, EveryStateForTheEye) {
  for (bool skinned : {true, false}) {
    TskSkinButton* b = MakeButton("增加转换文件", skinned ? StoredSkin() : nullptr, 20, 20);
    b->SetNumGlyphs(2);
    b->SetLayout(TskButtonLayout::blGlyphTop);
    const std::string look = skinned ? "button_skin_" : "button_plain_";
    MoveAway();
    EXPECT_EQ(b->CurrentLook(), TskButtonLook::Normal);
    SaveShot(b, look + "normal");
    MoveTo(b, {50, 10});
    EXPECT_EQ(b->CurrentLook(), TskButtonLook::Active);
    SaveShot(b, look + "hot");
    Desk().MouseDown();
    Pump();
    EXPECT_EQ(b->CurrentLook(), TskButtonLook::Pressed);
    SaveShot(b, look + "pressed");
    Release();
    MoveAway();
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(b->CurrentLook(), TskButtonLook::Active);
    SaveShot(b, look + "focused");
    b->SetEnabled(false);
    SaveShot(b, look + "disabled");
    b->Free();
  }
}

}  // namespace
}  // namespace tsm
