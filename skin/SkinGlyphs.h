#pragma once
// Small drawing operations shared by the skinned windows and controls:
// glyph strips, the fallback glyphs drawn when a skin gives no look, and text
// fitting. Each operation sets the pen colour (and where it says so the
// brush) of the context it is given and does not restore them.
//
// Geometry: a line from P to Q covers P up to Q, Q excluded; a rectangle
// (a, b)-(c, d) covers columns a ... c-1 and rows b ... d-1, drawn as an
// outline unless filled is said. cx, cy is the centre of the given rectangle
// (left + width div 2, top + height div 2). Arrow columns and rows include
// both of their end pixels.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TDeviceContext;

// Frame n (from 1) of a strip of k equal frames side by side, drawn at
// (x, y) with the colour of the frame's bottom-left pixel transparent.
// Nothing for an empty strip or k < 1.
void DrawStripGlyph(TDeviceContext& dc, int32_t x, int32_t y, int32_t n, int32_t k, const TBitmap& strip);

// Kind 1 left, 2 right, 3 up, 4 down; other kinds draw nothing.
void DrawArrowGlyph(TDeviceContext& dc, const TRect& rect, TColor color, int32_t kind);
void DrawSmallDownArrow(TDeviceContext& dc, const TRect& rect, TColor color);
void DrawCheckGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
// A filled 6 x 6 square; pen and brush take the colour.
void DrawDotGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
// A one-pixel raised or sunken frame on rect.
void DrawBevelFrame(TDeviceContext& dc, const TRect& rect, TColor topLeft, TColor bottomRight);

// The built-in caption button glyphs (about 10 x 10 pixels from x, y).
void DrawCloseGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
void DrawSysMenuGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
void DrawMinimizeGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
void DrawMaximizeGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
void DrawRestoreGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
void DrawRollUpGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
void DrawRollDownGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);
// Filled; pen and brush take the colour.
void DrawTrayGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color);

// Width in pixels of a text in some font.
using TskTextWidth = std::function<int32_t(std::string_view)>;

// Leaves text alone when it fits width. Otherwise removes whole characters
// (UTF-8 sequences, never single bytes of one) from the end until the rest
// followed by "..." fits or nothing is left, and appends "...". The result
// is the longest prefix that fits with "...", or "..." alone.
void FitTextWithEllipsis(std::string& text, int32_t width, const TskTextWidth& textWidth);
// The same, measured in the context's font.
void FitTextWithEllipsis(TDeviceContext& dc, std::string& text, int32_t width);

// One line, left-aligned and vertically centred in rect, in the context's
// font and background mode ("&" marks an accelerator).
void DrawTextVCentered(TDeviceContext& dc, std::string_view text, const TRect& rect);
// The text at x = rect.Left + 2 + xOffset, y = rect.Top + height div 2 -
// text height div 2, clipped to rect; rect is first filled with the brush
// unless the brush is clear.
void DrawTextLeftCentered(TDeviceContext& dc, std::string_view text, const TRect& rect, int32_t xOffset = 0);

}  // namespace tsm
