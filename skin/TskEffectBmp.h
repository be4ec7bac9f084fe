#pragma once
// TskEffectBmp: a 24-bit top-down bitmap with direct pixel access, and the
// pixel effects of the skin: the seven morphs that blend a normal look into
// its active look, and the inactive-window effects.
//
// Memory layout: row y starts at y * RowStep, RowStep = 3 * Width +
// (Width mod 4) bytes; pixel x of a row is 3 bytes at 3 * x: blue, green, red.
//
// Arithmetic: Round is round-to-nearest with halves to the even neighbour,
// evaluated in extended (long double) precision; clamp limits to 0 ... 255.
// In the morphs, S is a channel of this image and O the same channel of the
// other image; mix(t) sets S := clamp(Round(t*S + (1-t)*O)), so t = 0 gives
// the other image and t = 1 keeps this one. A morph does nothing when the
// two images differ in size; its factor is limited to 0 ... 1.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/Color.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PixelSurface.h"
#include "skin/SkinTypes.h"

namespace tsm {

class TDeviceContext;

class TskEffectBmp {
 public:
  TskEffectBmp() = default;
  // A bitmap of the size, every byte 0. Negative sizes count as 0.
  TskEffectBmp(int32_t width, int32_t height);
  // A bitmap of the source's size holding its pixels in 24 bits.
  explicit TskEffectBmp(const TBitmap& source);
  explicit TskEffectBmp(const TPixelSurface& source);

  // A view on the pixels for drawing from (or into) them.
  TPixelSurface Surface();
  // Copies all pixels unscaled to the context at (x, y).
  void DrawTo(TDeviceContext& dc, int32_t x, int32_t y) const;
  // A TBitmap copy of the pixels.
  TBitmap ToBitmap() const;

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  int32_t RowStep() const { return m_rowStep; }
  size_t Size() const { return m_bits.size(); }  // RowStep * Height
  uint8_t* Bits() { return m_bits.data(); }
  const uint8_t* Bits() const { return m_bits.data(); }
  uint8_t* Row(int32_t y) { return m_bits.data() + size_t(y) * size_t(m_rowStep); }
  const uint8_t* Row(int32_t y) const { return m_bits.data() + size_t(y) * size_t(m_rowStep); }

  // Colour (0x00BBGGRR) of a pixel; no bounds check.
  TColor Pixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TColor color);
  // Copies a whole row out of or into a buffer of 3 * Width bytes.
  void ReadRow(int32_t y, uint8_t* buffer) const;
  void WriteRow(int32_t y, const uint8_t* buffer);

  // Writes pixel (x, y) of this bitmap to (x, Height - 1 - y) of dest, which
  // must have the same size (nothing happens otherwise).
  void CopyFlipped(TskEffectBmp& dest) const;

  // Morphs toward `other` (the active look) at progress k.
  void MorphBlend(const TskEffectBmp& other, long double k);
  void MorphGradient(const TskEffectBmp& other, long double k);
  void MorphGradientHorizontal(const TskEffectBmp& other, long double k);
  void MorphGradientVertical(const TskEffectBmp& other, long double k);
  void MorphLeftGradient(const TskEffectBmp& other, long double k);
  void MorphRightGradient(const TskEffectBmp& other, long double k);
  void MorphLeftSlide(const TskEffectBmp& other, long double k);
  void MorphRightSlide(const TskEffectBmp& other, long double k);
  void MorphPush(const TskEffectBmp& other, long double k);
  // The morph of a `morphkind`.
  void Morph(TskMorphKind kind, const TskEffectBmp& other, long double k);

  void EffectBrightness(long double k);
  void EffectDarkness(long double k);
  void EffectGrayScale();
  void EffectInvert();
  // Adds r - amount div 2 to every channel, r drawn from 0 ... amount-1 per
  // pixel; nothing when amount is 0 or less.
  void EffectNoise(int32_t amount);
  void EffectSplitBlur(int32_t distance);
  // The effect of an `inactiveeffect` with the frame's arguments
  // (brightness 0.5, darkness 0.3, noise 50, split blur 1).
  void ApplyInactiveEffect(TskInactiveEffect effect);

 private:
  bool SameSize(const TskEffectBmp& o) const { return o.m_width == m_width && o.m_height == m_height; }

  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_rowStep = 0;
  std::vector<uint8_t> m_bits;
};

// Round half to even in extended precision, then clamp to a channel value.
uint8_t RoundClampChannel(long double value);

}  // namespace tsm
