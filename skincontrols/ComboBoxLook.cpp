#include "skincontrols/ComboBoxLook.h"

#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/SkinEditLook.h"

namespace tsm {

void DrawComboFallback(TDeviceContext& dc, TSize size, const TRect& button, const TskComboLookState& state) {
  const TRect r{0, 0, size.cx, size.cy};
  dc.FillRect(r, clBtnFace);
  dc.FrameRect(r, clBtnShadow);
  dc.FillRect(r.Inflated(-2, -2), clWindow);
  DrawFallbackPart(dc, button, state.ButtonHot, state.ButtonPressed, true);
  DrawArrowGlyph(dc, button, state.Enabled ? clBlack : clBtnShadow, 4);
}

void DrawComboSkinButton(TDeviceContext& dc, const TBitmap& picture, const TskDataSkinComboBox& data,
                         const TRect& button, const TskComboLookState& state) {
  TRect look;
  if (!state.Enabled && !RectIsEmpty(data.UnEnabledButtonRect))
    look = data.UnEnabledButtonRect;
  else if (state.ButtonPressed && state.ButtonHot)
    look = data.DownButtonRect;
  else if (state.ButtonHot)
    look = data.ActiveButtonRect;
  if (!RectIsEmpty(look) && !button.IsEmpty()) dc.StretchBlt(button, picture.Surface(), look);
}

void DrawComboResizeButton(TDeviceContext& dc, const TBitmap& picture, const TskDataSkinButtonControl& data,
                           const TRect& button, const TskComboLookState& state) {
  if (RectIsEmpty(data.SkinRect) || button.IsEmpty()) return;
  const bool hot = state.ButtonHot;
  const bool down = state.ButtonPressed && hot;
  const TRect active = RectIsEmpty(data.ActiveSkinRect) ? data.SkinRect : data.ActiveSkinRect;
  const TRect pressed = RectIsEmpty(data.DownSkinRect) ? active : data.DownSkinRect;
  const TRect& look = down ? pressed : hot ? active : data.SkinRect;
  const TskFrameLayout source{data.LeftTopPoint, data.RightTopPoint, data.LeftBottomPoint, data.RightBottomPoint,
                              data.ClientRect};
  const TskFrameLayout fitted = LayoutForSize(source, data.SkinRect.Size(), button.Size());
  TBitmap face;
  ComposeFrameImage(picture, look, source, face, button.Width(), button.Height(), fitted, true);
  dc.Draw(button.Left, button.Top, face);
  if (!state.Enabled) return;
  const TColor ink = down ? data.DownFontColor : hot ? data.ActiveFontColor : data.FontColor;
  DrawArrowGlyph(dc, down ? button.Offsetted(0, 1) : button, ink, 4);
}

TRect DrawComboSkinTextArea(TBitmap& area, const TBitmap& picture, const TskDataSkinComboBox& data,
                            int32_t clientWidth, int32_t dh, const TskComboLookState& state) {
  const int32_t w = area.Width();
  const TRect focusLook = RectIsEmpty(data.FocusItemRect) ? data.ItemRect : data.FocusItemRect;
  int32_t h = data.ItemRect.Height();
  if (h <= 0) h = focusLook.Height();
  if (h <= 0) h = area.Height();
  const TRect& look = state.Focused ? focusLook : data.ItemRect;
  if (!RectIsEmpty(look) && w > 0) {
    TBitmap piece;
    ComposeHorizontalImage(picture, look, data.ItemLeftOffset, data.ItemRightOffset, piece, w);
    TDeviceContext dc(area);
    if (state.UseSkinSize)
      dc.Draw(0, 0, piece);
    else
      dc.StretchBlt({0, 0, w, area.Height()}, piece.Surface(), piece.Bounds());
  } else if (state.UseSkinSize && h != area.Height()) {
    // What the frame has there, h high.
    const TBitmap under = area;
    TDeviceContext(area).StretchBlt({0, 0, w, h}, under.Surface(), under.Bounds());
  }
  TRect text = data.ItemTextRect;
  text.Right += w - (RectIsEmpty(data.ItemRect) ? clientWidth : data.ItemRect.Width());
  if (!state.UseSkinSize) text.Bottom += dh;
  return text;
}

}  // namespace tsm
