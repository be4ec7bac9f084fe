// The button's pure parts: press and release as a truth table, the choice
// of look, glyph and caption placement, the glyph image, the morph steps.

#include <gtest/gtest.h>

#include "skincontrols/SkinButtonLayout.h"
#include "skincontrols/SkinButtonPress.h"
#include "skincontrols/SkinMorph.h"

namespace tsm {
namespace {

using TDown = TskButtonPressResult::TDown;

struct TPressCase {
  TskButtonPressState In;
  TskButtonPressResult Out;
};

TskButtonPressResult R(TDown down, bool click, bool start, bool stop, std::optional<bool> armed, bool inside) {
  TskButtonPressResult r;
  r.Down = down;
  r.Click = click;
  r.StartRepeat = start;
  r.StopRepeat = stop;
  r.ReleaseArmed = armed;
  r.SetMouseInside = inside;
  return r;
}

TEST(ButtonPressTest, PressTruthTable) {
  // In: Down Grouped AllowAllUp Repeat Inside Armed
  const TPressCase cases[] = {
      {{false, false, false, false, false, false}, R(TDown::Press, false, false, false, false, true)},
      {{false, false, false, true, false, false}, R(TDown::Press, false, true, false, false, true)},
      {{false, true, false, false, false, true}, R(TDown::Press, true, false, false, false, true)},
      {{false, true, true, true, true, false}, R(TDown::Press, true, false, false, false, true)},  // grouped: no repeat
      {{true, true, false, false, true, false}, R(TDown::Keep, false, false, false, true, false)},
      {{true, true, true, false, true, false}, R(TDown::Keep, false, false, false, true, false)},
      {{true, false, false, true, true, false}, R(TDown::Keep, false, false, false, std::nullopt, false)},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(ButtonMouseDown(cases[i].In), cases[i].Out) << "case " << i;
}

TEST(ButtonPressTest, ReleaseTruthTable) {
  const TPressCase cases[] = {
      // ungrouped: inside clicks, outside comes up quietly; the repeat stops either way
      {{true, false, false, false, true, false}, R(TDown::Release, true, false, true, std::nullopt, false)},
      {{true, false, false, true, false, false}, R(TDown::ReleaseQuietly, false, false, true, std::nullopt, false)},
      {{false, false, false, false, true, false}, R(TDown::Release, true, false, true, std::nullopt, false)},
      // grouped: only an armed release of a down member with AllowAllUp, inside
      {{true, true, true, false, true, true}, R(TDown::Release, true, false, false, std::nullopt, false)},
      {{true, true, false, false, true, true}, R(TDown::Keep, false, false, false, std::nullopt, false)},
      {{true, true, true, false, true, false}, R(TDown::Keep, false, false, false, std::nullopt, false)},
      {{true, true, true, false, false, true}, R(TDown::Keep, false, false, false, std::nullopt, false)},
      {{false, true, true, false, true, true}, R(TDown::Keep, false, false, false, std::nullopt, false)},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(ButtonMouseUp(cases[i].In), cases[i].Out) << "case " << i;
}

TEST(ButtonPressTest, LooksInTheirOrder) {
  TskButtonLookState s;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Normal);
  s.MorphedActive = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Active);
  EXPECT_EQ(FallbackButtonLook(s), TskButtonLook::Normal);  // the fallback look never morphs
  s = {};
  s.Down = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Normal);  // down, but the pointer is away
  s.Focused = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Pressed);  // Space held
  s.MouseHeld = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Active);  // pressed, then dragged away
  s.MouseInside = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Pressed);
  s = {};
  s.Down = s.Grouped = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Pressed);
  s.Enabled = false;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Pressed);  // no disabled look in the skin
  s.HasDisabledLook = true;
  EXPECT_EQ(SkinnedButtonLook(s), TskButtonLook::Disabled);
  EXPECT_EQ(FallbackButtonLook(s), TskButtonLook::Pressed);
}

TEST(ButtonLayoutTest, CentredBlocks) {
  const TRect r{0, 0, 60, 20};
  // The windows' buttons: glyph on top, no glyph, Spacing 1, a 12-pixel caption.
  const auto top = LayoutGlyphAndCaption(r, {0, 0}, {24, 12}, TskButtonLayout::blGlyphTop, -1, 1);
  EXPECT_EQ(top.Caption, (TPoint{18, 4}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {0, 0}, {24, 13}, TskButtonLayout::blGlyphTop, -1, 1).Caption.Y, 4);
  // cx 30, cy 10, glyph 16 x 16, caption 24 x 12, S 4: HW = 22, HH = 16
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 16}, {24, 12}, TskButtonLayout::blGlyphLeft, -1, 4),
            (TskGlyphCaptionPlaces{{8, 2}, {28, 4}}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 16}, {24, 12}, TskButtonLayout::blGlyphRight, -1, 4),
            (TskGlyphCaptionPlaces{{36, 2}, {8, 4}}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 16}, {24, 12}, TskButtonLayout::blGlyphTop, -1, 4),
            (TskGlyphCaptionPlaces{{22, -6}, {18, 14}}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 16}, {24, 12}, TskButtonLayout::blGlyphBottom, -1, 4),
            (TskGlyphCaptionPlaces{{22, 10}, {18, -6}}));
  // Odd sizes truncate toward zero.
  EXPECT_EQ(LayoutGlyphAndCaption({1, 1, 8, 6}, {3, 3}, {0, 0}, TskButtonLayout::blGlyphLeft, -1, 0).Glyph,
            (TPoint{3, 2}));
}

TEST(ButtonLayoutTest, MarginsFromTheNamedEdge) {
  const TRect r{10, 5, 110, 45};  // cx 60, cy 25
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 10}, {30, 12}, TskButtonLayout::blGlyphLeft, 3, 2),
            (TskGlyphCaptionPlaces{{13, 20}, {31, 19}}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 10}, {30, 12}, TskButtonLayout::blGlyphRight, 3, 2),
            (TskGlyphCaptionPlaces{{91, 20}, {59, 19}}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 10}, {30, 12}, TskButtonLayout::blGlyphTop, 3, 2),
            (TskGlyphCaptionPlaces{{52, 8}, {45, 20}}));
  EXPECT_EQ(LayoutGlyphAndCaption(r, {16, 10}, {30, 12}, TskButtonLayout::blGlyphBottom, 3, 2),
            (TskGlyphCaptionPlaces{{52, 32}, {45, 18}}));
}

TEST(ButtonLayoutTest, GlyphImageByStateAndStripLength) {
  // pressedActive, active, enabled, numGlyphs -> image
  EXPECT_EQ(ButtonGlyphNumber(true, true, true, 4), 3);
  EXPECT_EQ(ButtonGlyphNumber(true, true, true, 2), 1);
  EXPECT_EQ(ButtonGlyphNumber(false, true, true, 4), 4);
  EXPECT_EQ(ButtonGlyphNumber(false, true, true, 3), 1);
  EXPECT_EQ(ButtonGlyphNumber(false, false, false, 2), 2);
  EXPECT_EQ(ButtonGlyphNumber(false, false, false, 1), 1);
  EXPECT_EQ(ButtonGlyphNumber(false, true, false, 4), 4);  // active wins over disabled
}

TEST(MorphProgressTest, FiveWholeStepsEachWay) {
  TskMorphProgress m;
  EXPECT_TRUE(m.AtNormal());
  for (int i = 1; i <= 4; ++i) {
    EXPECT_FALSE(m.Advance(true));
    EXPECT_TRUE(m.InTransition());
    EXPECT_DOUBLE_EQ(double(m.Position()), i / 5.0);
  }
  EXPECT_TRUE(m.Advance(true));
  EXPECT_TRUE(m.AtActive());
  EXPECT_EQ(m.Position(), 1.0L);
  EXPECT_TRUE(m.Advance(true));  // already there: over at once
  EXPECT_FALSE(m.Advance(false));
  EXPECT_TRUE(m.Advance(true));  // turning back mid-way ends at once
  EXPECT_TRUE(m.AtActive());
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(m.Advance(false));
  EXPECT_TRUE(m.Advance(false));
  EXPECT_EQ(m.Position(), 0.0L);
}

}  // namespace
}  // namespace tsm
