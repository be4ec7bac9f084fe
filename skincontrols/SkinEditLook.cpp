#include "skincontrols/SkinEditLook.h"

#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinPlatform.h"

namespace tsm {

namespace {

constexpr TColor kPartFrame = RGB(0, 0, 128);
constexpr TColor kPressedFill = RGB(133, 147, 181);
constexpr TColor kHotFill = RGB(182, 189, 210);

// Copies look (w x look height) into dst at (0, top), stretched to height h
// when the heights differ.
void PutLook(TBitmap& dst, const TBitmap& look, int32_t top, int32_t h) {
  TDeviceContext dc(dst);
  if (look.Height() == h)
    dc.Draw(0, top, look);
  else
    dc.StretchBlt(TRect::FromSize(0, top, look.Width(), h), look.Surface(), look.Bounds());
}

}  // namespace

void DrawFallbackPart(TDeviceContext& dc, const TRect& rect, bool hot, bool pressed, bool normalFrame) {
  if (rect.IsEmpty()) return;
  if (hot) {
    dc.FillRect(rect, pressed ? kPressedFill : kHotFill);
    dc.FrameRect(rect, kPartFrame);
  } else {
    dc.FillRect(rect, clBtnFace);
    if (normalFrame) dc.FrameRect(rect, clBtnShadow);
  }
}

void DrawEditFrame(TBitmap& dst, const TskEditSkin* skin, const TskEditLayout& layout, int32_t w, int32_t h,
                   const TskEditLookState& state) {
  dst.SetSize(w, h);
  if (w <= 0 || h <= 0) return;
  TDeviceContext dc(dst);
  if (!skin || !skin->Picture) {
    dc.FillRect(dst.Bounds(), clWindow);
    if (skin) return;  // skinned without a picture: nothing to draw from
    TRect r = dst.Bounds();
    dc.FrameRect(r, clBtnShadow);
    r.Inflate(-1, -1);
    dc.FrameRect(r, clBtnFace);
    DrawFallbackPart(dc, layout.Button, state.ButtonHot, state.ButtonPressed, true);
    return;
  }
  TBitmap look;
  ComposeHorizontalImage(*skin->Picture, state.Active ? skin->ActiveSkinRect : skin->Data.SkinRect, skin->LeftPiece,
                         skin->RightPiece, look, w);
  PutLook(dst, look, 0, state.UseSkinFont ? look.Height() : h);
  if (layout.Button.IsEmpty()) return;
  const TRect* button = nullptr;
  if (!state.Enabled && !RectIsEmpty(skin->Data.UnEnabledButtonRect))
    button = &skin->Data.UnEnabledButtonRect;
  else if (state.ButtonPressed && state.ButtonHot)
    button = &skin->DownButtonRect;
  else if (state.ButtonHot)
    button = &skin->Data.ActiveButtonRect;
  if (button && !RectIsEmpty(*button)) dc.StretchBlt(layout.Button, skin->Picture->Surface(), *button);
}

void DrawEditTextBackground(TBitmap& dst, const TskEditSkin* skin, const TskEditLayout& layout,
                            const TskEditLookState& state) {
  const TRect& area = layout.TextArea;
  dst.SetSize(area.Width(), area.Height());
  if (dst.IsEmpty()) return;
  dst.Fill(clWindow);
  if (!skin || !skin->Picture) return;
  // The part of the look under the skin's client rectangle, with the fixed
  // pieces reduced by the client offsets.
  const TRect& c = skin->Data.ClientRect;
  const TRect look = state.Active ? skin->ActiveSkinRect : skin->Data.SkinRect;
  const TRect src{look.Left + c.Left, look.Top + c.Top, look.Left + c.Right, look.Top + c.Bottom};
  const int32_t left = std::max(0, skin->LeftPiece - c.Left);
  const int32_t right = std::max(0, skin->RightPiece - (skin->SkinWidth() - c.Right));
  TBitmap part;
  ComposeHorizontalImage(*skin->Picture, src, left, right, part, area.Width());
  PutLook(dst, part, 0, state.UseSkinFont ? part.Height() : area.Height());
}

}  // namespace tsm
