#pragma once
// Pixel-art painting for the default skin's pictures.
//
// Every picture of the default skin is drawn here, pixel by pixel, into a
// 24-bit TBitmap: flat fills, per-row or per-column gradients, one-pixel
// lines and outlines, "soft" boxes whose corner pixels are blended with the
// background (a one-pixel rounding that needs no anti-aliasing elsewhere),
// and small glyphs given as ASCII masks. Nothing is blurred or scaled, so
// every edge stays crisp.
//
// Tiling rule the artwork obeys: a piece that the skin engine tiles along x
// (top and bottom edges, horizontal middles) is uniform along x, and a piece
// tiled along y is uniform along y. Gradients therefore run across a tiled
// piece, never along it, and no seam can appear at any size.
//
// Colours are TColor (0x00BBGGRR). Painting outside the bitmap is clipped.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

// a + (b - a) * weight / 255, per channel, rounded.
TColor MixColor(TColor a, TColor b, int weight);
// Lighter (towards white) or darker (towards black) by weight / 255.
inline TColor Lighten(TColor c, int weight) { return MixColor(c, RGB(255, 255, 255), weight); }
inline TColor Darken(TColor c, int weight) { return MixColor(c, RGB(0, 0, 0), weight); }

// How a soft box is filled: one colour, or a gradient from the first row
// (column) to the last.
struct TSkinFill {
  TColor From = 0;
  TColor To = 0;
  bool Vertical = true;  // gradient runs top to bottom (true) or left to right

  static constexpr TSkinFill Flat(TColor c) { return {c, c, true}; }
  static constexpr TSkinFill Down(TColor top, TColor bottom) { return {top, bottom, true}; }
  static constexpr TSkinFill Across(TColor left, TColor right) { return {left, right, false}; }
};

class TSkinArt {
 public:
  // Paints into bitmap, which must stay alive (and unresized) while painting.
  explicit TSkinArt(TBitmap& bitmap) : m_bitmap(bitmap) {}

  TBitmap& Bitmap() { return m_bitmap; }

  void Pixel(int32_t x, int32_t y, TColor c);
  TColor PixelAt(int32_t x, int32_t y) const;
  void Fill(const TRect& r, TColor c);
  void Fill(const TRect& r, const TSkinFill& fill);
  // Row i of r (or column i) takes the colour of the gradient at i.
  void GradientDown(const TRect& r, TColor top, TColor bottom);
  void GradientAcross(const TRect& r, TColor left, TColor right);
  // Lines include both end points (unlike the device context's lines).
  void HLine(int32_t x1, int32_t x2, int32_t y, TColor c);
  void VLine(int32_t x, int32_t y1, int32_t y2, TColor c);
  // A one-pixel outline on the edge pixels of r.
  void Frame(const TRect& r, TColor c);

  // A box with a one-pixel border whose four corner pixels are blended half
  // way with `outside` (what lies around the box), filled inside the border.
  //
  //    o b b b b o      o: MixColor(border, outside, 128)
  //    b f f f f b      b: border
  //    b f f f f b      f: fill
  //    o b b b b o
  void SoftBox(const TRect& r, TColor border, const TSkinFill& fill, TColor outside);
  // As SoftBox, with the first inner row (or column when `left` is true)
  // replaced by `highlight`: a light bevel along the top of a raised box.
  void SoftBoxLit(const TRect& r, TColor border, const TSkinFill& fill, TColor highlight, TColor outside);

  // A glyph from rows of an ASCII mask: '#' is drawn in `ink`; '+' is an
  // edge pixel, the pixel below mixed with `ink` by softWeight / 255; every
  // other character leaves the pixel alone. Row 0 of the mask lands on y.
  using TMask = std::span<const std::string_view>;
  void Glyph(int32_t x, int32_t y, TMask rows, TColor ink, int softWeight = 110);
  // Width and height of a mask.
  static TSize GlyphSize(TMask rows);
  // The glyph centred in r (halves rounded down).
  void GlyphCentred(const TRect& r, TMask rows, TColor ink, int softWeight = 110);

  // Copies a rectangle of this bitmap to another place of it (no overlap).
  void CopyWithin(const TRect& src, int32_t dx, int32_t dy);

 private:
  TBitmap& m_bitmap;
};

}  // namespace tsm
