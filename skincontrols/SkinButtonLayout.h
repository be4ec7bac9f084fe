#pragma once
// Where a button puts its glyph and its caption, and which image of the
// glyph strip it shows. Pure arithmetic shared by the skinned push button
// and the flat tool button.
//
// Inside a rectangle R with centre cx = L + W div 2, cy = T + H div 2, a
// glyph of Gw x Gh, a caption of Tw x Th, Margin M and Spacing S (all
// divisions truncate toward zero):
//
//   M = -1, HW = (Tw + Gw + S) div 2, HH = (Th + Gh + S) div 2:
//     GlyphLeft    glyph (cx - HW, cy - Gh div 2)  caption (cx + HW - Tw, cy - Th div 2)
//     GlyphRight   caption (cx - HW, cy - Th div 2) glyph (cx + HW - Gw, cy - Gh div 2)
//     GlyphTop     glyph (cx - Gw div 2, cy - HH)  caption (cx - Tw div 2, cy + HH - Th)
//     GlyphBottom  glyph (cx - Gw div 2, cy + HH - Gh) caption (cx - Tw div 2, cy - HH)
//   M >= 0:
//     GlyphLeft    glyph (L + M, cy - Gh div 2)    caption (glyph x + Gw + S, cy - Th div 2)
//     GlyphRight   glyph (Rt - Gw - M, cy - Gh div 2) caption (glyph x - S - Tw, cy - Th div 2)
//     GlyphTop     glyph (cx - Gw div 2, T + M)    caption (cx - Tw div 2, glyph y + Gh + S)
//     GlyphBottom  glyph (cx - Gw div 2, B - Gh - M) caption (cx - Tw div 2, glyph y - S - Th)
//
// Spacing counts also without a glyph (0 x 0).

#include <cstdint>

#include "platform/core/Geometry.h"

namespace tsm {

enum class TskButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TskGlyphCaptionPlaces {
  TPoint Glyph;
  TPoint Caption;
  friend bool operator==(const TskGlyphCaptionPlaces&, const TskGlyphCaptionPlaces&) = default;
};

TskGlyphCaptionPlaces LayoutGlyphAndCaption(const TRect& r, TSize glyph, TSize caption, TskButtonLayout layout,
                                            int32_t margin, int32_t spacing);

// The image (from 1) of a strip of numGlyphs images: 3 pressed and active
// (with more than 2), else 4 active (with more than 3), else 2 disabled
// (with more than 1), else 1.
int32_t ButtonGlyphNumber(bool pressedActive, bool active, bool enabled, int32_t numGlyphs);

}  // namespace tsm
