#include "skincontrols/ScrollBarLook.h"

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinControl.h"

namespace tsm {

namespace {

enum class TPartLook { Normal, Hot, Pressed };

void DrawFallbackPart(TDeviceContext& dc, const TRect& r, TPartLook look) {
  if (RectIsEmpty(r)) return;
  TColor frame = clBtnShadow;
  TColor fill = clBtnFace;
  if (look == TPartLook::Pressed) {
    frame = kScrollPressedFrame;
    fill = kScrollPressedFill;
  } else if (look == TPartLook::Hot) {
    frame = kScrollHotFrame;
    fill = kScrollHotFill;
  }
  dc.FillRect(r, fill);
  dc.FrameRect(r, frame);
}

TPartLook ButtonLook(const TskScrollPartState& s) {
  if (s.Down && s.Hot) return TPartLook::Pressed;
  return s.Hot ? TPartLook::Hot : TPartLook::Normal;
}

const TRect& Or(const TRect& r, const TRect& fallback) { return RectIsEmpty(r) ? fallback : r; }

void DrawSkinButton(TDeviceContext& dc, const TBitmap& picture, const TRect& place, const TskScrollPartState& s,
                    const TRect& active, const TRect& down) {
  if (s.Down && s.Hot)
    CopyPiece(dc, place, picture, down);
  else if (s.Hot)
    CopyPiece(dc, place, picture, active);
}

}  // namespace

void DrawScrollBarFallback(TDeviceContext& dc, TSize size, const TskScrollBarLayout& layout,
                           const TskScrollBarLookState& state) {
  dc.FillRect(TRect::FromSize(0, 0, size.cx, size.cy), clBtnFace);
  DrawFallbackPart(dc, layout.IncButton, ButtonLook(state.Inc));
  DrawFallbackPart(dc, layout.DecButton, ButtonLook(state.Dec));
  if (!RectIsEmpty(layout.IncButton)) DrawArrowGlyph(dc, layout.IncButton, clBlack, state.Vertical ? 4 : 2);
  if (!RectIsEmpty(layout.DecButton)) DrawArrowGlyph(dc, layout.DecButton, clBlack, state.Vertical ? 3 : 1);
  if (!state.Enabled) return;
  const TPartLook thumb = state.ThumbPressed ? TPartLook::Pressed : state.ThumbHot ? TPartLook::Hot : TPartLook::Normal;
  DrawFallbackPart(dc, layout.Thumb, thumb);
}

TskScrollBarSkinLooks ScrollBarSkinLooks(const TskDataSkinScrollBarControl& d) {
  TskScrollBarSkinLooks l;
  l.ActiveInc = d.ActiveUpButtonRect;
  l.DownInc = Or(d.DownUpButtonRect, l.ActiveInc);
  l.ActiveDec = d.ActiveDownButtonRect;
  l.DownDec = Or(d.DownDownButtonRect, l.ActiveDec);
  l.Thumb = d.ThumbRect;
  l.ActiveThumb = Or(d.ActiveThumbRect, l.Thumb);
  l.DownThumb = Or(d.DownThumbRect, l.ActiveThumb);
  l.Glyph = d.GlyphRect;
  l.ActiveGlyph = Or(d.ActiveGlyphRect, l.Glyph);
  l.DownGlyph = Or(d.DownGlyphRect, l.ActiveGlyph);
  l.ThumbOffset1 = d.ThumbOffset1;
  l.ThumbOffset2 = d.ThumbOffset2;
  return l;
}

void DrawScrollBarSkinParts(TDeviceContext& dc, const TBitmap& picture, const TskScrollBarSkinLooks& looks,
                            const TskScrollBarLayout& layout, const TskScrollBarLookState& state) {
  DrawSkinButton(dc, picture, layout.IncButton, state.Inc, looks.ActiveInc, looks.DownInc);
  DrawSkinButton(dc, picture, layout.DecButton, state.Dec, looks.ActiveDec, looks.DownDec);
  if (!state.Enabled || RectIsEmpty(layout.Thumb)) return;

  const TRect& look = state.ThumbPressed ? looks.DownThumb : state.ThumbHot ? looks.ActiveThumb : looks.Thumb;
  const TRect& glyph = state.ThumbPressed ? looks.DownGlyph : state.ThumbHot ? looks.ActiveGlyph : looks.Glyph;
  const TRect& t = layout.Thumb;
  if (!RectIsEmpty(look)) {
    if (state.HasPage) {
      TBitmap piece;
      if (state.Vertical)
        ComposeVerticalImage(picture, look, looks.ThumbOffset1, looks.ThumbOffset2, piece, t.Height());
      else
        ComposeHorizontalImage(picture, look, looks.ThumbOffset1, looks.ThumbOffset2, piece, t.Width());
      // The composed piece keeps the look's thickness; it is placed at the
      // thumb's rectangle, scaled across when the two differ.
      CopyPiece(dc, t, piece, TRect::FromSize(0, 0, piece.Width(), piece.Height()));
    } else {
      CopyPiece(dc, t, picture, look);
    }
  }
  if (!RectIsEmpty(glyph)) {
    const int32_t x = t.Left + t.Width() / 2 - glyph.Width() / 2;
    const int32_t y = t.Top + t.Height() / 2 - glyph.Height() / 2;
    CopyPiece(dc, TRect::FromSize(x, y, glyph.Width(), glyph.Height()), picture, glyph);
  }
}

}  // namespace tsm
