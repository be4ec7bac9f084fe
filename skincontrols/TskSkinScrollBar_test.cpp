// The skinned scroll bar: positions and their events, the setters' rules,
// geometry with the stored skin, both looks pixel by pixel, the repeat
// timing of buttons and track, thumb drags, keys and wheel.

#include "skincontrols/TskSkinScrollBar.h"

#include <gtest/gtest.h>

#include "skin/TskSkinData.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

// The fallback part look: navy frame, pale fill when hot, darker pressed.
constexpr TColor kHotFrame = RGB(0, 0, 128);
constexpr TColor kHotFill = RGB(182, 189, 210);
constexpr TColor kPressedFill = RGB(133, 147, 181);

class ScrollBarTest : public SkinControlTest {
 protected:
  TskSkinScrollBar* Bar(bool vertical = false) {
    auto* bar = new TskSkinScrollBar(Form());
    bar->SetParent(Form());
    if (vertical) {
      bar->SetKind(TScrollBarKind::sbVertical);
      bar->SetSkinDataName("vscrollbar");
      bar->SetBounds(10, 10, 19, 200);
    } else {
      bar->SetBounds(10, 10, 200, 19);
    }
    bar->OnChange = [this](TObject*) { ++changes; };
    bar->OnLastChange = [this](TObject*) { ++lastChanges; };
    bar->OnPageDown = [this](TObject*) { ++pageDowns; };
    bar->OnPageUp = [this](TObject*) { ++pageUps; };
    Pump();
    return bar;
  }
  void Press(TskSkinScrollBar* bar, TPoint p) {
    Desk().MouseMove(ScreenPoint(bar, p));
    Desk().MouseDown();
    Pump();
  }
  void Release() {
    Desk().MouseUp();
    Pump();
  }
  int changes = 0, lastChanges = 0, pageDowns = 0, pageUps = 0;
};

TEST_F(ScrollBarTest, PositionIsClampedAndAnnouncedUnlessSilent) {
  auto* bar = Bar();
  bar->SetMax(127);
  bar->SetPosition(200);
  EXPECT_EQ(bar->Position(), 127);
  EXPECT_EQ(changes, 1);
  bar->SetPosition(127);  // no change, no event
  EXPECT_EQ(changes, 1);
  bar->SetPosition(0);
  changes = 0;
  bar->SetPositionSilent(200);
  EXPECT_EQ(bar->Position(), 127);
  EXPECT_EQ(changes, 0);

  bar->SetParams(1, 10, 5, 9);
  EXPECT_EQ(bar->Position(), 6);
  EXPECT_EQ(bar->Min(), 1);
  EXPECT_EQ(bar->Max(), 10);
  EXPECT_EQ(bar->PageSize(), 5);
  bar->SetParams(1, 10, -3, 2);  // a negative page is refused
  EXPECT_EQ(bar->PageSize(), 5);
  EXPECT_EQ(changes, 0);
}

TEST_F(ScrollBarTest, MaxAndPageSizeSettersWorkRelativeToMin) {
  auto* bar = Bar();
  bar->SetParams(50, 150, 10, 140);
  bar->SetMax(120);
  EXPECT_EQ(bar->Position(), 111);
  bar->SetParams(50, 150, 0, 140);
  bar->SetPageSize(11);
  EXPECT_EQ(bar->PageSize(), 11);
  bar->SetPageSize(12);  // the position would no longer fit
  EXPECT_EQ(bar->PageSize(), 11);
  bar->SetPageSize(-1);
  EXPECT_EQ(bar->PageSize(), 11);
  bar->SetMin(145);
  EXPECT_EQ(bar->Position(), 145);
  EXPECT_EQ(changes, 0);
}

TEST_F(ScrollBarTest, StoredSkinGeometry) {
  auto* skin = StoredSkin();
  auto* bar = Bar();
  bar->SetSkinData(skin);
  bar->SetBounds(10, 10, 200, 25);  // the skin's height wins
  EXPECT_EQ(bar->Height(), 19);
  auto l = bar->Layout();
  EXPECT_EQ(l.IncButton, (TRect{181, 0, 200, 19}));
  EXPECT_EQ(l.Track, (TRect{19, 0, 181, 19}));
  EXPECT_EQ(l.DecButton, (TRect{0, 0, 19, 19}));

  bar->SetBoth(true);
  EXPECT_EQ(bar->SkinDataName(), "bothhscrollbar");
  EXPECT_EQ(bar->Layout().IncButton, (TRect{162, 0, 181, 19}));
  bar->SetBoth(false);
  EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
  EXPECT_EQ(bar->Layout().IncButton, (TRect{181, 0, 200, 19}));

  auto* v = Bar(true);
  v->SetSkinData(skin);
  v->SetBounds(250, 10, 30, 200);
  EXPECT_EQ(v->Width(), 19);
  EXPECT_EQ(v->Layout().IncButton, (TRect{0, 181, 19, 200}));
  EXPECT_EQ(v->Layout().Track, (TRect{0, 19, 19, 181}));
}

TEST_F(ScrollBarTest, AVerticalBarKeepsItsLengthWithoutASkin) {
  auto* v = Bar(true);
  EXPECT_EQ(v->DefaultWidth(), 19);
  EXPECT_EQ(v->DefaultHeight(), 0);
  v->ApplySkinChange();  // no skin: the fallback look at the default thickness
  EXPECT_EQ(v->Width(), 19);
  EXPECT_EQ(v->Height(), 200);
  v->SetKind(TScrollBarKind::sbHorizontal);
  EXPECT_EQ(v->DefaultHeight(), 19);
  EXPECT_EQ(v->DefaultWidth(), 0);
}

TEST_F(ScrollBarTest, SkinnedLookComesFromTheSkinPicture) {
  auto* skin = StoredSkin();
  auto* bar = Bar();
  bar->SetSkinData(skin);
  const TRect s = skin->FindControl<TskDataSkinScrollBarControl>("hscrollbar")->SkinRect;
  const auto* data = skin->FindControl<TskDataSkinScrollBarControl>("hscrollbar");
  const int32_t pic = data->PictureIndex;
  // The track tiles the middle band (20..40 of the skin rectangle).
  EXPECT_EQ(PixelOf(bar, 100, 9), PicturePixel(*skin, pic, s.Left + 20 + (100 - 20) % 20, s.Top + 9));
  // The increase button in its normal look is part of the frame image.
  EXPECT_EQ(PixelOf(bar, 190, 4), PicturePixel(*skin, pic, s.Left + 41 + 9, s.Top + 4));
  // The thumb (no page: its look copied, 20 x 13 at 19, 3), away from the grip.
  EXPECT_EQ(PixelOf(bar, 21, 5), PicturePixel(*skin, pic, data->ThumbRect.Left + 2, data->ThumbRect.Top + 2));
  // Hot increase button: the active look; pressed: the down look.
  MoveTo(bar, {190, 4});
  EXPECT_EQ(PixelOf(bar, 190, 4), PicturePixel(*skin, pic, data->ActiveUpButtonRect.Left + 9, data->ActiveUpButtonRect.Top + 4));
  Press(bar, {190, 4});
  EXPECT_EQ(PixelOf(bar, 190, 4), PicturePixel(*skin, pic, data->DownUpButtonRect.Left + 9, data->DownUpButtonRect.Top + 4));
  Release();
  SaveShot(bar, "scrollbar_skinned");
}

TEST_F(ScrollBarTest, FallbackLookFramesAndFills) {
  auto* bar = Bar();
  // Increase button (183, 1) - (199, 18): normal, hot, pressed.
  EXPECT_EQ(PixelOf(bar, 183, 9), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(bar, 185, 3), ColorToRGB(clBtnFace));
  MoveTo(bar, {190, 9});
  EXPECT_EQ(PixelOf(bar, 183, 9), kHotFrame);
  EXPECT_EQ(PixelOf(bar, 185, 3), kHotFill);
  Press(bar, {190, 9});
  EXPECT_EQ(PixelOf(bar, 185, 3), kPressedFill);
  Release();
  EXPECT_EQ(PixelOf(bar, 185, 3), kHotFill);

  MoveTo(bar, {100, 9});
  bar->SetBoth(true);  // the corner marker: a plain square at the right end
  EXPECT_EQ(PixelOf(bar, 195, 9), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelOf(bar, 164, 9), ColorToRGB(clBtnShadow));  // the button's left frame
  SaveShot(bar, "scrollbar_fallback_both");
  bar->SetEnabled(false);  // no thumb: the track shows
  EXPECT_EQ(PixelOf(bar, 25, 9), ColorToRGB(clBtnFace));
}

TEST_F(ScrollBarTest, HeldButtonRepeatsAfter550MsThenEvery50) {
  auto* bar = Bar();
  Press(bar, {190, 9});
  EXPECT_EQ(bar->Position(), 1);
  RunFor(500);  // the first tick only switches to the repeat interval
  EXPECT_EQ(bar->Position(), 1);
  RunFor(49);
  EXPECT_EQ(bar->Position(), 1);
  RunFor(1);
  EXPECT_EQ(bar->Position(), 2);
  RunFor(50);
  EXPECT_EQ(bar->Position(), 3);
  MoveTo(bar, {100, 9});  // off the button: paused
  RunFor(300);
  EXPECT_EQ(bar->Position(), 3);
  MoveTo(bar, {190, 9});  // back: resumes at the repeat interval
  RunFor(50);
  EXPECT_EQ(bar->Position(), 4);
  Release();
  RunFor(300);
  EXPECT_EQ(bar->Position(), 4);
  EXPECT_EQ(changes, 4);
}

TEST_F(ScrollBarTest, ButtonEventsReplaceTheStep) {
  auto* bar = Bar();
  int ups = 0, downs = 0;
  bar->OnUpButtonClick = [&](TObject*) { ++ups; };
  bar->OnDownButtonClick = [&](TObject*) { ++downs; };
  Click(bar, {190, 9});
  Click(bar, {5, 9});
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarTest, TrackPagingStopsWhenTheThumbReachesThePointer) {
  auto* bar = Bar();
  bar->SetLargeChange(10);
  Press(bar, {150, 9});
  EXPECT_EQ(bar->Position(), 10);
  RunFor(1000);
  EXPECT_EQ(bar->Position(), 80);  // the thumb (137..153) now covers x 150
  EXPECT_EQ(pageDowns, 8);
  Release();
  Press(bar, {20, 9});  // before the thumb: toward the start
  EXPECT_EQ(bar->Position(), 70);
  EXPECT_EQ(pageUps, 1);
  MoveTo(bar, {20, 40});  // leaving the bar stops the paging
  RunFor(1000);
  EXPECT_EQ(bar->Position(), 70);
  Release();
}

TEST_F(ScrollBarTest, DraggingTheThumbToTheEndGivesMaxMinusPagePlusOne) {
  auto* bar = Bar();
  bar->SetParams(0, 99, 50, 0);  // thumb 17..99, span 84
  Press(bar, {58, 9});
  EXPECT_TRUE(bar->Dragging());
  MoveTo(bar, {100, 9});
  EXPECT_EQ(bar->Position(), 25);  // 42 / 84 of 50
  MoveTo(bar, {400, 9});
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(lastChanges, 0);
  Release();
  EXPECT_EQ(lastChanges, 1);
  EXPECT_FALSE(bar->Dragging());

  Press(bar, {150, 9});  // a drag without movement still ends with OnLastChange
  Release();
  EXPECT_EQ(lastChanges, 2);
}

TEST_F(ScrollBarTest, KeysAndWheelOnlyWithCanFocused) {
  auto* bar = Bar();
  bar->SetSmallChange(3);
  bar->SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetCanFocused(true);
  EXPECT_TRUE(bar->TabStop());
  bar->SetFocus();
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(bar->Position(), 6);
  Key(VK_LEFT);
  EXPECT_EQ(bar->Position(), 3);
  Desk().Wheel(-1);  // towards the user: forwards
  Pump();
  EXPECT_EQ(bar->Position(), 6);
  Desk().Wheel(1);
  Pump();
  EXPECT_EQ(bar->Position(), 3);
}

TEST_F(ScrollBarTest, PressWithCanFocusedTakesTheFocusFirst) {
  auto* bar = Bar();
  bar->SetCanFocused(true);
  Click(bar, {190, 9});
  EXPECT_TRUE(bar->Focused());
  EXPECT_EQ(bar->Position(), 1);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

// Every state of both kinds in both looks, saved for looking at when
// TM_SHOTS names a folder.
TEST_F(ScrollBarTest, EveryStateForTheEye) {
  auto* skin = StoredSkin();
  for (bool skinned : {false, true}) {
    for (bool vertical : {false, true}) {
      auto* bar = Bar(vertical);
      bar->SetParams(0, 99, 30, 40);
      if (skinned) bar->SetSkinData(skin);
      const std::string name = std::string("scrollbar_") + (skinned ? "skin_" : "plain_") + (vertical ? "v_" : "h_");
      const auto l = bar->Layout();
      const TPoint inc{(l.IncButton.Left + l.IncButton.Right) / 2, (l.IncButton.Top + l.IncButton.Bottom) / 2};
      const TPoint dec{(l.DecButton.Left + l.DecButton.Right) / 2, (l.DecButton.Top + l.DecButton.Bottom) / 2};
      MoveTo(bar, {-20, -20});
      SaveShot(bar, name + "normal");
      MoveTo(bar, inc);
      EXPECT_EQ(bar->HotPart(), TskScrollPart::IncButton);
      SaveShot(bar, name + "inc_hot");
      Press(bar, inc);
      SaveShot(bar, name + "inc_down");
      Release();
      MoveTo(bar, dec);
      EXPECT_EQ(bar->HotPart(), TskScrollPart::DecButton);
      SaveShot(bar, name + "dec_hot");
      const TskScrollBarLayout moved = bar->Layout();
      const TPoint thumbNow{(moved.Thumb.Left + moved.Thumb.Right) / 2, (moved.Thumb.Top + moved.Thumb.Bottom) / 2};
      MoveTo(bar, thumbNow);
      EXPECT_EQ(bar->HotPart(), TskScrollPart::Thumb);
      SaveShot(bar, name + "thumb_hot");
      Press(bar, thumbNow);
      SaveShot(bar, name + "thumb_down");
      Release();
      MoveTo(bar, {-20, -20});
      bar->SetParams(0, 99, 0, 99);
      SaveShot(bar, name + "nopage_end");
      bar->SetEnabled(false);
      SaveShot(bar, name + "disabled");
      if (!vertical) {
        bar->SetEnabled(true);
        bar->SetBoth(true);
        SaveShot(bar, name + "both");
      }
      bar->Free();
    }
  }
}

}  // namespace
}  // namespace tsm
