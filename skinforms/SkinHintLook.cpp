#include "skinforms/SkinHintLook.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinRegion.h"
#include "skin/SkinWindowData.h"
#include "skin/TskSkinData.h"

namespace tsm {

namespace {

constexpr TTextFormat kTextFormat = TTextFormat::Left | TTextFormat::NoPrefix | TTextFormat::WordBreak;

TskFrameLayout SourceLayout(const TskDataSkinHintWindow& d) {
  return {d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.ClientRect};
}

}  // namespace

TskHintSkin HintSkinOf(const TskSkinData* skin) {
  TskHintSkin s;
  if (!skin || skin->Empty()) return s;
  const TskDataSkinHintWindow& data = skin->HintWindow();
  const TBitmap* window = skin->ActivePicture(data.WindowPictureIndex);
  if (!window || window->IsEmpty()) return s;
  s.Data = &data;
  s.Window = window;
  const TBitmap* mask = skin->ActivePicture(data.MaskPictureIndex);
  s.Mask = mask && !mask->IsEmpty() ? mask : nullptr;
  return s;
}

TskHintGeometry HintGeometry(const TskHintSkin& skin, TSize text) {
  TskHintGeometry g;
  g.Text = text;
  if (!skin.Skinned()) {
    g.Window = {text.cx + 4, text.cy + 4};
    g.Layout.Client = {2, 2, text.cx + 2, text.cy + 2};
    return g;
  }
  const TSize picture = skin.Window->Size();
  const TRect& cl = skin.Data->ClientRect;
  g.Window = {std::max(text.cx + picture.cx - cl.Width(), picture.cx),
              std::max(text.cy + picture.cy - cl.Height(), picture.cy)};
  g.Layout = LayoutForSize(SourceLayout(*skin.Data), picture, g.Window);
  return g;
}

TBitmap PaintHintImage(const TskHintSkin& skin, const TskHintGeometry& g, ui::TFont& font, const std::string& text) {
  const int32_t w = g.Window.cx, h = g.Window.cy;
  TBitmap image;
  if (skin.Skinned()) {
    const TskDataSkinHintWindow& d = *skin.Data;
    ComposeFrameImage(*skin.Window, skin.Window->Bounds(), SourceLayout(d), image, w, h, g.Layout, true,
                      {d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch});
  } else {
    image.SetSize(w, h);
  }
  TDeviceContext dc(image);
  TRect textRect;
  TColor color = clInfoText;
  if (skin.Skinned()) {
    const TRect& c = g.Layout.Client;
    const int32_t x = c.Left + c.Width() / 2 - g.Text.cx / 2;
    const int32_t y = c.Top + c.Height() / 2 - g.Text.cy / 2;
    textRect = {x, y, x + g.Text.cx, y + g.Text.cy};
    color = skin.Data->FontColor;
  } else {
    dc.FillRect({0, 0, w, h}, clInfoBk);
    dc.FrameRect({0, 0, w, h}, clBtnShadow);
    textRect = {2, 2, w - 2, h - 2};
  }
  dc.SetFont(font.Handle());
  dc.SetTextColor(color);
  dc.SetBkMode(TBkMode::Transparent);
  dc.DrawText(text, textRect, kTextFormat);
  return image;
}

std::optional<TRegion> HintRegion(const TskHintSkin& skin, const TskHintGeometry& g) {
  if (!skin.Skinned() || !skin.Mask) return std::nullopt;
  return BuildFrameRegion(*skin.Mask, SourceLayout(*skin.Data), skin.Data->ClientRect, g.Window.cx, g.Window.cy,
                          g.Layout, g.Layout.Client);
}

}  // namespace tsm
