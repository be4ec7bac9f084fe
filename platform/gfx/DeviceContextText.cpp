// Text output of TDeviceContext: glyph blending, TextOut and DrawText.

#include <algorithm>
#include <cstring>

#include "platform/core/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/TextLayout.h"

namespace tsm {

namespace {

constexpr TRect kNoClip{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};

inline uint8_t Mix(uint8_t d, uint8_t s, uint32_t a) { return uint8_t((s * a + d * (255 - a) + 127) / 255); }

}  // namespace

TFont& TDeviceContext::Font() const {
  if (m_state.Font) return *m_state.Font;
  return *TFont::Default();
}

void TDeviceContext::BlendGlyph(int32_t sx, int32_t sy, const TGlyph& glyph, uint32_t pixel, const TRect& clip) {
  if (glyph.Width <= 0 || glyph.Height <= 0) return;
  const TRect g = TRect::FromSize(sx, sy, glyph.Width, glyph.Height).Intersected(clip);
  if (g.IsEmpty()) return;
  const int bpp = m_target.BytesPerPixel();
  const uint8_t b = uint8_t(pixel), gr = uint8_t(pixel >> 8), r = uint8_t(pixel >> 16);
  for (const TRect& v : Visible().Rects()) {
    if (v.Top >= g.Bottom) break;
    const TRect c = v.Intersected(g);
    if (c.IsEmpty()) continue;
    for (int32_t y = c.Top; y < c.Bottom; ++y) {
      const uint8_t* cov = glyph.Coverage.data() + static_cast<size_t>(y - sy) * glyph.Width + (c.Left - sx);
      uint8_t* d = m_target.PixelAddress(c.Left, y);
      for (int32_t x = c.Left; x < c.Right; ++x, ++cov, d += bpp) {
        const uint32_t a = *cov;
        if (a == 0) continue;
        if (a == 255) {
          d[0] = b;
          d[1] = gr;
          d[2] = r;
        } else {
          d[0] = Mix(d[0], b, a);
          d[1] = Mix(d[1], gr, a);
          d[2] = Mix(d[2], r, a);
        }
        if (bpp == 4) d[3] = 0xFF;
      }
    }
  }
}

void TDeviceContext::DrawTextLine(int32_t x, int32_t y, std::string_view text, const TRect& clip,
                                  size_t accelerator) {
  TFont& font = Font();
  const TPoint s = LogicalToSurface({x, y});
  const int32_t height = font.Height();
  if (m_state.BkMode == TBkMode::Opaque) {
    const TRect cell = TRect::FromSize(s.X, s.Y, font.TextWidth(text), height).Intersected(clip);
    FillSurface(cell, ColorToPixel(m_state.BkColor), TPenMode::Copy);
  }
  const uint32_t pixel = ColorToPixel(m_state.TextColor);
  int32_t pen = s.X;
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const TGlyph& g = font.Glyph(Utf8Next(text, pos));
    BlendGlyph(pen + g.Left, s.Y + g.Top, g, pixel, clip);
    if (start == accelerator) {
      const TRect line = TRect::FromSize(pen, s.Y + font.UnderlineTop(), g.Advance, font.UnderlineThickness());
      FillSurface(line.Intersected(clip), pixel, TPenMode::Copy);
    }
    pen += g.Advance;
  }
  const TFontDesc& desc = font.Desc();
  if (desc.Underline)
    FillSurface(TRect(s.X, s.Y + font.UnderlineTop(), pen, s.Y + font.UnderlineTop() + font.UnderlineThickness())
                    .Intersected(clip),
                pixel, TPenMode::Copy);
  if (desc.StrikeOut)
    FillSurface(TRect(s.X, s.Y + font.StrikeOutTop(), pen, s.Y + font.StrikeOutTop() + font.StrikeOutThickness())
                    .Intersected(clip),
                pixel, TPenMode::Copy);
}

TSize TDeviceContext::TextExtent(std::string_view text) const {
  TFont& font = Font();
  return {font.TextWidth(text), font.Height()};
}

void TDeviceContext::TextOut(int32_t x, int32_t y, std::string_view text) {
  DrawTextLine(x, y, text, kNoClip, kNoAccelerator);
}

void TDeviceContext::TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text, bool opaque) {
  const TRect clip = ToSurface(rect);
  if (opaque) FillSurface(clip, ColorToPixel(m_state.BkColor), TPenMode::Copy);
  DrawTextLine(x, y, text, clip, kNoAccelerator);
}

int32_t TDeviceContext::DrawText(std::string_view text, TRect& rect, TTextFormat format) {
  TFont& font = Font();
  size_t accelerator = kNoAccelerator;
  std::string stripped;
  if (HasFlag(format, TTextFormat::NoPrefix)) stripped.assign(text);
  else stripped = StripAccelerator(text, &accelerator);
  if (HasFlag(format, TTextFormat::HidePrefix)) accelerator = kNoAccelerator;

  const bool singleLine = HasFlag(format, TTextFormat::SingleLine);
  const bool wordBreak = HasFlag(format, TTextFormat::WordBreak) && !singleLine;
  const std::vector<std::string_view> views = BreakLines(font, stripped, rect.Width(), wordBreak, singleLine);

  struct TLine {
    std::string Text;
    size_t Accelerator;
    int32_t Width;
  };
  std::vector<TLine> lines;
  lines.reserve(views.size());
  for (std::string_view v : views) {
    const size_t offset = static_cast<size_t>(v.data() - stripped.data());
    size_t acc = accelerator != kNoAccelerator && accelerator >= offset && accelerator < offset + v.size()
                     ? accelerator - offset
                     : kNoAccelerator;
    std::string t = HasFlag(format, TTextFormat::EndEllipsis) ? EllipsizeEnd(font, v, rect.Width()) : std::string(v);
    if (acc != kNoAccelerator && (acc >= t.size() || t.compare(0, acc + 1, v.substr(0, acc + 1)) != 0))
      acc = kNoAccelerator;  // the underlined character was cut off
    const int32_t w = font.TextWidth(t);
    lines.push_back({std::move(t), acc, w});
  }
  const int32_t lineHeight = font.Height();
  const int32_t total = lineHeight * static_cast<int32_t>(lines.size());

  if (HasFlag(format, TTextFormat::CalcRect)) {
    int32_t widest = 0;
    for (const TLine& l : lines) widest = std::max(widest, l.Width);
    if (!wordBreak || widest > rect.Width()) rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + total;
    return total;
  }

  int32_t y = rect.Top;
  if (HasFlag(format, TTextFormat::VCenter)) y = rect.Top + (rect.Height() - total) / 2;
  else if (HasFlag(format, TTextFormat::Bottom)) y = rect.Bottom - total;
  const TRect clip = HasFlag(format, TTextFormat::NoClip) ? kNoClip : ToSurface(rect);
  for (const TLine& l : lines) {
    int32_t x = rect.Left;
    if (HasFlag(format, TTextFormat::Center)) x = rect.Left + (rect.Width() - l.Width) / 2;
    else if (HasFlag(format, TTextFormat::Right)) x = rect.Right - l.Width;
    DrawTextLine(x, y, l.Text, clip, l.Accelerator);
    y += lineHeight;
  }
  return total;
}

}  // namespace tsm
