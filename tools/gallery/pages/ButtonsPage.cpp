// Gallery page: the skinned push button in each of its looks and layouts —
// normal, pressed (a group member that is down), disabled, default; glyph
// strips on each side and with a margin; a group with one member down, one
// that may be raised again; a repeat button with its count.

#include <string>

#include "framework/controls/Label.h"
#include "framework/forms/CustomForm.h"
#include "platform/gfx/DeviceContext.h"
#include "skincontrols/TskSkinButton.h"
#include "tools/gallery/GalleryPages.h"

namespace tsm {
namespace {

TskSkinButton* AddButton(TGalleryPageContext& c, const std::string& caption, int32_t left, int32_t top,
                         int32_t width = 113, int32_t height = 25, const char* skinDataName = "button") {
  auto* b = new TskSkinButton(&c.Form);
  b->SetParent(&c.Parent);
  b->SetSkinDataName(skinDataName);
  b->SetSkinData(c.Skin);
  b->SetBounds(left, top, width, height);
  b->SetCaption(caption);
  return b;
}

void AddLabel(TGalleryPageContext& c, const std::string& caption, int32_t left, int32_t top) {
  auto* l = new TLabel(&c.Form);
  l->SetParent(&c.Parent);
  l->SetBounds(left, top, 0, 0);
  l->SetTransparent(true);
  l->SetCaption(caption);
}

// A strip of four 12 x 12 glyphs (normal, disabled, pressed, active): a
// filled triangle on magenta, which the bottom-left pixel makes transparent.
void DrawArrowStrip(ui::TBitmap& strip) {
  strip.SetSize(48, 12);
  TDeviceContext dc(strip.Image());
  dc.FillRect({0, 0, 48, 12}, RGB(255, 0, 255));
  const TColor colors[] = {RGB(40, 110, 40), RGB(150, 150, 150), RGB(160, 40, 40), RGB(30, 80, 200)};
  for (int32_t i = 0; i < 4; ++i)
    for (int32_t row = 0; row < 10; ++row) {
      const int32_t half = row < 5 ? row : 9 - row;
      dc.FillRect({12 * i + 2, row + 1, 12 * i + 3 + 2 * half, row + 2}, colors[i]);
    }
  strip.Changed();
}

const TGalleryPageRegistration kPage("按钮", 30, [](TGalleryPageContext& c) {
  // The four looks: normal, pressed (a group member that is down), disabled,
  // and the default button (active while the focus is on another control).
  AddLabel(c, "状态", 16, 14);
  AddButton(c, "普通", 16, 32);
  auto* down = AddButton(c, "按下", 145, 32);
  down->SetGroupIndex(9);
  down->SetDown(true);
  AddButton(c, "禁用", 274, 32)->SetEnabled(false);
  auto* def = AddButton(c, "默认(&D)", 403, 32);
  def->SetDefault(true);
  AddButton(c, "取消", 532, 32)->SetCancel(true);

  // Glyph layouts, on the skin's freely sized button so that a glyph above
  // or below the caption fits.
  AddLabel(c, "图标位置", 16, 74);
  ui::TBitmap strip;
  DrawArrowStrip(strip);
  const struct {
    const char* Caption;
    TskButtonLayout Layout;
    int32_t Margin;
  } layouts[] = {{"左", TskButtonLayout::blGlyphLeft, -1},
                 {"右", TskButtonLayout::blGlyphRight, -1},
                 {"上", TskButtonLayout::blGlyphTop, -1},
                 {"下", TskButtonLayout::blGlyphBottom, -1},
                 {"边距 4", TskButtonLayout::blGlyphLeft, 4}};
  int32_t x = 16;
  for (const auto& l : layouts) {
    auto* b = AddButton(c, l.Caption, x, 92, 113, 40, "resizebutton");
    b->SetGlyph(strip);
    b->SetNumGlyphs(4);
    b->SetLayout(l.Layout);
    b->SetMargin(l.Margin);
    b->SetSpacing(4);
    x += 129;
  }
  auto* disabledGlyph = AddButton(c, "禁用图标", 16, 140);
  disabledGlyph->SetGlyph(strip);
  disabledGlyph->SetNumGlyphs(4);
  disabledGlyph->SetSpacing(4);
  disabledGlyph->SetEnabled(false);

  // Groups.
  AddLabel(c, "按钮组", 16, 178);
  for (int32_t i = 0; i < 3; ++i) {
    auto* b = AddButton(c, "组一 " + std::to_string(i + 1), 16 + 90 * i, 196, 82);
    b->SetGroupIndex(1);
    if (i == 0) b->SetDown(true);
  }
  for (int32_t i = 0; i < 2; ++i) {
    auto* b = AddButton(c, "可全起 " + std::to_string(i + 1), 300 + 90 * i, 196, 82);
    b->SetGroupIndex(2);
    b->SetAllowAllUp(true);
  }

  // A repeat button that counts its clicks.
  AddLabel(c, "连续点击", 16, 238);
  auto* count = new TLabel(&c.Form);
  count->SetParent(&c.Parent);
  count->SetBounds(145, 262, 0, 0);
  count->SetTransparent(true);
  count->SetCaption("0");
  auto* repeat = AddButton(c, "按住不放", 16, 256);
  repeat->SetRepeatMode(true);
  repeat->OnClick = [count](TObject*) { count->SetCaption(std::to_string(std::stoi(count->Caption()) + 1)); };
});

}  // namespace
}  // namespace tsm
