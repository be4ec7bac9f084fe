#include "tools/defskin/SkinArt.h"

#include <algorithm>

namespace tsm {

namespace {

uint8_t MixChannel(uint8_t a, uint8_t b, int weight) {
  const int v = a * 255 + (int(b) - int(a)) * weight;
  return static_cast<uint8_t>(std::clamp((v + 127) / 255, 0, 255));
}

// Colour at step i of n of a gradient (n > 1: first step `from`, last `to`).
TColor GradientAt(TColor from, TColor to, int32_t i, int32_t n) {
  if (n <= 1) return from;
  return MixColor(from, to, static_cast<int>((i * 255 + (n - 1) / 2) / (n - 1)));
}

}  // namespace

TColor MixColor(TColor a, TColor b, int weight) {
  weight = std::clamp(weight, 0, 255);
  return RGB(MixChannel(GetRValue(a), GetRValue(b), weight), MixChannel(GetGValue(a), GetGValue(b), weight),
             MixChannel(GetBValue(a), GetBValue(b), weight));
}

void TSkinArt::Pixel(int32_t x, int32_t y, TColor c) { m_bitmap.SetPixel(x, y, c); }

TColor TSkinArt::PixelAt(int32_t x, int32_t y) const { return m_bitmap.GetPixel(x, y); }

void TSkinArt::Fill(const TRect& r, TColor c) {
  const TRect clip = r.Intersected(m_bitmap.Bounds());
  for (int32_t y = clip.Top; y < clip.Bottom; ++y)
    for (int32_t x = clip.Left; x < clip.Right; ++x) m_bitmap.SetPixel(x, y, c);
}

void TSkinArt::Fill(const TRect& r, const TSkinFill& fill) {
  if (fill.Vertical)
    GradientDown(r, fill.From, fill.To);
  else
    GradientAcross(r, fill.From, fill.To);
}

void TSkinArt::GradientDown(const TRect& r, TColor top, TColor bottom) {
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    Fill(TRect{r.Left, y, r.Right, y + 1}, GradientAt(top, bottom, y - r.Top, r.Height()));
}

void TSkinArt::GradientAcross(const TRect& r, TColor left, TColor right) {
  for (int32_t x = r.Left; x < r.Right; ++x)
    Fill(TRect{x, r.Top, x + 1, r.Bottom}, GradientAt(left, right, x - r.Left, r.Width()));
}

void TSkinArt::HLine(int32_t x1, int32_t x2, int32_t y, TColor c) {
  Fill(TRect{std::min(x1, x2), y, std::max(x1, x2) + 1, y + 1}, c);
}

void TSkinArt::VLine(int32_t x, int32_t y1, int32_t y2, TColor c) {
  Fill(TRect{x, std::min(y1, y2), x + 1, std::max(y1, y2) + 1}, c);
}

void TSkinArt::Frame(const TRect& r, TColor c) {
  if (r.IsEmpty()) return;
  HLine(r.Left, r.Right - 1, r.Top, c);
  HLine(r.Left, r.Right - 1, r.Bottom - 1, c);
  VLine(r.Left, r.Top, r.Bottom - 1, c);
  VLine(r.Right - 1, r.Top, r.Bottom - 1, c);
}

void TSkinArt::SoftBox(const TRect& r, TColor border, const TSkinFill& fill, TColor outside) {
  if (r.Width() < 2 || r.Height() < 2) return;
  Fill(r.Inflated(-1, -1), fill);
  Frame(r, border);
  const TColor corner = MixColor(border, outside, 128);
  Pixel(r.Left, r.Top, corner);
  Pixel(r.Right - 1, r.Top, corner);
  Pixel(r.Left, r.Bottom - 1, corner);
  Pixel(r.Right - 1, r.Bottom - 1, corner);
}

void TSkinArt::SoftBoxLit(const TRect& r, TColor border, const TSkinFill& fill, TColor highlight, TColor outside) {
  SoftBox(r, border, fill, outside);
  if (r.Width() > 2 && r.Height() > 2) HLine(r.Left + 1, r.Right - 2, r.Top + 1, highlight);
}

void TSkinArt::Glyph(int32_t x, int32_t y, TMask rows, TColor ink, int softWeight) {
  int32_t row = 0;
  for (std::string_view line : rows) {
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '#')
        Pixel(x + static_cast<int32_t>(i), y + row, ink);
      else if (line[i] == '+')
        Pixel(x + static_cast<int32_t>(i), y + row,
              MixColor(PixelAt(x + static_cast<int32_t>(i), y + row), ink, softWeight));
    }
    ++row;
  }
}

TSize TSkinArt::GlyphSize(TMask rows) {
  int32_t w = 0;
  for (std::string_view line : rows) w = std::max(w, static_cast<int32_t>(line.size()));
  return {w, static_cast<int32_t>(rows.size())};
}

void TSkinArt::GlyphCentred(const TRect& r, TMask rows, TColor ink, int softWeight) {
  const TSize s = GlyphSize(rows);
  Glyph(r.Left + (r.Width() - s.cx) / 2, r.Top + (r.Height() - s.cy) / 2, rows, ink, softWeight);
}

void TSkinArt::CopyWithin(const TRect& src, int32_t dx, int32_t dy) {
  const TRect clip = src.Intersected(m_bitmap.Bounds());
  for (int32_t y = clip.Top; y < clip.Bottom; ++y)
    for (int32_t x = clip.Left; x < clip.Right; ++x) Pixel(x + dx, y + dy, PixelAt(x, y));
}

}  // namespace tsm
