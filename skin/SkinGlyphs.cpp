#include "skin/SkinGlyphs.h"

#include "platform/core/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/TextFormat.h"

namespace tsm {

namespace {

void Line(TDeviceContext& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  dc.MoveTo(x1, y1);
  dc.LineTo(x2, y2);
}

// Pixels x, y1 ... y2 (both ends included).
void Column(TDeviceContext& dc, int32_t x, int32_t y1, int32_t y2) { Line(dc, x, y1, x, y2 + 1); }
void Row(TDeviceContext& dc, int32_t y, int32_t x1, int32_t x2) { Line(dc, x1, y, x2 + 1, y); }

void Outline(TDeviceContext& dc, int32_t l, int32_t t, int32_t r, int32_t b) {
  dc.SetBrush({dc.Brush().Color, TBrushStyle::Clear});
  dc.Rectangle({l, t, r, b});
}

void Filled(TDeviceContext& dc, int32_t l, int32_t t, int32_t r, int32_t b, TColor color) {
  dc.SetPenColor(color);
  dc.SetBrushColor(color);
  dc.Rectangle({l, t, r, b});
}

}  // namespace

void DrawStripGlyph(TDeviceContext& dc, int32_t x, int32_t y, int32_t n, int32_t k, const TBitmap& strip) {
  if (strip.IsEmpty() || k < 1) return;
  const int32_t w = strip.Width() / k;
  if (w <= 0) return;
  const TRect piece{w * (n - 1), 0, w * n, strip.Height()};
  const TBitmap frame = strip.Cropped(piece);
  if (frame.IsEmpty()) return;
  const TColor transparent = frame.GetPixel(0, frame.Height() - 1);
  dc.TransparentBlt({x, y, x + frame.Width(), y + frame.Height()}, frame.Surface(), frame.Bounds(), transparent);
}

void DrawArrowGlyph(TDeviceContext& dc, const TRect& rect, TColor color, int32_t kind) {
  const int32_t cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
  dc.SetPenColor(color);
  switch (kind) {
    case 1:
      for (int32_t i = 0; i <= 3; ++i) Column(dc, cx - 2 + i, cy - i, cy + i);
      break;
    case 2:
      for (int32_t n = 3; n >= 0; --n) Column(dc, cx + 2 - n, cy - n, cy + n);
      break;
    case 3:
      for (int32_t i = 0; i <= 3; ++i) Row(dc, cy - 2 + i, cx - i, cx + i);
      break;
    case 4:
      for (int32_t n = 3; n >= 0; --n) Row(dc, cy + 2 - n, cx - n, cx + n);
      break;
    default: break;
  }
}

void DrawSmallDownArrow(TDeviceContext& dc, const TRect& rect, TColor color) {
  const int32_t cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
  dc.SetPenColor(color);
  for (int32_t n = 2; n >= 0; --n) Row(dc, cy + 2 - n, cx - n, cx + n);
}

void DrawCheckGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  for (int32_t i = 0; i <= 2; ++i) {
    dc.MoveTo(x, y + 5 - i);
    dc.LineTo(x + 2, y + 7 - i);
    dc.LineTo(x + 7, y + 2 - i);
  }
}

void DrawDotGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) { Filled(dc, x, y, x + 6, y + 6, color); }

void DrawBevelFrame(TDeviceContext& dc, const TRect& rect, TColor topLeft, TColor bottomRight) {
  const int32_t l = rect.Left, t = rect.Top, r = rect.Right - 1, b = rect.Bottom - 1;
  dc.SetPen({topLeft, 1, TPenStyle::Solid, TPenMode::Copy});
  dc.MoveTo(l, b);
  dc.LineTo(l, t);
  dc.LineTo(r, t);
  dc.SetPenColor(bottomRight);
  dc.LineTo(r, b);
  dc.LineTo(l - 1, b);
}

void DrawCloseGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  Line(dc, x + 1, y + 1, x + 9, y + 9);
  Line(dc, x + 9, y + 1, x + 1, y + 9);
  Line(dc, x + 2, y + 1, x + 10, y + 9);
  Line(dc, x + 8, y + 1, x, y + 9);
}

void DrawSysMenuGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  Outline(dc, x + 1, y + 3, x + 9, y + 6);
}

void DrawMinimizeGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  Line(dc, x + 1, y + 8, x + 9, y + 8);
  Line(dc, x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  Outline(dc, x, y, x + 11, y + 10);
  Outline(dc, x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  Outline(dc, x + 2, y, x + 10, y + 6);
  Outline(dc, x + 2, y, x + 10, y + 2);
  Outline(dc, x, y + 4, x + 7, y + 10);
  Outline(dc, x, y + 4, x + 7, y + 6);
}

void DrawRollUpGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  for (int32_t i = 0; i <= 4; ++i) Line(dc, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}

void DrawRollDownGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) {
  dc.SetPenColor(color);
  for (int32_t i = 0; i <= 4; ++i) Line(dc, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
}

void DrawTrayGlyph(TDeviceContext& dc, int32_t x, int32_t y, TColor color) { Filled(dc, x + 2, y + 2, x + 7, y + 7, color); }

void FitTextWithEllipsis(std::string& text, int32_t width, const TskTextWidth& textWidth) {
  if (textWidth(text) <= width) return;
  while (!text.empty()) {
    text.erase(Utf8PrevCharStart(text, text.size()));
    if (textWidth(text + "...") <= width) break;
  }
  text += "...";
}

void FitTextWithEllipsis(TDeviceContext& dc, std::string& text, int32_t width) {
  FitTextWithEllipsis(text, width, [&dc](std::string_view t) { return dc.TextWidth(t); });
}

void DrawTextVCentered(TDeviceContext& dc, std::string_view text, const TRect& rect) {
  TRect r = rect;
  dc.DrawText(text, r, TTextFormat::Left | TTextFormat::VCenter | TTextFormat::SingleLine);
}

void DrawTextLeftCentered(TDeviceContext& dc, std::string_view text, const TRect& rect, int32_t xOffset) {
  const int32_t y = rect.Top + rect.Height() / 2 - dc.TextHeight(text) / 2;
  if (dc.Brush().Style != TBrushStyle::Clear) dc.FillRect(rect);
  dc.TextRect(rect, rect.Left + 2 + xOffset, y, text);
}

}  // namespace tsm
