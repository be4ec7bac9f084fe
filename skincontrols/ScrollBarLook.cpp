#include "skincontrols/ScrollBarLook.h"

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinCompose.h"
#include "skin/SkinGlyphs.h"
#include "skin/SkinPlatform.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/SkinEditLook.h"

namespace tsm {

namespace {

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
  DrawFallbackPart(dc, layout.IncButton, state.Inc.Hot, state.Inc.Down, true);
  DrawFallbackPart(dc, layout.DecButton, state.Dec.Hot, state.Dec.Down, true);
  if (!RectIsEmpty(layout.IncButton)) DrawArrowGlyph(dc, layout.IncButton, clBlack, state.Vertical ? 4 : 2);
  if (!RectIsEmpty(layout.DecButton)) DrawArrowGlyph(dc, layout.DecButton, clBlack, state.Vertical ? 3 : 1);
  if (!state.Enabled) return;
  // The thumb looks pressed while down, hot or not.
  DrawFallbackPart(dc, layout.Thumb, state.ThumbHot || state.ThumbPressed, state.ThumbPressed, true);
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
