// The skinned control base: binding by name, stretch modes, size fitting,
// skin rectangles mapped into the control, painting through one bitmap with
// the fallback look, window regions from masks and following skin changes
// (notices, reloads, the skin data component going away).

#include <gtest/gtest.h>

#include "platform/window/WindowApi.h"
#include "skin/TskResourceStrData.h"
#include "skincontrols/TskGraphicSkinCustomControl.h"
#include "skincontrols/TskSkinCustomControl.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

// A concrete control of the base that counts what the base asks of it.
class TProbe : public TskSkinCustomControl {
 public:
  explicit TProbe(TComponent* owner, const std::string& name = "panel") : TskSkinCustomControl(owner) {
    SetSkinDataName(name);
    SetBounds(0, 0, 150, 150);
  }
  int Fits = 0;
  int FallbackDraws = 0;
  int SkinDraws = 0;
  using TskSkinCustomControl::SelectFont;

 protected:
  void FitSizeToSkin(int32_t& w, int32_t& h) override {
    ++Fits;
    TskSkinCustomControl::FitSizeToSkin(w, h);
  }
  void DrawFallbackImage(ui::TBitmap& image) override {
    ++FallbackDraws;
    TskSkinCustomControl::DrawFallbackImage(image);
  }
  void DrawSkinImage(ui::TBitmap& image) override {
    ++SkinDraws;
    TskSkinCustomControl::DrawSkinImage(image);
  }
};

class TGraphicProbe : public TskGraphicSkinCustomControl {
 public:
  explicit TGraphicProbe(TComponent* owner) : TskGraphicSkinCustomControl(owner) {
    SetSkinDataName("button");
    SetBounds(0, 0, 75, 25);
  }
};

// A 20 x 20 picture whose every pixel has its own colour.
TBitmap Numbered(int32_t w = 20, int32_t h = 20) {
  TBitmap b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, RGB(uint8_t(10 * x + 5), uint8_t(10 * y + 5), 77));
  return b;
}

std::string CornerKeys(const std::string& extra = "") {
  return "pictureindex=0\nskinrect=0,0,20,20\nlefttoppoint=3,3\nrighttoppoint=17,3\nleftbottompoint=3,17\n"
         "rightbottompoint=17,17\nclientrect=3,3,17,17\n" + extra;
}

// --- Stretch modes and geometry (no window) -------------------------------

TEST(SkinControlGeometryTest, StretchModeFollowsThePointsInOrder) {
  const TRect r{0, 0, 20, 20};
  EXPECT_EQ(StretchModeOf({0, 0, 0, 20}, {1, 1}, {1, 1}, {1, 1}), TskStretchMode::NoRect);
  EXPECT_EQ(StretchModeOf({5, 5, 4, 20}, {1, 1}, {1, 1}, {1, 1}), TskStretchMode::NoRect);
  EXPECT_EQ(StretchModeOf(r, {0, 0}, {0, 0}, {17, 17}), TskStretchMode::Corners);
  EXPECT_EQ(StretchModeOf(r, {17, 0}, {0, 17}, {17, 0}), TskStretchMode::Horizontal);
  EXPECT_EQ(StretchModeOf(r, {0, 3}, {0, 0}, {0, 17}), TskStretchMode::Horizontal);
  EXPECT_EQ(StretchModeOf(r, {0, 0}, {0, 17}, {0, 0}), TskStretchMode::Vertical);
  EXPECT_EQ(StretchModeOf(r, {0, 0}, {0, 0}, {0, 0}), TskStretchMode::Fixed);
}

TskControlSkinGeometry Geometry(TPoint lt, TPoint rt, TPoint lb, TPoint rb, TRect client = {2, 2, 18, 18}) {
  TskControlSkinGeometry g;
  g.SkinRectangle = {0, 0, 20, 20};
  g.LeftTopPoint = lt;
  g.RightTopPoint = rt;
  g.LeftBottomPoint = lb;
  g.RightBottomPoint = rb;
  g.SkinClientRect = client;
  g.StretchMode = StretchModeOf(g.SkinRectangle, rt, lb, rb);
  return g;
}

TEST(SkinControlGeometryTest, FittingBySizeAndMode) {
  auto corners = Geometry({3, 3}, {17, 3}, {3, 17}, {17, 17});
  int32_t w = 150, h = 90;
  corners.Fit(w, h);
  EXPECT_EQ(w, 150);
  EXPECT_EQ(h, 90);
  EXPECT_EQ(corners.FittedLeftTopPoint, (TPoint{3, 3}));
  EXPECT_EQ(corners.FittedRightTopPoint, (TPoint{147, 3}));
  EXPECT_EQ(corners.FittedLeftBottomPoint, (TPoint{3, 87}));
  EXPECT_EQ(corners.FittedRightBottomPoint, (TPoint{147, 87}));
  EXPECT_EQ(corners.FittedClientRect, (TRect{2, 2, 148, 88}));

  auto horizontal = Geometry({5, 0}, {15, 0}, {0, 0}, {0, 0});
  w = 113, h = 25;
  horizontal.Fit(w, h);
  EXPECT_EQ(w, 113);
  EXPECT_EQ(h, 20);
  EXPECT_EQ(horizontal.FittedRightTopPoint, (TPoint{108, 0}));
  EXPECT_EQ(horizontal.FittedClientRect, (TRect{2, 2, 111, 18}));

  auto vertical = Geometry({0, 5}, {0, 0}, {0, 15}, {0, 0});
  w = 30, h = 60;
  vertical.Fit(w, h);
  EXPECT_EQ(w, 20);
  EXPECT_EQ(h, 60);
  EXPECT_EQ(vertical.FittedLeftBottomPoint, (TPoint{0, 55}));
  EXPECT_EQ(vertical.FittedClientRect, (TRect{2, 2, 18, 58}));

  auto fixed = Geometry({0, 0}, {0, 0}, {0, 0}, {0, 0});
  w = 70, h = 3;
  fixed.Fit(w, h);
  EXPECT_EQ(w, 20);
  EXPECT_EQ(h, 20);
  EXPECT_EQ(fixed.FittedClientRect, (TRect{2, 2, 18, 18}));

  TskControlSkinGeometry none;
  w = 70, h = 3;
  none.Fit(w, h);
  EXPECT_EQ(w, 70);
  EXPECT_EQ(h, 3);
}

TEST(SkinControlGeometryTest, SkinRectanglesMapIntoTheControl) {
  const auto c = Geometry({3, 3}, {17, 3}, {3, 17}, {17, 17});
  // Inside one corner zone: moved with that corner.
  EXPECT_EQ(c.SkinRectToControl({1, 1, 2, 2}, 150, 150), (TRect{1, 1, 2, 2}));
  EXPECT_EQ(c.SkinRectToControl({18, 1, 19, 2}, 150, 150), (TRect{148, 1, 149, 2}));
  EXPECT_EQ(c.SkinRectToControl({1, 18, 2, 19}, 150, 150), (TRect{1, 148, 2, 149}));
  EXPECT_EQ(c.SkinRectToControl({18, 18, 19, 19}, 150, 150), (TRect{148, 148, 149, 149}));
  // Spanning zones (edges now inside): stretched with the size.
  EXPECT_EQ(c.SkinRectToControl({1, 1, 19, 19}, 150, 100), (TRect{1, 1, 149, 99}));
  EXPECT_EQ(c.SkinRectToControl({0, 0, 20, 3}, 150, 100), (TRect{0, 0, 150, 3}));
  EXPECT_EQ(c.SkinRectToControl({0, 17, 20, 20}, 150, 100), (TRect{0, 97, 150, 100}));
  EXPECT_EQ(c.SkinRectToControl({0, 0, 3, 20}, 150, 100), (TRect{0, 0, 3, 100}));
  EXPECT_EQ(c.SkinRectToControl({17, 0, 20, 20}, 150, 100), (TRect{147, 0, 150, 100}));
  // The middle spans no corner zone: unchanged.
  EXPECT_EQ(c.SkinRectToControl({5, 5, 15, 15}, 150, 100), (TRect{5, 5, 15, 15}));

  const auto h = Geometry({5, 0}, {15, 0}, {0, 0}, {0, 0});
  EXPECT_EQ(h.SkinRectToControl({2, 4, 18, 16}, 100, 20), (TRect{2, 4, 98, 16}));   // stretched
  EXPECT_EQ(h.SkinRectToControl({16, 4, 19, 16}, 100, 20), (TRect{96, 4, 99, 16})); // right end
  EXPECT_EQ(h.SkinRectToControl({1, 4, 4, 16}, 100, 20), (TRect{1, 4, 4, 16}));     // left end
  const auto v = Geometry({0, 5}, {0, 0}, {0, 15}, {0, 0});
  EXPECT_EQ(v.SkinRectToControl({4, 2, 16, 18}, 20, 60), (TRect{4, 2, 16, 58}));
  EXPECT_EQ(v.SkinRectToControl({4, 16, 16, 19}, 20, 60), (TRect{4, 56, 16, 59}));
  const auto f = Geometry({0, 0}, {0, 0}, {0, 0}, {0, 0});
  EXPECT_EQ(f.SkinRectToControl({4, 16, 16, 19}, 90, 60), (TRect{4, 16, 16, 19}));
}

// --- Binding and fitting with the stored skin -------------------------------

using SkinControlBaseTest = SkinControlTest;

TEST_F(SkinControlBaseTest, PanelOfTheStoredSkinMapsItsCornerToTheControlsCorner) {
  auto* panel = new TProbe(Form());
  panel->SetParent(Form());
  panel->SetSkinData(StoredSkin());
  ASSERT_TRUE(panel->Skinned());
  EXPECT_EQ(panel->StretchMode(), TskStretchMode::Corners);
  EXPECT_EQ(panel->SkinRectToControl({18, 18, 19, 19}), (TRect{148, 148, 149, 149}));
  panel->SetBounds(10, 10, 300, 40);  // corners keep any size
  EXPECT_EQ(panel->Width(), 300);
  EXPECT_EQ(panel->Height(), 40);
  EXPECT_EQ(panel->FittedClientRect(), (TRect{2, 2, 298, 38}));
}

TEST_F(SkinControlBaseTest, ButtonDataFixesTheHeightAndLeavesTheWidthFree) {
  auto* c = new TProbe(Form(), "button");
  c->SetParent(Form());
  c->SetBounds(0, 0, 113, 25);
  EXPECT_EQ(c->Height(), 25);  // unskinned: any size
  TskSkinData* skin = StoredSkin();
  c->SetSkinData(skin);
  EXPECT_EQ(c->StretchMode(), TskStretchMode::Horizontal);
  EXPECT_EQ(c->Width(), 113);
  EXPECT_EQ(c->Height(), 20);
  c->SetBounds(5, 5, 200, 60);
  EXPECT_EQ(c->Width(), 200);
  EXPECT_EQ(c->Height(), 20);
  EXPECT_EQ(c->FittedClientRect(), (TRect{0, 0, 200, 20}));
}

TEST_F(SkinControlBaseTest, MovingWithoutResizingFitsNothing) {
  auto* c = new TProbe(Form(), "button");
  c->SetParent(Form());
  c->SetSkinData(StoredSkin());
  const int fits = c->Fits;
  c->SetBounds(30, 40, c->Width(), c->Height());
  EXPECT_EQ(c->Fits, fits);
  EXPECT_EQ(c->Left(), 30);
  c->SetWidth(90);
  EXPECT_EQ(c->Fits, fits + 1);
}

TEST_F(SkinControlBaseTest, UnknownNameKeepsTheFallbackLookAndTakesTheDefaultSize) {
  auto* c = new TProbe(Form(), "nosuchpart");
  c->SetParent(Form());
  c->SetBounds(10, 10, 80, 30);
  c->SetSkinData(StoredSkin());
  EXPECT_FALSE(c->Skinned());
  EXPECT_EQ(c->SkinIndex(), -1);
  EXPECT_EQ(c->Width(), 80);  // no default size: kept
  EXPECT_EQ(PixelOf(c, 40, 15), ColorToRGB(clBtnFace));
  EXPECT_GT(c->FallbackDraws, 0);
  EXPECT_EQ(c->SkinDraws, 0);

  c->SetDefaultWidth(64);  // unskinned: at once
  EXPECT_EQ(c->Width(), 64);
  c->SetBounds(10, 10, 99, 30);
  c->SetDefaultHeight(0);
  c->ApplySkinChange();
  EXPECT_EQ(c->Width(), 64);
  EXPECT_EQ(c->Height(), 30);
}

TEST_F(SkinControlBaseTest, EntryOfAnotherClassLeavesTheControlUnskinned) {
  auto* c = new TProbe(Form(), "grid");  // grid data has no corner layout
  c->SetParent(Form());
  c->SetSkinData(StoredSkin());
  EXPECT_FALSE(c->Skinned());
  EXPECT_EQ(c->SkinPicture(), nullptr);
  EXPECT_EQ(PixelOf(c, 5, 5), ColorToRGB(clBtnFace));
}

TEST_F(SkinControlBaseTest, ZeroSizeControlPaintsNothing) {
  auto* c = new TProbe(Form());
  c->SetParent(Form());
  c->SetSkinData(StoredSkin());
  c->SetBounds(10, 10, 0, 40);
  Pump();
  const int draws = c->SkinDraws + c->FallbackDraws;
  ui::TBitmap image;
  EXPECT_FALSE(c->BuildImage(image));
  c->Repaint();
  Pump();
  EXPECT_EQ(c->SkinDraws + c->FallbackDraws, draws);
  EXPECT_EQ(PixelOf(Form(), 10, 20), clWhite);
}

// --- Painting -------------------------------------------------------------

TEST_F(SkinControlBaseTest, SkinnedPanelComposesCornersEdgesAndClientFromThePicture) {
  TskSkinData* skin = StoredSkin();
  auto* p = new TProbe(Form());
  p->SetParent(Form());
  p->SetBounds(20, 20, 150, 150);
  p->SetSkinData(skin);
  // "panel": picture 7, skinrect 0,0,20,20, corners 3 wide, client 2,2,18,18.
  EXPECT_EQ(PixelOf(p, 0, 0), PicturePixel(*skin, 7, 0, 0));
  EXPECT_EQ(PixelOf(p, 149, 0), PicturePixel(*skin, 7, 19, 0));
  EXPECT_EQ(PixelOf(p, 0, 149), PicturePixel(*skin, 7, 0, 19));
  EXPECT_EQ(PixelOf(p, 149, 149), PicturePixel(*skin, 7, 19, 19));
  EXPECT_EQ(PixelOf(p, 75, 75), PicturePixel(*skin, 7, 2 + (75 - 2) % 16, 2 + (75 - 2) % 16));
  EXPECT_GT(p->SkinDraws, 0);
  EXPECT_EQ(p->FallbackDraws, 0);
}

TEST_F(SkinControlBaseTest, EachStretchModeDrawsFromTheMadeUpPicture) {
  TskSkinData* skin = MadeUpSkin(
      SkinDefinition({{"c", "panel", CornerKeys()},
                      {"h", "panel", "pictureindex=0\nskinrect=0,0,20,20\nlefttoppoint=5,0\nrighttoppoint=15,0\n"},
                      {"v", "panel", "pictureindex=0\nskinrect=0,0,20,20\nlefttoppoint=0,5\nleftbottompoint=0,15\n"},
                      {"f", "panel", "pictureindex=0\nskinrect=4,4,14,12\n"}}),
      {Numbered()});
  const auto make = [&](const std::string& name, int x) {
    auto* p = new TProbe(Form(), name);
    p->SetParent(Form());
    p->SetBounds(x, 10, 60, 50);
    p->SetSkinData(skin);
    return p;
  };
  const auto px = [&](int x, int y) { return PicturePixel(*skin, 0, x, y); };
  TProbe* c = make("c", 0);
  EXPECT_EQ(PixelOf(c, 59, 49), px(19, 19));
  EXPECT_EQ(PixelOf(c, 3 + 14 + 2, 0), px(3 + 2, 0));  // top edge tiled from LT.x
  EXPECT_EQ(PixelOf(c, 0, 3 + 14 + 4), px(0, 3 + 4));  // left edge tiled from LT.y
  TProbe* h = make("h", 70);
  EXPECT_EQ(h->Height(), 20);
  EXPECT_EQ(PixelOf(h, 59, 7), px(19, 7));            // right piece kept
  EXPECT_EQ(PixelOf(h, 5 + 10 + 3, 7), px(5 + 3, 7));  // middle tiled
  TProbe* v = make("v", 140);
  EXPECT_EQ(v->Width(), 20);
  EXPECT_EQ(PixelOf(v, 7, 49), px(7, 19));
  EXPECT_EQ(PixelOf(v, 7, 5 + 10 + 1), px(7, 5 + 1));
  TProbe* f = make("f", 170);
  EXPECT_EQ(f->Width(), 10);
  EXPECT_EQ(f->Height(), 8);
  EXPECT_EQ(PixelOf(f, 0, 0), px(4, 4));
  EXPECT_EQ(PixelOf(f, 9, 7), px(13, 11));
}

TEST_F(SkinControlBaseTest, MaskGivesTheWindowItsShape) {
  TBitmap mask(20, 20);
  mask.Fill(clWhite);
  TDeviceContext(mask).FillRect({2, 0, 20, 20}, clBlack);  // the two left columns are cut away
  TskSkinData* skin = MadeUpSkin(
      SkinDefinition({{"f", "panel", "pictureindex=0\nmaskpictureindex=1\nskinrect=0,0,20,20\n"},
                      {"c", "panel", CornerKeys("maskpictureindex=1\n")}}),
      {Numbered(), mask});
  auto* f = new TProbe(Form(), "f");
  f->SetParent(Form());
  f->SetBounds(10, 10, 20, 20);
  f->SetSkinData(skin);
  ASSERT_TRUE(f->WindowRegion().has_value());
  EXPECT_EQ(f->WindowRegion()->Bounds(), (TRect{2, 0, 20, 20}));
  EXPECT_EQ(PixelOf(f, 0, 5), clWhite);  // the form shows through
  EXPECT_EQ(PixelOf(f, 2, 5), PicturePixel(*skin, 0, 2, 5));

  auto* c = new TProbe(Form(), "c");
  c->SetParent(Form());
  c->SetBounds(50, 10, 100, 60);
  c->SetSkinData(skin);
  ASSERT_TRUE(c->WindowRegion().has_value());
  EXPECT_FALSE(c->WindowRegion()->Contains(1, 30));
  EXPECT_TRUE(c->WindowRegion()->Contains(2, 30));
  EXPECT_TRUE(c->WindowRegion()->Contains(99, 59));
  c->SetSkinDataName("nosuchpart");
  c->ApplySkinChange();  // unskinned: the shape goes
  EXPECT_FALSE(c->WindowRegion().has_value());
  EXPECT_FALSE(GetWindowRgn(c->Handle()).has_value());
}

// --- Fonts ----------------------------------------------------------------

TEST_F(SkinControlBaseTest, FontComesFromTheSkinOnlyWhileSkinnedWithUseSkinFont) {
  auto* c = new TProbe(Form(), "button");
  c->SetParent(Form());
  c->DefaultFont().SetColor(clRed);
  const std::string name = "Skin Face";
  const TskSkinFont skinFont{name, -17, TskFontStyles{true, false, false, false}};
  ui::TFont f;
  c->SelectFont(f, skinFont);  // unskinned
  EXPECT_TRUE(f.SameAs(c->DefaultFont()));
  EXPECT_EQ(f.Name(), "Arial");
  EXPECT_EQ(f.Height(), 14);

  TskSkinData* skin = StoredSkin();
  c->SetSkinData(skin);
  c->SelectFont(f, skinFont);
  EXPECT_EQ(f.Name(), "Skin Face");
  EXPECT_EQ(f.Height(), -17);
  EXPECT_TRUE(f.Style().Contains(TFontStyle::Bold));

  c->SetUseSkinFont(false);
  c->SelectFont(f, skinFont);
  EXPECT_EQ(f.Name(), "Arial");
  EXPECT_FALSE(f.Style().Contains(TFontStyle::Bold));

  auto* strings = new TskResourceStrData(Form());
  strings->SetCharSet(GB2312_CHARSET);
  skin->SetResourceStrData(strings);
  c->SelectFont(f, skinFont);
  EXPECT_EQ(f.Charset(), GB2312_CHARSET);
}

TEST_F(SkinControlBaseTest, DefaultFontChangesRepaintOnlyWhileUnskinned) {
  auto* c = new TProbe(Form(), "nosuchpart");
  c->SetParent(Form());
  Pump();
  int draws = c->FallbackDraws;
  c->DefaultFont().SetHeight(20);
  Pump();
  EXPECT_GT(c->FallbackDraws, draws);
  c->SetSkinDataName("panel");
  c->SetSkinData(StoredSkin());
  Pump();
  draws = c->SkinDraws;
  c->DefaultFont().SetHeight(22);
  Pump();
  EXPECT_EQ(c->SkinDraws, draws);
}

// --- Skin changes -----------------------------------------------------------

TEST_F(SkinControlBaseTest, BetweenTheTwoNoticesTheControlPaintsItsFallbackLook) {
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"panel", "panel", CornerKeys()}}), {Numbered()});
  auto* c = new TProbe(Form());
  c->SetParent(Form());
  c->SetSkinData(skin);
  ASSERT_TRUE(c->Skinned());
  bool skinnedMidway = true;
  int fallbackMidway = 0;
  const TWndMethod old = Form()->WindowProc();
  Form()->SetWindowProc([&, old](TMessage& m) {
    old(m);
    if (m.Msg == SkinMessageBeforeChange) {
      skinnedMidway = c->Skinned();
      const int before = c->FallbackDraws;
      ui::TBitmap image;
      c->BuildImage(image);
      fallbackMidway = c->FallbackDraws - before;
    }
  });
  Reload(*skin, SkinDefinition({{"panel", "panel", "pictureindex=0\nskinrect=0,0,12,9\n"}}), {Numbered()});
  EXPECT_FALSE(skinnedMidway);
  EXPECT_EQ(fallbackMidway, 1);
  // After the change the control follows the new (fixed) look.
  EXPECT_TRUE(c->Skinned());
  EXPECT_EQ(c->Width(), 12);
  EXPECT_EQ(c->Height(), 9);
}

TEST_F(SkinControlBaseTest, SkinWithoutThePartGivesTheDefaultSizeAtTheChange) {
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"panel", "panel", CornerKeys()}}), {Numbered()});
  auto* c = new TProbe(Form());
  c->SetParent(Form());
  c->SetSkinData(skin);
  c->SetDefaultWidth(90);  // skinned: stored only
  c->SetDefaultHeight(33);
  EXPECT_EQ(c->Width(), 150);
  Reload(*skin, SkinDefinition({{"other", "panel", CornerKeys()}}), {Numbered()});
  EXPECT_FALSE(c->Skinned());
  EXPECT_EQ(c->Width(), 90);
  EXPECT_EQ(c->Height(), 33);
}

TEST_F(SkinControlBaseTest, FreeingTheSkinDataLeavesNoSkinAndNoDrawingFromItsPictures) {
  TskSkinData* skin = StoredSkin();
  auto* c = new TProbe(Form(), "button");
  c->SetParent(Form());
  c->SetDefaultHeight(25);
  c->SetSkinData(skin);
  EXPECT_EQ(c->Height(), 20);
  Pump();
  skin->Free();
  EXPECT_EQ(c->SkinData(), nullptr);
  EXPECT_FALSE(c->Skinned());
  EXPECT_EQ(c->SkinPicture(), nullptr);
  EXPECT_EQ(c->Height(), 25);
  EXPECT_EQ(PixelOf(c, 10, 10), ColorToRGB(clBtnFace));
}

TEST_F(SkinControlBaseTest, SkinDataStillEmptyAppliesNothingUntilAPaintFindsItLoaded) {
  auto* skin = new TskSkinData(Form());
  auto* c = new TProbe(Form(), "button");
  c->SetParent(Form());
  c->SetBounds(10, 10, 80, 30);
  c->SetSkinData(skin);
  EXPECT_EQ(c->Height(), 30);
  EXPECT_EQ(PixelOf(c, 40, 15), ColorToRGB(clBtnFace));
  // Loaded without telling the form's controls: the next paint reads it.
  SkinControlTest::Reload(*skin,
                          SkinDefinition({{"button", "panel", "pictureindex=0\nskinrect=0,0,20,20\n"
                                                              "lefttoppoint=5,0\nrighttoppoint=15,0\n"}}),
                          {Numbered()});
  c->Invalidate();
  EXPECT_EQ(PixelOf(c, 0, 0), PicturePixel(*skin, 0, 0, 0));
}

TEST_F(SkinControlBaseTest, WindowlessTwinFitsAndPaintsOnItsParent) {
  TskSkinData* skin = StoredSkin();
  auto* g = new TGraphicProbe(Form());
  g->SetParent(Form());
  g->SetBounds(30, 30, 113, 25);
  g->SetSkinData(skin);
  EXPECT_EQ(g->Height(), 20);
  EXPECT_EQ(g->Width(), 113);
  // "button": picture 4, skinrect 3,5,63,25; the left piece is kept.
  EXPECT_EQ(PixelOf(g, 1, 10), PicturePixel(*skin, 4, 3 + 1, 5 + 10));
  EXPECT_EQ(PixelOf(g, 112, 10), PicturePixel(*skin, 4, 62, 5 + 10));
  skin->Free();
  EXPECT_FALSE(g->Skinned());
  EXPECT_EQ(PixelOf(g, 10, 10), ColorToRGB(clBtnFace));
}

}  // namespace
}  // namespace tsm
