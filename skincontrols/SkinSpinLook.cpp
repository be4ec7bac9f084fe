#include "skincontrols/SkinSpinLook.h"

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/SkinEditLook.h"

namespace tsm {

namespace {

constexpr int32_t kArrowUp = 3;
constexpr int32_t kArrowDown = 4;

// One button of free size from the "resizebutton" data.
void DrawResizeButton(TDeviceContext& dc, const TRect& rect, const TskSpinButtonState& state, int32_t arrow,
                      const TskDataSkinButtonControl* data, const TBitmap* picture) {
  if (rect.IsEmpty()) return;
  TBitmap button(rect.Width(), rect.Height());
  button.Fill(clWindow);
  if (data && picture) {
    const bool pressed = state.Down && state.Hot;
    const TRect active = RectIsEmpty(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
    const TRect down = RectIsEmpty(data->DownSkinRect) ? active : data->DownSkinRect;
    const TRect look = pressed ? down : (state.Hot ? active : data->SkinRect);
    const TColor color = pressed ? data->DownFontColor : (state.Hot ? data->ActiveFontColor : data->FontColor);
    const TskFrameLayout s{data->LeftTopPoint, data->RightTopPoint, data->LeftBottomPoint, data->RightBottomPoint,
                           data->ClientRect};
    const TskFrameLayout d = LayoutForSize(s, data->SkinRect.Size(), rect.Size());
    ComposeFrameImage(*picture, look, s, button, rect.Width(), rect.Height(), d, true);
    TDeviceContext bdc(button);
    TRect glyph = button.Bounds();
    if (pressed) glyph.Offset(1, 1);
    DrawArrowGlyph(bdc, glyph, color, arrow);
  }
  dc.Draw(rect.Left, rect.Top, button);
}

}  // namespace

void DrawSpinFallback(TBitmap& image, const TskSpinLayout& layout, const TskSpinLookState& state) {
  TDeviceContext dc(image);
  TRect r = image.Bounds();
  dc.FillRect(r, clWindow);
  dc.FrameRect(r, clBtnShadow);
  r.Inflate(-1, -1);
  dc.FrameRect(r, clBtnFace);
  DrawFallbackPart(dc, layout.Up, state.Up.Hot, state.Up.Down, false);
  DrawFallbackPart(dc, layout.Down, state.Down.Hot, state.Down.Down, false);
  DrawArrowGlyph(dc, layout.Up, clBlack, kArrowUp);
  DrawArrowGlyph(dc, layout.Down, clBlack, kArrowDown);
}

void DrawSpinSkinButtons(TBitmap& image, const TBitmap& picture, const TskSpinSkin& skin, const TskSpinLayout& layout,
                         const TskSpinLookState& state, const TskDataSkinButtonControl* resizeButton,
                         const TBitmap* resizePicture) {
  TDeviceContext dc(image);
  if (!state.UseSkinSize) {
    DrawResizeButton(dc, layout.Up, state.Up, kArrowUp, resizeButton, resizePicture);
    DrawResizeButton(dc, layout.Down, state.Down, kArrowDown, resizeButton, resizePicture);
    return;
  }
  const auto put = [&](const TRect& rect, const TskSpinButtonState& s, const TRect& hot, const TRect& pressed) {
    const TRect* look = s.Down && s.Hot ? &pressed : (s.Hot ? &hot : nullptr);
    if (look && !RectIsEmpty(*look) && !rect.IsEmpty()) dc.StretchBlt(rect, picture.Surface(), *look);
  };
  put(layout.Up, state.Up, skin.Data.ActiveUpButtonRect, skin.DownUpButtonRect);
  put(layout.Down, state.Down, skin.Data.ActiveDownButtonRect, skin.DownDownButtonRect);
}

}  // namespace tsm
