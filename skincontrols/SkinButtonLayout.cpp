#include "skincontrols/SkinButtonLayout.h"

namespace tsm {

TskGlyphCaptionPlaces LayoutGlyphAndCaption(const TRect& r, TSize glyph, TSize caption, TskButtonLayout layout,
                                            int32_t margin, int32_t spacing) {
  const int32_t gw = glyph.cx, gh = glyph.cy, tw = caption.cx, th = caption.cy, s = spacing;
  const int32_t cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  TskGlyphCaptionPlaces p;
  if (margin == -1) {
    const int32_t hw = (tw + gw + s) / 2, hh = (th + gh + s) / 2;
    switch (layout) {
      case TskButtonLayout::blGlyphLeft:
        p.Glyph = {cx - hw, cy - gh / 2};
        p.Caption = {cx + hw - tw, cy - th / 2};
        break;
      case TskButtonLayout::blGlyphRight:
        p.Caption = {cx - hw, cy - th / 2};
        p.Glyph = {cx + hw - gw, cy - gh / 2};
        break;
      case TskButtonLayout::blGlyphTop:
        p.Glyph = {cx - gw / 2, cy - hh};
        p.Caption = {cx - tw / 2, cy + hh - th};
        break;
      case TskButtonLayout::blGlyphBottom:
        p.Glyph = {cx - gw / 2, cy + hh - gh};
        p.Caption = {cx - tw / 2, cy - hh};
        break;
    }
    return p;
  }
  switch (layout) {
    case TskButtonLayout::blGlyphLeft:
      p.Glyph = {r.Left + margin, cy - gh / 2};
      p.Caption = {p.Glyph.X + gw + s, cy - th / 2};
      break;
    case TskButtonLayout::blGlyphRight:
      p.Glyph = {r.Right - gw - margin, cy - gh / 2};
      p.Caption = {p.Glyph.X - s - tw, cy - th / 2};
      break;
    case TskButtonLayout::blGlyphTop:
      p.Glyph = {cx - gw / 2, r.Top + margin};
      p.Caption = {cx - tw / 2, p.Glyph.Y + gh + s};
      break;
    case TskButtonLayout::blGlyphBottom:
      p.Glyph = {cx - gw / 2, r.Bottom - gh - margin};
      p.Caption = {cx - tw / 2, p.Glyph.Y - s - th};
      break;
  }
  return p;
}

int32_t ButtonGlyphNumber(bool pressedActive, bool active, bool enabled, int32_t numGlyphs) {
  if (pressedActive && numGlyphs > 2) return 3;
  if (active && numGlyphs > 3) return 4;
  if (!enabled && numGlyphs > 1) return 2;
  return 1;
}

}  // namespace tsm
